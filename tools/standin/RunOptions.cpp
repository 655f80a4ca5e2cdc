#include "standin/RunOptions.h"

#include <cstdlib>

namespace standin {

namespace {

const char* const kWinKeys[] = {"main",    "import", "avc",    "avcprogress", "saveas",
                                "replace", "tags",   "export", "exitprompt"};
static_assert(sizeof(kWinKeys) / sizeof(kWinKeys[0]) == static_cast<size_t>(Win::Count),
              "one key per window");

struct KindName {
    const char* pszName;
    FaultKind kind;
    bool bNumber;
};

const KindName kKinds[] = {
    {"never", FaultKind::Never, false},      {"late", FaultKind::Late, true},
    {"disabled", FaultKind::Disabled, true}, {"nocontrol", FaultKind::NoControl, true},
    {"readonly", FaultKind::ReadOnly, true}, {"altered", FaultKind::Altered, true},
    {"exit", FaultKind::Exit, false},        {"stray", FaultKind::Stray, false},
    {"decoy", FaultKind::Decoy, false},
};

// A whole non-negative decimal number that fits an int.
bool ParseNumber(const std::string& text, int* pValue)
{
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *pValue = std::atoi(text.c_str());
    return true;
}

std::vector<std::string> Split(const std::string& text, const char* pszSeparators)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find_first_of(pszSeparators, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

const char* WinKey(Win win)
{
    return kWinKeys[static_cast<int>(win)];
}

bool IsTimedWin(Win win)
{
    return win == Win::Import || win == Win::AutoVolumeProgress || win == Win::Export;
}

bool RunOptions::ParseFaults(const std::string& text, std::string* pError)
{
    m_faults.clear();
    for (const std::string& rawItem : Split(text, ",;")) {
        const std::string item = Trim(rawItem);
        if (item.empty())
            continue;
        const std::vector<std::string> parts = Split(item, ":");
        const KindName* pKind = nullptr;
        for (const KindName& k : kKinds)
            if (parts[0] == k.pszName)
                pKind = &k;
        if (pKind == nullptr) {
            *pError = "unknown fault kind in \"" + item + "\"";
            return false;
        }
        int nWin = -1;
        for (int i = 0; parts.size() > 1 && i < static_cast<int>(Win::Count); ++i)
            if (parts[1] == kWinKeys[i])
                nWin = i;
        if (nWin < 0) {
            *pError = "unknown window in \"" + item + "\"";
            return false;
        }
        Fault fault = {pKind->kind, static_cast<Win>(nWin), 0};
        if (pKind->bNumber ? parts.size() != 3 || !ParseNumber(parts[2], &fault.nValue)
                           : parts.size() != 2) {
            *pError = pKind->bNumber ? "\"" + item + "\" needs a number after the window"
                                     : "\"" + item + "\" takes no number";
            return false;
        }
        m_faults.push_back(fault);
    }
    return true;
}

bool RunOptions::ParseSpeed(const std::string& text, std::string* pError)
{
    const std::vector<std::string> parts = Split(text, ",");
    const std::string speed = Trim(parts[0]);
    int nMs = 0;
    if (speed.empty() || speed == "normal")
        m_nShowMs = 300;
    else if (speed == "instant")
        m_nShowMs = 0;
    else if (ParseNumber(speed, &nMs))
        m_nShowMs = static_cast<unsigned>(nMs);
    else {
        *pError = "unknown speed \"" + speed + "\"";
        return false;
    }
    m_nControlsMs = 100;
    if (parts.size() == 1)
        return true;
    if (parts.size() > 2 || !ParseNumber(Trim(parts[1]), &nMs)) {
        *pError = "unknown speed \"" + text + "\"";
        return false;
    }
    m_nControlsMs = static_cast<unsigned>(nMs);
    return true;
}

const Fault* RunOptions::Find(FaultKind kind, Win win) const
{
    for (const Fault& fault : m_faults)
        if (fault.kind == kind && fault.win == win)
            return &fault;
    return nullptr;
}

bool RunOptions::HasControlFault(FaultKind kind, Win win, int nId) const
{
    for (const Fault& fault : m_faults)
        if (fault.kind == kind && fault.win == win && fault.nValue == nId)
            return true;
    return false;
}

}  // namespace standin
