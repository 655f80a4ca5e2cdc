// The host (Unix) path of a Windows path, for code that hands paths to the
// host's C library under Wine (libid3tag opening an MP3 file, and tests
// making links with symlink); elsewhere the path itself.
#pragma once

#include <string>

namespace mp3 {

// "" when the path cannot be converted.
std::string HostPath(const std::string& windowsPath);

}  // namespace mp3
