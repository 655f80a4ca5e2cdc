// The folder picker on a drive letter of its own and on a network presented
// through the enumeration seam, driven from inside its modal loop.
#include "support/GTestWin.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/DriveLetter.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"
#include "ui/BrowseTreeDialog.h"
#include "ui/NetResourceCopy.h"
#include "ui/NetworkEnum.h"
#include "ui/UiIds.h"

using testsupport::ClickButton;
using testsupport::ModalDriver;

namespace {

std::string Text(HWND hWnd)
{
    char sz[MAX_PATH] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

// The dialog's tree control, as the dialog has bound it.
const CTreeCtrl& Tree(HWND hDlg)
{
    return *static_cast<const CTreeCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(hDlg, IDC_BROWSE_TREE)));
}

// The texts of an item's children (of the top level for TVI_ROOT), in tree order.
std::vector<std::string> ChildTexts(const CTreeCtrl& tree, HTREEITEM hParent)
{
    std::vector<std::string> texts;
    for (HTREEITEM h = tree.GetChildItem(hParent); h != nullptr; h = tree.GetNextSiblingItem(h))
        texts.push_back(tree.GetItemText(h));
    return texts;
}

HTREEITEM Child(const CTreeCtrl& tree, HTREEITEM hParent, const std::string& text)
{
    HTREEITEM h = tree.GetChildItem(hParent);
    while (h != nullptr && tree.GetItemText(h) != text)
        h = tree.GetNextSiblingItem(h);
    return h;
}

// An item's images and its children count (1: it shows an expand button).
TVITEMA Item(const CTreeCtrl& tree, HTREEITEM hItem)
{
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    item.hItem = hItem;
    tree.GetItem(&item);
    return item;
}

// A network of one domain and one server with shares, presented through the
// enumeration seam (installed for the object's life) in the layout
// WNetEnumResourceA uses: the records first, their strings behind them in
// the same buffer.
class FakeNetwork : public CNetworkEnum {
public:
    FakeNetwork() : m_pOld(SetNetworkEnum(this)) {}
    ~FakeNetwork() override { SetNetworkEnum(m_pOld); }
    struct Entry {
        DWORD dwDisplayType;
        const char* pszRemote;
        const char* pszComment;
    };

    DWORD OpenEnum(DWORD dwScope, DWORD, DWORD, NETRESOURCEA* pContainer, HANDLE* phEnum) override
    {
        const std::string key = pContainer != nullptr && pContainer->lpRemoteName != nullptr
                                    ? pContainer->lpRemoteName
                                    : "";
        m_scopes.push_back(dwScope);
        if (m_children.count(key) == 0)
            return ERROR_NO_NETWORK;
        m_open.push_back(key);
        *phEnum = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(m_open.size()));
        return NO_ERROR;
    }

    DWORD EnumResource(HANDLE hEnum, DWORD* pcCount, void* pBuffer, DWORD*) override
    {
        const std::vector<Entry>& entries = m_children[m_open.at(reinterpret_cast<INT_PTR>(hEnum) - 1)];
        NETRESOURCEA* pRecords = static_cast<NETRESOURCEA*>(pBuffer);
        char* pStrings = reinterpret_cast<char*>(pRecords + entries.size());
        auto put = [&pStrings](const char* psz) {
            return psz ? std::strcpy(std::exchange(pStrings, pStrings + std::strlen(psz) + 1), psz) : nullptr;
        };
        for (size_t i = 0; i < entries.size(); ++i)
            pRecords[i] = {RESOURCE_GLOBALNET, RESOURCETYPE_ANY, entries[i].dwDisplayType, 0, nullptr,
                           put(entries[i].pszRemote), put(entries[i].pszComment), put("Network")};
        *pcCount = static_cast<DWORD>(entries.size());
        return entries.empty() ? ERROR_NO_MORE_ITEMS : NO_ERROR;
    }

    DWORD CloseEnum(HANDLE) override
    {
        ++m_nClosed;
        return NO_ERROR;
    }

    // The machine's own context (no container) first.
    std::map<std::string, std::vector<Entry>> m_children = {
        {"",
         {{RESOURCEDISPLAYTYPE_DOMAIN, "WORKGROUP", nullptr},
          {RESOURCEDISPLAYTYPE_SERVER, "\\\\SERVER", "file server"},
          {RESOURCEDISPLAYTYPE_NETWORK, "", "Microsoft Windows Network"}}},
        {"WORKGROUP", {{RESOURCEDISPLAYTYPE_SERVER, "\\\\OTHER", nullptr}}},
        {"\\\\SERVER",
         {{RESOURCEDISPLAYTYPE_SHARE, "\\\\SERVER\\share", nullptr},
          {RESOURCEDISPLAYTYPE_SHARE, "\\\\SERVER\\MUSIC", "songs"}}},
    };
    std::vector<std::string> m_open;
    std::vector<DWORD> m_scopes;
    int m_nClosed = 0;
    CNetworkEnum* m_pOld;
};

// A folder tree on a drive letter of its own.
class BrowseTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string root = m_folder.Path();
        for (const char* pszDir : {"\\Music", "\\Music\\Albums", "\\Music\\PROGRA~1",
                                   "\\Music\\PROGRA~1\\Deep", "\\Music\\.hidden", "\\Other"})
            ASSERT_TRUE(CreateDirectoryA((root + pszDir).c_str(), nullptr)) << pszDir;
        ASSERT_TRUE(testsupport::WriteFileBytes(root + "\\Music\\Albums\\song.mp3", "ID3"));
        ASSERT_TRUE(testsupport::WriteFileBytes(root + "\\Music\\notes.txt", "x"));
        m_pDrive = std::make_unique<testsupport::MappedDrive>(root);
        ASSERT_TRUE(m_pDrive->IsMapped());
    }

    testsupport::TempFolder m_folder{"qbrowse"};
    std::unique_ptr<testsupport::MappedDrive> m_pDrive;
};

}  // namespace

TEST_F(BrowseTreeTest, StartingPathExpandsAndSelectsEachSegment)
{
    const std::string drive = m_pDrive->Root();
    CBrowseTreeDialog dlg;
    dlg.SetPath((drive + "\\music\\").c_str());
    ModalDriver driver([&](HWND hDlg) {
        const CTreeCtrl& tree = Tree(hDlg);
        // The icon strip cut into its images.
        EXPECT_EQ(15, ImageList_GetImageCount(
                          reinterpret_cast<HIMAGELIST>(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL))));

        // Drives and "Network Neighborhood", sorted by the tree: C: before it, our drive after it.
        const std::vector<std::string> roots = ChildTexts(tree, TVI_ROOT);
        const auto less = [](const std::string& a, const std::string& b) {
            return lstrcmpiA(a.c_str(), b.c_str()) < 0;
        };
        EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end(), less));
        const auto itNetwork = std::find(roots.begin(), roots.end(), "Network Neighborhood");
        ASSERT_NE(roots.end(), itNetwork);
        EXPECT_NE(roots.begin(), itNetwork);
        EXPECT_NE(roots.end(), std::find(itNetwork, roots.end(), drive));
        HTREEITEM hDrive = Child(tree, TVI_ROOT, drive);
        HTREEITEM hMusic = Child(tree, hDrive, "Music");
        EXPECT_EQ(static_cast<int>(GetDriveTypeA((drive + "\\").c_str())), Item(tree, hDrive).iImage);
        EXPECT_EQ(7, Item(tree, Child(tree, TVI_ROOT, "Network Neighborhood")).iImage);

        // Each segment matched (ignoring case) is expanded; the last is selected.
        EXPECT_TRUE(tree.GetItemState(hDrive, TVIS_EXPANDED) && tree.GetItemState(hMusic, TVIS_EXPANDED));
        EXPECT_EQ(hMusic, tree.GetSelectedItem());
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDlg, IDOK)));
        EXPECT_EQ(tree.m_hWnd, GetFocus());
        EXPECT_EQ(drive + "\\Music\\", Text(GetDlgItem(hDlg, IDC_BROWSE_PATH)));
        // Hidden folders are listed; files are not; 8.3 capitals are capitalised.
        EXPECT_EQ((std::vector<std::string>{".hidden", "Albums", "Progra~1"}), ChildTexts(tree, hMusic));

        // An item opened is selected; one without subfolders loses its expand button.
        for (const char* pszName : {"Albums", "Progra~1"}) {
            HTREEITEM hItem = Child(tree, hMusic, pszName);
            tree.Expand(hItem, TVE_EXPAND);
            EXPECT_EQ(pszName[0] == 'P' ? 1 : 0, Item(tree, hItem).cChildren) << pszName;
            EXPECT_EQ(drive + "\\Music\\" + pszName + "\\", Text(GetDlgItem(hDlg, IDC_BROWSE_PATH)));
        }
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Ran() && !driver.TimedOut());
    EXPECT_EQ(drive + "\\Music\\Progra~1\\", dlg.GetPath());
}

TEST_F(BrowseTreeTest, PathThatMatchesNoDriveSelectsNothing)
{
    CBrowseTreeDialog dlg;
    dlg.SetPath("Q9:\\Music\\Albums\\");
    ModalDriver driver([&](HWND hDlg) {
        const CTreeCtrl& tree = Tree(hDlg);
        for (HTREEITEM h = tree.GetRootItem(); h != nullptr; h = tree.GetNextSiblingItem(h))
            EXPECT_FALSE(tree.GetItemState(h, TVIS_EXPANDED)) << tree.GetItemText(h);
        EXPECT_EQ(nullptr, tree.GetSelectedItem());
        EXPECT_EQ("Blar blar blar...", Text(GetDlgItem(hDlg, IDC_BROWSE_PATH)));
        // The tree, which would select its first item with the focus, does not get it.
        EXPECT_EQ(GetDlgItem(hDlg, IDCANCEL), GetFocus());
        ClickButton(hDlg, IDOK);  // disabled: nothing happens
        EXPECT_TRUE(IsWindow(hDlg));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("", dlg.GetPath());

    // A later segment is still compared with the top level: "Q9:\X:\" opens X:.
    CBrowseTreeDialog later;
    later.SetPath(("Q9:\\" + m_pDrive->Root() + "\\").c_str());
    ModalDriver again([&](HWND hDlg) { ClickButton(hDlg, IDOK); });
    EXPECT_EQ(IDOK, later.DoModal());
    EXPECT_EQ(m_pDrive->Root() + "\\", later.GetPath());
}

TEST(BrowseTreeNetwork, ServersDisableOkAndSharesGiveTheirPath)
{
    FakeNetwork network;
    const int nLiveBefore = LiveNetResourceCopies();
    CBrowseTreeDialog dlg;
    dlg.SetPath("\\\\SERVER\\share\\");
    ModalDriver driver([&](HWND hDlg) {
        const CTreeCtrl& tree = Tree(hDlg);
        HWND hPath = GetDlgItem(hDlg, IDC_BROWSE_PATH);
        // Names: two backslashes off, a share cut after its last backslash, the
        // comment for a record without a remote name, capitals capitalised.
        HTREEITEM hNetwork = Child(tree, TVI_ROOT, "Network Neighborhood");
        EXPECT_EQ((std::vector<std::string>{"Microsoft Windows Network", "Server", "Workgroup"}),
                  ChildTexts(tree, hNetwork));
        HTREEITEM hServer = Child(tree, hNetwork, "Server");
        HTREEITEM hDomain = Child(tree, hNetwork, "Workgroup");
        EXPECT_EQ((std::vector<std::string>{"Music", "share"}), ChildTexts(tree, hServer));
        HTREEITEM hShare = Child(tree, hServer, "share");
        EXPECT_EQ(hShare, tree.GetSelectedItem());
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDlg, IDOK)));
        EXPECT_EQ("\\\\SERVER\\share\\", Text(hPath));
        // Images: a container's by its display type, a share's as a folder's.
        EXPECT_EQ(9, Item(tree, hServer).iImage);
        EXPECT_EQ(8, Item(tree, hDomain).iImage);
        EXPECT_TRUE(Item(tree, hShare).iImage == 1 && Item(tree, hShare).iSelectedImage == 0);

        // The network and a server: no OK, no path.
        for (HTREEITEM hItem : {hServer, hNetwork}) {
            tree.SelectItem(hItem);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDlg, IDOK)));
            EXPECT_EQ("", Text(hPath));
        }
        tree.Expand(hDomain, TVE_EXPAND);
        EXPECT_EQ(std::vector<std::string>{"Other"}, ChildTexts(tree, hDomain));
        // One record per container (Workgroup, Server, the network, Other).
        EXPECT_EQ(4, LiveNetResourceCopies() - nLiveBefore);
        tree.SelectItem(hShare);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("\\\\SERVER\\share\\", dlg.GetPath());

    // All records freed at close; every enumeration opened was closed.
    EXPECT_EQ(nLiveBefore, LiveNetResourceCopies());
    EXPECT_EQ(static_cast<int>(network.m_open.size()), network.m_nClosed);
    ASSERT_GE(network.m_scopes.size(), 3u);
    EXPECT_EQ(static_cast<DWORD>(RESOURCE_CONTEXT), network.m_scopes[0]);
    EXPECT_EQ(static_cast<DWORD>(RESOURCE_GLOBALNET), network.m_scopes[1]);
}

// The system's enumeration (no network here): the item has nothing below.
TEST(BrowseTreeNetwork, AFailedEnumerationRemovesTheButton)
{
    CBrowseTreeDialog dlg;
    dlg.SetPath("\\");
    ModalDriver driver([&](HWND hDlg) {
        const CTreeCtrl& tree = Tree(hDlg);
        HTREEITEM hNetwork = Child(tree, TVI_ROOT, "Network Neighborhood");
        EXPECT_EQ(0, Item(tree, hNetwork).cChildren);
        EXPECT_EQ(hNetwork, tree.GetSelectedItem());
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDlg, IDOK)));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("Network Neighborhood\\", dlg.GetPath());
}

TEST(BrowseTreeNames, FormattingAndPathSegments)
{
    const std::pair<const char*, const char*> names[] = {
        {"WINDOWS", "Windows"}, {"PROGRA~1", "Progra~1"}, {"C:", "C:"}, {"MyMusic", "MyMusic"},
        {"\xC9T\xC9", "\xC9t\xC9"},  // bytes above 127 untouched
        {"", ""}};
    for (const auto& n : names)
        EXPECT_EQ(n.second, CBrowseTreeDialog::FormatName(n.first)) << n.first;

    // {path, index, segment (null: the path has no such segment)}
    const struct { const char* pszPath; int i; const char* pszSegment; } segments[] = {
        {"C:\\Music\\", 0, "C:"}, {"C:\\Music\\", 1, "Music"}, {"C:\\Music\\", 2, ""},
        {"C:\\Music\\", 3, nullptr}, {"\\\\SERVER", 0, ""}, {"\\\\SERVER", 2, "SERVER"}};
    for (const auto& c : segments) {
        std::string segment;
        EXPECT_EQ(c.pszSegment != nullptr, CBrowseTreeDialog::GetPathSegment(c.pszPath, c.i, &segment))
            << c.pszPath << " " << c.i;
        EXPECT_EQ(c.pszSegment ? c.pszSegment : "", segment) << c.pszPath << " " << c.i;
    }
}
