// A small GUI program that the grid's clipboard tests start as a second
// process: it writes the clipboard's CF_TEXT (up to its first zero byte)
// to the file named on its command line, or "<none>" when there is none.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR pszCmdLine, int)
{
    std::string path = pszCmdLine ? pszCmdLine : "";
    while (!path.empty() && (path.back() == ' ' || path.back() == '"'))
        path.pop_back();
    while (!path.empty() && (path.front() == ' ' || path.front() == '"'))
        path.erase(0, 1);
    if (path.empty())
        return 2;

    std::string text = "<none>";
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt)
        Sleep(100);
    HANDLE hData = GetClipboardData(CF_TEXT);
    if (hData != nullptr) {
        const char* p = static_cast<const char*>(GlobalLock(hData));
        if (p != nullptr) {
            const SIZE_T cb = GlobalSize(hData);
            const void* pEnd = std::memchr(p, '\0', cb);
            text.assign(p, pEnd ? static_cast<const char*>(pEnd) - p : cb);
            GlobalUnlock(hData);
        }
    }
    CloseClipboard();

    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    DWORD nWritten = 0;
    WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &nWritten, nullptr);
    CloseHandle(hFile);
    return 0;
}
