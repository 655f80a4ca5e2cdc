// The program's dialog templates as the system lays them out.
#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "framework/Handles.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT nMsg, WPARAM, LPARAM)
{
    return nMsg == WM_INITDIALOG;
}

BOOL CALLBACK AddDialogName(HMODULE, LPCSTR, LPSTR pszName, LONG_PTR lParam)
{
    reinterpret_cast<std::vector<ULONG_PTR>*>(lParam)->push_back(reinterpret_cast<ULONG_PTR>(pszName));
    return TRUE;
}

}  // namespace

// Each dialog template of the program's resources (all named by number),
// created as it is: the text of every static text control, laid out as the
// control draws it (word wrap unless it is a one-line style), fits the
// control at its font.
TEST(Dialog, EveryStaticTextOfEveryDialogTemplateFitsItsControl)
{
    std::vector<ULONG_PTR> dialogs;
    EnumResourceNamesA(nullptr, reinterpret_cast<LPCSTR>(RT_DIALOG), AddDialogName,
                       reinterpret_cast<LONG_PTR>(&dialogs));
    ASSERT_GE(dialogs.size(), 2u);
    for (ULONG_PTR nDialog : dialogs) {
        ASSERT_TRUE(IS_INTRESOURCE(nDialog));
        HWND hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nDialog), nullptr,
                                       PlainDialogProc, 0);
        ASSERT_NE(nullptr, hDlg) << nDialog;
        for (HWND hCtl = GetWindow(hDlg, GW_CHILD); hCtl != nullptr; hCtl = GetWindow(hCtl, GW_HWNDNEXT)) {
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
            CWindowDC dc(hCtl);
            CSelectObject font(dc, reinterpret_cast<HFONT>(SendMessageA(hCtl, WM_GETFONT, 0, 0)));
            DrawTextA(dc, szText, -1, &rcText,
                      DT_CALCRECT | DT_EXPANDTABS | (bOneLine ? DT_SINGLELINE : DT_WORDBREAK) |
                          (style & SS_NOPREFIX ? DT_NOPREFIX : 0));
            EXPECT_TRUE(rcText.right <= rcClient.right && rcText.bottom <= rcClient.bottom)
                << nDialog << ": \"" << szText << "\"";
        }
        DestroyWindow(hDlg);
    }
}
