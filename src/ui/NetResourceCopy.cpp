#include "ui/NetResourceCopy.h"

#include <cstring>
#include <new>

namespace {

int g_nLiveCopies = 0;

// A copy of a string, or null for null; *pbFailed is set when memory runs out.
char* CopyString(const char* psz, bool* pbFailed)
{
    if (psz == nullptr)
        return nullptr;
    const size_t cb = std::strlen(psz) + 1;
    char* pCopy = new (std::nothrow) char[cb];
    if (pCopy == nullptr) {
        *pbFailed = true;
        return nullptr;
    }
    std::memcpy(pCopy, psz, cb);
    return pCopy;
}

void FreeStrings(NETRESOURCEA* p)
{
    delete[] p->lpLocalName;
    delete[] p->lpRemoteName;
    delete[] p->lpComment;
    delete[] p->lpProvider;
}

}  // namespace

NETRESOURCEA* CopyNetResource(const NETRESOURCEA& source)
{
    NETRESOURCEA* pCopy = new (std::nothrow) NETRESOURCEA;
    if (pCopy == nullptr)
        return nullptr;
    pCopy->dwScope = source.dwScope;
    pCopy->dwType = source.dwType;
    pCopy->dwDisplayType = source.dwDisplayType;
    pCopy->dwUsage = source.dwUsage;
    bool bFailed = false;
    pCopy->lpLocalName = CopyString(source.lpLocalName, &bFailed);
    pCopy->lpRemoteName = CopyString(source.lpRemoteName, &bFailed);
    pCopy->lpComment = CopyString(source.lpComment, &bFailed);
    pCopy->lpProvider = CopyString(source.lpProvider, &bFailed);
    if (bFailed) {
        FreeStrings(pCopy);
        delete pCopy;
        return nullptr;
    }
    ++g_nLiveCopies;
    return pCopy;
}

void FreeNetResource(NETRESOURCEA* pCopy)
{
    if (pCopy == nullptr)
        return;
    FreeStrings(pCopy);
    delete pCopy;
    --g_nLiveCopies;
}

int LiveNetResourceCopies()
{
    return g_nLiveCopies;
}
