#include "mp3/HostPath.h"

#include <windows.h>

#include <vector>

#ifdef __WINE__
// kernel32's conversion of a Windows path into the host's; the result comes
// from the process heap.
extern "C" char* CDECL wine_get_unix_file_name(const WCHAR* pszDosName);
#endif

namespace mp3 {

std::string HostPath(const std::string& windowsPath)
{
#ifdef __WINE__
    const int cch = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (cch <= 0)
        return std::string();
    std::vector<WCHAR> wide(cch);
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), cch);
    char* pszUnix = wine_get_unix_file_name(wide.data());
    if (pszUnix == nullptr)
        return std::string();
    std::string unixPath(pszUnix);
    HeapFree(GetProcessHeap(), 0, pszUnix);
    return unixPath;
#else
    return windowsPath;
#endif
}

}  // namespace mp3
