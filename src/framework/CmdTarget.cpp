#include "framework/CmdTarget.h"

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MsgMapEntry s_entries[] = {{0, 0, 0, 0, nullptr}};
    static const MessageMap s_map = {nullptr, s_entries};
    return &s_map;
}

const MsgMapEntry* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    const bool bUsesIds = nMessage == WM_COMMAND || nMessage == WM_NOTIFY;
    for (const MessageMap* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const MsgMapEntry* p = pMap->pEntries; p->pfn != nullptr; ++p) {
            if (p->nMessage != nMessage)
                continue;
            if (!bUsesIds)
                return p;
            if (p->nCode == nCode && nID >= p->nIdFirst && nID <= p->nIdLast)
                return p;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const UINT nEntryCode = nCode == CN_UPDATE_COMMAND_UI ? kUpdateUiCode : static_cast<UINT>(nCode);
    const MsgMapEntry* pEntry = FindEntry(WM_COMMAND, nEntryCode, nID);
    if (pEntry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        return TRUE;
    }
    pEntry->pfn(this, MAKEWPARAM(nID, static_cast<WORD>(nCode)), reinterpret_cast<LPARAM>(pExtra));
    return TRUE;
}
