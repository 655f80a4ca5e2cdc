#include "support/GTestWin.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/FileFind.h"
#include "framework/FrameWnd.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "support/TestSupport.h"

namespace {

constexpr UINT kCmdFrame = 40001;
constexpr UINT kCmdApp = 40002;
constexpr UINT kCmdNone = 40003;
constexpr UINT kCmdDerived = 40004;

std::vector<std::string> g_calls;

class TestApp : public CWinApp {
public:
    void OnAppCommand() { g_calls.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(kCmdApp, OnAppCommand)
    ON_COMMAND(kCmdFrame, OnAppCommand)  // shadowed by the frame's handler
END_MESSAGE_MAP()

class BaseWnd : public CWnd {
public:
    void OnSize(UINT, int cx, int) { g_calls.push_back("base size " + std::to_string(cx)); }
    void OnTimer(UINT_PTR) { g_calls.push_back("base timer"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    void OnSize(UINT, int cx, int) { g_calls.push_back("derived size " + std::to_string(cx)); }
    void OnDerived(UINT nID) { g_calls.push_back("derived command " + std::to_string(nID)); }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
    int m_nPostNcDestroy = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_WM_SIZE()
    ON_COMMAND_RANGE(kCmdDerived, kCmdDerived + 2, OnDerived)
END_MESSAGE_MAP()

class TestFrame : public CFrameWnd {
public:
    TestFrame() { m_bAutoDelete = false; }
    void OnFrameCommand() { g_calls.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(kCmdFrame, OnFrameCommand)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMap, DerivedEntriesWinAndBaseEntriesStillServe)
{
    g_calls.clear();
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "map", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    g_calls.clear();  // creation sent its own WM_SIZE
    SendMessageA(wnd.m_hWnd, WM_SIZE, 0, MAKELPARAM(77, 10));
    SendMessageA(wnd.m_hWnd, WM_TIMER, 1, 0);
    SendMessageA(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(kCmdDerived, 0), 0);
    SendMessageA(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(kCmdDerived + 2, 1), 0);  // accelerator
    const std::vector<std::string> expected = {"derived size 77", "base timer", "derived command 40004",
                                               "derived command 40006"};
    EXPECT_EQ(expected, g_calls);

    // Destroying the window unbinds the object before it is told.
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(MessageMap, SubclassedControlRoutesThroughTheObjectAndUnbinds)
{
    g_calls.clear();
    HWND hEdit = CreateWindowExA(0, "EDIT", "text", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hEdit);
    {
        BaseWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hEdit));
        SendMessageA(hEdit, WM_TIMER, 5, 0);
        // The control's own procedure still does the rest.
        char sz[16] = "";
        GetWindowTextA(hEdit, sz, sizeof(sz));
        EXPECT_STREQ("text", sz);
        EXPECT_EQ(hEdit, wnd.UnsubclassWindow());
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    }
    SendMessageA(hEdit, WM_TIMER, 5, 0);  // no object any more
    EXPECT_EQ(std::vector<std::string>{"base timer"}, g_calls);
    DestroyWindow(hEdit);
}

TEST(CommandRouting, FrameThenApplicationAndUnhandledCommandsDisabled)
{
    TestApp app;
    g_calls.clear();
    TestFrame frame;
    HMENU hMenu = CreateMenu();
    HMENU hPopup = CreatePopupMenu();
    AppendMenuA(hPopup, MF_STRING, kCmdFrame, "Frame");
    AppendMenuA(hPopup, MF_STRING, kCmdApp, "App");
    AppendMenuA(hPopup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(hPopup, MF_STRING, kCmdNone, "None");
    AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), "File");
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                               hMenu));

    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kCmdFrame, 0));
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kCmdApp, 0));
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kCmdNone, 0));
    EXPECT_EQ((std::vector<std::string>{"frame", "app"}), g_calls);

    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), 0);
    EXPECT_FALSE(GetMenuState(hPopup, kCmdFrame, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(hPopup, kCmdApp, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(hPopup, kCmdNone, MF_BYCOMMAND) & MF_GRAYED);
    frame.DestroyWindow();
}

TEST(FileFind, ListsEveryEntryOnceWithItsKind)
{
    testsupport::TempFolder folder("qfind");
    ASSERT_TRUE(CreateDirectoryA(folder.File("Sub").c_str(), nullptr));
    ASSERT_TRUE(testsupport::WriteFileBytes(folder.File("a.mp3"), "1"));
    ASSERT_TRUE(testsupport::WriteFileBytes(folder.File("b.txt"), "2"));
    CFileFind finder;
    std::vector<std::string> entries;
    for (BOOL bWorking = finder.FindFile(folder.File("*.*").c_str()); bWorking;) {
        bWorking = finder.FindNextFile();
        entries.push_back((finder.IsDots() ? "dots " : finder.IsDirectory() ? "dir " : "file ") +
                          std::string(finder.GetFileName()));
    }
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ((std::vector<std::string>{"dir Sub", "dots .", "dots ..", "file a.mp3", "file b.txt"}),
              entries);
    EXPECT_FALSE(finder.FindNextFile());

    // No match, and a finder used again.
    EXPECT_FALSE(finder.FindFile(folder.File("*.none").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    ASSERT_TRUE(finder.FindFile(folder.File("a.*").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("a.mp3", finder.GetFileName());
}

TEST(WaitCursor, ShowsTheWaitCursorAndPutsTheOldOneBack)
{
    HCURSOR hArrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(hArrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), GetCursor());
    }
    EXPECT_EQ(hArrow, GetCursor());
}
