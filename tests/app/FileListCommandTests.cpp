// The file list in the real main window: the grid's set-up, the Load
// commands through the real folder picker, Select All, Change Album and the
// grid's fit on resizing.
#include "support/GTestWin.h"

#include <memory>
#include <string>
#include <vector>

#include "app/MainFrm.h"
#include "app/QuillonApp.h"
#include "app/resource.h"
#include "catalog/FileListGrid.h"
#include "support/DriveLetter.h"
#include "support/ModalDriver.h"
#include "mp3/Mp3Builder.h"
#include "support/TestSupport.h"

using testsupport::TempFolder;

namespace {

bool WriteMp3(const std::string& path, const std::string& album, const std::string& comment)
{
    mp3::CRenderedTag tag;
    tag.AddText("TALB", {mp3::Latin1Text(album)});
    tag.AddComment("eng", U"", mp3::Latin1Text(comment));
    return testsupport::WriteFileBytes(path, tag.Render() + mp3::AudioFrames(2));
}

std::vector<std::string> Column(const CGridCtrl& grid, int nCol)
{
    std::vector<std::string> texts;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        texts.push_back(grid.GetItemText(nRow, nCol));
    return texts;
}

class FileListCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_pApp = std::make_unique<CQuillonApp>();
        m_pApp->InitApplication(GetModuleHandleA(nullptr));
        lstrcpynA(m_pApp->m_szDefaultDirectory, "C:\\Previous", kSettingSize);
        auto* pFrame = new CMainFrame;  // deletes itself with its window
        m_pApp->m_pMainWnd = pFrame;
        ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr));
        m_pFrame = pFrame;
        m_hFrame = pFrame->m_hWnd;
        SetWindowPos(m_hFrame, nullptr, 0, 0, 900, 600, SWP_NOZORDER);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        testsupport::PumpFor(50);
    }

    void TearDown() override
    {
        if (m_hFrame != nullptr && IsWindow(m_hFrame))
            DestroyWindow(m_hFrame);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        m_pApp.reset();
    }

    CGridCtrl& Grid() { return m_pFrame->m_Grid; }

    // Sends a Load command whose folder picker is answered with OK or Cancel
    // once it shows; returns the picker's caption.
    std::string Load(UINT nCommand, int nAnswer)
    {
        std::string caption;
        testsupport::ModalDriver driver([&](HWND hDlg) {
            char sz[64] = "";
            GetWindowTextA(hDlg, sz, sizeof(sz));
            caption = sz;
            testsupport::ClickButton(hDlg, nAnswer);
        });
        SendMessageA(m_hFrame, WM_COMMAND, nCommand, 0);
        EXPECT_TRUE(driver.Ran());
        EXPECT_FALSE(driver.TimedOut());
        return caption;
    }

    std::unique_ptr<CQuillonApp> m_pApp;
    CMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};

}  // namespace

TEST_F(FileListCommandTest, GridIsSetUpAsTheEmptyFileListInsideTheView)
{
    CGridCtrl& grid = Grid();
    HWND hView = GetDlgItem(m_hFrame, AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, grid.m_hWnd);
    EXPECT_EQ(hView, GetParent(grid.m_hWnd));
    EXPECT_EQ(32198, GetDlgCtrlID(grid.m_hWnd));
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongA(grid.m_hWnd, GWL_STYLE));
    EXPECT_EQ(0x50810400u, dwStyle & ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL));

    EXPECT_EQ(1, grid.GetRowCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_EQ(0, grid.GetFixedColumnCount());
    ASSERT_EQ(5, grid.GetColumnCount());
    const char* const apszHeadings[] = {"Filename", "Message/Error", "Album", "Comment",
                                        "Orig Album, hidden"};
    for (int nCol = 0; nCol < 5; ++nCol) {
        EXPECT_EQ(apszHeadings[nCol], grid.GetItemText(0, nCol));
        EXPECT_EQ(0x25u, grid.GetItemFormat(0, nCol));
    }
    EXPECT_EQ(0, grid.GetColumnWidth(4));
    EXPECT_GT(grid.GetColumnWidth(1), 0);
    EXPECT_EQ(0, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_FALSE(grid.IsEditable());
    EXPECT_TRUE(grid.GetListMode());
    EXPECT_TRUE(grid.GetResizeKeepsTotalWidth());
    EXPECT_FALSE(grid.GetFrameFocusCell());
    EXPECT_FALSE(grid.GetTrackFocusCell());
    EXPECT_TRUE(grid.GetHeaderSort());
    EXPECT_EQ(RGB(255, 255, 255), grid.GetGridBkColor());
    EXPECT_EQ(RGB(255, 255, 225), grid.GetTitleTipBackClr());
    EXPECT_EQ(RGB(255, 255, 255), grid.GetDefaultCell(FALSE, FALSE, 1)->GetBackClr());
    EXPECT_EQ(RGB(245, 245, 245), grid.GetDefaultCell(FALSE, FALSE, 2)->GetBackClr());
    EXPECT_EQ(RGB(102, 102, 102), grid.GetDefaultCell(TRUE, FALSE)->GetBackClr());
    EXPECT_EQ(RGB(255, 255, 255), grid.GetDefaultCell(TRUE, FALSE)->GetTextClr());

    // The grid covers the view's window rectangle; column 0 fills the width.
    RECT rcView;
    GetWindowRect(hView, &rcView);
    RECT rcGrid;
    GetWindowRect(grid.m_hWnd, &rcGrid);
    EXPECT_TRUE(EqualRect(&rcView, &rcGrid));
    RECT rcClient;
    GetClientRect(grid.m_hWnd, &rcClient);
    EXPECT_EQ(rcClient.right, grid.GetVirtualWidth());

    // The file-list commands have their handlers: enabled.
    HMENU hMenu = GetMenu(m_hFrame);
    for (int i = 0; i < 3; ++i)
        SendMessageA(m_hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(hMenu, i)), i);
    for (UINT nID : {ID_FILE_LOAD_ALL, ID_FILE_LOAD_NON_AVC, ID_VIEW_SELECT_ALL, ID_ACTIONS_CHANGE_ALBUM})
        EXPECT_FALSE(GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_GRAYED) << nID;
}

TEST_F(FileListCommandTest, LoadCommandsSelectAllAndChangeAlbumThroughTheRealWindows)
{
    TempFolder top("qload");
    ASSERT_TRUE(CreateDirectoryA(top.File("Music").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(top.File("Music\\Best Of").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(top.File("Empty").c_str(), nullptr));
    ASSERT_TRUE(WriteMp3(top.File("Music\\own.mp3"), "Own", std::string(25, 'c')));
    ASSERT_TRUE(WriteMp3(top.File("Music\\Best Of\\one.mp3"), "First", "plain"));
    ASSERT_TRUE(WriteMp3(top.File("Music\\Best Of\\two.mp3"), "Second", "Done:AVC"));
    testsupport::MappedDrive drive(top.Path());
    ASSERT_TRUE(drive.IsMapped());
    const std::string music = drive.Root() + "\\Music\\";

    // Load all: the picker starts on the current folder; OK takes it.
    m_pFrame->m_strDirectory = music;
    EXPECT_EQ("Blar...", Load(ID_FILE_LOAD_ALL, IDOK));
    EXPECT_EQ(music, m_pFrame->m_strDirectory);
    EXPECT_STREQ(music.c_str(), m_pApp->m_szDefaultDirectory);
    const std::vector<std::string> all = {music + "Best Of\\one.mp3", music + "Best Of\\two.mp3",
                                          music + "own.mp3"};
    EXPECT_EQ(all, Column(Grid(), kColFilename));
    // The chosen folder's own file has a message: nothing selected.
    EXPECT_EQ(0, Grid().GetSelectedCount());
    EXPECT_EQ("Comment will be truncated.", Grid().GetItemText(3, kColMessage));

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
    EXPECT_EQ((std::vector<std::string>{"First", "Own"}), Column(Grid(), kColAlbum));

    // Cancel keeps the list and the folder.
    m_pFrame->m_strDirectory = drive.Root() + "\\Empty\\";
    Load(ID_FILE_LOAD_ALL, IDCANCEL);
    EXPECT_EQ(2, Grid().GetRowCount() - 1);
    EXPECT_EQ(drive.Root() + "\\Empty\\", m_pFrame->m_strDirectory);
    EXPECT_STREQ(music.c_str(), m_pApp->m_szDefaultDirectory);

    // An empty folder: the header only.
    Load(ID_FILE_LOAD_ALL, IDOK);
    EXPECT_EQ(1, Grid().GetRowCount());
    EXPECT_EQ("Filename", Grid().GetItemText(0, 0));
    EXPECT_STREQ((drive.Root() + "\\Empty\\").c_str(), m_pApp->m_szDefaultDirectory);
}

// The ANSI file functions (and so the picker) stop at 259 characters; a
// longer path reaches the list through the step after the picker.
TEST_F(FileListCommandTest, AFolderPathBeyondTheSettingIsUsedButNotStored)
{
    TempFolder top("qlong");
    ASSERT_TRUE(WriteMp3(top.File("kept.mp3"), "Kept", "fine"));
    m_pFrame->LoadFolder(top.Path() + "\\", false);
    ASSERT_EQ(2, Grid().GetRowCount());
    const std::string stored = top.Path() + "\\";
    EXPECT_STREQ(stored.c_str(), m_pApp->m_szDefaultDirectory);

    std::string folder = top.Path();
    while (folder.size() < 300)
        folder += "\\" + std::string(60, 's');
    folder += "\\";
    m_pFrame->LoadFolder(folder, false);
    EXPECT_EQ(folder, m_pFrame->m_strDirectory);
    EXPECT_STREQ(stored.c_str(), m_pApp->m_szDefaultDirectory);
    EXPECT_EQ(1, Grid().GetRowCount());  // emptied; nothing found there

    // Exactly 259 characters still fit.
    const std::string fits = folder.substr(0, 258) + "\\";
    m_pFrame->LoadFolder(fits, false);
    EXPECT_STREQ(fits.c_str(), m_pApp->m_szDefaultDirectory);
}

TEST_F(FileListCommandTest, ResizingKeepsColumnZeroAbsorbingTheWidthChange)
{
    TempFolder top("qresize");
    ASSERT_TRUE(WriteMp3(top.File("a.mp3"), "Album", "Comment"));
    m_pFrame->ScanFolder(top.Path().c_str(), false);
    ASSERT_EQ(2, Grid().GetRowCount());

    std::vector<int> before;
    for (int nCol = 0; nCol < 5; ++nCol)
        before.push_back(Grid().GetColumnWidth(nCol));
    RECT rc;
    GetWindowRect(m_hFrame, &rc);
    SetWindowPos(m_hFrame, nullptr, 0, 0, rc.right - rc.left + 120, rc.bottom - rc.top + 40,
                 SWP_NOZORDER | SWP_NOMOVE);
    testsupport::PumpFor(20);
    EXPECT_EQ(before[0] + 120, Grid().GetColumnWidth(0));
    for (int nCol = 1; nCol < 5; ++nCol)
        EXPECT_EQ(before[nCol], Grid().GetColumnWidth(nCol)) << nCol;

    SetWindowPos(m_hFrame, nullptr, 0, 0, rc.right - rc.left - 80, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOMOVE);
    testsupport::PumpFor(20);
    EXPECT_EQ(before[0] - 80, Grid().GetColumnWidth(0));
    RECT rcView;
    GetWindowRect(GetDlgItem(m_hFrame, AFX_IDW_PANE_FIRST), &rcView);
    RECT rcGrid;
    GetWindowRect(Grid().m_hWnd, &rcGrid);
    EXPECT_TRUE(EqualRect(&rcView, &rcGrid));
}
