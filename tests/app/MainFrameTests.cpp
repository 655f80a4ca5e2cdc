// The main window created in this process with a real application object:
// commands by key, button and menu along the command route, the status bar,
// the bars and the file list's fit, Find Audacity and About, the Load
// commands through the real folder picker, and update runs whose per-file
// step is the test's.
#include "support/GTestWin.h"

#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrm.h"
#include "app/QuillonApp.h"
#include "app/StatusTexts.h"
#include "app/resource.h"
#include "automation/UserPrompt.h"
#include "catalog/FileListGrid.h"
#include "support/DriveLetter.h"
#include "support/ModalDriver.h"
#include "mp3/Mp3Builder.h"
#include "support/ProgramFixture.h"
#include "support/RecordingPrompt.h"
#include "support/WindowFinder.h"
#include "ui/UiIds.h"

using testsupport::ModalDriver;
using testsupport::WindowText;

namespace {

// The update run's progress window, under either of its captions.
HWND ProgressWindow()
{
    HWND hWnd = testsupport::FindTopWindow(GetCurrentProcessId(), "AVC Progress");
    return hWnd != nullptr ? hWnd : testsupport::FindTopWindow(GetCurrentProcessId(), "Progress [");
}

// The main window with a Copy handler on its route, recording the commands
// it receives; its update runs call the test's step for each file.
class TestFrame : public CMainFrame {
public:
    struct Command {
        UINT nID, nCode;
        BOOL bHandled;
    };
    struct File {
        std::string path, album, progress;
    };
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const BOOL bHandled = CMainFrame::OnCommand(wParam, lParam);
        m_commands.push_back({LOWORD(wParam), HIWORD(wParam), bHandled});
        return bHandled;
    }
    // File n (1-based) of a run: noted, then m_during(n) says whether the
    // run goes on.
    bool ProcessFile(const char* pszPath, const char* pszAlbum) override
    {
        m_files.push_back({pszPath, pszAlbum ? pszAlbum : "<null>",
                           WindowText(ProgressWindow(), IDC_PROGRESS_TEXT)});
        return !m_during || m_during(static_cast<int>(m_files.size()));
    }
    // Rows "C:\Music\Folder <n>\song.mp3" of the album "Album"; the rows
    // given are selected.
    void AddRows(int nRows, std::initializer_list<int> selected)
    {
        for (int i = 1; i <= nRows; ++i) {
            const std::string path = "C:\\Music\\Folder " + std::to_string(i) + "\\song.mp3";
            const int nRow = m_Grid.InsertRow(path.c_str(), -1);
            m_Grid.SetItemText(nRow, kColAlbum, "Album");
            m_Grid.SetItemText(nRow, kColOrigAlbum, "Album");
        }
        for (int nRow : selected)
            for (int nCol = 0; nCol < m_Grid.GetColumnCount(); ++nCol)
                m_Grid.SetItemState(nRow, nCol, GVIS_SELECTED);
    }
    void OnCopy() { ++m_nCopies; }

    std::vector<Command> m_commands;
    std::vector<File> m_files;
    std::function<bool(int)> m_during;
    int m_nCopies = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CMainFrame)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
END_MESSAGE_MAP()

std::vector<std::string> Column(const CGridCtrl& grid, int nCol)
{
    std::vector<std::string> texts;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        texts.push_back(grid.GetItemText(nRow, nCol));
    return texts;
}

// What the status bar control shows in a pane.
std::string PaneText(HWND hStatus, int nPane)
{
    char sz[260] = "";
    if (LOWORD(SendMessageA(hStatus, SB_GETTEXTLENGTHA, nPane, 0)) < sizeof(sz))
        SendMessageA(hStatus, SB_GETTEXTA, nPane, reinterpret_cast<LPARAM>(sz));
    return sz;
}

// Sets the modifier keys and toggle keys as this thread sees them.
void SetKeys(std::initializer_list<int> down, std::initializer_list<int> toggled = {})
{
    BYTE keys[256] = {};
    for (int vk : down)
        keys[vk] = 0x80;
    for (int vk : toggled)
        keys[vk] |= 0x01;
    SetKeyboardState(keys);
}

bool Grayed(HMENU hMenu, UINT nID)
{
    return (GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, CreateFrame()); }
    void TearDown() override
    {
        SetKeys({});
        if (m_hFrame != nullptr && IsWindow(m_hFrame))
            DestroyWindow(m_hFrame);
        // The main window's end posted the quit message: take it away.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        m_pApp.reset();
    }
    TestFrame* CreateFrame()
    {
        m_pApp = std::make_unique<CQuillonApp>();
        m_pApp->InitApplication(GetModuleHandleA(nullptr));
        auto* pFrame = new TestFrame;  // deletes itself with its window
        m_pApp->m_pMainWnd = pFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr))
            return nullptr;
        m_pFrame = pFrame;
        m_hFrame = pFrame->m_hWnd;
        SetWindowPos(m_hFrame, nullptr, 0, 0, 900, 600, SWP_NOZORDER);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        Pump(50);
        return pFrame;
    }
    // The application's own loop for a while: its PreTranslateMessage (the
    // accelerators) and then one idle pass. Key messages taken before
    // dispatch are counted.
    void Pump(DWORD dwMs)
    {
        const DWORD dwStart = GetTickCount();
        do {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (m_pApp->PreTranslateMessage(&msg)) {
                    m_nKeysTaken += msg.message == WM_KEYDOWN ? 1 : 0;
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        } while (GetTickCount() - dwStart < dwMs);
        m_pApp->OnIdle(0);
    }
    // A Load command whose folder picker is answered with OK or Cancel.
    void Load(UINT nCommand, int nAnswer)
    {
        ModalDriver driver([&](HWND hDlg) { testsupport::ClickButton(hDlg, nAnswer); });
        SendMessageA(m_hFrame, WM_COMMAND, nCommand, 0);
        EXPECT_TRUE(driver.Ran());
        EXPECT_FALSE(driver.TimedOut());
    }
    HWND Child(UINT nID) const { return GetDlgItem(m_hFrame, nID); }
    CGridCtrl& Grid() { return m_pFrame->m_Grid; }
    std::string Status() const { return m_pFrame->m_wndStatusBar.GetPaneText(0); }

    std::unique_ptr<CQuillonApp> m_pApp;
    TestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    int m_nKeysTaken = 0;
};

}  // namespace

TEST_F(MainFrameTest, CommandsByKeyAndButtonReachTheHandlerOnTheirRoute)
{
    // After idle time a button is enabled only with a handler on its route:
    // Copy the frame's, About the application's.
    Pump(20);
    HWND hBar = Child(AFX_IDW_TOOLBAR);
    for (const auto& b : {std::make_pair(ID_EDIT_CUT, false), {ID_EDIT_COPY, true},
                          {ID_EDIT_PASTE, false}, {ID_FILE_PRINT, false}, {ID_APP_ABOUT, true}})
        EXPECT_EQ(b.second, SendMessageA(hBar, TB_ISBUTTONENABLED, b.first, 0) != 0) << b.first;
    // A button's tooltip is its command string's part behind "\n".
    for (const auto& tip : {std::make_pair(ID_APP_ABOUT, "About"), {ID_FILE_PRINT, ""}}) {
        NMTTDISPINFOA info = {};
        info.hdr.idFrom = tip.first;
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(hBar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(tip.second, info.lpszText);
    }

    // The edit keys are taken by the accelerators before the view sees them.
    SetFocus(m_hFrame);
    ASSERT_EQ(Child(AFX_IDW_PANE_FIRST), GetFocus());
    const struct {
        std::initializer_list<int> mods;
        int vk;
        UINT nID;
    } keys[] = {
        {{VK_CONTROL}, 'C', ID_EDIT_COPY},     {{VK_CONTROL}, 'X', ID_EDIT_CUT},
        {{VK_CONTROL}, 'V', ID_EDIT_PASTE},    {{VK_CONTROL}, VK_INSERT, ID_EDIT_COPY},
        {{VK_SHIFT}, VK_INSERT, ID_EDIT_PASTE}, {{VK_SHIFT}, VK_DELETE, ID_EDIT_CUT},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(key.nID);
        m_pFrame->m_commands.clear();
        m_nKeysTaken = 0;
        SetKeys(key.mods);
        PostMessageA(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key.vk), 1);
        Pump(20);
        SetKeys({});
        EXPECT_EQ(1, m_nKeysTaken);
        ASSERT_EQ(1u, m_pFrame->m_commands.size());
        EXPECT_EQ(key.nID, m_pFrame->m_commands[0].nID);
        EXPECT_EQ(1u, m_pFrame->m_commands[0].nCode);  // from an accelerator
        EXPECT_EQ(key.nID == ID_EDIT_COPY, m_pFrame->m_commands[0].bHandled != FALSE);
    }
    EXPECT_EQ(2, m_pFrame->m_nCopies);

    // A click on the About button opens the About box.
    RECT rc = {};
    ASSERT_TRUE(SendMessageA(hBar, TB_GETRECT, ID_APP_ABOUT, reinterpret_cast<LPARAM>(&rc)));
    std::string caption;
    ModalDriver about([&](HWND hDlg) {
        caption = WindowText(hDlg);
        testsupport::ClickButton(hDlg, IDOK);
    });
    const LPARAM lPoint = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageA(hBar, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageA(hBar, WM_LBUTTONUP, 0, lPoint);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return about.Ran(); }));
    EXPECT_EQ("About Quillon", caption);
}

TEST_F(MainFrameTest, StatusBarIndicatorsAndMenuPrompts)
{
    HWND hStatus = Child(AFX_IDW_STATUS_BAR);
    ASSERT_EQ(4, SendMessageA(hStatus, SB_GETPARTS, 0, 0));
    EXPECT_EQ("Ready", PaneText(hStatus, 0));
    // Each indicator shows its text while its toggle key is on.
    SetKeys({}, {VK_CAPITAL, VK_SCROLL});
    Pump(10);
    EXPECT_EQ("CAP", PaneText(hStatus, 1));
    EXPECT_EQ("", PaneText(hStatus, 2));
    EXPECT_EQ("SCRL", PaneText(hStatus, 3));
    SetKeys({}, {VK_NUMLOCK});
    Pump(10);
    EXPECT_EQ("", PaneText(hStatus, 1));
    EXPECT_EQ("NUM", PaneText(hStatus, 2));
    EXPECT_EQ("", PaneText(hStatus, 3));

    // The real menu loop: Help opened from the keyboard shows its item's
    // prompt without the tooltip part; closed, "Ready" again.
    std::string prompt;
    ModalDriver menu([&] {
        prompt = PaneText(hStatus, 0);
        PostMessageA(m_hFrame, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(m_hFrame, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    PostMessageA(m_hFrame, WM_SYSCOMMAND, SC_KEYMENU, 'h');
    ASSERT_TRUE(testsupport::PumpUntil([&] { return menu.Ran(); }));
    Pump(50);
    EXPECT_EQ("Display program information, version number and copyright", prompt);
    EXPECT_EQ("Ready", PaneText(hStatus, 0));
}

TEST_F(MainFrameTest, TheViewMenuTogglesTheBarsAndTheFileListFillsTheRest)
{
    HWND hBar = Child(AFX_IDW_TOOLBAR);
    HWND hStatus = Child(AFX_IDW_STATUS_BAR);
    HWND hView = Child(AFX_IDW_PANE_FIRST);
    HMENU hMenu = GetMenu(m_hFrame);
    // Opening a popup decides each item's state by the command route.
    for (int i = 0; i < 4; ++i)
        SendMessageA(m_hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(hMenu, i)), i);
    EXPECT_TRUE(Grayed(hMenu, ID_ACTIONS_EMPTY));
    for (UINT nID : {ID_ACTIONS_FIND_AUDACITY, ID_APP_ABOUT, ID_APP_EXIT})
        EXPECT_FALSE(Grayed(hMenu, nID)) << nID;

    // The view between the bars shown.
    const auto expectLayout = [&](bool bToolbar, bool bStatus) {
        SendMessageA(m_hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(hMenu, 1)), 1);
        EXPECT_EQ(bToolbar, (GetMenuState(hMenu, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED) != 0);
        EXPECT_EQ(bStatus, (GetMenuState(hMenu, ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED) != 0);
        EXPECT_EQ(bToolbar, IsWindowVisible(hBar) != FALSE);
        EXPECT_EQ(bStatus, IsWindowVisible(hStatus) != FALSE);
        RECT rcClient, rcView, rcBar, rcStatus;
        GetClientRect(m_hFrame, &rcClient);
        MapWindowPoints(m_hFrame, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
        GetWindowRect(hView, &rcView);
        GetWindowRect(hBar, &rcBar);
        GetWindowRect(hStatus, &rcStatus);
        EXPECT_EQ(bToolbar ? rcBar.bottom : rcClient.top, rcView.top);
        EXPECT_EQ(bStatus ? rcStatus.top : rcClient.bottom, rcView.bottom);
        EXPECT_EQ(rcClient.left, rcView.left);
        EXPECT_EQ(rcClient.right, rcView.right);
    };
    expectLayout(true, true);
    const std::pair<UINT, std::pair<bool, bool>> toggles[] = {
        {ID_VIEW_TOOLBAR, {false, true}},
        {ID_VIEW_STATUS_BAR, {false, false}},
        {ID_VIEW_TOOLBAR, {true, false}},
        {ID_VIEW_STATUS_BAR, {true, true}},
    };
    for (const auto& t : toggles) {
        SCOPED_TRACE(t.first);
        SendMessageA(m_hFrame, WM_COMMAND, t.first, 0);
        expectLayout(t.second.first, t.second.second);
    }

    // A resize puts the grid over the whole view; column 0 takes up the
    // change of the width, the hidden column stays hidden.
    testsupport::TempFolder folder("qresize");
    ASSERT_TRUE(mp3::WriteMp3File(folder.File("a.mp3"), {true, "Album", "Comment"}));
    m_pFrame->ScanFolder(folder.Path().c_str(), false);
    ASSERT_EQ(2, Grid().GetRowCount());
    std::vector<int> before;
    for (int nCol = 0; nCol < 5; ++nCol)
        before.push_back(Grid().GetColumnWidth(nCol));
    EXPECT_EQ(0, before[kColOrigAlbum]);
    SetWindowPos(m_hFrame, nullptr, 0, 0, 1020, 640, SWP_NOZORDER | SWP_NOMOVE);
    Pump(20);
    EXPECT_EQ(before[0] + 120, Grid().GetColumnWidth(0));
    for (int nCol = 1; nCol < 5; ++nCol)
        EXPECT_EQ(before[nCol], Grid().GetColumnWidth(nCol)) << nCol;
    RECT rcView, rcGrid;
    GetWindowRect(hView, &rcView);
    GetWindowRect(Grid().m_hWnd, &rcGrid);
    EXPECT_TRUE(EqualRect(&rcView, &rcGrid));

    // The frame passes the focus to the view.
    SetFocus(nullptr);
    SetFocus(m_hFrame);
    EXPECT_EQ(hView, GetFocus());
}

TEST_F(MainFrameTest, FindAudacityChangesThePathOnlyOnOk)
{
    testsupport::TempFolder folder("qfind");
    const std::string oldPath = folder.File("old.exe");
    const std::string newPath = folder.File("audacity.exe");
    ASSERT_TRUE(testsupport::WriteFileBytes(oldPath, "MZ"));
    ASSERT_TRUE(testsupport::WriteFileBytes(newPath, "MZ"));
    m_pFrame->m_strAudacityPath = oldPath;
    CQuillonApp::SetSetting(m_pApp->m_szAudacityFilename, oldPath.c_str());

    // Answers the open dialog: notes what it shows, types the new path and
    // presses the button.
    for (int nButton : {IDCANCEL, IDOK}) {
        std::string shown;
        bool bReadOnly = false;
        HWND hOwner = nullptr;
        ModalDriver driver([&] {
            HWND hDlg = testsupport::FindThreadDialog("Open");
            HWND hName = GetDlgItem(hDlg, cmb13) ? GetDlgItem(hDlg, cmb13) : GetDlgItem(hDlg, edt1);
            if (hDlg == nullptr || hName == nullptr)
                return false;
            shown = WindowText(hName);
            bReadOnly = SendMessageA(GetDlgItem(hDlg, chx1), BM_GETCHECK, 0, 0) == BST_CHECKED;
            hOwner = GetWindow(hDlg, GW_OWNER);
            SetWindowTextA(hName, newPath.c_str());
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nButton)));
            return true;
        });
        SendMessageA(m_hFrame, WM_COMMAND, ID_ACTIONS_FIND_AUDACITY, 0);
        ASSERT_TRUE(driver.Ran());
        EXPECT_EQ(m_hFrame, hOwner);
        EXPECT_TRUE(bReadOnly);
        const std::string expected = nButton == IDOK ? newPath : oldPath;
        EXPECT_EQ(expected, m_pFrame->m_strAudacityPath);
        EXPECT_EQ(expected, m_pApp->m_szAudacityFilename);
        if (nButton == IDCANCEL)
            EXPECT_NE(std::string::npos, shown.find("old.exe")) << shown;
    }
}

TEST_F(MainFrameTest, LoadCommandsSelectAllAndChangeAlbumThroughTheRealPicker)
{
    testsupport::TempFolder top("qload");
    ASSERT_TRUE(CreateDirectoryA(top.File("Music").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(top.File("Music\\Best Of").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(top.File("Empty").c_str(), nullptr));
    ASSERT_TRUE(mp3::WriteMp3File(top.File("Music\\own.mp3"), {true, "Own", std::string(25, 'c')}));
    ASSERT_TRUE(mp3::WriteMp3File(top.File("Music\\Best Of\\one.mp3"), {true, "First", "plain"}));
    ASSERT_TRUE(mp3::WriteMp3File(top.File("Music\\Best Of\\two.mp3"), {true, "Second", "Done:AVC"}));
    testsupport::MappedDrive drive(top.Path());
    ASSERT_TRUE(drive.IsMapped());
    const std::string music = drive.Root() + "\\Music\\";

    // Load all: the picker starts on the current folder; OK takes it.
    m_pFrame->m_strDirectory = music;
    Load(ID_FILE_LOAD_ALL, IDOK);
    EXPECT_EQ(music, m_pFrame->m_strDirectory);
    EXPECT_STREQ(music.c_str(), m_pApp->m_szDefaultDirectory);
    EXPECT_EQ((std::vector<std::string>{music + "Best Of\\one.mp3", music + "Best Of\\two.mp3",
                                        music + "own.mp3"}),
              Column(Grid(), kColFilename));
    EXPECT_EQ("3 files, 1 with a message", Status());
    // The chosen folder's own file has a message: nothing selected.
    EXPECT_EQ(0, Grid().GetSelectedCount());

    // Select All, then Change Album: folder names in the album column.
    SendMessageA(m_hFrame, WM_COMMAND, ID_VIEW_SELECT_ALL, 0);
    EXPECT_EQ(3 * 5, Grid().GetSelectedCount());
    SendMessageA(m_hFrame, WM_COMMAND, ID_ACTIONS_CHANGE_ALBUM, 0);
    EXPECT_EQ((std::vector<std::string>{"Best Of", "Best Of", "Music"}), Column(Grid(), kColAlbum));
    EXPECT_EQ((std::vector<std::string>{"First", "Second", "Own"}), Column(Grid(), kColOrigAlbum));

    // Load non-AVC: the list is emptied first; the marked file is left out.
    Load(ID_FILE_LOAD_NON_AVC, IDOK);
    EXPECT_EQ((std::vector<std::string>{music + "Best Of\\one.mp3", music + "own.mp3"}),
              Column(Grid(), kColFilename));

    // Cancel keeps the list and the folder.
    m_pFrame->m_strDirectory = drive.Root() + "\\Empty\\";
    Load(ID_FILE_LOAD_ALL, IDCANCEL);
    EXPECT_EQ(3, Grid().GetRowCount());
    EXPECT_STREQ(music.c_str(), m_pApp->m_szDefaultDirectory);

    // A folder path beyond the setting's 259 characters is used, not stored.
    std::string folder = top.Path();
    while (folder.size() < 300)
        folder += "\\" + std::string(60, 's');
    m_pFrame->LoadFolder(folder + "\\", false);
    EXPECT_EQ(folder + "\\", m_pFrame->m_strDirectory);
    EXPECT_STREQ(music.c_str(), m_pApp->m_szDefaultDirectory);
    EXPECT_EQ(1, Grid().GetRowCount());
    const std::string fits = folder.substr(0, 258) + "\\";
    m_pFrame->LoadFolder(fits, false);
    EXPECT_STREQ(fits.c_str(), m_pApp->m_szDefaultDirectory);

    EXPECT_EQ("1 204 files, 3 with messages", FileListStatusText(1204, 3));
    EXPECT_EQ("1 file, 1 with a message", FileListStatusText(1, 1));
    EXPECT_EQ("1 000 000 files, 0 with messages", FileListStatusText(1000000, 0));
}

// The selected rows in their order, each with its progress line (paths
// verbatim, % included) and its new album only where Change Album changed it.
TEST_F(MainFrameTest, AnUpdateRunTakesTheSelectedRowsInOrderWithTheirProgressText)
{
    testsupport::RecordingPrompt prompt;
    m_pFrame->AddRows(5, {});
    SendMessageA(m_hFrame, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);
    EXPECT_TRUE(m_pFrame->m_files.empty());
    EXPECT_EQ("Ready", Status());

    m_pFrame->AddRows(0, {2, 4, 5});
    Grid().SetItemText(4, kColAlbum, "Folder 4");
    Grid().SetItemText(5, kColFilename, "C:\\100% Hits %s %d\\song.mp3");
    SendMessageA(m_hFrame, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);
    const std::vector<TestFrame::File> expected = {
        {"C:\\Music\\Folder 2\\song.mp3", "<null>", "1 of 3\nC:\\Music\\Folder 2\\song.mp3"},
        {"C:\\Music\\Folder 4\\song.mp3", "Folder 4", "2 of 3\nC:\\Music\\Folder 4\\song.mp3"},
        {"C:\\100% Hits %s %d\\song.mp3", "<null>", "3 of 3\nC:\\100% Hits %s %d\\song.mp3"},
    };
    ASSERT_EQ(expected.size(), m_pFrame->m_files.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].path, m_pFrame->m_files[i].path);
        EXPECT_EQ(expected[i].album, m_pFrame->m_files[i].album);
        EXPECT_EQ(expected[i].progress, m_pFrame->m_files[i].progress);
    }
    EXPECT_TRUE(prompt.m_texts.empty());
    EXPECT_EQ(nullptr, ProgressWindow());
    EXPECT_EQ("Update finished: 3 files updated, 0 failed", Status());
    EXPECT_EQ("Folder 4", Grid().GetItemText(4, kColAlbum));  // the list is as it was
    EXPECT_EQ("", Grid().GetItemText(4, kColMessage));
}

// What comes during file n of three selected: the progress window's Cancel
// or Escape (looked at only before the next file), the file's own end of the
// run, the file's error prompt, a close request in any form (the run ends
// after the file in progress, then the frame closes), and the work commands,
// which are disabled and do nothing inside the run.
TEST_F(MainFrameTest, WhatComesDuringARunFileDecidesHowTheRunEnds)
{
    const UINT work[] = {ID_FILE_LOAD_ALL,        ID_FILE_LOAD_NON_AVC, ID_FILE_UPDATE_SELECTED,
                         ID_ACTIONS_CHANGE_ALBUM, ID_VIEW_SELECT_ALL,   ID_ACTIONS_FIND_AUDACITY};
    std::vector<UINT> grayed;
    LRESULT lQueryEnd = -1;
    const auto post = [&](UINT nMsg, WPARAM wParam) { PostMessageA(m_hFrame, nMsg, wParam, 0); };
    const struct {
        const char* pszName;
        int nAt;
        std::function<bool()> act;  // during file nAt; false ends the run there
        size_t nFiles;
        std::vector<std::string> prompts;
        const char* pszStatus;  // null: the frame closes
    } cases[] = {
        {"Cancel button", 1, [] {
             HWND hCancel = GetDlgItem(ProgressWindow(), IDC_PROGRESS_CANCEL);
             PostMessageA(ProgressWindow(), WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                          reinterpret_cast<LPARAM>(hCancel));
             return true;
         }, 1, {"Cancelled at user request"}, "Update cancelled: 1 file updated, 0 failed"},
        {"Escape in the frame", 2, [&] { return post(WM_KEYDOWN, VK_ESCAPE), true; }, 2,
         {"Cancelled at user request"}, "Update cancelled: 2 files updated, 0 failed"},
        {"Escape during the last file", 3, [&] { return post(WM_KEYDOWN, VK_ESCAPE), true; }, 3,
         {}, "Update finished: 3 files updated, 0 failed"},
        {"an error prompt answered OK", 2,
         [] { return CUserPrompt::Current().Show("x", MB_OKCANCEL) == IDOK; }, 3, {"x"},
         "Update finished: 2 files updated, 1 failed"},
        {"work commands", 1,
         [&] {
             for (UINT nID : work) {
                 if (Grayed(GetMenu(m_hFrame), nID))
                     grayed.push_back(nID);
                 post(WM_COMMAND, nID);
             }
             return true;
         }, 3, {}, "Update finished: 3 files updated, 0 failed"},
        {"a file that stops the run", 2, [] { return false; }, 2, {}, nullptr},
        {"WM_CLOSE posted", 1, [&] { return post(WM_CLOSE, 0), true; }, 1, {}, nullptr},
        {"File Exit", 1, [&] { return post(WM_COMMAND, ID_APP_EXIT), true; }, 1, {}, nullptr},
        {"caption button or Alt+F4", 1,
         [&] { return SendMessageA(m_hFrame, WM_SYSCOMMAND, SC_CLOSE, 0), true; }, 1, {}, nullptr},
        {"the session ending", 1,
         [&] { return (lQueryEnd = SendMessageA(m_hFrame, WM_QUERYENDSESSION, 0, 0)), true; }, 1,
         {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        if (c.pszName != cases[0].pszName)
            ASSERT_NE(nullptr, CreateFrame());
        testsupport::RecordingPrompt prompt;
        m_pFrame->AddRows(3, {1, 2, 3});
        m_pFrame->m_during = [&](int n) { return n != c.nAt || c.act(); };
        SendMessageA(m_hFrame, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);
        EXPECT_EQ(c.nFiles, m_pFrame->m_files.size());
        EXPECT_EQ(c.prompts, prompt.m_texts);
        if (c.prompts == std::vector<std::string>{"Cancelled at user request"})
            EXPECT_EQ(std::vector<UINT>{MB_OK}, prompt.m_types);  // no icon
        if (c.pszStatus == nullptr) {
            EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(m_hFrame); }));
            m_hFrame = nullptr;
            continue;
        }
        EXPECT_EQ(c.pszStatus, Status());
        Pump(20);
        for (UINT nID : work)
            EXPECT_FALSE(Grayed(GetMenu(m_hFrame), nID)) << nID;
        EXPECT_EQ(3, Grid().GetRowCount() - 1);
        DestroyWindow(m_hFrame);
        m_hFrame = nullptr;
    }
    EXPECT_EQ(std::vector<UINT>(std::begin(work), std::end(work)), grayed);
    EXPECT_EQ(FALSE, lQueryEnd);

    // A session that ends all the same stores the settings on its way out.
    ASSERT_NE(nullptr, CreateFrame());
    testsupport::DeleteSettings();
    SendMessageA(m_hFrame, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ("Quillon.log", testsupport::StoredSetting("LogFile"));
    testsupport::DeleteSettings();
}
