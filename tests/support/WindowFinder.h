// Finds and drives the windows of another process the way Quillon's
// automation does: top-level windows by title, controls by id or by the
// beginning of their text, button clicks as WM_COMMAND posted to the
// button's window, texts through WM_SETTEXT and WM_GETTEXT.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace testsupport {

enum class TitleMatch { Prefix, Exact };

// Top-level windows, visible or not, of the process (of every process for
// 0) whose title matches, top of the Z-order first.
std::vector<HWND> TopWindows(DWORD dwPid, const std::string& title,
                             TitleMatch match = TitleMatch::Prefix);
HWND FindTopWindow(DWORD dwPid, const std::string& title, TitleMatch match = TitleMatch::Prefix);
// Waits, dispatching this thread's messages, for such a window.
HWND WaitForTopWindow(DWORD dwPid, const std::string& title, DWORD dwTimeoutMs = 10000,
                      TitleMatch match = TitleMatch::Prefix);
// Waits until no such window is left.
bool WaitForNoTopWindow(DWORD dwPid, const std::string& title, DWORD dwTimeoutMs = 10000,
                        TitleMatch match = TitleMatch::Prefix);

// The first descendant, in the system's order, whose text begins with the
// prefix; null if none.
HWND FindChildByText(HWND hParent, const std::string& prefix);
// Posts WM_COMMAND(control id, BN_CLICKED) with the button's handle to
// hTop; false if no descendant's text begins with the prefix.
bool ClickButton(HWND hTop, const std::string& textPrefix);

// The text of a window of another process through WM_GETTEXT.
std::string ControlText(HWND hControl);
// WM_SETTEXT to a window of another process; its result.
LRESULT SetControlText(HWND hControl, const std::string& text);

}  // namespace testsupport
