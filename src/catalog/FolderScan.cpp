#include "catalog/FolderScan.h"

#include <cstring>
#include <vector>

#include "catalog/CatalogConstants.h"
#include "catalog/TagReader.h"
#include "catalog/UpdateMarker.h"
#include "framework/FileFind.h"
#include "framework/Handles.h"
#include "framework/WaitCursor.h"
#include "grid/GridCtrl.h"
#include "log/DebugLog.h"

namespace {

const char kModule[] = "MainFrm";

// Whether the name ends in "mp3", ignoring case, over its last three
// characters only (no dot needed).
bool HasMp3Ending(const std::string& name)
{
    const size_t n = strlen(g_strMp3Extension);
    return name.size() >= n && lstrcmpiA(name.c_str() + name.size() - n, g_strMp3Extension) == 0;
}

// The absolute form of a folder path without trailing backslashes; a drive
// root keeps none either ("C:"), so that folder + "\" + name never doubles.
std::string AbsoluteFolder(const char* pszFolder)
{
    char sz[MAX_PATH * 4] = "";
    const DWORD n = GetFullPathNameA(pszFolder, sizeof(sz), sz, nullptr);
    std::string folder = (n > 0 && n < sizeof(sz)) ? std::string(sz) : std::string(pszFolder);
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

}  // namespace

std::string ScanMessage(const std::string& readMessage, const std::string& album,
                        const std::string& comment)
{
    std::string message = readMessage;
    if (album.size() > kAlbumLimit) {
        if (!message.empty())
            message += "\n";
        message += "Album too long.";
    }
    if (comment.size() > kCommentCutLength && !HasUpdateMarker(comment)) {
        if (!message.empty())
            message += "\n";
        message += "Comment will be truncated.";
    }
    return message;
}

CFolderScan::CFolderScan(CGridCtrl& grid, BOOL bSortAscending)
    : m_grid(grid), m_bSortAscending(bSortAscending)
{
}

void CFolderScan::ScanFolder(const char* pszFolder, bool bOnlyNonAvc)
{
    m_visited.clear();
    m_entered.clear();
    m_bIdentities = false;
    ScanLevel(AbsoluteFolder(pszFolder != nullptr ? pszFolder : ""), bOnlyNonAvc, 0, false);
}

// A folder is known by its volume serial and file index, which every path
// to it shares, links and junctions included. Under Wine one drive letter
// can span several Unix file systems whose index numbers overlap while the
// serial stays that of the letter, so the final path (with every link
// resolved) is part of the identity too: two different folders never match,
// and a link back to a folder always does.
bool CFolderScan::EnterFolder(const std::string& folder, bool bLink)
{
    if (!m_bIdentities && !bLink) {
        m_entered.push_back(folder);
        return true;
    }
    if (!m_bIdentities) {
        // The first link: from now on a folder may come round again.
        m_bIdentities = true;
        for (const std::string& entered : m_entered)
            AddIdentity(entered);
        m_entered.clear();
    }
    return AddIdentity(folder);
}

bool CFolderScan::AddIdentity(const std::string& folder)
{
    const std::string path = folder + "\\";  // "C:" alone would name a current folder
    const DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const CKernelHandle h(CreateFileA(path.c_str(), 0, dwShare, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.IsValid())
        return true;  // no identity to compare: the search decides
    BY_HANDLE_FILE_INFORMATION info;
    const BOOL ok = GetFileInformationByHandle(h, &info);
    std::string finalPath;
    if (ok) {
        const DWORD cch = GetFinalPathNameByHandleA(h, nullptr, 0, FILE_NAME_NORMALIZED);
        if (cch > 0) {
            std::vector<char> buffer(cch + 1, '\0');
            const DWORD n = GetFinalPathNameByHandleA(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                      FILE_NAME_NORMALIZED);
            if (n > 0 && n < buffer.size())
                finalPath.assign(buffer.data(), n);
        }
    }
    if (!ok)
        return true;
    const std::uint64_t index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return m_visited.emplace(info.dwVolumeSerialNumber, index, std::move(finalPath)).second;
}

// One folder level: its files become rows, its sub-folders are scanned depth
// first before the next entry. The closing steps run at the top level; the
// nested levels' steps would all be overwritten by the top level's (auto-size
// measures every row, the sort orders every row and clears the selection),
// so they are left out unless asked for.
void CFolderScan::ScanLevel(const std::string& folder, bool bOnlyNonAvc, int nDepth, bool bLink)
{
    CWaitCursor wait;
    int nProblems = 0;

    if (EnterFolder(folder, bLink)) {
        CFileFind finder;
        BOOL bWorking = finder.FindFile((folder + "\\*.*").c_str());
        while (bWorking) {
            bWorking = finder.FindNextFile();
            if (finder.IsDots())
                continue;
            const std::string path = folder + "\\" + finder.GetFileName();
            if (finder.IsDirectory()) {
                LOG_AT(kModule, 279, kLogTrace, 0, "Found dir  %s", path.c_str());
                const bool bIsLink = (finder.GetAttributes() & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
                ScanLevel(path, bOnlyNonAvc, nDepth + 1, bIsLink);
            } else if (HasMp3Ending(finder.GetFileName())) {
                AddFile(path, bOnlyNonAvc, nProblems);
            }
        }
    }

    if (nDepth > 0 && !m_bEveryLevel)
        return;
    m_grid.AutoSizeColumns();
    m_grid.ExpandFirstColumnToFit();
    m_grid.SortItems(kColFilename, m_bSortAscending, 0);
    if (nProblems == 0)
        m_grid.SelectAll();
}

void CFolderScan::AddFile(const std::string& path, bool bOnlyNonAvc, int& nProblems)
{
    std::string comment;
    std::string album;
    const std::string readMessage = ReadTags(path.c_str(), comment, album);
    if (bOnlyNonAvc && HasUpdateMarker(comment))
        return;
    LOG_AT(kModule, 298, kLogTrace, 0, "Found file %s", path.c_str());

    const int nRow = m_grid.InsertRow(path.c_str(), -1);
    if (nRow < 0)
        return;
    m_grid.SetItemText(nRow, kColComment, comment.c_str());
    m_grid.SetItemText(nRow, kColAlbum, album.c_str());
    m_grid.SetItemText(nRow, kColOrigAlbum, album.c_str());
    const std::string message = ScanMessage(readMessage, album, comment);
    if (!message.empty()) {
        m_grid.SetItemText(nRow, kColMessage, message.c_str());
        m_grid.SetItemFgColour(nRow, kColMessage, kMessageColour);
        ++nProblems;
    }
}
