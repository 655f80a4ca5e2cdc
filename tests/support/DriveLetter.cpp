#include "support/DriveLetter.h"

#include "mp3/HostPath.h"

#include <windows.h>

#ifdef __WINE__
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#endif

namespace testsupport {

namespace {

bool IsFree(char cLetter)
{
    const char szRoot[] = {cLetter, ':', '\\', '\0'};
    return GetDriveTypeA(szRoot) == DRIVE_NO_ROOT_DIR;
}

#ifdef __WINE__
// The prefix's dosdevices folder, found through the Unix path of C:.
std::string DosDevicesFolder()
{
    std::string c = mp3::HostPath("C:\\");
    const std::string marker = "/dosdevices/";
    const size_t pos = c.rfind(marker);
    if (pos != std::string::npos)
        return c.substr(0, pos + marker.size());
    const char* pszPrefix = std::getenv("WINEPREFIX");
    return pszPrefix != nullptr ? std::string(pszPrefix) + marker : std::string();
}
#endif

}  // namespace

MappedDrive::MappedDrive(const std::string& folder)
{
    char cLetter = 'Y';
    while (cLetter > 'D' && !IsFree(cLetter))
        --cLetter;
    if (cLetter == 'D')
        return;
#ifdef __WINE__
    const std::string target = mp3::HostPath(folder);
    const std::string devices = DosDevicesFolder();
    if (target.empty() || devices.empty())
        return;
    std::string link = devices;
    link += static_cast<char>(cLetter - 'A' + 'a');
    link += ':';
    if (symlink(target.c_str(), link.c_str()) != 0)
        return;
    m_linkPath = link;
#else
    const char szDevice[] = {cLetter, ':', '\0'};
    if (!DefineDosDeviceA(0, szDevice, folder.c_str()))
        return;
#endif
    m_cLetter = cLetter;
}

MappedDrive::~MappedDrive()
{
    if (m_cLetter == '\0')
        return;
#ifdef __WINE__
    unlink(m_linkPath.c_str());
#else
    const char szDevice[] = {m_cLetter, ':', '\0'};
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, szDevice, nullptr);
#endif
}

}  // namespace testsupport
