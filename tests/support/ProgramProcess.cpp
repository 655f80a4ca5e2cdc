#include "support/ProgramProcess.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "support/StandInSupport.h"
#include "support/TestSupport.h"
#include "support/WindowFinder.h"

namespace testsupport {

ProgramProcess::ProgramProcess(DWORD dwPid)
{
    m_pi.hProcess.Reset(
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, dwPid));
    m_pi.dwProcessId = m_pi.hProcess.IsValid() ? dwPid : 0;
}

bool ProgramProcess::Start(const std::string& program, const std::string& logFolder,
                           const std::string& arguments)
{
    // Another Winelib program is started by its .exe.so.
    const std::string path = ProgramFolder() + program + ".exe.so";
    std::string commandLine = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    ScopedEnvironmentVariable logDir("QUILLON_LOG_DIR", logFolder);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return false;
    m_pi.Reset(pi);
    return true;
}

HWND ProgramProcess::WaitForWindow(const std::string& titlePrefix, DWORD dwTimeoutMs) const
{
    HWND hFound = nullptr;
    PumpUntil(
        [&] {
            for (HWND hWnd : TopWindows(m_pi.dwProcessId, titlePrefix))
                if (IsWindowVisible(hWnd))
                    return (hFound = hWnd) != nullptr;
            return false;
        },
        dwTimeoutMs);
    return hFound;
}

bool ProgramProcess::IsRunning() const
{
    return m_pi.hProcess.IsValid() && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

int ProgramProcess::WaitForExit(DWORD dwTimeoutMs)
{
    if (!m_pi.hProcess.IsValid() || !PumpUntil([&] { return !IsRunning(); }, dwTimeoutMs))
        return -1;
    DWORD dwCode = 0;
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
    return static_cast<int>(dwCode);
}

void ProgramProcess::Kill()
{
    if (!IsRunning())
        return;
    TerminateProcess(m_pi.hProcess, 99);
    WaitForSingleObject(m_pi.hProcess, 30000);
}

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

int EndDescendants(DWORD dwRootPid, const std::string& image, DWORD dwGraceMs)
{
    if (dwRootPid == 0)
        return 0;
    std::vector<PROCESSENTRY32> all;
    CKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof(pe);
    for (BOOL b = Process32First(snapshot, &pe); b; b = Process32Next(snapshot, &pe))
        all.push_back(pe);
    std::vector<DWORD> tree = {dwRootPid};
    for (size_t i = 0; i < tree.size(); ++i)
        for (const PROCESSENTRY32& e : all)
            if (e.th32ParentProcessID == tree[i] &&
                std::find(tree.begin(), tree.end(), e.th32ProcessID) == tree.end())
                tree.push_back(e.th32ProcessID);
    int nTerminated = 0;
    for (const PROCESSENTRY32& e : all) {
        if (std::find(tree.begin() + 1, tree.end(), e.th32ProcessID) == tree.end() ||
            Lower(e.szExeFile).find(Lower(image)) == std::string::npos)
            continue;
        ProgramProcess process(e.th32ProcessID);
        if (process.WaitForExit(dwGraceMs) == -1 && process.IsRunning()) {
            process.Kill();
            ++nTerminated;
        }
    }
    return nTerminated;
}

}  // namespace testsupport
