#include "support/FolderLink.h"

#include <windows.h>

#ifdef __WINE__
#include <unistd.h>
#endif

namespace testsupport {

#ifdef __WINE__
bool MakeFolderLink(const std::string& linkPath, const std::string& targetPath)
{
    const std::string link = mp3::HostPath(linkPath);
    const std::string target = mp3::HostPath(targetPath);
    return !link.empty() && !target.empty() && symlink(target.c_str(), link.c_str()) == 0;
}

bool MakeUnopenableFile(const std::string& path)
{
    const std::string unixPath = mp3::HostPath(path);
    return !unixPath.empty() && BindUnixSocket(unixPath);
}
#else
bool MakeFolderLink(const std::string& linkPath, const std::string& targetPath)
{
    return CreateSymbolicLinkA(linkPath.c_str(), targetPath.c_str(),
                               SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;
}

// A file opened without sharing stays unopenable while the handle lives
// (it is left open for the rest of the test program).
bool MakeUnopenableFile(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr) != INVALID_HANDLE_VALUE;
}
#endif

}  // namespace testsupport
