// The framework pieces the supporting windows are built from: the file
// finder, the image list, the wait cursor, centring, the one-message pump,
// the dialog's end through DestroyWindow, and the dialog templates.
#include "support/GTestWin.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CenterWindow.h"
#include "framework/Dialog.h"
#include "framework/FileFind.h"
#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "framework/PumpMessage.h"
#include "framework/WaitCursor.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"
#include "ui/UiIds.h"

TEST(FileFind, ListsEveryEntryOnceWithItsKind)
{
    testsupport::TempFolder folder("qfind");
    ASSERT_TRUE(CreateDirectoryA(folder.File("Sub").c_str(), nullptr));
    ASSERT_TRUE(testsupport::WriteFileBytes(folder.File("a.mp3"), "1"));
    ASSERT_TRUE(testsupport::WriteFileBytes(folder.File("b.txt"), "2"));

    CFileFind finder;
    std::vector<std::string> dirs;
    std::vector<std::string> files;
    int nDots = 0;
    BOOL bWorking = finder.FindFile(folder.File("*.*").c_str());
    EXPECT_TRUE(bWorking);
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (finder.IsDots())
            ++nDots;
        else if (finder.IsDirectory())
            dirs.push_back(finder.GetFileName());
        else
            files.push_back(finder.GetFileName());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(2, nDots);
    EXPECT_EQ(std::vector<std::string>{"Sub"}, dirs);
    EXPECT_EQ((std::vector<std::string>{"a.mp3", "b.txt"}), files);
    EXPECT_FALSE(finder.FindNextFile());

    // No match, and a finder used again.
    EXPECT_FALSE(finder.FindFile(folder.File("*.none").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    ASSERT_TRUE(finder.FindFile(folder.File("a.*").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("a.mp3", finder.GetFileName());
    EXPECT_FALSE(finder.IsDirectory());
}

TEST(ImageList, HoldsTheImagesOfABitmapResource)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_BROWSE_TREE, 17, 1, RGB(255, 255, 255)));
    EXPECT_EQ(15, images.GetImageCount());
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(images.GetImageSize(&cx, &cy));
    EXPECT_EQ(17, cx);
    EXPECT_EQ(16, cy);
    EXPECT_FALSE(images.Create(9999, 17, 1, RGB(255, 255, 255)));  // no such bitmap
    EXPECT_EQ(nullptr, images.Get());
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

namespace {

constexpr UINT kCountMessage = WM_APP + 7;

// Counts the messages posted to it.
class CountingWnd : public CWnd {
public:
    int m_nCount = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWnd, CWnd)
    ON_MESSAGE_BODY(kCountMessage, ++pThis->m_nCount; return 0;)
END_MESSAGE_MAP()

}  // namespace

TEST(WindowHelpers, CentreOnOwnerAndPumpOneMessage)
{
    HWND hOwner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 120, 500, 300, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    CountingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 100, 60, hOwner, nullptr));
    AfxCenterWindow(wnd.m_hWnd, hOwner);
    RECT rc;
    GetWindowRect(wnd.m_hWnd, &rc);
    EXPECT_EQ(300, rc.left);
    EXPECT_EQ(240, rc.top);

    testsupport::PumpFor(20);
    wnd.PostMessage(kCountMessage);
    wnd.PostMessage(kCountMessage);
    EXPECT_TRUE(AfxPumpMessage());
    EXPECT_EQ(1, wnd.m_nCount);  // one message at a time
    EXPECT_TRUE(AfxPumpMessage());
    EXPECT_EQ(2, wnd.m_nCount);
    PostQuitMessage(3);
    EXPECT_FALSE(AfxPumpMessage());
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // taken off the queue
    wnd.DestroyWindow();
    DestroyWindow(hOwner);
}

namespace {

class RecordingDialog : public CDialog {
public:
    RecordingDialog() : CDialog(IDD_BROWSE_TREE) {}
    BOOL DestroyWindow() override
    {
        m_bTreeAlive = IsWindow(GetDlgItem(IDC_BROWSE_TREE)) != FALSE;
        ++m_nDestroyCalls;
        return CDialog::DestroyWindow();
    }
    int m_nDestroyCalls = 0;
    bool m_bTreeAlive = false;
};

}  // namespace

TEST(Dialog, EndingAModalDialogRunsDestroyWindowWhileTheControlsExist)
{
    RecordingDialog dlg;
    testsupport::ModalDriver driver([](HWND hDlg) { testsupport::ClickButton(hDlg, IDCANCEL); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nDestroyCalls);
    EXPECT_TRUE(dlg.m_bTreeAlive);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT nMsg, WPARAM, LPARAM)
{
    return nMsg == WM_INITDIALOG;
}

BOOL CALLBACK AddDialogName(HMODULE, LPCSTR, LPSTR pszName, LONG_PTR lParam)
{
    auto& names = *reinterpret_cast<std::vector<std::string>*>(lParam);
    names.push_back(IS_INTRESOURCE(pszName)
                        ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(pszName))
                        : std::string(pszName));
    return TRUE;
}

BOOL CALLBACK AddChild(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

}  // namespace

// Each dialog template of the program's resources, created as it is: the
// text of every static text control, laid out as the control draws it (word
// wrap unless it is a one-line style), fits the control at its font.
TEST(Dialog, EveryStaticTextOfEveryDialogTemplateFitsItsControl)
{
    std::vector<std::string> dialogs;
    EnumResourceNamesA(nullptr, reinterpret_cast<LPCSTR>(RT_DIALOG), AddDialogName,
                       reinterpret_cast<LONG_PTR>(&dialogs));
    ASSERT_GE(dialogs.size(), 2u);
    for (const std::string& dialog : dialogs) {
        HWND hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), dialog.c_str(), nullptr,
                                       PlainDialogProc, 0);
        ASSERT_NE(nullptr, hDlg) << dialog;
        std::vector<HWND> children;
        EnumChildWindows(hDlg, AddChild, reinterpret_cast<LPARAM>(&children));
        for (HWND hCtl : children) {
            char szClass[32] = "", szText[512] = "";
            GetClassNameA(hCtl, szClass, sizeof(szClass));
            const LONG style = GetWindowLongA(hCtl, GWL_STYLE);
            const LONG type = style & SS_TYPEMASK;
            const bool bOneLine = type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
            if (lstrcmpiA(szClass, "Static") != 0 || (type > SS_RIGHT && !bOneLine) ||
                GetWindowTextA(hCtl, szText, sizeof(szText)) == 0)
                continue;
            RECT rcClient;
            GetClientRect(hCtl, &rcClient);
            RECT rcText = {0, 0, rcClient.right, 0};
            const UINT nFormat = DT_CALCRECT | DT_EXPANDTABS |
                                 (bOneLine ? DT_SINGLELINE : DT_WORDBREAK) |
                                 (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
            CWindowDC dc(hCtl);
            CSelectObject font(dc, reinterpret_cast<HFONT>(SendMessageA(hCtl, WM_GETFONT, 0, 0)));
            DrawTextA(dc, szText, -1, &rcText, nFormat);
            EXPECT_LE(rcText.right, rcClient.right) << dialog << ": \"" << szText << "\"";
            EXPECT_LE(rcText.bottom, rcClient.bottom) << dialog << ": \"" << szText << "\"";
        }
        DestroyWindow(hDlg);
    }
}
