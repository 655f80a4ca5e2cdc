// Shared by the file-list tests: a visible top-level window whose client
// area holds a grid set up as the program's file list, and MP3 files with a
// given album and comment.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/GridCtrl.h"

namespace filelisttest {

class FileListHost {
public:
    explicit FileListHost(int cx = 900, int cy = 500);
    ~FileListHost();
    FileListHost(const FileListHost&) = delete;
    FileListHost& operator=(const FileListHost&) = delete;

    HWND Window() const { return m_hWnd; }
    CGridCtrl& Grid() { return *m_pGrid; }

private:
    HWND m_hWnd = nullptr;
    std::unique_ptr<CGridCtrl> m_pGrid;
};

// Writes an MP3 file (an ID3v2.4 tag with TALB and COMM when they are not
// empty, then audio frames); creates no folders.
bool WriteMp3(const std::string& path, const std::string& album, const std::string& comment);

// The texts of one column over the data rows, in row order.
std::vector<std::string> Column(const CGridCtrl& grid, int nCol);

}  // namespace filelisttest
