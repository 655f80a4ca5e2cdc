// Reads the transcript that the Audacity stand-in appends to, one line per
// step ("start <path>", "import shown", "command 1133", "avc ok", ...).
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace testsupport {

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
