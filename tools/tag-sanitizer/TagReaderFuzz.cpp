// libFuzzer target: the input becomes the bytes of an MP3 file that ReadTags
// reads. The file lives in memory-backed /dev/shm when there is one.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalog/TagReader.h"

namespace {

// The file of one fuzzing process, removed when the process ends.
struct ScratchFile {
    ScratchFile()
    {
        const char* pszFolder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path = std::string(pszFolder) + "/quillon_tag_fuzz_" + std::to_string(getpid()) + ".mp3";
    }
    ~ScratchFile() { std::remove(path.c_str()); }
    std::string path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t cb)
{
    static const ScratchFile s_file;
    const std::string& s_path = s_file.path;
    FILE* pFile = std::fopen(s_path.c_str(), "wb");
    if (!pFile)
        std::abort();
    if (cb && std::fwrite(pData, 1, cb, pFile) != cb)
        std::abort();
    std::fclose(pFile);

    std::string comment, album;
    ReadTags(s_path.c_str(), comment, album);
    return 0;
}
