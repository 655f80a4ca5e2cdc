#include "catalog/ChangeAlbum.h"

#include <string>

#include "catalog/CatalogConstants.h"
#include "catalog/FileListGrid.h"
#include "grid/GridCtrl.h"

namespace {

// The name of the folder that holds the file, or "" when the path has no
// such folder or the name is longer than the album limit.
std::string HoldingFolderName(const std::string& path)
{
    const auto fileSep = path.rfind('\\');
    if (fileSep == std::string::npos)
        return std::string();
    const std::string folder = path.substr(0, fileSep);
    const auto folderSep = folder.rfind('\\');
    if (folderSep == std::string::npos)
        return std::string();
    const std::string name = folder.substr(folderSep + 1);
    return name.size() <= kAlbumLimit ? name : std::string();
}

}  // namespace

void ChangeAlbumToFolderName(CGridCtrl& grid)
{
    const CCellRange range = grid.GetSelectedCellRange();
    for (int nRow = range.GetMinRow(); nRow >= 0 && nRow <= range.GetMaxRow(); ++nRow) {
        if (!grid.IsCellSelected(nRow, kColFilename))
            continue;
        const std::string name = HoldingFolderName(grid.GetItemText(nRow, kColFilename));
        if (name.empty())
            grid.SetItemText(nRow, kColMessage, "Can't set album");
        else
            grid.SetItemText(nRow, kColAlbum, name.c_str());
    }
    grid.Refresh();
}
