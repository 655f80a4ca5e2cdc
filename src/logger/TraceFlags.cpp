#include "logger/TraceFlags.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void ApplyTerm(const std::string& term, SwiftTraceLog& log)
{
    const std::string::size_type sep = term.find_first_of(":.");
    if (sep == std::string::npos || sep == 0 || sep + 1 >= term.size())
        return;
    const std::string channels = term.substr(0, sep);
    const std::string what = term.substr(sep + 1);

    int nFirst = 0;
    int nLast = SwiftTraceLog::kChannelCount - 1;
    if (channels != "*") {
        char* pEnd = nullptr;
        const long n = std::strtol(channels.c_str(), &pEnd, 10);
        if (*pEnd != '\0' || n < 0 || n >= SwiftTraceLog::kChannelCount)
            return;
        nFirst = nLast = static_cast<int>(n);
    }

    if (what == "*" || what == "!*") {
        const unsigned char bOn = what == "*" ? 1 : 0;
        for (int i = nFirst; i <= nLast; ++i)
            log.m_abChannelOn[i] = bOn;
        if (!bOn)
            log.m_bCategoryMask = 0;
        return;
    }
    char* pEnd = nullptr;
    const long nMask = std::strtol(what.c_str(), &pEnd, 10);
    if (*pEnd == '\0' && nMask >= 0 && nMask <= 255)
        log.m_bCategoryMask = static_cast<unsigned char>(log.m_bCategoryMask | nMask);
}

}  // namespace

void ApplyTraceFlags(const char* pszFlags, SwiftTraceLog& log)
{
    if (pszFlags == nullptr)
        return;
    std::string term;
    for (const char* p = pszFlags;; ++p) {
        if (*p == '\0' || *p == ' ' || *p == '\t') {
            if (!term.empty())
                ApplyTerm(term, log);
            term.clear();
            if (*p == '\0')
                break;
        } else {
            term += *p;
        }
    }
}
