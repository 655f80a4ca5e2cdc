// Reads album and comment of N generated MP3 files (default 10 000) with
// ReadTags, and with a bare loop of the same libid3tag calls on the files'
// host paths, alternately, several runs each; prints the medians and the
// ratio. Usage: catalog_bench [files] [runs]
#include <windows.h>

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
#include "support/HostPath.h"
#include "support/Mp3Files.h"
#include "support/TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv)
{
    const int nFiles = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int nRuns = argc > 2 ? std::atoi(argv[2]) : 5;
    if (nFiles <= 0 || nRuns <= 0)
        return 2;

    testsupport::TempFolder folder("qbench");
    std::vector<std::string> paths, unixPaths;
    const std::string audio = testsupport::MpegFrames(2);
    for (int i = 0; i < nFiles; ++i) {
        char szName[64];
        snprintf(szName, sizeof(szName), "track%05d.mp3", i);
        testsupport::CRenderedTag tag;
        const std::u32string number = testsupport::Latin1Text(std::to_string(i));
        tag.AddText("TIT2", {U"Track " + number});
        tag.AddText("TALB", {U"Album number " + number});
        tag.AddComment("eng", U"", U"A comment of some length " + number);
        paths.push_back(folder.File(szName));
        if (!testsupport::WriteFileBytes(paths.back(), tag.Render() + audio))
            return 1;
        unixPaths.push_back(testsupport::HostPath(paths.back()));
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
    auto msSince = [](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
    };
    for (int run = 0; run <= nRuns; ++run) {  // run 0 warms the caches
        // The two loops take turns at going first.
        double msReadTags = 0, msBare = 0;
        for (int turn = 0; turn < 2; ++turn) {
            const auto t = Clock::now();
            if ((turn == 0) == (run % 2 == 0)) {
                cchCheckA = readAll();
                msReadTags = msSince(t);
            } else {
                cchCheckB = readAllBare();
                msBare = msSince(t);
            }
        }
        const auto t = Clock::now();
        size_t cchConverted = 0;
        for (const auto& path : paths)
            cchConverted += testsupport::HostPath(path).size();
        const double msConvert = msSince(t);
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
    std::printf("catalog_bench (Winelib under Wine): %d files, median of %d runs\n", nFiles, nRuns);
    std::printf("  ReadTags (Windows paths):        %8.1f ms  (%.1f us per file)\n", a,
                1000.0 * a / nFiles);
    std::printf("  bare libid3tag loop (Unix paths): %8.1f ms  (%.1f us per file)\n", b,
                1000.0 * b / nFiles);
    std::printf("  path conversion alone:           %8.1f ms  (%.1f us per file)\n",
                Median(convertMs), 1000.0 * Median(convertMs) / nFiles);
    std::printf("  ratio ReadTags / bare loop:       %8.3f\n", a / b);
    return 0;
}
