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

}  // namespace testsupport
