// AudacityStandIn: a stand-in for Audacity that Quillon's automation can
// drive, process against process, where Audacity itself is not at hand.
//
// Usage: AudacityStandIn "<full path of an MP3 file>"
// (under Wine, start it by the Windows path of AudacityStandIn.exe.so).
//
// It answers to Audacity's menu commands, posted as WM_COMMAND to its main
// window (titled "<file title without .mp3> - Audacity stand-in"):
//   1133 Select All; 2001 Automatic Volume Control (dialog "Automatic Volume
//   Control", whose "OK" shows the progress window "Automatic Volume
//   Control..."); 1109 Export As MP3 (dialog "Save MP3 File As:" with the
//   file name edit 1148 and "&Save"; an existing file is confirmed in
//   "Save MP3 File As:" with "&Yes"; then "Edit the ID3 tags for the MP3
//   file" with the album edit 10003, the comment edit 10006 and "OK"; then
//   the progress window "Export"); 1116 Exit ("Save changes?" with "&No").
// An "Import" window shows for a moment after the start. Buttons are real
// BUTTON controls and act on WM_COMMAND(id, BN_CLICKED) sent to their window.
// Like the editor, it opens a window only after the command that asks for it
// has returned, gives a window its title before its controls (fields before
// buttons), disables the main window while a dialog or progress window is
// up, and asks the overwrite question in a box over the save dialog, which
// stays open and disabled below it.
//
// When it exports it only rewrites the album and comment of the file's
// ID3v2 tag; it does not change the audio.
//
// Environment:
//   QUILLON_STANDIN_TRANSCRIPT=<file>  one line per step appended to the file
//   QUILLON_STANDIN_SPEED=normal|instant|<ms>[,<ms>]  how long the import,
//       effect progress and export windows stay up (normal: 300 ms; instant:
//       they go at the first chance), and how long a new window shows its
//       title before its controls exist (100 ms when not given)
//   QUILLON_STANDIN_FAULT=<fault>[,<fault>...]  faults to inject:
//       never:<window>           the window never appears
//       late:<window>:<ms>       the window appears <ms> late
//       disabled:<window>:<ms>   the window stays disabled for <ms>
//       nocontrol:<window>:<id>  the window lacks the control <id>
//       readonly:<window>:<id>   edit <id> refuses WM_SETTEXT (returns 0)
//       altered:<window>:<id>    edit <id> keeps a set text without its quotes
//       exit:<window>            the program exits (code 3) when the window is due
//       stray:<window>           the window is held back until another stand-in
//                                shows one of its title, then shows up topmost
//       decoy:<window>           another program shows a topmost window titled
//                                "<the window's title> (another program)"; it
//                                notes the commands it gets in the transcript
//     <window>: main, import, avc, avcprogress, saveas, replace, tags,
//     export, exitprompt.
// Exit codes: 0 after "Save changes?" or when the main window is closed;
// 2 without a readable file or with a bad setting; 3 for an injected exit.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "standin/RunOptions.h"
#include "standin/StandIn.h"
#include "standin/StandInIds.h"

namespace {

const char kUsage[] =
    "Usage: AudacityStandIn \"<full path of an MP3 file>\"\n"
    "\n"
    "A stand-in for Audacity that Quillon can drive through its windows. It answers to "
    "the menu commands 1133 Select All, 2001 Automatic Volume Control, 1109 Export As MP3 "
    "and 1116 Exit with windows of Audacity's titles, controls and buttons.\n"
    "\n"
    "When it exports it only rewrites the album and comment of the file's ID3v2 tag; it "
    "does not change the audio.\n"
    "\n"
    "Environment:\n"
    "QUILLON_STANDIN_TRANSCRIPT=<file>: one line per step is appended to the file.\n"
    "QUILLON_STANDIN_SPEED=normal|instant|<ms>[,<ms>]: how long the import, effect progress "
    "and export windows stay up (normal: 300 ms; instant: they go at the first chance), and "
    "how long a new window shows its title before its controls (100 ms).\n"
    "QUILLON_STANDIN_FAULT=<fault>[,<fault>...] with <fault> one of\n"
    "    never:<window>  the window never appears\n"
    "    late:<window>:<ms>  it appears <ms> late\n"
    "    disabled:<window>:<ms>  it stays disabled for <ms>\n"
    "    nocontrol:<window>:<id>  it lacks the control <id>\n"
    "    readonly:<window>:<id>  edit <id> refuses WM_SETTEXT\n"
    "    altered:<window>:<id>  edit <id> keeps a set text without its quotes\n"
    "    exit:<window>  the program exits (code 3) when the window is due\n"
    "    stray:<window>  it waits until another stand-in shows one like it, then comes topmost\n"
    "    decoy:<window>  another program shows a topmost window of its title\n"
    "and <window> one of main, import, avc, avcprogress, saveas, replace, tags, export, "
    "exitprompt.";

std::string Environment(const char* pszName)
{
    const DWORD cch = GetEnvironmentVariableA(pszName, nullptr, 0);
    if (cch == 0)
        return std::string();
    std::vector<char> buffer(cch + 1, '\0');
    GetEnvironmentVariableA(pszName, buffer.data(), cch + 1);
    return buffer.data();
}

// The command line after the program.
const char* Arguments()
{
    const char* p = GetCommandLineA();
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p) {}
        if (*p == '"')
            ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

// The one argument: the path, in quotes or as the rest of the line.
std::string PathArgument()
{
    std::string argument(Arguments());
    if (!argument.empty() && argument[0] == '"') {
        const size_t close = argument.find('"', 1);
        return argument.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    const size_t last = argument.find_last_not_of(" \t");
    return last == std::string::npos ? std::string() : argument.substr(0, last + 1);
}

int Refuse(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), standin::kTitleMessages, MB_OK | MB_ICONWARNING);
    return standin::kExitUsage;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // "/decoy <parent pid> <title>": the decoy that a stand-in starts.
    const std::string arguments = Arguments();
    const std::string decoy = std::string(standin::kDecoySwitch) + " ";
    if (arguments.compare(0, decoy.size(), decoy) == 0) {
        char* pEnd = nullptr;
        const unsigned long dwParent = std::strtoul(arguments.c_str() + decoy.size(), &pEnd, 10);
        const std::string title = *pEnd == ' ' ? std::string(pEnd + 1) : std::string();
        return standin::RunDecoy(hInstance, static_cast<DWORD>(dwParent), title,
                                 Environment(standin::kEnvTranscript));
    }
    const std::string path = PathArgument();
    if (path.empty())
        return Refuse(kUsage);
    standin::RunOptions options;
    std::string error;
    if (!options.ParseFaults(Environment(standin::kEnvFault), &error) ||
        !options.ParseSpeed(Environment(standin::kEnvSpeed), &error))
        return Refuse(error + "\n\n" + kUsage);

    standin::CStandIn standIn(hInstance, path, options, Environment(standin::kEnvTranscript));
    if (!standIn.Start(&error))
        return Refuse("Cannot open the file: " + error);
    const int nExitCode = standIn.Run();
    standIn.Record("exit " + std::to_string(nExitCode));
    return nExitCode;
}
