// A file finder over FindFirstFileA/FindNextFileA.
//
//   CFileFind finder;
//   BOOL bWorking = finder.FindFile("C:\\Music\\*.*");
//   while (bWorking) {
//       bWorking = finder.FindNextFile();
//       ... finder.GetFileName(), finder.IsDirectory() ...
//   }
//
// FindNextFile moves to the next entry and reports whether one more follows,
// so the entry of the last call is always valid after it. The search handle
// is closed by Close or the destructor.
#pragma once

#include <windows.h>

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search; TRUE when at least one entry matches.
    BOOL FindFile(const char* pszPattern);
    // Makes the next entry current; FALSE when it is the last one.
    BOOL FindNextFile();
    void Close();

    // The current entry (valid after FindNextFile).
    const char* GetFileName() const { return m_current.cFileName; }
    DWORD GetAttributes() const { return m_current.dwFileAttributes; }
    BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    BOOL IsHidden() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0; }
    BOOL IsSystem() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0; }
    // "." or "..".
    BOOL IsDots() const;

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_next = {};     // the entry FindNextFile will make current
    WIN32_FIND_DATAA m_current = {};
    bool m_bHasNext = false;
};
