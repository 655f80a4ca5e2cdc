#include "catalog/ChangeAlbum.h"

#include <windows.h>

#include <string>

#include "catalog/CatalogConstants.h"
#include "catalog/FileListGrid.h"
#include "grid/GridCtrl.h"

namespace {

// Offset of the last backslash that is a character of its own in the code
// page: in a double-byte code page (932, 936, 949, 950) a lead byte and the
// byte after it form one character, and that second byte may be 0x5C.
std::string::size_type FindLastBackslash(const std::string& text, unsigned nCodePage)
{
    std::string::size_type posLast = std::string::npos;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        const BYTE ch = static_cast<BYTE>(text[i]);
        if (ch == '\\')
            posLast = i;
        else if (IsDBCSLeadByteEx(nCodePage, ch))
            ++i;
    }
    return posLast;
}

}  // namespace

std::string HoldingFolderName(const std::string& path, unsigned nCodePage)
{
    const auto fileSep = FindLastBackslash(path, nCodePage);
    if (fileSep == std::string::npos)
        return std::string();
    const std::string folder = path.substr(0, fileSep);
    const auto folderSep = FindLastBackslash(folder, nCodePage);
    if (folderSep == std::string::npos)
        return std::string();
    const std::string name = folder.substr(folderSep + 1);
    return name.size() <= kAlbumLimit ? name : std::string();
}

void ChangeAlbumToFolderName(CGridCtrl& grid)
{
    const CCellRange range = grid.GetSelectedCellRange();
    for (int nRow = range.GetMinRow(); nRow >= 0 && nRow <= range.GetMaxRow(); ++nRow) {
        if (!grid.IsCellSelected(nRow, kColFilename))
            continue;
        const std::string name =
            HoldingFolderName(grid.GetItemText(nRow, kColFilename), CP_ACP);
        if (name.empty())
            grid.SetItemText(nRow, kColMessage, "Can't set album");
        else
            grid.SetItemText(nRow, kColAlbum, name.c_str());
    }
    grid.Refresh();
}
