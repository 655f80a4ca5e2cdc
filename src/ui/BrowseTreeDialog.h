// The folder picker: a modal dialog (template 134) with a tree of the drives
// and the network, filled as the user expands it. It starts on a given path
// and returns the path of the item selected when it closes; a chosen path
// ends with a backslash (C:\Music\ or \\SERVER\share\).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <winnetwk.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/TreeCtrl.h"

class CBrowseTreeDialog : public CDialog {
public:
    explicit CBrowseTreeDialog(CWnd* pParent = nullptr);
    ~CBrowseTreeDialog() override;

    // Stores the path of the selected item and frees the tree's data before
    // the window goes.
    BOOL DestroyWindow() override;

    void SetPath(const char* pszPath) { m_strPath = pszPath != nullptr ? pszPath : ""; }
    const std::string& GetPath() const { return m_strPath; }

    // The text of the network's top-level item.
    static constexpr const char* kNetworkRootText = "Network Neighborhood";

    // A name as the tree shows it: unchanged when it has a lower-case letter,
    // else lower-case with the first character in upper case (PROGRA~1 gives
    // Progra~1).
    static std::string FormatName(const std::string& name);
    // Segment i of a path: the text after the i-th backslash up to the next
    // one; false when the path has fewer than i backslashes.
    static bool GetPathSegment(const std::string& path, int i, std::string* pSegment);

protected:
    virtual void DoDataExchange();
    BOOL OnInitDialog() override;
    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDestroy();

private:
    HTREEITEM AddItem(HTREEITEM hParent, NETRESOURCEA* pData, const std::string& text, int nImage,
                      int nSelectedImage);
    std::string GetItemPath(HTREEITEM hItem) const;
    bool ListChildren(HTREEITEM hItem);
    bool ListFolders(HTREEITEM hItem);
    bool ListNetwork(HTREEITEM hItem);
    NETRESOURCEA* GetNetData(HTREEITEM hItem) const;
    void DeleteAllItems();

    CTreeCtrl m_tree;
    CImageList m_images;
    HTREEITEM m_hNetworkRoot = nullptr;
    std::string m_strPath;
    bool m_bClosing = false;

    DECLARE_MESSAGE_MAP()
};
