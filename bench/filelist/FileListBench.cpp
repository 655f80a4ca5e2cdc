// Loads a file list of N generated MP3 files in F folders (default 10 000 in
// 100) into a grid set up like the program's, as the Load command does after
// the folder picker (empty the list, scan, tags, rows, sort, auto-size), and
// reads the same files with a bare loop of the same libid3tag calls, taking
// turns, several runs each with warm caches; prints the medians in files per
// second and the ratio. The scan that closes every folder level as well is
// timed once for comparison.
// Usage: filelist_bench [files] [folders] [runs]
#include <windows.h>

#include <id3tag.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "catalog/FileListGrid.h"
#include "catalog/FolderScan.h"
#include "grid/GridCtrl.h"
#include "common/BareTagRead.h"
#include "mp3/HostPath.h"
#include "mp3/Mp3Builder.h"
#include "support/TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

// A top-level window of the main window's size with the file-list grid.
class Host {
public:
    Host()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuillonBenchHost";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(0, wc.lpszClassName, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 900, 600, nullptr, nullptr, wc.hInstance, nullptr);
        InitFileListGrid(grid, m_hWnd, TRUE);
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        grid.MoveWindow(0, 0, rc.right, rc.bottom, TRUE);
        grid.ExpandFirstColumnToFit();
    }
    ~Host() { DestroyWindow(m_hWnd); }
    CGridCtrl grid{0, 0, 0, 0};

private:
    HWND m_hWnd = nullptr;
};

// One Load into the grid: emptied from the last row, then the scan.
size_t Load(CGridCtrl& grid, const std::string& folder, bool bEveryLevel)
{
    for (int nRow = grid.GetRowCount() - 1; nRow >= 1; --nRow)
        grid.DeleteRow(nRow);
    CFolderScan scan(grid, TRUE);
    scan.SetClosingStepsAtEveryLevel(bEveryLevel);
    scan.ScanFolder(folder.c_str(), false);
    size_t cch = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        cch += grid.GetItemText(nRow, kColComment).size() + grid.GetItemText(nRow, kColAlbum).size();
    return cch;
}

// The folder search of the scan alone: every entry of the tree, no tags.
size_t SearchTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    size_t n = 0;
    do {
        if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0)
            continue;
        ++n;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            n += SearchTree(folder + "\\" + data.cFileName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return n;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int nFiles = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int nFolders = argc > 2 ? std::atoi(argv[2]) : 100;
    const int nRuns = argc > 3 ? std::atoi(argv[3]) : 5;
    if (nFiles <= 0 || nFolders <= 0 || nRuns <= 0)
        return 2;

    testsupport::TempFolder top("qlistbench");
    std::vector<std::string> unixPaths;
    const std::string audio = mp3::AudioFrames(2);
    for (int f = 0; f < nFolders; ++f) {
        char szFolder[64];
        snprintf(szFolder, sizeof(szFolder), "Album folder %03d", f);
        if (!CreateDirectoryA(top.File(szFolder).c_str(), nullptr))
            return 1;
    }
    for (int i = 0; i < nFiles; ++i) {
        char szName[96];
        snprintf(szName, sizeof(szName), "Album folder %03d\\track%05d.mp3", i % nFolders, i);
        mp3::CRenderedTag tag;
        const std::u32string number = mp3::Latin1Text(std::to_string(i));
        tag.AddText("TIT2", {U"Track " + number});
        tag.AddText("TALB", {U"Album number " + number});
        tag.AddComment("eng", U"", U"A comment " + number);
        const std::string path = top.File(szName);
        if (!testsupport::WriteFileBytes(path, tag.Render() + audio))
            return 1;
        unixPaths.push_back(mp3::HostPath(path));
    }

    Host host;
    auto msSince = [](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
    };
    std::vector<double> loadMs, bareMs, searchMs;
    size_t cchLoad = 0, cchBare = 0;
    for (int run = 0; run <= nRuns; ++run) {  // run 0 warms the caches
        double msLoad = 0, msBare = 0;
        for (int turn = 0; turn < 2; ++turn) {
            const auto t = Clock::now();
            if ((turn == 0) == (run % 2 == 0)) {
                cchLoad = Load(host.grid, top.Path() + "\\", false);
                msLoad = msSince(t);
                Pump();
            } else {
                cchBare = 0;
                for (const auto& unixPath : unixPaths)
                    cchBare += BareRead(unixPath);
                msBare = msSince(t);
            }
        }
        const auto tSearch = Clock::now();
        SearchTree(top.Path());
        const double msSearch = msSince(tSearch);
        if (run > 0) {
            searchMs.push_back(msSearch);
            loadMs.push_back(msLoad);
            bareMs.push_back(msBare);
        }
    }
    if (cchLoad != cchBare || host.grid.GetRowCount() != nFiles + 1) {
        std::printf("filelist_bench: the Load and the bare loop read different texts (%zu, %zu)\n",
                    cchLoad, cchBare);
        return 1;
    }
    const auto t = Clock::now();
    Load(host.grid, top.Path() + "\\", true);
    const double msEveryLevel = msSince(t);

    const double a = Median(loadMs), b = Median(bareMs);
    std::printf("filelist_bench (Winelib under Wine): %d files in %d folders, median of %d runs\n",
                nFiles, nFolders, nRuns);
    std::printf("  Load (scan, tags, rows, sort, auto-size): %8.1f ms  %9.0f files/s\n", a,
                1000.0 * nFiles / a);
    std::printf("  bare libid3tag loop:                      %8.1f ms  %9.0f files/s\n", b,
                1000.0 * nFiles / b);
    std::printf("  folder search alone (FindFirstFile):     %8.1f ms\n", Median(searchMs));
    std::printf("  ratio Load / bare loop:                   %8.2f\n", a / b);
    std::printf("  Load closing every folder level (once):   %8.1f ms  %9.0f files/s\n",
                msEveryLevel, 1000.0 * nFiles / msEveryLevel);
    return 0;
}
