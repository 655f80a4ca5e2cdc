// What the Audacity stand-in answers to: the editor's menu command ids, the
// titles of its windows, the ids of its controls and the texts of its
// buttons. Shared by the stand-in and the tests that drive it.
#pragma once

namespace standin {

// Menu commands, posted to the main window as WM_COMMAND with lParam 0.
constexpr int kCmdExportMp3 = 1109;
constexpr int kCmdExit = 1116;
constexpr int kCmdSelectAll = 1133;
constexpr int kCmdAutoVolume = 2001;
// The stand-in's own Help, About command.
constexpr int kCmdAbout = 40001;

// Window titles (a driver matches them as prefixes).
constexpr char kTitleSuffix[] = " - Audacity stand-in";
constexpr char kTitleImport[] = "Import";
constexpr char kTitleAutoVolume[] = "Automatic Volume Control";
constexpr char kTitleAutoVolumeProgress[] = "Automatic Volume Control...";
constexpr char kTitleSaveAs[] = "Save MP3 File As:";
constexpr char kTitleReplace[] = "Save MP3 File As:";
constexpr char kTitleTags[] = "Edit the ID3 tags for the MP3 file";
constexpr char kTitleExport[] = "Export";
constexpr char kTitleExitPrompt[] = "Save changes?";
constexpr char kTitleMessages[] = "Audacity stand-in";
// The title of a decoy window: the title it copies, then this.
constexpr char kDecoySuffix[] = " (another program)";

// Controls.
constexpr int kIdFileName = 1148;
constexpr int kIdAlbum = 10003;
constexpr int kIdComment = 10006;
constexpr int kIdOk = 1;      // "OK" and "&Save"
constexpr int kIdCancel = 2;  // "Cancel"
constexpr int kIdYes = 6;     // "&Yes"
constexpr int kIdNo = 7;      // "&No"

// Button texts, as written on the buttons (mnemonic ampersand included).
constexpr char kTextOk[] = "OK";
constexpr char kTextSave[] = "&Save";
constexpr char kTextYes[] = "&Yes";
constexpr char kTextNo[] = "&No";
constexpr char kTextCancel[] = "Cancel";

// Exit codes.
constexpr int kExitNormal = 0;  // "Save changes?" answered, or the main window closed
constexpr int kExitUsage = 2;   // no file, a file it cannot read, or a bad fault setting
constexpr int kExitFault = 3;   // an injected exit

// The environment that configures a run.
constexpr char kEnvTranscript[] = "QUILLON_STANDIN_TRANSCRIPT";
constexpr char kEnvFault[] = "QUILLON_STANDIN_FAULT";
constexpr char kEnvSpeed[] = "QUILLON_STANDIN_SPEED";
// The command line of the decoy program: "<program> /decoy <parent pid> <title>".
constexpr char kDecoySwitch[] = "/decoy";

}  // namespace standin
