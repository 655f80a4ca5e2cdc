#include "ui/NetworkEnum.h"

DWORD CNetworkEnum::OpenEnum(DWORD dwScope, DWORD dwType, DWORD dwUsage, NETRESOURCEA* pContainer,
                             HANDLE* phEnum)
{
    return ::WNetOpenEnumA(dwScope, dwType, dwUsage, pContainer, phEnum);
}

DWORD CNetworkEnum::EnumResource(HANDLE hEnum, DWORD* pcCount, void* pBuffer, DWORD* pcbBuffer)
{
    return ::WNetEnumResourceA(hEnum, pcCount, pBuffer, pcbBuffer);
}

DWORD CNetworkEnum::CloseEnum(HANDLE hEnum)
{
    return ::WNetCloseEnum(hEnum);
}

namespace {

CNetworkEnum* g_pNetworkEnum = nullptr;

CNetworkEnum& SystemNetworkEnum()
{
    static CNetworkEnum s_system;
    return s_system;
}

}  // namespace

CNetworkEnum& GetNetworkEnum()
{
    return g_pNetworkEnum != nullptr ? *g_pNetworkEnum : SystemNetworkEnum();
}

CNetworkEnum* SetNetworkEnum(CNetworkEnum* pEnum)
{
    CNetworkEnum* pOld = g_pNetworkEnum != nullptr ? g_pNetworkEnum : &SystemNetworkEnum();
    g_pNetworkEnum = pEnum;
    return pOld;
}
