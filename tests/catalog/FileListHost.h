// Shared by the file-list tests: the grid set up by the program's own
// InitFileListGrid on a visible top-level window, and MP3 files with a given
// album and comment.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalog/FileListGrid.h"
#include "grid/GridCtrl.h"
#include "support/Mp3Fixture.h"

namespace filelisttest {

class FileListHost {
public:
    FileListHost()
    {
        InitFileListGrid(m_grid, m_hWnd, TRUE);
        m_grid.MoveWindow(0, 0, 900, 500, TRUE);
    }
    ~FileListHost() { DestroyWindow(m_hWnd); }
    CGridCtrl& Grid() { return m_grid; }

private:
    HWND m_hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 900, 500, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CGridCtrl m_grid{0, 0, 0, 0};
};

inline std::string Mp3(const std::string& album, const std::string& comment)
{
    return testsupport::Mp3Bytes({true, album, comment});
}

inline bool WriteMp3(const std::string& path, const std::string& album, const std::string& comment)
{
    return testsupport::WriteMp3File(path, {true, album, comment});
}

// The texts of one column over the data rows, in row order.
inline std::vector<std::string> Column(const CGridCtrl& grid, int nCol)
{
    std::vector<std::string> texts;
    for (int nRow = grid.GetFixedRowCount(); nRow < grid.GetRowCount(); ++nRow)
        texts.push_back(grid.GetItemText(nRow, nCol));
    return texts;
}

}  // namespace filelisttest
