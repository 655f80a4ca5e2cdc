#include "support/SettingsRegistry.h"

#include <windows.h>

#include "support/TestSupport.h"

namespace testsupport {

bool StoreSetting(const char* pszName, const std::string& value)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG lResult = RegSetValueExA(hKey, pszName, 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

std::string StoredSetting(const char* pszName)
{
    char sz[1024] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, pszName, RRF_RT_REG_SZ, nullptr, sz,
                     &cb) != ERROR_SUCCESS)
        return "<absent>";
    return sz;
}

void DeleteSettings()
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
}

}  // namespace testsupport
