// The system tree view control ("SysTreeView32") as a framework window,
// usually bound to a dialog's control with SubclassDlgItem.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Wnd.h"

class CTreeCtrl : public CWnd {
public:
    HTREEITEM InsertItem(const TVINSERTSTRUCTA& insert) const;
    BOOL DeleteItem(HTREEITEM hItem) const;
    BOOL SetItem(TVITEMA* pItem) const;
    BOOL GetItem(TVITEMA* pItem) const;
    HIMAGELIST SetImageList(HIMAGELIST hImageList, int nImageListType) const;

    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    // The first child; for TVI_ROOT (or null) the first top-level item.
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }

    BOOL SelectItem(HTREEITEM hItem) const;
    BOOL Expand(HTREEITEM hItem, UINT nCode) const;
    std::string GetItemText(HTREEITEM hItem) const;
    LPARAM GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, LPARAM lParam) const;
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
};
