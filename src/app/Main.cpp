// The program's one application object and its entry point; linked into the
// program only, so that test programs can make their own application object.
#include <windows.h>

#include "app/QuillonApp.h"

namespace {
CQuillonApp theApp;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(hInstance);
}
