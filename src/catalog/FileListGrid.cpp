#include "catalog/FileListGrid.h"

#include "grid/GridCtrl.h"

namespace {

const char* const kHeadings[kFileListColumnCount] = {
    "Filename", "Message/Error", "Album", "Comment", "Orig Album, hidden",
};

}  // namespace

// Runs once, while the main window is created. The rectangle is a
// placeholder: the main window fits the grid to its view on every WM_SIZE.
void InitFileListGrid(CGridCtrl& grid, HWND hParent, BOOL bSortAscending)
{
    grid.Create(RECT{0, 0, 1, 1}, hParent, kFileListGridId, kFileListGridStyle);
    grid.SetFixedRowCount(1);
    grid.SetEditable(FALSE);
    grid.SetListMode(TRUE);

    grid.SetResizeKeepsTotalWidth(TRUE);
    grid.SetFrameFocusCell(FALSE);
    grid.SetTrackFocusCell(FALSE);
    grid.SetGridBkColor(kGridBackColour);
    grid.SetHeaderSort(TRUE);

    // Data rows alternate white and light grey, beginning with white in row 1.
    grid.GetDefaultCell(FALSE, FALSE, 1)->SetBackClr(kOddRowBackColour);
    grid.GetDefaultCell(FALSE, FALSE, 2)->SetBackClr(kEvenRowBackColour);
    CGridDefaultCell* pHeader = grid.GetDefaultCell(TRUE, FALSE);
    pHeader->SetBackClr(kHeaderBackColour);
    pHeader->SetTextClr(kHeaderTextColour);

    for (const char* pszHeading : kHeadings)
        grid.InsertColumn(pszHeading, kFileListHeaderFormat);
    grid.SetColumnWidth(kColOrigAlbum, 0);

    grid.SetSortColumn(kColFilename);
    grid.SetSortAscending(bSortAscending);

    grid.AutoSizeColumns();
    grid.ExpandFirstColumnToFit();
    grid.AutoSizeRows();

    grid.SetTitleTipBackClr(kTitleTipBackColour);
}
