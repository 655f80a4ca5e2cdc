// The one owner of a second process: a program of the build (Quillon, the
// Audacity stand-in) started by a test, or a process that the code under
// test started and the test adopts by its id. A process still running when
// its owner goes is terminated and waited for, whatever the test's outcome,
// so that CTest never waits on a leftover.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace testsupport {

class ProgramProcess {
public:
    ProgramProcess() = default;
    // Adopts a running process (an empty owner when it is gone already).
    explicit ProgramProcess(DWORD dwPid);
    ~ProgramProcess() { Kill(); }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts build/bin/<program>.exe.so with the arguments; a log folder, when
    // given, goes to the program as QUILLON_LOG_DIR.
    bool Start(const std::string& program, const std::string& logFolder = "",
               const std::string& arguments = "");
    // The first visible top-level window of the process whose title begins
    // with the prefix, waited for up to the time-out.
    HWND WaitForWindow(const std::string& titlePrefix, DWORD dwTimeoutMs = 10000) const;
    // Waits for the process to end; its exit code, or -1 on time-out.
    int WaitForExit(DWORD dwTimeoutMs = 10000);
    bool IsRunning() const;
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    // Terminates the process when it still runs and waits for its end.
    void Kill();

private:
    CProcessInformation m_pi;
};

// Ends the descendants of the process dwRootPid (alive or not) whose image
// name contains `image` (any case), each given dwGraceMs to end by itself;
// returns how many had to be terminated.
int EndDescendants(DWORD dwRootPid, const std::string& image, DWORD dwGraceMs = 0);

}  // namespace testsupport
