#include "framework/CenterWindow.h"

void AfxCenterWindow(HWND hWnd, HWND hCenterOn)
{
    if (hWnd == nullptr)
        return;
    RECT rcWnd;
    ::GetWindowRect(hWnd, &rcWnd);
    RECT rcArea = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    RECT rcCenter = rcArea;
    if (hCenterOn != nullptr && ::IsWindow(hCenterOn) && !::IsIconic(hCenterOn))
        ::GetWindowRect(hCenterOn, &rcCenter);

    const int cx = rcWnd.right - rcWnd.left;
    const int cy = rcWnd.bottom - rcWnd.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
