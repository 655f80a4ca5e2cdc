#include "automation/BatchUpdateRun.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "automation/UserPrompt.h"
#include "grid/GridCtrl.h"
#include "ui/ProgressWindow.h"

namespace {

// Columns of the file list the run reads.
constexpr int kColPath = 0;
constexpr int kColAlbum = 2;
constexpr int kColOrigAlbum = 4;

// One selected row as the run found it at its start.
struct FileToUpdate {
    std::string path;
    std::string album;
    bool bAlbumChanged;
};

// The selected rows, read before the first file: the pumps between files
// let the user sort the list or change its selection, and the run goes on
// with the files that were selected when it began.
std::vector<FileToUpdate> SelectedFiles(CGridCtrl& grid)
{
    std::vector<FileToUpdate> files;
    const CCellRange range = grid.GetSelectedCellRange();
    for (int nRow = range.GetMinRow(); nRow <= range.GetMaxRow(); ++nRow) {
        if (!grid.IsCellSelected(nRow, kColPath))
            continue;
        std::string album = grid.GetItemText(nRow, kColAlbum);
        const bool bChanged = album != grid.GetItemText(nRow, kColOrigAlbum);
        files.push_back({grid.GetItemText(nRow, kColPath), std::move(album), bChanged});
    }
    return files;
}

// Passes the automation's message boxes on while one file runs and notes
// whether its error prompt (the script's one OK/Cancel box) came up.
class CErrorPromptWatch : public CUserPrompt {
public:
    CErrorPromptWatch() : m_next(CUserPrompt::Current()), m_scope(this) {}
    int Show(const char* pszText, UINT nType) override
    {
        if ((nType & MB_TYPEMASK) == MB_OKCANCEL)
            m_bShown = true;
        return m_next.Show(pszText, nType);
    }
    bool Shown() const { return m_bShown; }

private:
    CUserPrompt& m_next;
    CUserPromptScope m_scope;
    bool m_bShown = false;
};

}  // namespace

bool UpdateSelectedFiles(CGridCtrl& grid, CWnd* pOwner, const ProcessFileFn& processFile,
                         BatchRunReport* pReport, const StopRequestedFn& stopRequested)
{
    BatchRunReport unused;
    BatchRunReport& report = pReport != nullptr ? *pReport : unused;
    report = BatchRunReport();
    CProgressWindow progress;
    // Rows are selected whole, so this is the number of selected rows.
    const int nColumns = grid.GetColumnCount();
    const int nCount = nColumns > 0 ? grid.GetSelectedCount() / nColumns : 0;
    if (nCount == 0)
        return true;
    const std::vector<FileToUpdate> files = SelectedFiles(grid);
    report.nSelected = static_cast<int>(files.size());
    if (!progress.Create(pOwner, "AVC Progress", FALSE))
        return false;
    progress.SetRange(0, nCount, 1);

    int nStarted = 0;
    for (const FileToUpdate& file : files) {
        // The only time in the run that the program's windows are serviced.
        progress.PumpMessages(TRUE);
        if (stopRequested && stopRequested()) {
            report.bCancelled = true;
            progress.DestroyWindow();
            return true;
        }
        if (progress.IsCancelled()) {
            report.bCancelled = true;
            CUserPrompt::Current().Show("Cancelled at user request", MB_OK);
            progress.DestroyWindow();
            return true;
        }

        ++nStarted;
        char szLine[CProgressWindow::kTextBufferSize];
        snprintf(szLine, sizeof(szLine), "%d of %d\n%s", nStarted, nCount, file.path.c_str());
        progress.SetText("%s", szLine);  // the path is shown verbatim, never as a format

        CErrorPromptWatch watch;
        if (!processFile(file.path.c_str(), file.bAlbumChanged ? file.album.c_str() : nullptr)) {
            progress.DestroyWindow();
            return false;
        }
        if (watch.Shown())
            ++report.nFailed;
        else
            ++report.nUpdated;
        progress.Step();
    }
    // What came in during the last file is handled while the run is still
    // under way (a command then does what it does during a run); a Cancel
    // that came with it is no longer looked at.
    progress.PumpMessages(TRUE);
    progress.DestroyWindow();
    return true;
}
