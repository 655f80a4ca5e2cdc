#include "automation/BatchUpdateRun.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "automation/UserPrompt.h"
#include "grid/GridCtrl.h"
#include "ui/ProgressWindow.h"

namespace {

// Columns of the file list the run reads.
constexpr int kColPath = 0;
constexpr int kColAlbum = 2;
constexpr int kColOrigAlbum = 4;

}  // namespace

bool UpdateSelectedFiles(CGridCtrl& grid, CWnd* pOwner, const ProcessFileFn& processFile)
{
    const CCellRange range = grid.GetSelectedCellRange();
    CProgressWindow progress;
    // Rows are selected whole, so this is the number of selected rows.
    const int nColumns = grid.GetColumnCount();
    const int nCount = nColumns > 0 ? grid.GetSelectedCount() / nColumns : 0;
    if (nCount == 0)
        return true;
    if (!progress.Create(pOwner, "AVC Progress", FALSE))
        return false;
    progress.SetRange(0, nCount, 1);

    int nStarted = 0;
    for (int nRow = range.GetMinRow(); nRow <= range.GetMaxRow(); ++nRow) {
        if (!grid.IsCellSelected(nRow, kColPath))
            continue;
        // The only time in the run that the program's windows are serviced.
        progress.PumpMessages(TRUE);
        if (progress.IsCancelled()) {
            CUserPrompt::Current().Show("Cancelled at user request", MB_OK);
            progress.DestroyWindow();
            return true;
        }
        const std::string path = grid.GetItemText(nRow, kColPath);
        const std::string origAlbum = grid.GetItemText(nRow, kColOrigAlbum);
        const std::string album = grid.GetItemText(nRow, kColAlbum);
        const char* pszAlbum = album != origAlbum ? album.c_str() : nullptr;

        ++nStarted;
        char szLine[CProgressWindow::kTextBufferSize];
        snprintf(szLine, sizeof(szLine), "%d of %d\n%s", nStarted, nCount, path.c_str());
        progress.SetText("%s", szLine);  // the path is shown verbatim, never as a format

        if (!processFile(path.c_str(), pszAlbum)) {
            progress.DestroyWindow();
            return false;
        }
        progress.Step();
    }
    progress.DestroyWindow();
    return true;
}
