// The host (Unix) path of a Windows path, for test code that hands paths to
// the host's C library (libid3tag, symlink) under Wine; elsewhere the path
// itself.
#pragma once

#include <string>

namespace testsupport {

// "" when the path cannot be converted.
std::string HostPath(const std::string& windowsPath);

}  // namespace testsupport
