// Runs the Audacity stand-in (tools/standin) for a test: where its program
// is, and the environment that sets its transcript, faults and speed.
#pragma once

#include <string>

namespace testsupport {

// The Windows path of build/bin/AudacityStandIn.exe.so: what CreateProcessA
// (and the AudacityFilename setting) names to start the stand-in.
std::string StandInProgramPath();

// Sets an environment variable of this process for the object's life (an
// empty value removes it) and then restores the old value. Programs started
// meanwhile inherit it.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* pszName, const std::string& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string m_name;
    bool m_bHadValue = false;
    std::string m_oldValue;
};

// The stand-in's settings for the programs started while it lives.
class StandInEnvironment {
public:
    // transcriptPath: the file the stand-in appends its steps to; fault and
    // speed as the stand-in's usage describes them (empty: none, normal).
    explicit StandInEnvironment(const std::string& transcriptPath, const std::string& fault = "",
                                const std::string& speed = "");

private:
    ScopedEnvironmentVariable m_transcript;
    ScopedEnvironmentVariable m_fault;
    ScopedEnvironmentVariable m_speed;
};

}  // namespace testsupport
