// A Unix socket bound to a path: listed by a folder search, but open() of
// it fails for everyone (root included). No Windows header here: the socket
// calls of the C library would clash with Winsock's.
#ifdef __WINE__
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace testsupport {

bool BindUnixSocket(const std::string& unixPath)
{
    sockaddr_un address = {};
    if (unixPath.size() >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, unixPath.c_str(), unixPath.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bBound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);  // the socket file stays until it is deleted
    return bBound;
}

}  // namespace testsupport
#endif
