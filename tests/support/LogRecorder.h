// Takes the place of the log file while it lives: every category is switched
// on and each line is kept as "module|category|channel|text" in m_lines, and
// with its source line as "module(line) [category:channel] text" in
// m_linesWithSource. The global log object is restored afterwards.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "log/SwiftTraceLog.h"

namespace testsupport {

class LogRecorder final : public SwiftTraceSink {
public:
    LogRecorder() : m_saved(global_TheOneSwiftTraceLog)
    {
        SwiftTraceLog& log = global_TheOneSwiftTraceLog;
        for (auto& b : log.m_abChannelOn)
            b = 0;
        log.m_bCategoryMask = 0xFF;
        log.m_pSink = this;
    }
    ~LogRecorder() { global_TheOneSwiftTraceLog = m_saved; }
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;

    int Open(const char*, const char*) override { return 1; }
    void Close() override {}
    void Flush() override {}
    void Write(const char* pszModule, int nLine, int, int nCategory, int nChannel,
               const char* pszFormat, ...) override
    {
        char szText[1024];
        va_list args;
        va_start(args, pszFormat);
        vsnprintf(szText, sizeof(szText), pszFormat, args);
        va_end(args);
        char szLine[1200];
        snprintf(szLine, sizeof(szLine), "%s|%d|%d|%s", pszModule, nCategory, nChannel, szText);
        m_lines.emplace_back(szLine);
        snprintf(szLine, sizeof(szLine), "%s(%d) [%d:%d] %s", pszModule, nLine, nCategory, nChannel,
                 szText);
        m_linesWithSource.emplace_back(szLine);
    }

    // Number of lines equal to the given one.
    size_t Count(const std::string& line) const
    {
        size_t n = 0;
        for (const auto& l : m_lines)
            n += l == line ? 1 : 0;
        return n;
    }
    void Clear()
    {
        m_lines.clear();
        m_linesWithSource.clear();
    }

    std::vector<std::string> m_lines;
    std::vector<std::string> m_linesWithSource;

private:
    SwiftTraceLog m_saved;
};

}  // namespace testsupport
