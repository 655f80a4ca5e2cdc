#include "support/GTestWin.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "support/DriveLetter.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"
#include "ui/BrowseTreeDialog.h"
#include "ui/NetResourceCopy.h"
#include "ui/NetworkEnum.h"
#include "ui/UiIds.h"

namespace {

std::string DlgText(HWND hDlg, int nID)
{
    char sz[MAX_PATH] = "";
    GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
    return sz;
}

std::string WindowText(HWND hWnd)
{
    char sz[MAX_PATH] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

HTREEITEM Next(HWND hTree, HTREEITEM hItem, UINT nCode)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hTree, TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

TVITEMA ItemInfo(HWND hTree, HTREEITEM hItem, char* pszText, int cchText)
{
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM |
                TVIF_CHILDREN | TVIF_STATE;
    item.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
    item.hItem = hItem;
    item.pszText = pszText;
    item.cchTextMax = cchText;
    SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

std::string ItemText(HWND hTree, HTREEITEM hItem)
{
    char sz[MAX_PATH] = "";
    ItemInfo(hTree, hItem, sz, sizeof(sz));
    return sz;
}

// The texts of an item's children (of the top level for null), in tree order.
std::vector<std::string> ChildTexts(HWND hTree, HTREEITEM hParent)
{
    std::vector<std::string> texts;
    HTREEITEM h = hParent == nullptr ? Next(hTree, nullptr, TVGN_ROOT) : Next(hTree, hParent, TVGN_CHILD);
    for (; h != nullptr; h = Next(hTree, h, TVGN_NEXT))
        texts.push_back(ItemText(hTree, h));
    return texts;
}

HTREEITEM FindChild(HWND hTree, HTREEITEM hParent, const std::string& text)
{
    HTREEITEM h = hParent == nullptr ? Next(hTree, nullptr, TVGN_ROOT) : Next(hTree, hParent, TVGN_CHILD);
    for (; h != nullptr; h = Next(hTree, h, TVGN_NEXT)) {
        if (ItemText(hTree, h) == text)
            return h;
    }
    return nullptr;
}

bool IsExpanded(HWND hTree, HTREEITEM hItem)
{
    char sz[MAX_PATH];
    return (ItemInfo(hTree, hItem, sz, sizeof(sz)).state & TVIS_EXPANDED) != 0;
}

int ChildrenCount(HWND hTree, HTREEITEM hItem)
{
    char sz[MAX_PATH];
    return ItemInfo(hTree, hItem, sz, sizeof(sz)).cChildren;
}

int Image(HWND hTree, HTREEITEM hItem)
{
    char sz[MAX_PATH];
    return ItemInfo(hTree, hItem, sz, sizeof(sz)).iImage;
}

void Select(HWND hTree, HTREEITEM hItem)
{
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem));
}

void Expand(HWND hTree, HTREEITEM hItem)
{
    SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hItem));
}

bool Less(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}

// A network of one domain and one server with shares, presented through the
// enumeration seam in the layout WNetEnumResourceA uses: the records first,
// their strings behind them in the same buffer.
class FakeNetwork : public CNetworkEnum {
public:
    struct Entry {
        DWORD dwDisplayType;
        const char* pszRemote;
        const char* pszComment;
    };

    FakeNetwork()
    {
        // The machine's own context (no container).
        m_children[""] = {{RESOURCEDISPLAYTYPE_DOMAIN, "WORKGROUP", nullptr},
                          {RESOURCEDISPLAYTYPE_SERVER, "\\\\SERVER", "file server"},
                          {RESOURCEDISPLAYTYPE_NETWORK, "", "Microsoft Windows Network"}};
        m_children["WORKGROUP"] = {{RESOURCEDISPLAYTYPE_SERVER, "\\\\OTHER", nullptr}};
        m_children["\\\\SERVER"] = {{RESOURCEDISPLAYTYPE_SHARE, "\\\\SERVER\\share", nullptr},
                                    {RESOURCEDISPLAYTYPE_SHARE, "\\\\SERVER\\MUSIC", "songs"}};
    }

    DWORD OpenEnum(DWORD dwScope, DWORD dwType, DWORD dwUsage, NETRESOURCEA* pContainer,
                   HANDLE* phEnum) override
    {
        const std::string key = pContainer != nullptr && pContainer->lpRemoteName != nullptr
                                    ? pContainer->lpRemoteName
                                    : "";
        m_scopes.push_back(dwScope);
        EXPECT_EQ(static_cast<DWORD>(RESOURCETYPE_ANY), dwType);
        EXPECT_EQ(0u, dwUsage);
        if (m_children.count(key) == 0)
            return ERROR_NO_NETWORK;
        m_open.push_back(key);
        *phEnum = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(m_open.size()));
        ++m_nOpen;
        return NO_ERROR;
    }

    DWORD EnumResource(HANDLE hEnum, DWORD* pcCount, void* pBuffer, DWORD* pcbBuffer) override
    {
        ++m_nEnumCalls;
        EXPECT_EQ(static_cast<DWORD>(-1), *pcCount);
        EXPECT_EQ(16384u, *pcbBuffer);
        const std::vector<Entry>& entries = m_children[m_open.at(reinterpret_cast<INT_PTR>(hEnum) - 1)];
        NETRESOURCEA* pRecords = static_cast<NETRESOURCEA*>(pBuffer);
        char* pStrings = reinterpret_cast<char*>(pRecords + entries.size());
        auto put = [&pStrings](const char* psz) -> char* {
            if (psz == nullptr)
                return nullptr;
            char* p = pStrings;
            std::strcpy(p, psz);
            pStrings += std::strlen(psz) + 1;
            return p;
        };
        for (size_t i = 0; i < entries.size(); ++i) {
            NETRESOURCEA& r = pRecords[i];
            r.dwScope = RESOURCE_GLOBALNET;
            r.dwType = entries[i].dwDisplayType == RESOURCEDISPLAYTYPE_SHARE ? RESOURCETYPE_DISK
                                                                            : RESOURCETYPE_ANY;
            r.dwDisplayType = entries[i].dwDisplayType;
            r.dwUsage = entries[i].dwDisplayType == RESOURCEDISPLAYTYPE_SHARE ? RESOURCEUSAGE_CONNECTABLE
                                                                             : RESOURCEUSAGE_CONTAINER;
            r.lpLocalName = nullptr;
            r.lpRemoteName = put(entries[i].pszRemote);
            r.lpComment = put(entries[i].pszComment);
            r.lpProvider = put("Microsoft Windows Network");
        }
        *pcCount = static_cast<DWORD>(entries.size());
        return entries.empty() ? ERROR_NO_MORE_ITEMS : NO_ERROR;
    }

    DWORD CloseEnum(HANDLE) override
    {
        ++m_nClosed;
        return NO_ERROR;
    }

    std::map<std::string, std::vector<Entry>> m_children;
    std::vector<std::string> m_open;
    std::vector<DWORD> m_scopes;
    int m_nOpen = 0;
    int m_nClosed = 0;
    int m_nEnumCalls = 0;
};

// Installs a network enumeration for the life of the object.
class NetworkScope {
public:
    explicit NetworkScope(CNetworkEnum* pEnum) : m_pOld(SetNetworkEnum(pEnum)) {}
    ~NetworkScope() { SetNetworkEnum(m_pOld); }

private:
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
        const UINT nType = GetDriveTypeA((m_pDrive->Root() + "\\").c_str());
        ASSERT_TRUE(nType >= DRIVE_REMOVABLE && nType <= DRIVE_RAMDISK) << nType;
    }
    void TearDown() override { m_pDrive.reset(); }

    testsupport::TempFolder m_folder{"qbrowse"};
    std::unique_ptr<testsupport::MappedDrive> m_pDrive;
};

}  // namespace

TEST_F(BrowseTreeTest, StartingPathExpandsAndSelectsEachSegment)
{
    const std::string drive = m_pDrive->Root();
    CBrowseTreeDialog dlg;
    dlg.SetPath((drive + "\\Music\\").c_str());

    std::vector<std::string> roots;
    std::vector<std::string> music;
    std::string pathLine;
    std::string afterAlbums;
    std::string afterProgra;
    bool bOkEnabled = false;
    bool bDriveExpanded = false;
    bool bMusicSelected = false;
    int nAlbumsChildren = -1;
    int nPrograChildren = -1;
    int nDriveImage = -1;
    int nNetworkImage = -1;
    int nImageCount = 0;
    int cxImage = 0;
    int cyImage = 0;
    std::string caption;
    LONG lTreeStyle = 0;
    bool bFocusOnTree = false;

    testsupport::ModalDriver driver([&](HWND hDlg) {
        HWND hTree = GetDlgItem(hDlg, IDC_BROWSE_TREE);
        caption = WindowText(hDlg);
        lTreeStyle = GetWindowLongA(hTree, GWL_STYLE);
        HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SendMessageA(hTree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        nImageCount = ImageList_GetImageCount(hImages);
        ImageList_GetIconSize(hImages, &cxImage, &cyImage);

        roots = ChildTexts(hTree, nullptr);
        HTREEITEM hDrive = FindChild(hTree, nullptr, drive);
        HTREEITEM hMusic = FindChild(hTree, hDrive, "Music");
        bDriveExpanded = hDrive != nullptr && IsExpanded(hTree, hDrive) && IsExpanded(hTree, hMusic);
        bMusicSelected = hMusic != nullptr && Next(hTree, nullptr, TVGN_CARET) == hMusic;
        bOkEnabled = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
        bFocusOnTree = GetFocus() == hTree;
        pathLine = DlgText(hDlg, IDC_BROWSE_PATH);
        music = ChildTexts(hTree, hMusic);
        nDriveImage = Image(hTree, hDrive);
        nNetworkImage = Image(hTree, FindChild(hTree, nullptr, "Network Neighborhood"));

        // A folder without subfolders loses its expand button when opened;
        // one with a subfolder keeps it.
        HTREEITEM hAlbums = FindChild(hTree, hMusic, "Albums");
        Expand(hTree, hAlbums);
        nAlbumsChildren = ChildrenCount(hTree, hAlbums);
        afterAlbums = DlgText(hDlg, IDC_BROWSE_PATH);
        HTREEITEM hProgra = FindChild(hTree, hMusic, "Progra~1");
        Expand(hTree, hProgra);
        nPrograChildren = ChildrenCount(hTree, hProgra);
        afterProgra = DlgText(hDlg, IDC_BROWSE_PATH);
        testsupport::ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Ran());
    EXPECT_FALSE(driver.TimedOut());

    EXPECT_EQ("Blar...", caption);
    for (LONG lStyle : {TVS_HASBUTTONS, TVS_HASLINES, TVS_LINESATROOT, TVS_DISABLEDRAGDROP,
                        TVS_SHOWSELALWAYS, TVS_INFOTIP, TVS_FULLROWSELECT})
        EXPECT_EQ(lStyle, lTreeStyle & lStyle);
    EXPECT_EQ(15, nImageCount);
    EXPECT_EQ(17, cxImage);
    EXPECT_EQ(16, cyImage);

    // Drives and "Network Neighborhood", sorted by the tree.
    ASSERT_NE(roots.end(), std::find(roots.begin(), roots.end(), drive));
    auto itNetwork = std::find(roots.begin(), roots.end(), "Network Neighborhood");
    ASSERT_NE(roots.end(), itNetwork);
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end(), Less));
    EXPECT_NE(roots.begin(), itNetwork);      // C: sorts before it
    EXPECT_NE(roots.end() - 1, itNetwork);    // our drive (from Y: down) and Z: after it
    EXPECT_EQ(static_cast<int>(GetDriveTypeA((drive + "\\").c_str())), nDriveImage);
    EXPECT_EQ(7, nNetworkImage);

    EXPECT_TRUE(bDriveExpanded);
    EXPECT_TRUE(bMusicSelected);
    EXPECT_TRUE(bOkEnabled);
    EXPECT_TRUE(bFocusOnTree);
    EXPECT_EQ(drive + "\\Music\\", pathLine);
    // Hidden folders are listed; files are not; 8.3 capitals are capitalised.
    EXPECT_EQ((std::vector<std::string>{".hidden", "Albums", "Progra~1"}), music);

    EXPECT_EQ(0, nAlbumsChildren);
    EXPECT_EQ(drive + "\\Music\\Albums\\", afterAlbums);
    EXPECT_EQ(1, nPrograChildren);
    EXPECT_EQ(drive + "\\Music\\Progra~1\\", afterProgra);
    EXPECT_EQ(drive + "\\Music\\Progra~1\\", dlg.GetPath());
}

TEST_F(BrowseTreeTest, PathThatMatchesNoDriveSelectsNothing)
{
    CBrowseTreeDialog dlg;
    dlg.SetPath("Q9:\\Music\\Albums\\");
    bool bAnyExpanded = true;
    bool bAnySelected = true;
    bool bOkEnabled = true;
    std::string pathLine;
    std::string afterClick;
    bool bFocusOnCancel = false;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        HWND hTree = GetDlgItem(hDlg, IDC_BROWSE_TREE);
        bAnyExpanded = false;
        for (HTREEITEM h = Next(hTree, nullptr, TVGN_ROOT); h != nullptr; h = Next(hTree, h, TVGN_NEXT))
            bAnyExpanded = bAnyExpanded || IsExpanded(hTree, h);
        bAnySelected = Next(hTree, nullptr, TVGN_CARET) != nullptr;
        bOkEnabled = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
        pathLine = DlgText(hDlg, IDC_BROWSE_PATH);
        bFocusOnCancel = GetFocus() == GetDlgItem(hDlg, IDCANCEL);
        testsupport::ClickButton(hDlg, IDOK);  // disabled: nothing happens
        afterClick = WindowText(hDlg);
        testsupport::ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(bAnyExpanded);
    EXPECT_FALSE(bAnySelected);
    EXPECT_FALSE(bOkEnabled);
    EXPECT_EQ("Blar blar blar...", pathLine);
    EXPECT_EQ("Blar...", afterClick);
    // The tree, which would select its first item with the focus, does not get it.
    EXPECT_TRUE(bFocusOnCancel);
    EXPECT_EQ("", dlg.GetPath());

    // A later segment is still compared with the top level: "Q9:\X:\" opens X:.
    CBrowseTreeDialog later;
    later.SetPath(("Q9:\\" + m_pDrive->Root() + "\\").c_str());
    testsupport::ModalDriver again([&](HWND hDlg) { testsupport::ClickButton(hDlg, IDOK); });
    EXPECT_EQ(IDOK, later.DoModal());
    EXPECT_EQ(m_pDrive->Root() + "\\", later.GetPath());
}

TEST(BrowseTreeNetwork, ServersDisableOkAndSharesGiveTheirPath)
{
    FakeNetwork network;
    NetworkScope scope(&network);
    const int nLiveBefore = LiveNetResourceCopies();

    CBrowseTreeDialog dlg;
    dlg.SetPath("\\\\SERVER\\share\\");
    std::vector<std::string> top;
    std::vector<std::string> shares;
    std::vector<std::string> workgroup;
    std::string sharePath;
    bool bShareOk = false;
    bool bShareSelected = false;
    std::string serverPath = "unset";
    bool bServerOk = true;
    std::string networkPath = "unset";
    bool bNetworkOk = true;
    int nServerImage = -1;
    int nDomainImage = -1;
    int nShareImage = -1;
    int nShareSelectedImage = -1;
    int nLiveOpen = 0;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        HWND hTree = GetDlgItem(hDlg, IDC_BROWSE_TREE);
        HTREEITEM hNetwork = FindChild(hTree, nullptr, "Network Neighborhood");
        top = ChildTexts(hTree, hNetwork);
        HTREEITEM hServer = FindChild(hTree, hNetwork, "Server");
        HTREEITEM hDomain = FindChild(hTree, hNetwork, "Workgroup");
        shares = ChildTexts(hTree, hServer);
        HTREEITEM hShare = FindChild(hTree, hServer, "share");
        bShareSelected = hShare != nullptr && Next(hTree, nullptr, TVGN_CARET) == hShare;
        bShareOk = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
        sharePath = DlgText(hDlg, IDC_BROWSE_PATH);
        nServerImage = Image(hTree, hServer);
        nDomainImage = Image(hTree, hDomain);
        char sz[MAX_PATH];
        const TVITEMA share = ItemInfo(hTree, hShare, sz, sizeof(sz));
        nShareImage = share.iImage;
        nShareSelectedImage = share.iSelectedImage;

        Select(hTree, hServer);
        bServerOk = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
        serverPath = DlgText(hDlg, IDC_BROWSE_PATH);
        Select(hTree, hNetwork);
        bNetworkOk = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
        networkPath = DlgText(hDlg, IDC_BROWSE_PATH);

        Expand(hTree, hDomain);
        workgroup = ChildTexts(hTree, hDomain);
        nLiveOpen = LiveNetResourceCopies() - nLiveBefore;

        Select(hTree, hShare);
        testsupport::ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());

    // Names: two backslashes off, a share cut after its last backslash, the
    // comment for a record without a remote name, capitals capitalised.
    EXPECT_EQ((std::vector<std::string>{"Microsoft Windows Network", "Server", "Workgroup"}), top);
    EXPECT_EQ((std::vector<std::string>{"Music", "share"}), shares);
    EXPECT_EQ((std::vector<std::string>{"Other"}), workgroup);
    EXPECT_TRUE(bShareSelected);
    EXPECT_TRUE(bShareOk);
    EXPECT_EQ("\\\\SERVER\\share\\", sharePath);
    EXPECT_FALSE(bServerOk);
    EXPECT_EQ("", serverPath);
    EXPECT_FALSE(bNetworkOk);
    EXPECT_EQ("", networkPath);
    EXPECT_EQ(9, nServerImage);
    EXPECT_EQ(8, nDomainImage);
    EXPECT_EQ(1, nShareImage);
    EXPECT_EQ(0, nShareSelectedImage);
    EXPECT_EQ("\\\\SERVER\\share\\", dlg.GetPath());

    // One record per container (Workgroup, Server, the network, Other), all
    // freed at close; every enumeration opened was closed.
    EXPECT_EQ(4, nLiveOpen);
    EXPECT_EQ(nLiveBefore, LiveNetResourceCopies());
    EXPECT_EQ(network.m_nOpen, network.m_nClosed);
    EXPECT_EQ(network.m_nOpen, network.m_nEnumCalls);
    ASSERT_GE(network.m_scopes.size(), 3u);
    EXPECT_EQ(static_cast<DWORD>(RESOURCE_CONTEXT), network.m_scopes[0]);
    EXPECT_EQ(static_cast<DWORD>(RESOURCE_GLOBALNET), network.m_scopes[1]);
}

TEST(BrowseTreeNetwork, CancelFreesRecordsAndAFailedEnumerationRemovesTheButton)
{
    {
        FakeNetwork network;
        NetworkScope scope(&network);
        const int nLiveBefore = LiveNetResourceCopies();
        CBrowseTreeDialog dlg;
        dlg.SetPath("\\");
        int nLive = 0;
        testsupport::ModalDriver driver([&](HWND hDlg) {
            nLive = LiveNetResourceCopies() - nLiveBefore;
            testsupport::ClickButton(hDlg, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(3, nLive);
        EXPECT_EQ(nLiveBefore, LiveNetResourceCopies());
    }

    // The system's enumeration (no network here): the item has nothing below.
    CBrowseTreeDialog dlg;
    dlg.SetPath("\\");
    int nChildren = -1;
    bool bSelected = false;
    bool bOk = true;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        HWND hTree = GetDlgItem(hDlg, IDC_BROWSE_TREE);
        HTREEITEM hNetwork = FindChild(hTree, nullptr, "Network Neighborhood");
        nChildren = ChildrenCount(hTree, hNetwork);
        bSelected = Next(hTree, nullptr, TVGN_CARET) == hNetwork;
        bOk = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
        testsupport::ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, nChildren);
    EXPECT_TRUE(bSelected);
    EXPECT_FALSE(bOk);
    EXPECT_EQ("Network Neighborhood\\", dlg.GetPath());
}

TEST(BrowseTreeNames, FormattingAndPathSegments)
{
    EXPECT_EQ("Windows", CBrowseTreeDialog::FormatName("WINDOWS"));
    EXPECT_EQ("Progra~1", CBrowseTreeDialog::FormatName("PROGRA~1"));
    EXPECT_EQ("C:", CBrowseTreeDialog::FormatName("C:"));
    EXPECT_EQ("MyMusic", CBrowseTreeDialog::FormatName("MyMusic"));
    EXPECT_EQ("\xC9t\xC9", CBrowseTreeDialog::FormatName("\xC9T\xC9"));  // bytes above 127 untouched
    EXPECT_EQ("", CBrowseTreeDialog::FormatName(""));

    std::string s;
    const std::string path = "C:\\Music\\";
    ASSERT_TRUE(CBrowseTreeDialog::GetPathSegment(path, 0, &s));
    EXPECT_EQ("C:", s);
    ASSERT_TRUE(CBrowseTreeDialog::GetPathSegment(path, 1, &s));
    EXPECT_EQ("Music", s);
    ASSERT_TRUE(CBrowseTreeDialog::GetPathSegment(path, 2, &s));
    EXPECT_EQ("", s);
    EXPECT_FALSE(CBrowseTreeDialog::GetPathSegment(path, 3, &s));
    ASSERT_TRUE(CBrowseTreeDialog::GetPathSegment("\\\\SERVER", 0, &s));
    EXPECT_EQ("", s);
    ASSERT_TRUE(CBrowseTreeDialog::GetPathSegment("\\\\SERVER", 2, &s));
    EXPECT_EQ("SERVER", s);
}
