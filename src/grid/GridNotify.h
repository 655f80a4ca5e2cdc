// The record the grid sends with WM_NOTIFY: the Win32 header followed by
// the row and column the notification is about ((-1, -1) for none), and the
// notification codes the grid uses besides the Win32 NM_ ones.
#pragma once

#include <windows.h>
#include <commctrl.h>

struct NM_GRIDVIEW {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// Display-data request and cache hint of a grid in virtual mode.
#ifndef LVN_ODCACHEHINT
#define LVN_ODCACHEHINT (LVN_FIRST - 13)
#endif
