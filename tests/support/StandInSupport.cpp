#include "support/StandInSupport.h"

#include "support/TestSupport.h"

#include <windows.h>

#include <vector>

namespace testsupport {

std::string StandInProgramPath()
{
    return ProgramFolder() + "AudacityStandIn.exe.so";
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const char* pszName, const std::string& value)
    : m_name(pszName)
{
    const DWORD cch = GetEnvironmentVariableA(pszName, nullptr, 0);
    if (cch > 0) {
        std::vector<char> buffer(cch + 1, '\0');
        GetEnvironmentVariableA(pszName, buffer.data(), cch + 1);
        m_bHadValue = true;
        m_oldValue = buffer.data();
    }
    SetEnvironmentVariableA(pszName, value.empty() ? nullptr : value.c_str());
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable()
{
    SetEnvironmentVariableA(m_name.c_str(), m_bHadValue ? m_oldValue.c_str() : nullptr);
}

StandInEnvironment::StandInEnvironment(const std::string& transcriptPath, const std::string& fault,
                                       const std::string& speed)
    : m_transcript("QUILLON_STANDIN_TRANSCRIPT", transcriptPath),
      m_fault("QUILLON_STANDIN_FAULT", fault),
      m_speed("QUILLON_STANDIN_SPEED", speed)
{
}

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::vector<std::string> Transcript::Lines() const
{
    const std::string bytes = ReadFileBytes(m_path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool Transcript::Has(const std::string& prefix) const
{
    for (const std::string& line : Lines())
        if (StartsWith(line, prefix))
            return true;
    return false;
}

bool Transcript::WaitFor(const std::string& prefix, DWORD dwTimeoutMs) const
{
    return PumpUntil([&] { return Has(prefix); }, dwTimeoutMs);
}

bool Transcript::HasInOrder(const std::vector<std::string>& prefixes, std::string* pMissing) const
{
    const std::vector<std::string> lines = Lines();
    size_t nLine = 0;
    for (const std::string& prefix : prefixes) {
        while (nLine < lines.size() && !StartsWith(lines[nLine], prefix))
            ++nLine;
        if (nLine == lines.size()) {
            if (pMissing != nullptr)
                *pMissing = prefix;
            return false;
        }
        ++nLine;
    }
    return true;
}

std::string Transcript::Text() const
{
    std::string text;
    for (const std::string& line : Lines())
        text += line + "\n";
    return text;
}

}  // namespace testsupport
