// The update run over the selected rows of the file list: one file after the
// other through the per-file script, with a progress window whose Cancel is
// looked at between files.
#pragma once

#include <functional>

class CGridCtrl;
class CWnd;

// Runs one file: path and new album (null to leave the album alone); false
// stops the run.
using ProcessFileFn = std::function<bool(const char* pszPath, const char* pszAlbum)>;
// Asked between files: true when the run's owner wants it to stop (a close
// request); the run then ends quietly, as if cancelled.
using StopRequestedFn = std::function<bool()>;

// What a run did, for its owner to tell the user.
struct BatchRunReport {
    int nSelected = 0;        // files the run was given (0: nothing was done)
    int nUpdated = 0;         // files that went through without an error prompt
    int nFailed = 0;          // files that ended at the error prompt
    bool bCancelled = false;  // stopped before its last file (Cancel or a stop request)
};

// Returns true when the run ended normally, was cancelled or had nothing to
// do; false when the program must stop (no progress window, Audacity did not
// start, or Cancel on a file's error prompt).
bool UpdateSelectedFiles(CGridCtrl& grid, CWnd* pOwner, const ProcessFileFn& processFile,
                         BatchRunReport* pReport = nullptr,
                         const StopRequestedFn& stopRequested = nullptr);
