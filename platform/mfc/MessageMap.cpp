#include "MessageMap.h"
#include "CmdTarget.h"

namespace {

// Registered-message entries match only numbers from RegisterWindowMessage's range, so an entry
// whose variable is still 0 never answers WM_NULL.
constexpr UINT kFirstRegisteredMessage = 0xC000;

bool EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT nMessage, UINT nCode, UINT nID) {
    if (entry.pnRegisteredMessage != nullptr)
        return nMessage >= kFirstRegisteredMessage && *entry.pnRegisteredMessage == nMessage;
    return entry.nMessage == nMessage && entry.nCode == nCode && entry.nID <= nID && nID <= entry.nLastID;
}

}  // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID) {
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn != nullptr; ++pEntry) {
            if (EntryMatches(*pEntry, nMessage, nCode, nID))
                return pEntry;
        }
    }
    return nullptr;
}

// CCmdTarget's map is empty and ends every chain.
const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // Codes other than the update code carry their message in the high word (WM_NOTIFY, reflected
    // WM_COMMAND and WM_NOTIFY); a plain code is a WM_COMMAND notification.
    UINT nMessage = WM_COMMAND;
    UINT nEntryCode = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        if (HIWORD(nCode) != 0)
            nMessage = HIWORD(nCode);
        nEntryCode = LOWORD(nCode);
    }

    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), nMessage, nEntryCode, nID);
    if (pEntry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = pEntry;
        return TRUE;
    }
    AFX_MSGCALL call = {nMessage, nID, 0, 0, pExtra, 0};
    return pEntry->pfn(this, call);
}
