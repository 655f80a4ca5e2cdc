// Centres a window on another one (its owner), or on the screen's work area
// when there is none, keeping the window inside the work area.
#pragma once

#include <windows.h>

void AfxCenterWindow(HWND hWnd, HWND hCenterOn);
