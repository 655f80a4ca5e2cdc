// The tag reader is plain C++ over libid3tag: no window, no framework. The
// same files build under Winelib and natively (for the sanitizer and fuzz
// runs); the only platform code is the path conversion below and the 64-bit
// file offsets of CTagStream.
#include "catalog/TagReader.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <id3tag.h>

#include "catalog/TagScanner.h"

#ifdef __WINE__
#include <windows.h>
#endif

namespace {

bool IsRegularFile(const std::string& strPath);

#ifdef __WINE__
// Wine's conversion of a Windows path looks up every component of it, which
// costs about as much as reading a small tag. The folder scan reads the
// files of one folder one after the other, so the Unix name of the last
// folder is kept, and a plain ASCII file name in that same folder is
// appended to it. Whenever the result does not name an existing file (a
// name in other case, a short name, a folder gone), Wine's full conversion
// decides. The program has one thread.
struct CFolderCache {
    std::string strWindowsFolder;  // as given, without the last backslash
    std::string strUnixFolder;
};
CFolderCache g_folderCache;

// A file name that means the same bytes on both sides: ASCII without the
// characters that Windows reserves, not "." or "..", and not ending in a
// dot or blank (Windows drops those).
bool IsPlainName(const char* pszName)
{
    if (!*pszName || std::strcmp(pszName, ".") == 0 || std::strcmp(pszName, "..") == 0)
        return false;
    for (const char* p = pszName; *p; ++p) {
        const unsigned char ch = static_cast<unsigned char>(*p);
        if (ch < 0x20 || ch >= 0x80 || std::strchr("/:*?\"<>|", ch))
            return false;
    }
    const char chLast = pszName[std::strlen(pszName) - 1];
    return chLast != '.' && chLast != ' ';
}

bool ConvertWholePath(const char* pszPath, std::string& strUnixPath)
{
    const int cchWide = MultiByteToWideChar(CP_ACP, 0, pszPath, -1, nullptr, 0);
    if (cchWide <= 0)
        return false;
    std::vector<WCHAR> wide(static_cast<size_t>(cchWide));
    if (MultiByteToWideChar(CP_ACP, 0, pszPath, -1, wide.data(), cchWide) != cchWide)
        return false;
    char* pszUnix = wine_get_unix_file_name(wide.data());
    if (!pszUnix)
        return false;
    std::unique_ptr<char, void (*)(char*)> owner(
        pszUnix, [](char* p) { HeapFree(GetProcessHeap(), 0, p); });
    strUnixPath = pszUnix;
    return true;
}
#endif

// Finds the file that the tags are read from: a regular file, named by a path
// of the host's C library. Under Wine that library takes Unix paths while
// the program's paths are Windows paths (ANSI code page); elsewhere the path
// is used as given. Only regular files qualify: the host C library opens a
// folder for reading (its "tags" would be empty), and opening a
// pipe or device could block for good.
bool FindLibraryFile(const char* pszPath, std::string& strLibraryPath)
{
#ifdef __WINE__
    // Only absolute paths ("X:\\..."): a relative one depends on the current
    // folder.
    const char* pszSlash = std::strrchr(pszPath, '\\');
    const bool bCacheable = pszSlash && pszPath[0] && pszPath[1] == ':' && pszPath[2] == '\\' &&
                            IsPlainName(pszSlash + 1);
    const size_t cchFolder = pszSlash ? static_cast<size_t>(pszSlash - pszPath) : 0;
    if (bCacheable && !g_folderCache.strUnixFolder.empty() &&
        g_folderCache.strWindowsFolder.compare(0, std::string::npos, pszPath, cchFolder) == 0) {
        strLibraryPath = g_folderCache.strUnixFolder + '/' + (pszSlash + 1);
        if (IsRegularFile(strLibraryPath))
            return true;
    }
    if (!ConvertWholePath(pszPath, strLibraryPath))
        return false;
    if (bCacheable) {
        const size_t posSlash = strLibraryPath.rfind('/');
        if (posSlash != std::string::npos && posSlash > 0 &&
            strLibraryPath.compare(posSlash + 1, std::string::npos, pszSlash + 1) == 0) {
            g_folderCache.strWindowsFolder.assign(pszPath, cchFolder);
            g_folderCache.strUnixFolder.assign(strLibraryPath, 0, posSlash);
        }
    }
#else
    strLibraryPath = pszPath;
#endif
    return IsRegularFile(strLibraryPath);
}

bool IsRegularFile(const std::string& strPath)
{
    struct stat st;
    return stat(strPath.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFREG;
}

struct FileCloser {
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct FreeDeleter {
    void operator()(id3_latin1_t* p) const { std::free(p); }
};

}  // namespace

// Opens the file read-only, takes both values and closes it again before it
// returns, so that the file is never held open while the user works.
std::string ReadTags(const char* pszPath, std::string& strComment, std::string& strAlbum)
{
    std::string strLibraryPath;
    if (!pszPath || !FindLibraryFile(pszPath, strLibraryPath))
        return kMsgCantOpenTags;

    FilePtr file(std::fopen(strLibraryPath.c_str(), "rb"));
    if (!file)
        return kMsgCantOpenTags;

    std::string strNewComment, strNewAlbum;
    if (!ScanTagTexts(file.get(), strNewComment, strNewAlbum))
        return kMsgCantReadTags;
    file.reset();

    strComment = std::move(strNewComment);
    strAlbum = std::move(strNewAlbum);
    return std::string();
}

// The first frame with the id counts, whatever its language or description.
// A comment frame's fields are text encoding, language, short description
// and full text; a text frame's are text encoding and the list of strings.
std::string GetFrameText(const id3_tag* pTag, const char* pszFrameId)
{
    if (!pTag || !pszFrameId)
        return std::string();
    const id3_frame* pFrame = id3_tag_findframe(pTag, pszFrameId, 0);
    if (!pFrame || !pFrame->fields)
        return std::string();

    const id3_ucs4_t* pText = nullptr;
    if (std::strcmp(pszFrameId, "COMM") == 0) {
        if (pFrame->nfields > 3)
            pText = id3_field_getfullstring(&pFrame->fields[3]);
    } else if (pFrame->nfields > 1) {
        pText = id3_field_getstrings(&pFrame->fields[1], 0);
    }
    if (!pText)
        return std::string();

    std::unique_ptr<id3_latin1_t, FreeDeleter> latin1(id3_ucs4_latin1duplicate(pText));
    if (!latin1)
        return std::string();
    return std::string(reinterpret_cast<const char*>(latin1.get()));
}
