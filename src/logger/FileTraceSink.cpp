#include "logger/FileTraceSink.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void FileTraceSink::LogFolder(char* pszFolder, DWORD cchFolder)
{
    const DWORD n = GetEnvironmentVariableA("QUILLON_LOG_DIR", pszFolder, cchFolder);
    if (n == 0 || n >= cchFolder) {
        const DWORD t = GetTempPathA(cchFolder, pszFolder);
        if (t == 0 || t >= cchFolder)
            pszFolder[0] = '\0';
    }
}

int FileTraceSink::Open(const char* pszFile, const char* /*pszFlags*/)
{
    Close();
    if (pszFile == nullptr || *pszFile == '\0')
        return 0;

    char szPath[MAX_PATH * 2] = "";
    const bool bAbsolute = pszFile[0] == '\\' || pszFile[0] == '/' ||
                           (pszFile[0] != '\0' && pszFile[1] == ':');
    if (!bAbsolute) {
        LogFolder(szPath, MAX_PATH);
        const size_t n = strlen(szPath);
        if (n > 0 && szPath[n - 1] != '\\' && szPath[n - 1] != '/')
            strncat(szPath, "\\", sizeof(szPath) - strlen(szPath) - 1);
    }
    strncat(szPath, pszFile, sizeof(szPath) - strlen(szPath) - 1);

    m_hFile = CreateFileA(szPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE ? 1 : 0;
}

void FileTraceSink::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

void FileTraceSink::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        FlushFileBuffers(m_hFile);
}

// Line format: "YYYY-MM-DD hh:mm:ss.mmm module(line) [category:channel] text".
void FileTraceSink::Write(const char* pszModule, int nLine, int /*nLevel*/, int nCategory,
                          int nChannel, const char* pszFormat, ...)
{
    if (m_hFile == INVALID_HANDLE_VALUE || pszFormat == nullptr)
        return;

    SYSTEMTIME st;
    GetLocalTime(&st);
    char szLine[2048];
    int n = snprintf(szLine, sizeof(szLine), "%04u-%02u-%02u %02u:%02u:%02u.%03u %s(%d) [%d:%d] ",
                     st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                     st.wMilliseconds, pszModule ? pszModule : "?", nLine, nCategory, nChannel);
    if (n < 0)
        return;
    if (n > static_cast<int>(sizeof(szLine)) - 3)
        n = static_cast<int>(sizeof(szLine)) - 3;

    va_list args;
    va_start(args, pszFormat);
    int m = vsnprintf(szLine + n, sizeof(szLine) - 2 - n, pszFormat, args);
    va_end(args);
    if (m < 0)
        m = 0;
    n += m;
    if (n > static_cast<int>(sizeof(szLine)) - 3)  // cut at the buffer's end
        n = static_cast<int>(sizeof(szLine)) - 3;
    szLine[n++] = '\r';
    szLine[n++] = '\n';

    DWORD dwWritten = 0;
    WriteFile(m_hFile, szLine, static_cast<DWORD>(n), &dwWritten, nullptr);
}
