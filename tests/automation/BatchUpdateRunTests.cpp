#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "automation/BatchUpdateRun.h"
#include "grid/GridTestSupport.h"
#include "support/RecordingPrompt.h"
#include "support/TestSupport.h"
#include "ui/UiIds.h"

namespace {

struct Call {
    std::string path;
    std::string album;  // "<null>" when none was passed
    std::string progressText;
};

BOOL CALLBACK FindProgressProc(HWND hWnd, LPARAM lParam)
{
    char sz[64] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    // Created as "AVC Progress"; the percentage caption uses the window's
    // own title, "Progress [n%]".
    if (strncmp(sz, "AVC Progress", 12) != 0 && strncmp(sz, "Progress [", 10) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

HWND ProgressWindow()
{
    HWND hWnd = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindProgressProc, reinterpret_cast<LPARAM>(&hWnd));
    return hWnd;
}

std::string ProgressText()
{
    char sz[600] = "";
    GetDlgItemTextA(ProgressWindow(), IDC_PROGRESS_TEXT, sz, sizeof(sz));
    return sz;
}

// A file list of six rows; rows named in `selected` are selected whole.
class BatchRun : public testing::Test {
protected:
    void SetUp() override
    {
        gridtest::SetUpLikeFileList(host.Grid());
        CGridCtrl& grid = host.Grid();
        for (int i = 1; i <= 6; ++i) {
            const std::string path = "C:\\Music\\Row " + std::to_string(i) + "\\track.mp3";
            const int nRow = grid.InsertRow(path.c_str(), -1);
            grid.SetItemText(nRow, 2, "Album");
            grid.SetItemText(nRow, 4, "Album");
        }
    }
    void Select(std::initializer_list<int> rows)
    {
        for (int nRow : rows)
            for (int nCol = 0; nCol < host.Grid().GetColumnCount(); ++nCol)
                host.Grid().SetItemState(nRow, nCol, host.Grid().GetItemState(nRow, nCol) | GVIS_SELECTED);
    }
    // Runs the batch with a per-file function that records its calls and
    // does what `during` says while "processing" file n (1-based).
    bool Run(const std::function<bool(int)>& during = [](int) { return true; })
    {
        return UpdateSelectedFiles(host.Grid(), nullptr, [&](const char* pszPath, const char* pszAlbum) {
            calls.push_back({pszPath, pszAlbum ? pszAlbum : "<null>", ProgressText()});
            return during(static_cast<int>(calls.size()));
        });
    }

    gridtest::GridHost host;
    std::vector<Call> calls;
    testsupport::RecordingPrompt prompt;
};

}  // namespace

TEST_F(BatchRun, SelectedRowsInOrderWithProgressTextAndAlbumOnlyWhenChanged)
{
    Select({3, 5, 6});
    host.Grid().SetItemText(5, 2, "Row 5");  // changed by Change Album
    ASSERT_TRUE(Run());
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("C:\\Music\\Row 3\\track.mp3", calls[0].path);
    EXPECT_EQ("1 of 3\nC:\\Music\\Row 3\\track.mp3", calls[0].progressText);
    EXPECT_EQ("<null>", calls[0].album);
    EXPECT_EQ("2 of 3\nC:\\Music\\Row 5\\track.mp3", calls[1].progressText);
    EXPECT_EQ("Row 5", calls[1].album);
    EXPECT_EQ("3 of 3\nC:\\Music\\Row 6\\track.mp3", calls[2].progressText);
    EXPECT_TRUE(prompt.m_texts.empty());
    EXPECT_EQ(nullptr, ProgressWindow());  // gone after the run
    // The grid is not changed by the run.
    EXPECT_EQ("Row 5", host.Grid().GetItemText(5, 2));
    EXPECT_EQ("", host.Grid().GetItemText(5, 1));
}

TEST_F(BatchRun, NothingSelectedDoesNothing)
{
    ASSERT_TRUE(Run());
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(prompt.m_texts.empty());
}

TEST_F(BatchRun, PercentSignsInPathsAreShownVerbatim)
{
    host.Grid().SetItemText(2, 0, "C:\\100% Hits %s %d\\song.mp3");
    Select({2});
    ASSERT_TRUE(Run());
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("1 of 1\nC:\\100% Hits %s %d\\song.mp3", calls[0].progressText);
}

TEST_F(BatchRun, CancelButtonAndEscapeStopBeforeTheNextFile)
{
    Select({1, 2, 3});
    // The click waits in the queue while the file runs; it is seen before the next one.
    ASSERT_TRUE(Run([](int n) {
        if (n == 1)
            PostMessageA(ProgressWindow(), WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(ProgressWindow(), IDC_PROGRESS_CANCEL)));
        return true;
    }));
    EXPECT_EQ(1u, calls.size());
    ASSERT_EQ(1u, prompt.m_texts.size());
    EXPECT_EQ("Cancelled at user request", prompt.m_texts[0]);
    EXPECT_EQ(static_cast<UINT>(MB_OK), prompt.m_types[0]);  // no icon
    EXPECT_EQ(nullptr, ProgressWindow());

    calls.clear();
    prompt.m_texts.clear();
    ASSERT_TRUE(Run([](int n) {
        if (n == 2)
            PostMessageA(ProgressWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    }));
    EXPECT_EQ(2u, calls.size());
    EXPECT_EQ(std::vector<std::string>{"Cancelled at user request"}, prompt.m_texts);
}

TEST_F(BatchRun, CancelDuringTheLastFileIsNeverLookedAt)
{
    Select({4, 6});
    ASSERT_TRUE(Run([](int n) {
        if (n == 2)
            PostMessageA(ProgressWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    }));
    EXPECT_EQ(2u, calls.size());
    EXPECT_TRUE(prompt.m_texts.empty());
    testsupport::PumpFor(50);  // the stale key goes nowhere harmful
}

TEST_F(BatchRun, AFileThatStopsTheRunLeavesTheRestUntouched)
{
    Select({1, 2, 3});
    EXPECT_FALSE(Run([](int n) { return n != 2; }));
    EXPECT_EQ(2u, calls.size());
    EXPECT_EQ(nullptr, ProgressWindow());
}
