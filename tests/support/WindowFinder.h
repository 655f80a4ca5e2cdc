// Windows of this and other processes as the tests find and read them:
// top-level windows by title, window texts through WM_GETTEXT (given up when
// the window's thread does not answer), and the drive of another process's
// dialog the way Quillon's automation does it.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace testsupport {

// The text of a window of this or another process.
std::string WindowText(HWND hWnd);
// The text of a dialog's control.
std::string WindowText(HWND hParent, int nID);

enum class TitleMatch { Prefix, Exact };

// Top-level windows, visible or not, of the process (of every process for
// 0) whose title matches, top of the Z-order first.
std::vector<HWND> TopWindows(DWORD dwPid, const std::string& title,
                             TitleMatch match = TitleMatch::Prefix);
HWND FindTopWindow(DWORD dwPid, const std::string& title, TitleMatch match = TitleMatch::Prefix);
// Waits, dispatching this thread's messages, for such a window.
HWND WaitForTopWindow(DWORD dwPid, const std::string& title, DWORD dwTimeoutMs = 10000,
                      TitleMatch match = TitleMatch::Prefix);

// The first descendant, in the system's order, whose text begins with the
// prefix; null if none.
HWND FindChildByText(HWND hParent, const std::string& prefix);
// Posts WM_COMMAND(control id, BN_CLICKED) with the button's handle to
// hTop for its first descendant whose text begins with the prefix; false if
// there is none.
bool ClickButton(HWND hTop, const std::string& textPrefix);
// WM_SETTEXT to a window of another process; its result.
LRESULT SetControlText(HWND hControl, const std::string& text);

}  // namespace testsupport
