#include "ui/BrowseTreeDialog.h"

#include <algorithm>

#include "framework/FileFind.h"
#include "framework/Handles.h"
#include "framework/WaitCursor.h"
#include "ui/NetResourceCopy.h"
#include "ui/NetworkEnum.h"
#include "ui/UiIds.h"

namespace {

// Image indices of the tree's icon strip.
constexpr int kImageOpenFolder = 0;
constexpr int kImageFolder = 1;
constexpr int kImageNetworkRoot = 7;
constexpr int kImageNetworkBase = 7;  // plus the display type
constexpr int kImageWidth = 17;

// The action bits of an expansion (collapse, expand, toggle), without the flags.
constexpr UINT kExpandActionMask = 0x0003;

// One enumeration call with this much room; entries that do not fit are not shown.
constexpr DWORD kEnumBufferSize = 16384;

}  // namespace

BEGIN_MESSAGE_MAP(CBrowseTreeDialog, CDialog)
    ON_NOTIFY(TVN_ITEMEXPANDING, IDC_BROWSE_TREE, OnItemExpanding)
    ON_NOTIFY(TVN_SELCHANGED, IDC_BROWSE_TREE, OnSelChanged)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBrowseTreeDialog::CBrowseTreeDialog(CWnd* pParent) : CDialog(IDD_BROWSE_TREE, pParent)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
}

CBrowseTreeDialog::~CBrowseTreeDialog() = default;

void CBrowseTreeDialog::DoDataExchange()
{
    if (m_tree.m_hWnd == nullptr)
        m_tree.SubclassDlgItem(IDC_BROWSE_TREE, this);
}

std::string CBrowseTreeDialog::FormatName(const std::string& name)
{
    const bool bHasLower =
        std::any_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    if (bHasLower)
        return name;
    std::string out = name;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

bool CBrowseTreeDialog::GetPathSegment(const std::string& path, int i, std::string* pSegment)
{
    size_t start = 0;
    for (int n = 0; n < i; ++n) {
        const size_t pos = path.find('\\', start);
        if (pos == std::string::npos)
            return false;
        start = pos + 1;
    }
    const size_t end = path.find('\\', start);
    *pSegment = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

// Drives A: to Z: that exist, "Network Neighborhood", then the starting path
// walked down as far as it matches, expanding (and so selecting) each match.
BOOL CBrowseTreeDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    DoDataExchange();
    m_bClosing = false;
    m_hNetworkRoot = nullptr;

    m_images.Create(IDB_BROWSE_TREE, kImageWidth, 1, RGB(255, 255, 255));
    m_tree.SetImageList(m_images.Get(), TVSIL_NORMAL);

    for (char cDrive = 'A'; cDrive <= 'Z'; ++cDrive) {
        const char szRoot[] = {cDrive, ':', '\\', '\0'};
        const UINT nType = ::GetDriveTypeA(szRoot);
        if (nType >= DRIVE_REMOVABLE && nType <= DRIVE_RAMDISK) {
            const char szName[] = {cDrive, ':', '\0'};
            AddItem(TVI_ROOT, nullptr, szName, static_cast<int>(nType), -1);
        }
    }
    m_hNetworkRoot = AddItem(TVI_ROOT, nullptr, kNetworkRootText, kImageNetworkRoot, kImageNetworkRoot);

    HTREEITEM hParent = TVI_ROOT;
    std::string segment;
    for (int i = 0; GetPathSegment(m_strPath, i, &segment); ++i) {
        if (i == 0 && segment.empty())
            segment = kNetworkRootText;
        for (HTREEITEM hChild = m_tree.GetChildItem(hParent); hChild != nullptr;
             hChild = m_tree.GetNextSiblingItem(hChild)) {
            const std::string text = m_tree.GetItemText(hChild);
            if (::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), -1,
                                 segment.c_str(), -1) == CSTR_EQUAL) {
                m_tree.Expand(hChild, TVE_EXPAND);
                hParent = hChild;
                break;
            }
        }
    }
    // The tree selects its first item when it gets the focus with nothing
    // selected, which would offer a drive the user never chose. When the
    // path matched nothing, the focus starts on Cancel instead and OK stays
    // disabled until the user picks an item.
    if (m_tree.GetSelectedItem() == nullptr) {
        ::SetFocus(GetDlgItem(IDCANCEL));
        return FALSE;
    }
    return TRUE;
}

HTREEITEM CBrowseTreeDialog::AddItem(HTREEITEM hParent, NETRESOURCEA* pData, const std::string& text,
                                     int nImage, int nSelectedImage)
{
    std::string name = FormatName(text);
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = &name[0];
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage == -1 ? nImage : nSelectedImage;
    insert.item.cChildren = 1;  // an expand button until the item is filled
    insert.item.lParam = reinterpret_cast<LPARAM>(pData);
    return m_tree.InsertItem(insert);
}

NETRESOURCEA* CBrowseTreeDialog::GetNetData(HTREEITEM hItem) const
{
    return reinterpret_cast<NETRESOURCEA*>(m_tree.GetItemData(hItem));
}

// The texts of the item and its ancestors, each followed by a backslash, up
// to the first ancestor that is a network container, which contributes its
// remote name (\\SERVER).
std::string CBrowseTreeDialog::GetItemPath(HTREEITEM hItem) const
{
    std::string path;
    while (hItem != nullptr) {
        const NETRESOURCEA* pData = GetNetData(hItem);
        if (pData != nullptr) {
            const char* pszRemote = pData->lpRemoteName != nullptr ? pData->lpRemoteName : "";
            return std::string(pszRemote) + "\\" + path;
        }
        path = m_tree.GetItemText(hItem) + "\\" + path;
        hItem = m_tree.GetParentItem(hItem);
    }
    return path;
}

// Lists an item's children the first time it is expanded and selects it.
void CBrowseTreeDialog::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    CWaitCursor wait;
    const NMTREEVIEWA* pNMTreeView = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hItem = pNMTreeView->itemNew.hItem;
    if ((pNMTreeView->action & kExpandActionMask) == TVE_EXPAND && m_tree.GetChildItem(hItem) == nullptr) {
        ListChildren(hItem);
        if (m_tree.GetSelectedItem() != hItem)
            m_tree.SelectItem(hItem);
    }
    *pResult = 0;
}

bool CBrowseTreeDialog::ListChildren(HTREEITEM hItem)
{
    const bool bAdded = (hItem == m_hNetworkRoot || GetNetData(hItem) != nullptr)
                            ? ListNetwork(hItem)
                            : ListFolders(hItem);
    if (!bAdded) {
        // Nothing below: the item loses its expand button.
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN | TVIF_HANDLE;
        item.hItem = hItem;
        item.cChildren = 0;
        m_tree.SetItem(&item);
    }
    return bAdded;
}

// Every folder of the item's path, hidden and system folders included.
bool CBrowseTreeDialog::ListFolders(HTREEITEM hItem)
{
    bool bAdded = false;
    CFileFind finder;
    BOOL bWorking = finder.FindFile((GetItemPath(hItem) + "*.*").c_str());
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (finder.IsDirectory() && !finder.IsDots()) {
            AddItem(hItem, nullptr, finder.GetFileName(), kImageFolder, kImageOpenFolder);
            bAdded = true;
        }
    }
    return bAdded;
}

// The resources of a network container (or of the network around this
// machine for the top item), from one enumeration call. Shares become
// folders; containers keep a copy of their record for their own listing.
bool CBrowseTreeDialog::ListNetwork(HTREEITEM hItem)
{
    NETRESOURCEA* pData = GetNetData(hItem);
    CNetworkEnum& net = GetNetworkEnum();
    HANDLE hEnum = nullptr;
    if (net.OpenEnum(pData != nullptr ? RESOURCE_GLOBALNET : RESOURCE_CONTEXT, RESOURCETYPE_ANY, 0,
                     pData, &hEnum) != NO_ERROR)
        return false;

    bool bAny = false;
    CGlobalHandle buffer(::GlobalAlloc(GPTR, kEnumBufferSize));
    if (buffer.Get() != nullptr) {
        DWORD dwCount = static_cast<DWORD>(-1);
        DWORD cbBuffer = kEnumBufferSize;
        // A fixed block: the handle is the memory's address.
        NETRESOURCEA* pEntries = static_cast<NETRESOURCEA*>(static_cast<void*>(buffer.Get()));
        if (net.EnumResource(hEnum, &dwCount, pEntries, &cbBuffer) == NO_ERROR && dwCount > 0) {
            // Never read past the buffer, whatever count is reported.
            dwCount = std::min<DWORD>(dwCount, kEnumBufferSize / sizeof(NETRESOURCEA));
            bAny = true;
            for (DWORD i = 0; i < dwCount; ++i) {
                const NETRESOURCEA& entry = pEntries[i];
                const char* pszName = entry.lpRemoteName != nullptr && *entry.lpRemoteName != '\0'
                                          ? entry.lpRemoteName
                                          : entry.lpComment;
                std::string name = pszName != nullptr ? pszName : "";
                for (int n = 0; n < 2 && !name.empty() && name[0] == '\\'; ++n)
                    name.erase(0, 1);
                if (entry.dwDisplayType == RESOURCEDISPLAYTYPE_SHARE) {
                    const size_t pos = name.find_last_of('\\');
                    if (pos != std::string::npos)
                        name.erase(0, pos + 1);
                    AddItem(hItem, nullptr, name, kImageFolder, kImageOpenFolder);
                } else {
                    NETRESOURCEA* pCopy = CopyNetResource(entry);
                    if (pCopy == nullptr)
                        continue;  // out of memory: the entry is not shown
                    if (AddItem(hItem, pCopy, name,
                                static_cast<int>(entry.dwDisplayType) + kImageNetworkBase, -1) == nullptr)
                        FreeNetResource(pCopy);
                }
            }
        }
    }
    net.CloseEnum(hEnum);
    return bAny;
}

// OK and the path line for drives, folders and shares; neither for the
// network and its containers.
void CBrowseTreeDialog::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bClosing)
        return;
    HTREEITEM hItem = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR)->itemNew.hItem;
    const bool bFolder = hItem != nullptr && GetNetData(hItem) == nullptr && hItem != m_hNetworkRoot;
    ::EnableWindow(GetDlgItem(IDOK), bFolder);
    ::SetDlgItemTextA(m_hWnd, IDC_BROWSE_PATH, bFolder ? GetItemPath(hItem).c_str() : "");
}

BOOL CBrowseTreeDialog::DestroyWindow()
{
    if (m_tree.m_hWnd != nullptr) {
        HTREEITEM hSelected = m_tree.GetSelectedItem();
        m_strPath = hSelected != nullptr ? GetItemPath(hSelected) : std::string();
        DeleteAllItems();
    }
    return CDialog::DestroyWindow();
}

// A dialog that goes without DestroyWindow (its owner destroyed) still frees
// the tree's data.
void CBrowseTreeDialog::OnDestroy()
{
    if (m_tree.m_hWnd != nullptr)
        DeleteAllItems();
    Default();
}

// Deletes the items depth first, from a leaf to its next sibling, else its
// previous sibling, else its parent, freeing each network record on the way.
void CBrowseTreeDialog::DeleteAllItems()
{
    m_bClosing = true;
    HTREEITEM hItem = m_tree.GetRootItem();
    while (hItem != nullptr) {
        for (HTREEITEM hChild = m_tree.GetChildItem(hItem); hChild != nullptr;
             hChild = m_tree.GetChildItem(hItem))
            hItem = hChild;
        HTREEITEM hNext = m_tree.GetNextSiblingItem(hItem);
        if (hNext == nullptr)
            hNext = m_tree.GetPrevSiblingItem(hItem);
        if (hNext == nullptr)
            hNext = m_tree.GetParentItem(hItem);
        NETRESOURCEA* pData = GetNetData(hItem);
        m_tree.SetItemData(hItem, 0);
        FreeNetResource(pData);
        m_tree.DeleteItem(hItem);
        hItem = hNext;
    }
    m_hNetworkRoot = nullptr;
}
