#include "framework/MessageMap.h"

const MessageMap* CMessageTarget::GetThisMessageMap() {
    static const MessageMapEntry s_entries[] = {{0, 0, 0, 0, MsgSig_end, nullptr}};
    static const MessageMap s_map = {nullptr, s_entries};
    return &s_map;
}

const MessageMap* CMessageTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool EntryMatches(const MessageMapEntry& entry, UINT nMessage, UINT nCode, UINT nID) {
    if (entry.nMessage != nMessage) return false;
    if (nMessage != WM_COMMAND) return true;
    if (nID < entry.nID || nID > entry.nLastID) return false;
    // A command entry (code 0) also answers accelerators (code 1).
    return entry.nCode == nCode || (entry.nCode == 0 && nCode == 1);
}

}  // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* pMap, UINT nMessage, UINT nCode, UINT nID) {
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const MessageMapEntry* pEntry = pMap->pEntries; pEntry->nSig != MsgSig_end; ++pEntry) {
            if (EntryMatches(*pEntry, nMessage, nCode, nID)) return pEntry;
        }
    }
    return nullptr;
}

BOOL CMessageTarget::OnCmdMsg(UINT nID, UINT nCode) {
    const MessageMapEntry* pEntry = FindMessageEntry(GetMessageMap(), WM_COMMAND, nCode, nID);
    if (pEntry == nullptr) return FALSE;
    if (pEntry->nSig == MsgSig_v_u) {
        typedef void (CMessageTarget::*PFN)(UINT);
        (this->*MessageHandlerCast<PFN>(pEntry->pfn))(nID);
    } else {
        (this->*pEntry->pfn)();
    }
    return TRUE;
}
