#include "support/ProgramProcess.h"

#include "support/TestSupport.h"

namespace testsupport {

ProgramProcess::~ProgramProcess()
{
    if (m_pi.hProcess != nullptr) {
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 99);
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }
}

bool ProgramProcess::Start(const std::string& program, const std::string& logFolder,
                           const std::string& arguments)
{
    // Another Winelib program is started by its .exe.so.
    const std::string path = ProgramFolder() + program + ".exe.so";
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    SetEnvironmentVariableA("QUILLON_LOG_DIR", logFolder.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    const BOOL ok = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &si, &m_pi);
    SetEnvironmentVariableA("QUILLON_LOG_DIR", nullptr);
    return ok != FALSE;
}

namespace {

struct FindData {
    DWORD dwPid;
    const std::string* pPrefix;
    HWND hFound;
};

BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam)
{
    auto* pData = reinterpret_cast<FindData*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid != pData->dwPid || !IsWindowVisible(hWnd))
        return TRUE;
    char sz[260] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    if (std::string(sz).compare(0, pData->pPrefix->size(), *pData->pPrefix) != 0)
        return TRUE;
    pData->hFound = hWnd;
    return FALSE;
}

}  // namespace

HWND ProgramProcess::WaitForWindow(const std::string& titlePrefix, DWORD dwTimeoutMs) const
{
    FindData data = {m_pi.dwProcessId, &titlePrefix, nullptr};
    PumpUntil(
        [&] {
            EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data));
            return data.hFound != nullptr;
        },
        dwTimeoutMs);
    return data.hFound;
}

int ProgramProcess::WaitForExit(DWORD dwTimeoutMs)
{
    if (m_pi.hProcess == nullptr)
        return -1;
    if (!PumpUntil([&] { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; },
                   dwTimeoutMs))
        return -1;
    DWORD dwCode = 0;
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
    return static_cast<int>(dwCode);
}

void ProgramProcess::Kill()
{
    if (m_pi.hProcess != nullptr)
        TerminateProcess(m_pi.hProcess, 99);
}

}  // namespace testsupport
