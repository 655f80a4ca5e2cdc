// Runs MP3 files through the volume update script with the Audacity
// stand-in as Audacity, its progress windows as quick as it allows, and
// prints the wall time per file next to the time the script must sleep by
// itself (its three 1000 ms pauses and the poll steps of its waits), then
// the same for a batch of files through UpdateSelectedFiles, whose own
// share is the run's time beyond the per-file script.
// Usage: script_bench [files for the single runs (5)] [files for the batch (20)] [speed (instant)]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "automation/AutomationClock.h"
#include "automation/BatchUpdateRun.h"
#include "automation/VolumeUpdateScript.h"
#include "support/GridHost.h"
#include "mp3/Mp3Builder.h"
#include "support/RecordingPrompt.h"
#include "support/StandInSupport.h"
#include "support/TestSupport.h"

namespace {

// The real clock, adding up what the script sleeps.
class CountingClock : public CAutomationClock {
public:
    CountingClock() : m_scope(this) {}
    void Sleep(DWORD dwMilliseconds) override
    {
        m_dwSlept += dwMilliseconds;
        if (dwMilliseconds == 1000)
            ++m_nPauses;
        CAutomationClock::Sleep(dwMilliseconds);
    }
    DWORD m_dwSlept = 0;
    int m_nPauses = 0;

private:
    CAutomationClockScope m_scope;
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

double Now()
{
    static LARGE_INTEGER start = [] {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return t;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return Seconds(start, t);
}

std::vector<std::string> MakeFiles(const testsupport::TempFolder& folder, int nFiles)
{
    std::vector<std::string> files;
    for (int i = 0; i < nFiles; ++i) {
        mp3::Mp3FileDesc desc;
        desc.album = "Album";
        desc.comment = "Track " + std::to_string(i);
        files.push_back(folder.File("Track " + std::to_string(i) + ".mp3"));
        mp3::WriteMp3File(files.back(), desc);
    }
    return files;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR pszCmdLine, int)
{
    int nSingle = 5;
    int nBatch = 20;
    char szSpeed[64] = "instant";
    std::sscanf(pszCmdLine != nullptr ? pszCmdLine : "", "%d %d %63s", &nSingle, &nBatch, szSpeed);
    const std::string speed = szSpeed;
    const std::string program = testsupport::StandInProgramPath();
    testsupport::TempFolder folder("qsb");
    testsupport::StandInEnvironment environment("", "", speed);
    testsupport::RecordingPrompt prompt;  // a failed file must not wait for a person

    std::printf("volume update script against the stand-in (speed %s)\n", speed.c_str());
    {
        const std::vector<std::string> files = MakeFiles(folder, nSingle);
        double dWall = 0;
        double dSlept = 0;
        int nPauses = 0;
        for (const auto& file : files) {
            CountingClock clock;
            const double t0 = Now();
            ProcessFile(program.c_str(), file.c_str(), nullptr);
            dWall += Now() - t0;
            dSlept += clock.m_dwSlept / 1000.0;
            nPauses += clock.m_nPauses;
        }
        const double n = nSingle > 0 ? nSingle : 1;
        std::printf("  files: %d, error prompts: %zu\n", nSingle, prompt.m_texts.size());
        std::printf("  wall time per file: %.3f s\n", dWall / n);
        std::printf("  script's own minimum per file: %.3f s (pauses %.1f s, poll steps %.3f s)\n",
                    dSlept / n, nPauses / n, (dSlept - nPauses) / n);
        std::printf("  overhead beyond the minimum: %.3f s per file, %.1f %%\n",
                    (dWall - dSlept) / n, dSlept > 0 ? 100.0 * (dWall - dSlept) / dSlept : 0.0);
    }
    if (nBatch > 0) {
        testsupport::TempFolder batchFolder("qsb");
        const std::vector<std::string> files = MakeFiles(batchFolder, nBatch);
        testsupport::GridHost host(testsupport::GridHost::Setup::FileList);
        CGridCtrl& grid = host.Grid();
        for (const auto& file : files) {
            const int nRow = grid.InsertRow(file.c_str(), -1);
            grid.SetItemText(nRow, 2, "New Album");
            grid.SetItemText(nRow, 4, "Album");
        }
        // Selected once all rows are in: inserting a row clears the selection.
        for (int nRow = grid.GetFixedRowCount(); nRow < grid.GetRowCount(); ++nRow) {
            for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol)
                grid.SetItemState(nRow, nCol, grid.GetItemState(nRow, nCol) | GVIS_SELECTED);
        }
        double dInFiles = 0;
        int nDone = 0;
        const size_t nPromptsBefore = prompt.m_texts.size();
        const double t0 = Now();
        UpdateSelectedFiles(grid, nullptr, [&](const char* pszPath, const char* pszAlbum) {
            const double t = Now();
            const bool bGoOn = ProcessFile(program.c_str(), pszPath, pszAlbum);
            dInFiles += Now() - t;
            ++nDone;
            return bGoOn;
        });
        const double dRun = Now() - t0;
        std::printf("batch run of %d files through UpdateSelectedFiles (%d processed, %zu "
                    "prompts)\n",
                    nBatch, nDone, prompt.m_texts.size() - nPromptsBefore);
        std::printf("  seconds per file: %.3f\n", nDone > 0 ? dRun / nDone : 0.0);
        std::printf("  run's overhead beyond ProcessFile: %.3f s in all, %.3f %%\n",
                    dRun - dInFiles, dInFiles > 0 ? 100.0 * (dRun - dInFiles) / dInFiles : 0.0);
    }
    return 0;
}
