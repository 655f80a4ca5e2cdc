// The standard ids of the framework: the strings it loads, the commands it
// handles or routes, and the status bar indicators it updates. Applications
// use the same ids in their resources. Only macros, so that a resource
// script can include this header too.
#pragma once

#define ID_SEPARATOR 0

// Strings the framework loads: the application title and the status bar's
// idle message.
#define AFX_IDS_APP_TITLE 57344
#define AFX_IDS_IDLEMESSAGE 57345

// Commands.
#define ID_FILE_PRINT 57607
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
// Show or hide the frame's bar of the same id (AFX_IDW_TOOLBAR,
// AFX_IDW_STATUS_BAR).
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Status bar indicators of the keyboard's toggle keys.
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_INDICATOR_SCRL 59139
