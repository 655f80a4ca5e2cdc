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

// Returns true when the run ended normally, was cancelled or had nothing to
// do; false when the program must stop (no progress window, Audacity did not
// start, or Cancel on a file's error prompt).
bool UpdateSelectedFiles(CGridCtrl& grid, CWnd* pOwner, const ProcessFileFn& processFile);
