// Log sites. A site reads the global log object fresh, tests the enable rule
// and only then evaluates its arguments and formats anything.
#pragma once

#include "log/SwiftTraceLog.h"

// The level value that every site of the program passes.
constexpr int kLogLevel = 4;

// Log categories.
constexpr int kLogTrace = 8;     // step trace
constexpr int kLogResult = 1;    // results and failures
constexpr int kLogDisabled = 2;  // a window found disabled

inline SwiftTraceSink* LogSinkIfEnabled(int nCategory, int nChannel)
{
    const volatile SwiftTraceLog& log = global_TheOneSwiftTraceLog;
    SwiftTraceSink* pSink = log.m_pSink;
    if (pSink == nullptr)
        return nullptr;
    const bool bChannelOn = nChannel >= 0 && nChannel < SwiftTraceLog::kChannelCount &&
                            log.m_abChannelOn[nChannel] != 0;
    if ((log.m_bCategoryMask & nCategory) == 0 && !bChannelOn)
        return nullptr;
    return pSink;
}

// A site with an explicit line number (for lines whose number is part of the
// log contract) and channel.
#define LOG_AT(module, line, category, channel, ...)                                         \
    do {                                                                                   \
        if (SwiftTraceSink* pLogSink_ = LogSinkIfEnabled((category), (channel)))           \
            pLogSink_->Write((module), (line), kLogLevel, (category), (channel), __VA_ARGS__); \
    } while (0)

// The common site: this source line, channel 0.
#define LOG_LINE(module, category, ...) LOG_AT(module, __LINE__, category, 0, __VA_ARGS__)
