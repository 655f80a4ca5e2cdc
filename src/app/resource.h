// Resource, command and control ids of Quillon, shared by Quillon.rc and the
// code. The framework's standard ids and the supporting windows' ids come
// from the layers that own them.
#pragma once

#include "framework/StandardIds.h"
#include "ui/UiIds.h"

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

// The file list grid in the main window's view.
#define IDC_FILE_GRID 32198
