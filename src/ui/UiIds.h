// Resource and control ids of the supporting windows: the folder picker's
// dialog, its tree icons and controls, and the progress window's controls.
// The program's resource script includes this header. Only macros, so that a
// resource script can include it.
#pragma once

#define IDD_BROWSE_TREE 134
#define IDB_BROWSE_TREE 134
#define IDC_BROWSE_TREE 1001
#define IDC_BROWSE_PATH 1016
#define IDC_PROGRESS_CANCEL 10
#define IDC_PROGRESS_TEXT 11
#define IDC_PROGRESS_BAR 12
