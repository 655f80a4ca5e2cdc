// Runs ReadTags over every file named on the command line (folders are read
// one level deep; "--path P" hands P itself to ReadTags) and checks that each
// call returns within a time limit and leaves no file descriptor open, and
// that the process never grew beyond a memory limit. The sanitizers report
// memory faults and leaks. Prints one summary line; exit code 0 when all
// went well.
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/TagReader.h"

namespace {

const unsigned kSecondsPerFile = 10;
// The reader's own bound is 64 MB; the sanitizers add their shadow memory.
const long kPeakLimitMb = 128;
const char* g_pszCurrent = "";

void OnAlarm(int)
{
    static const char kText[] = "tag_reader_check: no answer within the time limit for ";
    (void)!write(2, kText, sizeof(kText) - 1);
    (void)!write(2, g_pszCurrent, strlen(g_pszCurrent));
    (void)!write(2, "\n", 1);
    _exit(3);
}

int OpenDescriptors()
{
    int n = 0;
    if (DIR* pDir = opendir("/proc/self/fd")) {
        while (readdir(pDir))
            ++n;
        closedir(pDir);
    }
    return n;
}

void Collect(const std::string& path, std::vector<std::string>& files)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        if (DIR* pDir = opendir(path.c_str())) {
            while (dirent* pEntry = readdir(pDir)) {
                if (pEntry->d_name[0] != '.')
                    files.push_back(path + "/" + pEntry->d_name);
            }
            closedir(pDir);
        }
        return;
    }
    files.push_back(path);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--path") == 0 && i + 1 < argc)
            files.push_back(argv[++i]);
        else
            Collect(argv[i], files);
    }
    signal(SIGALRM, OnAlarm);

    unsigned nRead = 0, nCantOpen = 0, nCantRead = 0, nWithText = 0, nLeaks = 0;
    for (const std::string& file : files) {
        g_pszCurrent = file.c_str();
        const int nBefore = OpenDescriptors();
        std::string comment, album;
        alarm(kSecondsPerFile);
        const std::string message = ReadTags(file.c_str(), comment, album);
        alarm(0);
        if (OpenDescriptors() != nBefore) {
            std::fprintf(stderr, "tag_reader_check: descriptor left open by %s\n", file.c_str());
            ++nLeaks;
        }
        if (message.empty())
            ++nRead;
        else if (message == kMsgCantOpenTags)
            ++nCantOpen;
        else
            ++nCantRead;
        if (!comment.empty() || !album.empty())
            ++nWithText;
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const long nPeakMb = usage.ru_maxrss / 1024;
    std::printf("tag_reader_check: %zu files: %u read (%u with album or comment), "
                "%u could not be opened, %u without tags, %u descriptor leaks, peak memory %ld MB "
                "(limit %ld MB)\n",
                files.size(), nRead, nWithText, nCantOpen, nCantRead, nLeaks, nPeakMb,
                kPeakLimitMb);
    return nLeaks == 0 && nPeakMb <= kPeakLimitMb && !files.empty() ? 0 : 1;
}
