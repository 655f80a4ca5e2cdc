#include "support/TestSupport.h"

#include <cstdio>
#include <vector>

namespace testsupport {

std::string ProgramFolder()
{
    char sz[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, sz, MAX_PATH);
    std::string path(sz);
    const auto pos = path.find_last_of('\\');
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

TempFolder::TempFolder(const char* pszPrefix)
{
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    static unsigned s_counter = 0;
    for (;;) {
        char szName[MAX_PATH];
        snprintf(szName, sizeof(szName), "%s%s%lu_%u", szTemp, pszPrefix,
                 static_cast<unsigned long>(GetCurrentProcessId()),
                 ++s_counter);
        if (CreateDirectoryA(szName, nullptr)) {
            m_path = szName;
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

// Removes a folder tree.
static void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(child);
            } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA(child.c_str());
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryA(path.c_str());
}

TempFolder::~TempFolder()
{
    if (!m_path.empty())
        RemoveTree(m_path);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD dw = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &dw, nullptr);
    CloseHandle(h);
    return ok && dw == bytes.size();
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string out;
    char buf[4096];
    DWORD dw = 0;
    while (ReadFile(h, buf, sizeof(buf), &dw, nullptr) && dw > 0)
        out.append(buf, dw);
    CloseHandle(h);
    return out;
}

bool PumpUntil(const std::function<bool()>& pred, DWORD dwTimeoutMs)
{
    const DWORD dwStart = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (pred())
            return true;
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD dwMs)
{
    PumpUntil([] { return false; }, dwMs);
}

void DeleteRegTree(HKEY hRoot, const char* pszPath)
{
    RegDeleteTreeA(hRoot, pszPath);
    RegDeleteKeyA(hRoot, pszPath);
}

}  // namespace testsupport
