#include "skin/controls/SkinBackgroundHost.h"

#include "framework/Wnd.h"

#if defined(SCRIVLO_HAVE_SKIN_DIALOG)
#include "skin/dialogs/SkinDialog.h"
#endif

BOOL SkinRedrawParentBackground(const CWnd* pChild, const RECT& rcScreen) {
    if (pChild == nullptr || pChild->m_hWnd == nullptr) return FALSE;
    // Only an object bound on this thread is asked; a temporary wrapper of a
    // foreign window has no background painting of ours.
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(pChild->m_hWnd));
    if (pParent == nullptr) return FALSE;
#if defined(SCRIVLO_HAVE_SKIN_DIALOG)
    if (CSkinDialog* pDialog = dynamic_cast<CSkinDialog*>(pParent)) {
        pDialog->RedrawBackground(rcScreen);
        return TRUE;
    }
#endif
    if (ISkinBackgroundHost* pHost = dynamic_cast<ISkinBackgroundHost*>(pParent)) {
        pHost->RedrawBackground(rcScreen);
        return TRUE;
    }
    return FALSE;
}
