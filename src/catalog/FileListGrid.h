// The file list: the grid's columns for one MP3 file per row, and the grid's
// set-up for it.
#pragma once

#include <windows.h>

class CGridCtrl;

// File-list columns. Row 0 is the header; every further row is one file.
enum FileListColumn {
    kColFilename = 0,   // full path
    kColMessage = 1,    // the scan's messages, joined by "\n"
    kColAlbum = 2,      // album, changed by Change Album
    kColComment = 3,    // comment
    kColOrigAlbum = 4,  // the album as read from the file (hidden)
    kFileListColumnCount = 5,
};

// Control id of the file-list grid.
constexpr UINT kFileListGridId = 32198;
// Window style of the file-list grid: child, visible, border, tab stop and
// the bit 0x400.
constexpr DWORD kFileListGridStyle = 0x50810400;
// Format of the header cells: centred, vertically centred, single line.
constexpr UINT kFileListHeaderFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// Colours (COLORREF, 0x00BBGGRR).
constexpr COLORREF kMessageColour = RGB(255, 0, 0);        // text of a message
constexpr COLORREF kGridBackColour = RGB(255, 255, 255);   // beyond the last cell
constexpr COLORREF kOddRowBackColour = RGB(255, 255, 255);
constexpr COLORREF kEvenRowBackColour = RGB(245, 245, 245);
constexpr COLORREF kHeaderBackColour = RGB(102, 102, 102);
constexpr COLORREF kHeaderTextColour = RGB(255, 255, 255);
constexpr COLORREF kTitleTipBackColour = RGB(255, 255, 225);

// Creates the grid as a child of hParent and sets it up as the empty file
// list: one header row with the five column headings, whole-row selection,
// no editing, sorting by path in the given direction.
void InitFileListGrid(CGridCtrl& grid, HWND hParent, BOOL bSortAscending);
