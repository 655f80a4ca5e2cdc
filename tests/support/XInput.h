// Real pointer and key events on the X display the tests run on, made with
// xdotool (XTEST): Wine receives them as it would a user's input. Each call
// returns when xdotool has sent the events; the test then pumps its
// messages until the effect shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// Runs xdotool with the arguments; true when it exits with 0.
bool RunXdotool(const std::vector<std::string>& args);

// Runs xdotool while this thread keeps dispatching its messages (for input
// that a modal loop of this thread, such as scroll-bar tracking, must
// see); true when it exits with 0.
bool RunXdotoolPumping(const std::vector<std::string>& args);

// Moves the pointer to a client point of a window (as near as a cursor
// confinement allows) and lets the window see the move.
bool PointerMoveTo(HWND hWnd, POINT client);
// Presses or releases a pointer button (1 left, 3 right, 4 and 5 the wheel).
bool PointerDown(int nButton = 1);
bool PointerUp(int nButton = 1);
// Clicks a button nCount times (a double click with 2).
bool PointerClick(int nButton = 1, int nCount = 1);

// Presses and releases keys given as X key names joined by '+', for
// example "Tab", "shift+Tab", "ctrl+Home", "Next".
bool PressKeys(const std::string& keys);
bool KeyDown(const std::string& keys);
bool KeyUp(const std::string& keys);

// Makes a top-level window the foreground window with the keyboard focus
// on one of its children (or itself), and waits until Wine agrees.
bool FocusWindow(HWND hTopLevel, HWND hFocus);

}  // namespace testsupport
