// Helpers shared by the test programs: temporary folders, the build's
// program folder, message pumping with a time-out, registry clean-up.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

// The folder of the running test program (build/bin), with a trailing backslash.
std::string ProgramFolder();

// A new empty folder under the temporary folder, removed with its contents
// when the object goes.
class TempFolder {
public:
    explicit TempFolder(const char* pszPrefix = "qt");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder path without a trailing backslash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Writes bytes to a file (creating folders on the way is the caller's job).
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

// Dispatches this thread's messages until pred() holds or the time is up.
bool PumpUntil(const std::function<bool()>& pred, DWORD dwTimeoutMs = 5000);
// Dispatches this thread's pending messages for a while.
void PumpFor(DWORD dwMs);

// Deletes a registry key with its subkeys (no error if absent).
void DeleteRegTree(HKEY hRoot, const char* pszPath);

}  // namespace testsupport
