#include "framework/TreeCtrl.h"

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCTA& insert) const
{
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::SetItem(TVITEMA* pItem) const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CTreeCtrl::GetItem(TVITEMA* pItem) const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem)));
}

HIMAGELIST CTreeCtrl::SetImageList(HIMAGELIST hImageList, int nImageListType) const
{
    return reinterpret_cast<HIMAGELIST>(::SendMessageA(
        m_hWnd, TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), reinterpret_cast<LPARAM>(hImageList)));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hWnd, TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return GetRootItem();
    return GetNextItem(hItem, TVGN_CHILD);
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) const
{
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)));
}

std::string CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    char sz[MAX_PATH] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = sz;
    item.cchTextMax = sizeof(sz);
    if (!GetItem(&item))
        return std::string();
    sz[sizeof(sz) - 1] = '\0';
    // The control may hand back its own buffer instead of filling ours.
    return item.pszText != nullptr ? std::string(item.pszText) : std::string(sz);
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    return GetItem(&item) ? item.lParam : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, LPARAM lParam) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    item.lParam = lParam;
    return SetItem(&item);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, TVM_GETITEMSTATE,
                                            reinterpret_cast<WPARAM>(hItem), nStateMask));
}
