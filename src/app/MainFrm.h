// The main window of Quillon.
#pragma once

#include "framework/FrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();

protected:
    DECLARE_MESSAGE_MAP()
};
