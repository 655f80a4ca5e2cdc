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

namespace {

// Copies text into a line buffer with every control character written as an
// escape: \n, \r and \t for line feed, carriage return and tab, \xNN (two
// upper-case hex digits) for the others, 0x7F included. A backslash stays as
// it is: paths are full of them. Copying stops before an escape that would not
// fit in cbLine - 1 bytes; the result is NUL-terminated and its length is
// returned.
size_t CopyEscaped(char* pszLine, size_t cbLine, const char* pszText)
{
    static const char kHex[] = "0123456789ABCDEF";
    size_t n = 0;
    for (const char* p = pszText; *p != '\0'; ++p) {
        const unsigned char ch = static_cast<unsigned char>(*p);
        char escape[5] = {static_cast<char>(ch), '\0'};
        if (ch == '\n' || ch == '\r' || ch == '\t') {
            escape[0] = '\\';
            escape[1] = ch == '\n' ? 'n' : ch == '\r' ? 'r' : 't';
            escape[2] = '\0';
        } else if (ch < 0x20 || ch == 0x7F) {
            escape[0] = '\\';
            escape[1] = 'x';
            escape[2] = kHex[ch >> 4];
            escape[3] = kHex[ch & 0xF];
        }
        const size_t cch = strlen(escape);
        if (n + cch >= cbLine)
            break;
        memcpy(pszLine + n, escape, cch);
        n += cch;
    }
    pszLine[n] = '\0';
    return n;
}

}  // namespace

// Line format: "YYYY-MM-DD hh:mm:ss.mmm module(line) [category:channel] text",
// with the control characters of module and text escaped, so that one call
// gives one line whatever a file name or a window text holds.
void FileTraceSink::Write(const char* pszModule, int nLine, int /*nLevel*/, int nCategory,
                          int nChannel, const char* pszFormat, ...)
{
    if (m_hFile == INVALID_HANDLE_VALUE || pszFormat == nullptr)
        return;

    SYSTEMTIME st;
    GetLocalTime(&st);
    char szRaw[2048];
    const int n = snprintf(szRaw, sizeof(szRaw),
                           "%04u-%02u-%02u %02u:%02u:%02u.%03u %s(%d) [%d:%d] ", st.wYear,
                           st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds,
                           pszModule ? pszModule : "?", nLine, nCategory, nChannel);
    if (n < 0)
        return;
    if (n < static_cast<int>(sizeof(szRaw)) - 1) {
        va_list args;
        va_start(args, pszFormat);
        if (vsnprintf(szRaw + n, sizeof(szRaw) - static_cast<size_t>(n), pszFormat, args) < 0)
            szRaw[n] = '\0';
        va_end(args);
    }

    // Room for the line end after the escaped text; an overlong line is cut.
    char szLine[2048];
    size_t cb = CopyEscaped(szLine, sizeof(szLine) - 2, szRaw);
    szLine[cb++] = '\r';
    szLine[cb++] = '\n';

    DWORD dwWritten = 0;
    WriteFile(m_hFile, szLine, static_cast<DWORD>(cb), &dwWritten, nullptr);
}
