// The main window created in this process with a real application object:
// its menu, accelerators, toolbar, status bar, layout, focus, Find Audacity
// and About, driven by real messages and answered by the test.
#include "support/GTestWin.h"

#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/MainFrm.h"
#include "app/QuillonApp.h"
#include "app/StatusTexts.h"
#include "app/resource.h"
#include "support/RecordingPrompt.h"
#include "support/SettingsRegistry.h"
#include "support/TestSupport.h"

namespace {

// Records every command the frame receives and whether a handler took it.
class RecordingFrame : public CMainFrame {
public:
    struct Command {
        UINT nID;
        UINT nCode;
        BOOL bHandled;
    };
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const BOOL bHandled = CMainFrame::OnCommand(wParam, lParam);
        m_commands.push_back({LOWORD(wParam), HIWORD(wParam), bHandled});
        return bHandled;
    }
    std::vector<Command> m_commands;
};

// The same window with a Copy handler on its route.
class CopyingFrame : public RecordingFrame {
public:
    void OnCopy() { ++m_nCopies; }
    int m_nCopies = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CopyingFrame, RecordingFrame)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
END_MESSAGE_MAP()

// A frame whose per-file step of an update run is the test's: it notes the
// files and does what m_during says while "processing" file n (1-based).
class RunFrame : public CMainFrame {
public:
    bool ProcessFile(const char* pszPath, const char* /*pszAlbum*/) override
    {
        m_files.emplace_back(pszPath);
        if (m_during)
            m_during(static_cast<int>(m_files.size()));
        return true;
    }
    // Adds rows "C:\\Music\\Folder <n>\\song.mp3" and selects the given ones.
    void AddRows(int nRows, std::initializer_list<int> selected)
    {
        for (int i = 1; i <= nRows; ++i) {
            const std::string path = "C:\\Music\\Folder " + std::to_string(i) + "\\song.mp3";
            const int nRow = m_Grid.InsertRow(path.c_str(), -1);
            m_Grid.SetItemText(nRow, 2, "Album");
            m_Grid.SetItemText(nRow, 4, "Album");
        }
        for (int nRow : selected)
            for (int nCol = 0; nCol < m_Grid.GetColumnCount(); ++nCol)
                m_Grid.SetItemState(nRow, nCol, GVIS_SELECTED);
    }
    std::vector<std::string> m_files;
    std::function<void(int)> m_during;
};

// Runs a step on this thread every few milliseconds, also inside the modal
// loops of menus and dialogs, until the step says it is done.
class ModalStepper {
public:
    explicit ModalStepper(std::function<bool()> step) : m_step(std::move(step))
    {
        s_pActive = this;
        m_nTimer = SetTimer(nullptr, 0, 30, TimerProc);
    }
    ~ModalStepper()
    {
        KillTimer(nullptr, m_nTimer);
        s_pActive = nullptr;
    }
    ModalStepper(const ModalStepper&) = delete;
    ModalStepper& operator=(const ModalStepper&) = delete;
    bool Done() const { return m_bDone; }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pActive != nullptr && !s_pActive->m_bDone && !s_pActive->m_bInStep) {
            s_pActive->m_bInStep = true;
            s_pActive->m_bDone = s_pActive->m_step();
            s_pActive->m_bInStep = false;
        }
    }
    static ModalStepper* s_pActive;
    std::function<bool()> m_step;
    UINT_PTR m_nTimer = 0;
    bool m_bDone = false;
    bool m_bInStep = false;
};
ModalStepper* ModalStepper::s_pActive = nullptr;

struct DialogSearch {
    const std::string* pCaption;
    HWND hFound;
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<DialogSearch*>(lParam);
    char szClass[32] = "";
    char szText[260] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szText, sizeof(szText));
    if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd) && *pSearch->pCaption == szText) {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this thread with the given caption.
HWND FindDialog(const std::string& caption)
{
    DialogSearch search = {&caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

std::string WindowText(HWND hWnd)
{
    char sz[260] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

std::string PaneText(HWND hStatus, int nPane)
{
    char sz[260] = "";
    const LRESULT lLength = SendMessageA(hStatus, SB_GETTEXTLENGTHA, nPane, 0);
    if (LOWORD(lLength) < sizeof(sz))
        SendMessageA(hStatus, SB_GETTEXTA, nPane, reinterpret_cast<LPARAM>(sz));
    return sz;
}

RECT WindowRectIn(HWND hWnd, HWND hParent)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
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

class MainFrameTest : public testing::Test {
protected:
    template <class Frame = RecordingFrame>
    Frame* CreateFrame()
    {
        m_pApp = std::make_unique<CQuillonApp>();
        m_pApp->InitApplication(GetModuleHandleA(nullptr));
        Frame* pFrame = new Frame;  // deletes itself with its window
        m_pApp->m_pMainWnd = pFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr))
            return nullptr;
        m_pFrame = pFrame;
        m_hFrame = pFrame->m_hWnd;
        SetWindowPos(m_hFrame, nullptr, 0, 0, 800, 600, SWP_NOZORDER);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        Pump(50);
        return pFrame;
    }

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
                    if (msg.message == WM_KEYDOWN)
                        ++m_nKeysTaken;
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        } while (GetTickCount() - dwStart < dwMs);
        m_pApp->OnIdle(0);
    }

    HWND Toolbar() const { return GetDlgItem(m_hFrame, AFX_IDW_TOOLBAR); }
    HWND StatusBar() const { return GetDlgItem(m_hFrame, AFX_IDW_STATUS_BAR); }
    HWND View() const { return GetDlgItem(m_hFrame, AFX_IDW_PANE_FIRST); }

    std::unique_ptr<CQuillonApp> m_pApp;
    CMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    int m_nKeysTaken = 0;
};

struct MenuEntry {
    UINT nID;  // 0 for a separator
    std::string text;
};

std::vector<MenuEntry> ReadPopup(HMENU hPopup)
{
    std::vector<MenuEntry> entries;
    for (int i = 0; i < GetMenuItemCount(hPopup); ++i) {
        char sz[260] = "";
        GetMenuStringA(hPopup, static_cast<UINT>(i), sz, sizeof(sz), MF_BYPOSITION);
        entries.push_back({GetMenuItemID(hPopup, i), sz});
    }
    return entries;
}

bool operator==(const MenuEntry& a, const MenuEntry& b)
{
    return a.nID == b.nID && a.text == b.text;
}

void PrintTo(const MenuEntry& e, std::ostream* os)
{
    *os << "{" << e.nID << ", \"" << e.text << "\"}";
}

UINT ItemState(HMENU hPopup, UINT nID)
{
    return GetMenuState(hPopup, nID, MF_BYCOMMAND);
}

}  // namespace

TEST_F(MainFrameTest, MenuBarAndAcceleratorsReadBackInOrder)
{
    ASSERT_NE(nullptr, CreateFrame());
    EXPECT_EQ("Quillon", WindowText(m_hFrame));
    HMENU hMenu = GetMenu(m_hFrame);
    ASSERT_NE(nullptr, hMenu);
    ASSERT_EQ(4, GetMenuItemCount(hMenu));
    const char* const apszTop[] = {"&File", "&View", "&Actions", "&Help"};
    for (int i = 0; i < 4; ++i) {
        char sz[64] = "";
        GetMenuStringA(hMenu, static_cast<UINT>(i), sz, sizeof(sz), MF_BYPOSITION);
        EXPECT_STREQ(apszTop[i], sz);
    }

    const std::vector<MenuEntry> file = {
        {ID_FILE_LOAD_ALL, "&Load File List of all MP3 files"},
        {ID_FILE_LOAD_NON_AVC, "Load File List of only non-AVC Updated MP3 Files"},
        {0, ""},
        {ID_FILE_UPDATE_SELECTED, "&Update Selected Files"},
        {0, ""},
        {ID_APP_EXIT, "E&xit"},
    };
    const std::vector<MenuEntry> view = {
        {ID_VIEW_TOOLBAR, "&Toolbar"},
        {ID_VIEW_STATUS_BAR, "&Status Bar"},
        {0, ""},
        {ID_VIEW_SELECT_ALL, "Select &All"},
    };
    const std::vector<MenuEntry> actions = {
        {ID_ACTIONS_CHANGE_ALBUM, "Change Album &Name in selected MP3 files"},
        {ID_ACTIONS_EMPTY, ""},
        {ID_ACTIONS_FIND_AUDACITY, "Find &Audacity"},
    };
    const std::vector<MenuEntry> help = {{ID_APP_ABOUT, "&About Quillon..."}};
    EXPECT_EQ(file, ReadPopup(GetSubMenu(hMenu, 0)));
    EXPECT_EQ(view, ReadPopup(GetSubMenu(hMenu, 1)));
    EXPECT_EQ(actions, ReadPopup(GetSubMenu(hMenu, 2)));
    EXPECT_EQ(help, ReadPopup(GetSubMenu(hMenu, 3)));

    // Opening a popup decides each item's state by the command route.
    for (UINT i = 0; i < 4; ++i)
        SendMessageA(m_hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(hMenu, static_cast<int>(i))), i);
    HMENU hActions = GetSubMenu(hMenu, 2);
    // The empty entry keeps its id and is shown disabled.
    EXPECT_TRUE(ItemState(hActions, ID_ACTIONS_EMPTY) & MF_GRAYED);
    EXPECT_FALSE(ItemState(hActions, ID_ACTIONS_FIND_AUDACITY) & MF_GRAYED);
    EXPECT_FALSE(ItemState(GetSubMenu(hMenu, 0), ID_APP_EXIT) & MF_GRAYED);
    EXPECT_FALSE(ItemState(GetSubMenu(hMenu, 3), ID_APP_ABOUT) & MF_GRAYED);

    // The accelerator table, all virtual keys, in order.
    HACCEL hAccel = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hAccel);
    ACCEL accels[16] = {};
    ASSERT_EQ(10, CopyAcceleratorTableA(hAccel, accels, 16));
    const BYTE kMods = FVIRTKEY | FSHIFT | FCONTROL | FALT;
    const ACCEL expected[10] = {
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
        {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY, VK_F6, ID_NEXT_PANE},
        {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    };
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].fVirt, accels[i].fVirt & kMods);
        EXPECT_EQ(expected[i].key, accels[i].key);
        EXPECT_EQ(expected[i].cmd, accels[i].cmd);
    }
    DestroyAcceleratorTable(hAccel);
}

TEST_F(MainFrameTest, ToolbarButtonsTooltipsAndIdleState)
{
    ASSERT_NE(nullptr, CreateFrame());
    HWND hBar = Toolbar();
    ASSERT_NE(nullptr, hBar);
    EXPECT_TRUE(GetWindowLongA(hBar, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_NE(nullptr, reinterpret_cast<HWND>(SendMessageA(hBar, TB_GETTOOLTIPS, 0, 0)));

    const int aExpected[] = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_FILE_PRINT, 0, ID_APP_ABOUT};
    ASSERT_EQ(7, SendMessageA(hBar, TB_BUTTONCOUNT, 0, 0));
    int iNextImage = 0;
    for (int i = 0; i < 7; ++i) {
        TBBUTTON b = {};
        SendMessageA(hBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        EXPECT_EQ(aExpected[i] == 0, (b.fsStyle & BTNS_SEP) != 0) << i;
        if (aExpected[i] != 0) {
            EXPECT_EQ(aExpected[i], b.idCommand);
            EXPECT_EQ(iNextImage++, b.iBitmap);
        }
    }
    int cx = 0;
    int cy = 0;
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SendMessageA(hBar, TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(ImageList_GetIconSize(hImages, &cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(15, cy);
    EXPECT_EQ(5, ImageList_GetImageCount(hImages));

    // Tooltips: the text behind "\n"; Print has none.
    const std::pair<UINT, const char*> tips[] = {{ID_EDIT_CUT, "Cut"},     {ID_EDIT_COPY, "Copy"},
                                                 {ID_EDIT_PASTE, "Paste"}, {ID_FILE_PRINT, ""},
                                                 {ID_APP_ABOUT, "About"}};
    for (const auto& tip : tips) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(hBar, TB_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = tip.first;
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(hBar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(nullptr, info.lpszText);
        EXPECT_STREQ(tip.second, info.lpszText);
    }

    // After idle time only About, handled by the application, is enabled.
    Pump(20);
    EXPECT_FALSE(SendMessageA(hBar, TB_ISBUTTONENABLED, ID_EDIT_CUT, 0));
    EXPECT_FALSE(SendMessageA(hBar, TB_ISBUTTONENABLED, ID_EDIT_COPY, 0));
    EXPECT_FALSE(SendMessageA(hBar, TB_ISBUTTONENABLED, ID_EDIT_PASTE, 0));
    EXPECT_FALSE(SendMessageA(hBar, TB_ISBUTTONENABLED, ID_FILE_PRINT, 0));
    EXPECT_TRUE(SendMessageA(hBar, TB_ISBUTTONENABLED, ID_APP_ABOUT, 0));
}

TEST_F(MainFrameTest, EditKeysAreTakenByTheAcceleratorsAndReachNoHandler)
{
    RecordingFrame* pFrame = CreateFrame<RecordingFrame>();
    ASSERT_NE(nullptr, pFrame);
    SetFocus(m_hFrame);
    ASSERT_EQ(View(), GetFocus());

    struct Key {
        std::initializer_list<int> mods;
        int vk;
        UINT nID;
    };
    const Key keys[] = {
        {{VK_CONTROL}, 'C', ID_EDIT_COPY},     {{VK_CONTROL}, 'X', ID_EDIT_CUT},
        {{VK_CONTROL}, 'V', ID_EDIT_PASTE},    {{VK_CONTROL}, VK_INSERT, ID_EDIT_COPY},
        {{VK_SHIFT}, VK_INSERT, ID_EDIT_PASTE}, {{VK_SHIFT}, VK_DELETE, ID_EDIT_CUT},
    };
    for (const Key& key : keys) {
        SCOPED_TRACE(key.nID);
        pFrame->m_commands.clear();
        m_nKeysTaken = 0;
        SetKeys(key.mods);
        PostMessageA(View(), WM_KEYDOWN, static_cast<WPARAM>(key.vk), 1);
        Pump(20);
        SetKeys({});
        EXPECT_EQ(1, m_nKeysTaken);  // the view never saw the key
        ASSERT_EQ(1u, pFrame->m_commands.size());
        EXPECT_EQ(key.nID, pFrame->m_commands[0].nID);
        EXPECT_EQ(1u, pFrame->m_commands[0].nCode);  // from an accelerator
        EXPECT_FALSE(pFrame->m_commands[0].bHandled);
    }
}

TEST_F(MainFrameTest, AHandlerOnTheRouteEnablesItsButtonAndReceivesItsKey)
{
    CopyingFrame* pFrame = CreateFrame<CopyingFrame>();
    ASSERT_NE(nullptr, pFrame);
    Pump(20);
    EXPECT_TRUE(SendMessageA(Toolbar(), TB_ISBUTTONENABLED, ID_EDIT_COPY, 0));
    EXPECT_FALSE(SendMessageA(Toolbar(), TB_ISBUTTONENABLED, ID_EDIT_CUT, 0));
    SetFocus(m_hFrame);
    SetKeys({VK_CONTROL});
    PostMessageA(View(), WM_KEYDOWN, 'C', 1);
    Pump(20);
    SetKeys({});
    EXPECT_EQ(1, pFrame->m_nCopies);
}

TEST_F(MainFrameTest, StatusBarPanesIndicatorsAndMenuPrompts)
{
    ASSERT_NE(nullptr, CreateFrame());
    HWND hStatus = StatusBar();
    ASSERT_NE(nullptr, hStatus);
    ASSERT_EQ(4, SendMessageA(hStatus, SB_GETPARTS, 0, 0));
    EXPECT_EQ("Ready", PaneText(hStatus, 0));
    const CStatusBar& bar = m_pFrame->m_wndStatusBar;
    EXPECT_EQ(0u, bar.GetItemID(0));
    EXPECT_EQ("CAP", bar.GetPaneText(1));
    EXPECT_EQ("NUM", bar.GetPaneText(2));
    EXPECT_EQ("SCRL", bar.GetPaneText(3));
    // The indicators sit at the right, the message pane takes the rest.
    int edges[4] = {};
    SendMessageA(hStatus, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    RECT rcStatus;
    GetClientRect(hStatus, &rcStatus);
    EXPECT_GT(edges[0], rcStatus.right / 2);
    EXPECT_LT(edges[0], edges[1]);
    EXPECT_LT(edges[1], edges[2]);

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

    // The real menu loop: open File from the keyboard, move down, close.
    std::vector<std::string> seen;
    int nStep = 0;
    ModalStepper stepper([&] {
        seen.push_back(PaneText(hStatus, 0));
        switch (nStep++) {
        case 0:
            PostMessageA(m_hFrame, WM_KEYDOWN, VK_DOWN, 0);
            return false;
        case 1:
            PostMessageA(m_hFrame, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageA(m_hFrame, WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        default:
            return true;
        }
    });
    PostMessageA(m_hFrame, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_TRUE(testsupport::PumpUntil([&] { return stepper.Done(); }, 5000));
    Pump(50);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("Lists all MP3 files.", seen[0]);
    EXPECT_EQ("Lists only those MP3 files that have not already been updated with AVC.", seen[1]);
    EXPECT_EQ("Ready", PaneText(hStatus, 0));
}

TEST_F(MainFrameTest, BarsToggleFromTheViewMenuAndTheViewFillsTheRest)
{
    ASSERT_NE(nullptr, CreateFrame());
    HWND hBar = Toolbar();
    HWND hStatus = StatusBar();
    HWND hView = View();
    HMENU hViewMenu = GetSubMenu(GetMenu(m_hFrame), 1);
    EXPECT_TRUE(GetWindowLongA(hView, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(hView, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongA(m_hFrame, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    // The view's rectangle, the toolbar above it, the status bar below it.
    auto expectLayout = [&](bool bToolbar, bool bStatus) {
        RECT rcClient;
        GetClientRect(m_hFrame, &rcClient);
        const RECT rcView = WindowRectIn(hView, m_hFrame);
        EXPECT_EQ(bToolbar, IsWindowVisible(hBar) != FALSE);
        EXPECT_EQ(bStatus, IsWindowVisible(hStatus) != FALSE);
        LONG top = 0;
        if (bToolbar) {
            const RECT rcBar = WindowRectIn(hBar, m_hFrame);
            EXPECT_EQ(0, rcBar.top);
            EXPECT_EQ(rcClient.right, rcBar.right - rcBar.left);
            EXPECT_GE(rcBar.bottom - rcBar.top, 22);
            top = rcBar.bottom;
        }
        LONG bottom = rcClient.bottom;
        if (bStatus) {
            const RECT rcStatus = WindowRectIn(hStatus, m_hFrame);
            EXPECT_EQ(rcClient.bottom, rcStatus.bottom);
            EXPECT_GT(rcStatus.bottom - rcStatus.top, 10);
            bottom = rcStatus.top;
        }
        EXPECT_EQ(top, rcView.top);
        EXPECT_EQ(bottom, rcView.bottom);
        EXPECT_EQ(0, rcView.left);
        EXPECT_EQ(rcClient.right, rcView.right);
    };
    auto checked = [&](UINT nID) {
        SendMessageA(m_hFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hViewMenu), 1);
        return (ItemState(hViewMenu, nID) & MF_CHECKED) != 0;
    };

    {
        SCOPED_TRACE("both bars");
        expectLayout(true, true);
    }
    EXPECT_TRUE(checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(checked(ID_VIEW_STATUS_BAR));

    SendMessageA(m_hFrame, WM_COMMAND, ID_VIEW_TOOLBAR, 0);
    {
        SCOPED_TRACE("toolbar hidden");
        expectLayout(false, true);
    }
    EXPECT_FALSE(checked(ID_VIEW_TOOLBAR));
    SendMessageA(m_hFrame, WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
    {
        SCOPED_TRACE("both hidden");
        expectLayout(false, false);
    }
    EXPECT_FALSE(checked(ID_VIEW_STATUS_BAR));
    SendMessageA(m_hFrame, WM_COMMAND, ID_VIEW_TOOLBAR, 0);
    {
        SCOPED_TRACE("status bar hidden");
        expectLayout(true, false);
    }
    EXPECT_TRUE(checked(ID_VIEW_TOOLBAR));
    SendMessageA(m_hFrame, WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
    EXPECT_TRUE(checked(ID_VIEW_STATUS_BAR));

    // Resizing the frame keeps the bars along its edges and the view between.
    SetWindowPos(m_hFrame, nullptr, 0, 0, 430, 310, SWP_NOZORDER | SWP_NOMOVE);
    {
        SCOPED_TRACE("smaller");
        expectLayout(true, true);
    }
    SetWindowPos(m_hFrame, nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOMOVE);
    {
        SCOPED_TRACE("larger");
        expectLayout(true, true);
    }

    // The frame passes the focus to the view.
    SetFocus(nullptr);
    SetFocus(m_hFrame);
    EXPECT_EQ(hView, GetFocus());
}

TEST_F(MainFrameTest, FindAudacityChangesThePathOnlyOnOk)
{
    ASSERT_NE(nullptr, CreateFrame());
    testsupport::TempFolder folder("qfind");
    const std::string oldPath = folder.File("old.exe");
    const std::string newPath = folder.File("audacity.exe");
    ASSERT_TRUE(testsupport::WriteFileBytes(oldPath, "MZ"));
    ASSERT_TRUE(testsupport::WriteFileBytes(newPath, "MZ"));
    m_pFrame->m_strAudacityPath = oldPath;
    CQuillonApp::SetSetting(m_pApp->m_szAudacityFilename, oldPath.c_str());

    // Answers the open dialog: notes what it shows, then types a name (or
    // none) and presses the button.
    struct Seen {
        std::string fileName;
        bool bReadOnlyChecked = false;
        HWND hOwner = nullptr;
    };
    auto answer = [&](const std::string& typed, int nButton, Seen* pSeen) {
        return [=, &typed]() {
            HWND hDlg = FindDialog("Open");
            if (hDlg == nullptr)
                return false;
            HWND hName = GetDlgItem(hDlg, cmb13);
            if (hName == nullptr)
                hName = GetDlgItem(hDlg, edt1);
            pSeen->fileName = WindowText(hName);
            pSeen->bReadOnlyChecked = SendMessageA(GetDlgItem(hDlg, chx1), BM_GETCHECK, 0, 0) == BST_CHECKED;
            pSeen->hOwner = GetWindow(hDlg, GW_OWNER);
            if (!typed.empty())
                SetWindowTextA(hName, typed.c_str());
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nButton)));
            return true;
        };
    };

    Seen cancelled;
    {
        ModalStepper stepper(answer(newPath, IDCANCEL, &cancelled));
        SendMessageA(m_hFrame, WM_COMMAND, ID_ACTIONS_FIND_AUDACITY, 0);
        EXPECT_TRUE(stepper.Done());
    }
    EXPECT_EQ(m_hFrame, cancelled.hOwner);
    EXPECT_TRUE(cancelled.bReadOnlyChecked);
    EXPECT_NE(std::string::npos, cancelled.fileName.find("old.exe")) << cancelled.fileName;
    EXPECT_EQ(oldPath, m_pFrame->m_strAudacityPath);
    EXPECT_EQ(oldPath, m_pApp->m_szAudacityFilename);

    Seen chosen;
    {
        ModalStepper stepper(answer(newPath, IDOK, &chosen));
        SendMessageA(m_hFrame, WM_COMMAND, ID_ACTIONS_FIND_AUDACITY, 0);
        EXPECT_TRUE(stepper.Done());
    }
    EXPECT_EQ(newPath, m_pFrame->m_strAudacityPath);
    EXPECT_EQ(newPath, m_pApp->m_szAudacityFilename);
}

TEST_F(MainFrameTest, AboutButtonOpensTheAboutBoxAtOnce)
{
    ASSERT_NE(nullptr, CreateFrame());
    Pump(20);
    HWND hBar = Toolbar();
    RECT rcButton = {};
    ASSERT_TRUE(SendMessageA(hBar, TB_GETRECT, ID_APP_ABOUT, reinterpret_cast<LPARAM>(&rcButton)));
    const LPARAM lPoint = MAKELPARAM((rcButton.left + rcButton.right) / 2, (rcButton.top + rcButton.bottom) / 2);

    struct Layout {
        std::string caption;
        RECT rcClient;
        RECT rcDialogUnits;
        RECT rcIcon;
        RECT rcIconUnits;
        bool bHasIcon;
        std::string line1;
        RECT rcLine1, rcLine1Units;
        RECT rcOK, rcOKUnits;
        LRESULT defId;
    } seen = {};
    // Position and size are converted each on its own, as the dialog does.
    auto unitsRect = [](HWND hDlg, int x, int y, int cx, int cy) {
        RECT rc = {x, y, cx, cy};
        MapDialogRect(hDlg, &rc);
        return RECT{rc.left, rc.top, rc.left + rc.right, rc.top + rc.bottom};
    };
    auto childRect = [](HWND hDlg, HWND hChild) { return WindowRectIn(hChild, hDlg); };
    // The box must be up within the first second.
    const DWORD dwStart = GetTickCount();
    ModalStepper stepper([&] {
        HWND hDlg = FindDialog("About Quillon");
        if (hDlg == nullptr)
            return GetTickCount() - dwStart > 1000;
        seen.caption = WindowText(hDlg);
        GetClientRect(hDlg, &seen.rcClient);
        seen.rcDialogUnits = unitsRect(hDlg, 0, 0, 235, 55);
        for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
            const LONG style = GetWindowLongA(hChild, GWL_STYLE);
            if (GetDlgCtrlID(hChild) == IDOK) {
                seen.rcOK = childRect(hDlg, hChild);
                seen.rcOKUnits = unitsRect(hDlg, 178, 7, 50, 14);
            } else if ((style & SS_TYPEMASK) == SS_ICON) {
                seen.rcIcon = childRect(hDlg, hChild);
                seen.rcIconUnits = unitsRect(hDlg, 11, 17, 0, 0);
                seen.bHasIcon = SendMessageA(hChild, STM_GETICON, 0, 0) != 0;
            } else if (WindowText(hChild) == "Quillon Version 1.0") {
                seen.line1 = WindowText(hChild);
                seen.rcLine1 = childRect(hDlg, hChild);
                seen.rcLine1Units = unitsRect(hDlg, 40, 10, 0, 0);
            }
        }
        seen.defId = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
        return true;
    });
    // A real click on the About button.
    PostMessageA(hBar, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageA(hBar, WM_LBUTTONUP, 0, lPoint);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return stepper.Done(); }, 5000));
    ASSERT_EQ("About Quillon", seen.caption) << "the About box did not open at once";
    EXPECT_EQ(seen.rcDialogUnits.right, seen.rcClient.right);
    EXPECT_EQ(seen.rcDialogUnits.bottom, seen.rcClient.bottom);
    EXPECT_TRUE(seen.bHasIcon);
    EXPECT_EQ(seen.rcIconUnits.left, seen.rcIcon.left);
    EXPECT_EQ(seen.rcIconUnits.top, seen.rcIcon.top);
    EXPECT_EQ("Quillon Version 1.0", seen.line1);
    EXPECT_EQ(seen.rcLine1Units.left, seen.rcLine1.left);
    EXPECT_EQ(seen.rcLine1Units.top, seen.rcLine1.top);
    EXPECT_EQ(seen.rcOKUnits.left, seen.rcOK.left);
    EXPECT_EQ(seen.rcOKUnits.top, seen.rcOK.top);
    EXPECT_EQ(seen.rcOKUnits.right, seen.rcOK.right);
    EXPECT_EQ(seen.rcOKUnits.bottom, seen.rcOK.bottom);
    EXPECT_EQ(MAKELRESULT(IDOK, DC_HASDEFID), seen.defId);
    EXPECT_EQ(nullptr, FindDialog("About Quillon"));
}

TEST_F(MainFrameTest, WorkCommandsDoNothingDuringARunAndTheirItemsReadBackDisabled)
{
    RunFrame* pFrame = CreateFrame<RunFrame>();
    ASSERT_NE(nullptr, pFrame);
    testsupport::RecordingPrompt prompt;
    pFrame->AddRows(4, {1, 2, 4});
    const UINT work[] = {ID_FILE_LOAD_ALL,        ID_FILE_LOAD_NON_AVC, ID_FILE_UPDATE_SELECTED,
                         ID_ACTIONS_CHANGE_ALBUM, ID_VIEW_SELECT_ALL,   ID_ACTIONS_FIND_AUDACITY};
    const UINT others[] = {ID_APP_ABOUT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_APP_EXIT};
    // Read from the menu bar as it stands, without opening a menu.
    auto grayed = [&](UINT nID) {
        return (GetMenuState(GetMenu(m_hFrame), nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    std::vector<UINT> grayedDuring;
    pFrame->m_during = [&](int n) {
        if (n == 1) {
            for (UINT nID : work)
                if (grayed(nID))
                    grayedDuring.push_back(nID);
            for (UINT nID : others)
                if (grayed(nID))
                    grayedDuring.push_back(nID);
            // Seen at the pump before the next file, inside the run.
            for (UINT nID : {ID_FILE_UPDATE_SELECTED, ID_VIEW_SELECT_ALL, ID_ACTIONS_CHANGE_ALBUM})
                PostMessageA(m_hFrame, WM_COMMAND, nID, 0);
        } else if (n == 2) {
            // Cancelling keeps working: Escape in any window of the program.
            PostMessageA(m_hFrame, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    };
    SendMessageA(m_hFrame, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);

    EXPECT_EQ(std::vector<UINT>(std::begin(work), std::end(work)), grayedDuring);
    // One run, no nested one; row 3 stayed out of it and of the selection,
    // and no album changed.
    EXPECT_EQ((std::vector<std::string>{"C:\\Music\\Folder 1\\song.mp3",
                                        "C:\\Music\\Folder 2\\song.mp3"}),
              pFrame->m_files);
    EXPECT_EQ(std::vector<std::string>{"Cancelled at user request"}, prompt.m_texts);
    EXPECT_FALSE(pFrame->m_Grid.IsCellSelected(3, 0));
    EXPECT_EQ("Album", pFrame->m_Grid.GetItemText(1, 2));
    for (UINT nID : work)
        EXPECT_FALSE(grayed(nID)) << nID;
    EXPECT_EQ("Update cancelled: 2 files updated, 0 failed",
              m_pFrame->m_wndStatusBar.GetPaneText(0));
    EXPECT_EQ("1 204 files, 3 with messages", FileListStatusText(1204, 3));
    EXPECT_EQ("1 file, 1 with a message", FileListStatusText(1, 1));
    EXPECT_EQ("1 000 000 files, 0 with messages", FileListStatusText(1000000, 0));
}

TEST_F(MainFrameTest, ACloseRequestDuringARunEndsItAfterTheFileInProgressThenClosesTheFrame)
{
    const struct {
        const char* pszName;
        UINT nMessage;
        WPARAM wParam;
        bool bSend;
    } requests[] = {
        {"WM_CLOSE posted", WM_CLOSE, 0, false},
        {"caption button or Alt+F4", WM_SYSCOMMAND, SC_CLOSE, true},
        {"File Exit", WM_COMMAND, ID_APP_EXIT, false},
        {"the session ending", WM_QUERYENDSESSION, 0, true},
    };
    for (const auto& request : requests) {
        SCOPED_TRACE(request.pszName);
        RunFrame* pFrame = CreateFrame<RunFrame>();
        ASSERT_NE(nullptr, pFrame);
        testsupport::RecordingPrompt prompt;
        pFrame->AddRows(3, {1, 2, 3});
        LRESULT lResult = -1;
        pFrame->m_during = [&](int n) {
            if (n != 1)
                return;
            if (request.bSend)
                lResult = SendMessageA(m_hFrame, request.nMessage, request.wParam, 0);
            else
                PostMessageA(m_hFrame, request.nMessage, request.wParam, 0);
        };
        SendMessageA(m_hFrame, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);
        EXPECT_EQ(std::vector<std::string>{"C:\\Music\\Folder 1\\song.mp3"}, pFrame->m_files);
        EXPECT_TRUE(prompt.m_texts.empty());
        EXPECT_TRUE(request.nMessage != WM_QUERYENDSESSION || lResult == FALSE);
        // Closed the normal way once the command has returned.
        ASSERT_TRUE(IsWindow(m_hFrame));
        EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(m_hFrame); }, 5000));
        m_hFrame = nullptr;
    }

    // A session that ends all the same stores the settings on its way out.
    ASSERT_NE(nullptr, CreateFrame());
    testsupport::DeleteSettings();
    SendMessageA(m_hFrame, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ("Quillon.log", testsupport::StoredSetting("LogFile"));
    testsupport::DeleteSettings();
}
