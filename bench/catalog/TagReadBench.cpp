// Reads album and comment of N generated MP3 files (default 10 000) with
// ReadTags, and with a bare loop of the same libid3tag calls on the files'
// host paths, alternately, several runs each; prints the medians and the
// ratio. First it reads a set of malformed files once each (a SEEK loop,
// compressed album bombs, tags of 32 MB) and prints the slowest read and the
// process's peak working set before and after them.
// Usage: catalog_bench [files] [runs]
#include <windows.h>
#include <psapi.h>

#include <id3tag.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/TagReader.h"
#include "common/BareTagRead.h"
#include "mp3/HostPath.h"
#include "mp3/Mp3Builder.h"
#include "support/TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

double PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

// Writes head, nRepeats times chunk, then tail, without holding the file.
bool WriteRepeated(const std::string& path, const std::string& head, const std::string& chunk,
                   size_t nRepeats, const std::string& tail)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    bool bOk = true;
    auto put = [&](const std::string& bytes) {
        DWORD cbWritten = 0;
        bOk = bOk && WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &cbWritten,
                               nullptr) && cbWritten == bytes.size();
    };
    put(head);
    for (size_t i = 0; i < nRepeats; ++i)
        put(chunk);
    put(tail);
    CloseHandle(hFile);
    return bOk;
}

// The files that hung libid3tag's file reader or made it inflate gigabytes,
// and tags large enough to reach the reader's own bounds.
bool ReportMalformedFiles(const testsupport::TempFolder& folder)
{
    using namespace testsupport;
    using namespace mp3;
    const std::string audio = AudioFrames(2);
    const std::string album = Id3v23Frame("TALB", TextFrameBody(0, "Album"));
    const size_t cbBig = 32 << 20;
    const std::string ffRun(64 * 1024, '\xFF');
    const std::string tinyFrames = [] {
        std::string frames;
        for (int i = 0; i < 4096; ++i)
            frames += Id3v23Frame("TIT2", TextFrameBody(0, "x"));
        return frames;
    }();
    const size_t nTinyChunks = cbBig / tinyFrames.size();
    // An unsynchronised tag whose first frame holds 32 MB of 0xFF bytes.
    const std::string unsyncHead = Id3v2Header(3, 0x80, 10 + cbBig + album.size()) +
                                   std::string("TIT2\x02\0\0\0\0\0", 10);
    const struct {
        const char* pszName;
        bool bWritten;
    } files[] = {
        {"seek-loop.mp3",
         WriteFileBytes(folder.File("seek-loop.mp3"), SeekLoopFile("Loop", "Seek"))},
        {"bomb-40x8MB.mp3", WriteFileBytes(folder.File("bomb-40x8MB.mp3"),
                                           CompressedBombTag(40, 8 << 20, "Bomb") + audio)},
        {"bomb-64MB.mp3", WriteFileBytes(folder.File("bomb-64MB.mp3"),
                                         CompressedBombTag(1, 64 << 20, "Bomb") + audio)},
        {"unsync-32MB.mp3", WriteRepeated(folder.File("unsync-32MB.mp3"), unsyncHead, ffRun,
                                          cbBig / ffRun.size(), album + audio)},
        {"frames-32MB.mp3",
         WriteRepeated(folder.File("frames-32MB.mp3"),
                       Id3v2Header(3, 0, nTinyChunks * tinyFrames.size() + album.size()),
                       tinyFrames, nTinyChunks, album + audio)},
    };
    const double mbBefore = PeakWorkingSetMb();
    double msSlowest = 0;
    std::string slowest;
    for (const auto& file : files) {
        if (!file.bWritten)
            return false;
        std::string comment, albumRead;
        const auto t = Clock::now();
        ReadTags(folder.File(file.pszName).c_str(), comment, albumRead);
        const double ms = MsSince(t);
        if (ms >= msSlowest) {
            msSlowest = ms;
            slowest = file.pszName;
        }
    }
    std::printf("  malformed files (SEEK loop, 40x8 MB and 64 MB compressed albums, 32 MB tags):\n"
                "    slowest ReadTags %.1f ms (%s), peak working set %.1f MB before, "
                "%.1f MB after\n",
                msSlowest, slowest.c_str(), mbBefore, PeakWorkingSetMb());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nFiles = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int nRuns = argc > 2 ? std::atoi(argv[2]) : 5;
    if (nFiles <= 0 || nRuns <= 0)
        return 2;

    testsupport::TempFolder folder("qbench");
    std::printf("catalog_bench (Winelib under Wine)\n");
    if (!ReportMalformedFiles(folder))
        return 1;
    std::vector<std::string> paths, unixPaths;
    const std::string audio = mp3::AudioFrames(2);
    for (int i = 0; i < nFiles; ++i) {
        char szName[64];
        snprintf(szName, sizeof(szName), "track%05d.mp3", i);
        mp3::CRenderedTag tag;
        const std::u32string number = mp3::Latin1Text(std::to_string(i));
        tag.AddText("TIT2", {U"Track " + number});
        tag.AddText("TALB", {U"Album number " + number});
        tag.AddComment("eng", U"", U"A comment of some length " + number);
        paths.push_back(folder.File(szName));
        if (!testsupport::WriteFileBytes(paths.back(), tag.Render() + audio))
            return 1;
        unixPaths.push_back(mp3::HostPath(paths.back()));
    }

    std::vector<double> readTagsMs, bareMs, convertMs;
    size_t cchCheckA = 0, cchCheckB = 0;
    auto readAll = [&]() {
        size_t cch = 0;
        for (const auto& path : paths) {
            std::string comment, album;
            ReadTags(path.c_str(), comment, album);
            cch += comment.size() + album.size();
        }
        return cch;
    };
    auto readAllBare = [&]() {
        size_t cch = 0;
        for (const auto& unixPath : unixPaths)
            cch += BareRead(unixPath);
        return cch;
    };
    for (int run = 0; run <= nRuns; ++run) {  // run 0 warms the caches
        // The two loops take turns at going first.
        double msReadTags = 0, msBare = 0;
        for (int turn = 0; turn < 2; ++turn) {
            const auto t = Clock::now();
            if ((turn == 0) == (run % 2 == 0)) {
                cchCheckA = readAll();
                msReadTags = MsSince(t);
            } else {
                cchCheckB = readAllBare();
                msBare = MsSince(t);
            }
        }
        const auto t = Clock::now();
        size_t cchConverted = 0;
        for (const auto& path : paths)
            cchConverted += mp3::HostPath(path).size();
        const double msConvert = MsSince(t);
        if (run > 0 && cchConverted > 0) {
            readTagsMs.push_back(msReadTags);
            bareMs.push_back(msBare);
            convertMs.push_back(msConvert);
        }
    }
    if (cchCheckA != cchCheckB) {
        std::printf("catalog_bench: the two loops read different texts (%zu, %zu)\n", cchCheckA,
                    cchCheckB);
        return 1;
    }
    const double a = Median(readTagsMs), b = Median(bareMs);
    std::printf("  %d files, median of %d runs\n", nFiles, nRuns);
    std::printf("  ReadTags (Windows paths):        %8.1f ms  (%.1f us per file)\n", a,
                1000.0 * a / nFiles);
    std::printf("  bare libid3tag loop (Unix paths): %8.1f ms  (%.1f us per file)\n", b,
                1000.0 * b / nFiles);
    std::printf("  path conversion alone:           %8.1f ms  (%.1f us per file)\n",
                Median(convertMs), 1000.0 * Median(convertMs) / nFiles);
    std::printf("  ratio ReadTags / bare loop:       %8.3f\n", a / b);
    return 0;
}
