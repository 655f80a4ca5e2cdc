// Runs the Audacity stand-in (tools/standin) for a test: where its program
// is, the environment that sets its transcript, faults and speed, and the
// transcript it writes.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

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

// The transcript that the stand-in appends to, one line per step ("start
// <path>", "import shown", "command 1133", "avc ok", ...).
class Transcript {
public:
    explicit Transcript(std::string path) : m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

    // The lines so far, without line ends; none when the file is absent.
    std::vector<std::string> Lines() const;
    // Whether a line begins with the prefix.
    bool Has(const std::string& prefix) const;
    // Waits, dispatching this thread's messages, until a line begins with
    // the prefix.
    bool WaitFor(const std::string& prefix, DWORD dwTimeoutMs = 10000) const;
    // Whether lines beginning with the prefixes come in this order (other
    // lines may come between). Otherwise names the first one missing.
    bool HasInOrder(const std::vector<std::string>& prefixes,
                    std::string* pMissing = nullptr) const;
    // All lines, one per line, for failure messages.
    std::string Text() const;

private:
    std::string m_path;
};

}  // namespace testsupport
