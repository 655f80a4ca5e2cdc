// What the status bar's message pane tells the user after a Load and after
// an update run.
#pragma once

#include <string>

struct BatchRunReport;

// "1 204 files, 3 with messages" (one file, one message: "1 file, 1 with a
// message"); thousands grouped by blanks.
std::string FileListStatusText(int nFiles, int nWithMessages);
// "Update finished: 2 files updated, 1 failed", or "Update cancelled: ..."
// when the run stopped before its last file.
std::string UpdateRunStatusText(const BatchRunReport& report);
