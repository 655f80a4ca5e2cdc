// The main window's client view: a sunken, white child that holds the file
// grid and draws nothing of its own.
#pragma once

#include "framework/Wnd.h"

class CGridHostView : public CWnd {
public:
    CGridHostView() = default;
    ~CGridHostView() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()
};
