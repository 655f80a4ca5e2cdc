#include "app/RegistryKey.h"

#include <cstring>
#include <utility>
#include <vector>

CRegistryKey::CRegistryKey(HKEY hRoot, const char* pszKeyPath)
    : m_hRoot(hRoot), m_strKeyPath(pszKeyPath != nullptr ? pszKeyPath : "")
{
}

CRegistryKey::~CRegistryKey()
{
    Close(false);
}

// Always succeeds; a key still open is closed.
LONG CRegistryKey::SetKey(HKEY hRoot, const char* pszCompany, const char* pszApplication,
                          const char* pszSection)
{
    m_hRoot = hRoot;
    m_key.Reset();
    m_strKeyPath = hRoot == HKEY_LOCAL_MACHINE ? "SOFTWARE\\" : "Software\\";
    m_strKeyPath += pszCompany != nullptr ? pszCompany : "";
    if (pszApplication != nullptr) {
        m_strKeyPath += "\\";
        m_strKeyPath += pszApplication;
    }
    if (pszSection != nullptr) {
        m_strKeyPath += "\\";
        m_strKeyPath += pszSection;
    }
    return 0;
}

LONG CRegistryKey::Create(const char* pszClass, DWORD dwOptions, REGSAM samDesired,
                          LPSECURITY_ATTRIBUTES pSecurity)
{
    CRegKeyHandle key;
    DWORD dwDisposition = 0;
    const LONG lResult =
        RegCreateKeyExA(m_hRoot, m_strKeyPath.c_str(), 0, const_cast<char*>(pszClass), dwOptions,
                        samDesired, pSecurity, key.Put(), &dwDisposition);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    if (dwDisposition != REG_CREATED_NEW_KEY && dwDisposition != REG_OPENED_EXISTING_KEY)
        return 1;
    m_key = std::move(key);
    return 0;
}

LONG CRegistryKey::Close(bool bFlush)
{
    LONG lResult = 0;
    if (m_key.Get() != nullptr && bFlush)
        lResult = RegFlushKey(m_key);
    m_key.Reset();
    return lResult;
}

// The value is queried into a private buffer one byte larger than the field,
// so that an overlong, unterminated or non-string value never reaches the
// field: on any failure the field keeps what it held before the read.
LONG CRegistryKey::ReadString(const char* pszName, char* pszBuffer, DWORD cchBuffer,
                              const char* pszDefault)
{
    if (pszBuffer == nullptr || cchBuffer == 0)
        return 1;
    if (pszDefault != nullptr && strlen(pszDefault) < cchBuffer)
        memcpy(pszBuffer, pszDefault, strlen(pszDefault) + 1);
    if (m_key.Get() == nullptr) {
        const LONG lResult = Create("", 0, KEY_ALL_ACCESS, nullptr);
        if (lResult != 0)
            return lResult;
    }

    std::vector<BYTE> value(cchBuffer + 1, 0);
    DWORD dwType = 0;
    DWORD cbData = cchBuffer;
    const LONG lResult = RegQueryValueExA(m_key, pszName, nullptr, &dwType, value.data(), &cbData);
    Close(false);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    if (dwType != REG_SZ)
        return 1;

    // The stored bytes may lack their terminator; the string ends at the first
    // NUL or after the bytes, and must leave room for the terminator.
    const size_t cchText = strnlen(reinterpret_cast<const char*>(value.data()), cbData);
    if (cchText >= cchBuffer)
        return 1;
    memcpy(pszBuffer, value.data(), cchText);
    pszBuffer[cchText] = '\0';
    return 0;
}

LONG CRegistryKey::WriteString(const char* pszName, const char* pszValue)
{
    if (m_key.Get() == nullptr) {
        const LONG lResult = Create("", 0, KEY_ALL_ACCESS, nullptr);
        if (lResult != 0)
            return lResult;
    }
    if (pszValue != nullptr && *pszValue != '\0') {
        const LONG lResult =
            RegSetValueExA(m_key, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                           static_cast<DWORD>(strlen(pszValue) + 1));
        if (lResult != ERROR_SUCCESS) {
            Close(false);
            return lResult;
        }
        return Close(true);
    }
    RegDeleteValueA(m_key, pszName);
    return Close(true);
}

LONG CRegistryKey::Exchange(bool bSave, const char* pszName, char* pszBuffer, DWORD cchBuffer,
                            const char* pszDefault)
{
    if (bSave)
        return WriteString(pszName, pszBuffer);
    return ReadString(pszName, pszBuffer, cchBuffer, pszDefault);
}
