// Runs Quillon (or another Winelib program of the build) as a real second
// process, with its log in a folder of the test's choice.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

class ProgramProcess {
public:
    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts build/bin/<program>.exe.so with the given arguments and the log
    // folder in QUILLON_LOG_DIR.
    bool Start(const std::string& program, const std::string& logFolder,
               const std::string& arguments = "");
    // The first visible top-level window of the process whose title begins
    // with the prefix, waited for up to the time-out.
    HWND WaitForWindow(const std::string& titlePrefix, DWORD dwTimeoutMs = 10000) const;
    // Waits for the process to end; returns its exit code, or -1 on time-out.
    int WaitForExit(DWORD dwTimeoutMs = 10000);
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    void Kill();

private:
    PROCESS_INFORMATION m_pi = {};
};

}  // namespace testsupport
