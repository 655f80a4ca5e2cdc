// Dispatches one message of the thread's queue the way the application's
// message loop does (PreTranslateMessage, TranslateMessage, DispatchMessage),
// waiting for one if the queue is empty. Returns FALSE when the message was
// WM_QUIT, which is then taken off the queue.
#pragma once

#include <windows.h>

BOOL AfxPumpMessage();
