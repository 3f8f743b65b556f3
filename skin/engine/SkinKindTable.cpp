#include "skin/engine/SkinKindTable.h"

#include <new>

#include "framework/Exceptions.h"
#include "skin/engine/BarSkins.h"
#include "skin/engine/FieldSkins.h"

namespace {

// The creators of the kinds that are part of the engine, by SkinKind. A kind
// plugs in by naming its creator in its row.
PFN_CREATESKIN g_pfnKindCreators[SKIN_KIND_COUNT] = {
    nullptr,              // SKIN_KIND_NONE: never created
    SkinCreateBorder,     // SKIN_KIND_BORDER
    SkinCreateIPAddress,  // SKIN_KIND_IPADDRESS
    SkinCreateEdit,       // SKIN_KIND_EDIT
    SkinCreateComboEdit,  // SKIN_KIND_COMBOEDIT
    SkinCreateCombo,      // SKIN_KIND_COMBO
    SkinCreateDateTime,   // SKIN_KIND_DATETIME
    SkinCreateSpin,       // SKIN_KIND_SPIN
    SkinCreateScrollBar,  // SKIN_KIND_SCROLLBAR
    SkinCreateTrackBar,   // SKIN_KIND_TRACKBAR
    SkinCreateHeader,     // SKIN_KIND_HEADER
    SkinCreateToolBar,    // SKIN_KIND_TOOLBAR
};

bool IsCreatable(SkinKind nKind) { return nKind > SKIN_KIND_NONE && nKind < SKIN_KIND_COUNT; }

}  // namespace

PFN_CREATESKIN SkinSetKindCreator(SkinKind nKind, PFN_CREATESKIN pfnCreate) {
    if (!IsCreatable(nKind)) return nullptr;
    PFN_CREATESKIN pfnOld = g_pfnKindCreators[nKind];
    g_pfnKindCreators[nKind] = pfnCreate;
    return pfnOld;
}

PFN_CREATESKIN SkinGetKindCreator(SkinKind nKind) { return IsCreatable(nKind) ? g_pfnKindCreators[nKind] : nullptr; }

CControlSkin* SkinCreateKind(SkinKind nKind) {
    PFN_CREATESKIN pfn = SkinGetKindCreator(nKind);
    if (!pfn) return nullptr;
    try {
        return pfn();
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const CMemoryException&) {
        return nullptr;
    }
}
