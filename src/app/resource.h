// Resource, command and control ids of Quillon, shared by Quillon.rc and the code.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
#define IDC_STATIC (-1)

// Commands of the main window's menu.
#define ID_FILE_LOAD_ALL 32772
#define ID_VIEW_SELECT_ALL 32774
#define ID_FILE_UPDATE_SELECTED 32775
#define ID_ACTIONS_CHANGE_ALBUM 32777
#define ID_FILE_LOAD_NON_AVC 32779
#define ID_ACTIONS_FIND_AUDACITY 32780
#define ID_ACTIONS_EMPTY 1

// Framework commands and strings (the standard ids of Windows frameworks).
#define ID_SEPARATOR 0
#define ID_FILE_PRINT 57607
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT_CMD 57664
#define ID_APP_EXIT_CMD 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_INDICATOR_SCRL 59139
#define IDS_APP_TITLE 57344
#define IDS_IDLEMESSAGE 57345

// The file list grid in the main window's view.
#define IDC_FILE_GRID 32198

// Supporting windows: the progress window and the folder picker.
#define IDD_BROWSE_TREE 134
#define IDB_BROWSE_TREE 134
#define IDC_BROWSE_TREE 1001
#define IDC_BROWSE_PATH 1016
#define IDC_PROGRESS_CANCEL 10
#define IDC_PROGRESS_TEXT 11
#define IDC_PROGRESS_BAR 12
