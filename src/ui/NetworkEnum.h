// The network enumeration that the folder picker uses: WNetOpenEnumA,
// WNetEnumResourceA and WNetCloseEnum by default. Another implementation
// can be installed to present a network that the machine does not have.
#pragma once

#include <windows.h>
#include <winnetwk.h>

class CNetworkEnum {
public:
    virtual ~CNetworkEnum() = default;
    virtual DWORD OpenEnum(DWORD dwScope, DWORD dwType, DWORD dwUsage, NETRESOURCEA* pContainer,
                           HANDLE* phEnum);
    virtual DWORD EnumResource(HANDLE hEnum, DWORD* pcCount, void* pBuffer, DWORD* pcbBuffer);
    virtual DWORD CloseEnum(HANDLE hEnum);
};

// The enumeration in use.
CNetworkEnum& GetNetworkEnum();
// Installs an enumeration (null: the system's) and returns the one before.
CNetworkEnum* SetNetworkEnum(CNetworkEnum* pEnum);
