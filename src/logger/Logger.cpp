// Logger.dll: the exported global log object and its factory.
#include <windows.h>

#include "log/SwiftTraceLog.h"
#include "logger/FileTraceSink.h"
#include "logger/TraceFlags.h"

extern "C" {
// Silent until makeTraceLog opens a sink.
SwiftTraceLog global_TheOneSwiftTraceLog = {};
}

namespace {
FileTraceSink g_sink;
}

extern "C" std::uint32_t makeTraceLog(const char* pszFile, const char* pszFlags)
{
    SwiftTraceLog& log = global_TheOneSwiftTraceLog;
    log.m_pSink = nullptr;
    if (!g_sink.Open(pszFile, pszFlags))
        return 0;
    for (unsigned char& b : log.m_abChannelOn)
        b = 0;
    log.m_bCategoryMask = 0;
    ApplyTraceFlags(pszFlags, log);
    log.m_pSink = &g_sink;
    return 1;
}
