// Odd entries for folder-tree tests: a symbolic link to a folder (which may
// be an ancestor of the link, making a loop), and a file that is listed but
// cannot be opened.
#pragma once

#include <string>

#include "mp3/HostPath.h"

namespace testsupport {

// Makes linkPath a symbolic link to the folder targetPath (Windows paths).
bool MakeFolderLink(const std::string& linkPath, const std::string& targetPath);
// Makes path an entry that a folder search lists as a file but that no one
// can open for reading: a Unix socket under Wine.
bool MakeUnopenableFile(const std::string& path);

#ifdef __WINE__
// Binds a Unix socket at the Unix path (UnixSocket.cpp).
bool BindUnixSocket(const std::string& unixPath);
#endif

}  // namespace testsupport
