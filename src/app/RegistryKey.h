// A registry key by root and path. Every read or write opens the key and
// closes it again, so between operations no handle is held.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Handles.h"

class CRegistryKey {
public:
    CRegistryKey(HKEY hRoot = nullptr, const char* pszKeyPath = nullptr);
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Status results: 0 for success, a Win32 error code, or 1 for a failure
    // of this class's own.
    LONG SetKey(HKEY hRoot, const char* pszCompany, const char* pszApplication,
                const char* pszSection);
    LONG Create(const char* pszClass, DWORD dwOptions, REGSAM samDesired,
                LPSECURITY_ATTRIBUTES pSecurity);
    LONG Close(bool bFlush);
    LONG ReadString(const char* pszName, char* pszBuffer, DWORD cchBuffer, const char* pszDefault);
    LONG WriteString(const char* pszName, const char* pszValue);
    LONG Exchange(bool bSave, const char* pszName, char* pszBuffer, DWORD cchBuffer,
                  const char* pszDefault);

    HKEY GetRoot() const { return m_hRoot; }
    const std::string& GetKeyPath() const { return m_strKeyPath; }
    bool IsOpen() const { return m_key.Get() != nullptr; }

private:
    HKEY m_hRoot;
    std::string m_strKeyPath;
    CRegKeyHandle m_key;
};
