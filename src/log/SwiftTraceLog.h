// The interface between the program and Logger.dll: the exported global
// object that the program reads at every log site, and the sink that writes.
#pragma once

#include <cstdint>

#if defined(LOGGER_BUILDING_DLL)
#define LOGGER_DATA_API
#elif defined(_WIN32) && !defined(__WINE__)
#define LOGGER_DATA_API __declspec(dllimport)
#else
#define LOGGER_DATA_API
#endif

// Writes lines. Only the fourth virtual slot, Write, is used by the program,
// so the class has no virtual destructor whose slot count would differ
// between compilers.
class SwiftTraceSink {
public:
    virtual int Open(const char* pszFile, const char* pszFlags) = 0;
    virtual void Close() = 0;
    virtual void Flush() = 0;
    // One line: source module and line, a level (always 4 from the program),
    // category, channel, then a printf format with its arguments.
    virtual void Write(const char* pszModule, int nLine, int nLevel, int nCategory, int nChannel,
                       const char* pszFormat, ...) = 0;

protected:
    ~SwiftTraceSink() = default;
};

// The one global object. The program reads its members fresh at every site
// and never writes them; Logger.dll owns them.
class SwiftTraceLog {
public:
    enum { kChannelCount = 16 };
    unsigned char m_abChannelOn[kChannelCount];  // switch byte per channel
    unsigned char m_bCategoryMask;               // categories written on every channel
    SwiftTraceSink* m_pSink;                     // null while no log is open
};

extern "C" {
LOGGER_DATA_API extern SwiftTraceLog global_TheOneSwiftTraceLog;
// Opens the log file and sets the sink and switches from the flags string.
// The result is an opaque handle of the log (non-zero on success).
std::uint32_t makeTraceLog(const char* pszFile, const char* pszFlags);
}
