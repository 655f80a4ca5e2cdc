// The sink of Logger.dll: one log file, one line per Write, each line handed
// to the system before Write returns so that a killed process loses nothing.
#pragma once

#include <windows.h>

#include "log/SwiftTraceLog.h"

class FileTraceSink final : public SwiftTraceSink {
public:
    FileTraceSink() = default;
    FileTraceSink(const FileTraceSink&) = delete;
    FileTraceSink& operator=(const FileTraceSink&) = delete;

    // Opens (and empties) the file; a relative name goes to LogFolder().
    int Open(const char* pszFile, const char* pszFlags) override;
    void Close() override;
    void Flush() override;
    void Write(const char* pszModule, int nLine, int nLevel, int nCategory, int nChannel,
               const char* pszFormat, ...) override;

    // The folder of relative log names: QUILLON_LOG_DIR when set, else the
    // user's temporary folder.
    static void LogFolder(char* pszFolder, DWORD cchFolder);

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
