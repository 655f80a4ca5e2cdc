// A drive letter of the test's Wine prefix mapped to a folder for the life
// of the object (a link in the prefix's dosdevices folder; DefineDosDevice in
// a Windows build).
#pragma once

#include <string>

namespace testsupport {

class MappedDrive {
public:
    // Maps the last free letter (from Y: down) to the folder.
    explicit MappedDrive(const std::string& folder);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

    bool IsMapped() const { return m_cLetter != '\0'; }
    char Letter() const { return m_cLetter; }
    // "X:"
    std::string Root() const { return std::string(1, m_cLetter) + ":"; }

private:
    char m_cLetter = '\0';
    std::string m_linkPath;
};

}  // namespace testsupport
