#include "framework/PumpMessage.h"

#include "framework/WinApp.h"

BOOL AfxPumpMessage()
{
    MSG msg;
    const BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
    if (bGot == 0)
        return FALSE;
    if (bGot == -1)
        return TRUE;  // only for a bad window handle, which is not passed here
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !pApp->PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}
