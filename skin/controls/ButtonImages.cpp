// The image operations of the skinned push button: image sets from icon
// resources, from handles and from the system's check-box and radio-button
// drawings; the gray disabled copy; the hand cursor.
#include "skin/controls/ButtonImages.h"

#include "framework/DeviceContext.h"
#include "framework/ModuleState.h"
#include "skin/controls/ButtonState.h"
#include "skin/controls/GrayIcon.h"
#include "skin/controls/HandCursor.h"
#include "skin/controls/SkinButton.h"

namespace {

void FreeSlot(ButtonImage& slot) {
    if (slot.hIcon != nullptr && slot.bOwned) ::DestroyIcon(slot.hIcon);
    slot.hIcon = nullptr;
    slot.bOwned = 0;
}

HICON LoadIconFrom(HINSTANCE hModule, UINT nID) {
    if (nID == 0) return nullptr;
    return static_cast<HICON>(::LoadImageA(hModule, MAKEINTRESOURCEA(nID), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
}

ButtonImage& Slot(ButtonImageSet& set, int nSlot) {
    switch (nSlot) {
    case kSkinImageActive: return set.imgActive;
    case kSkinImageNormal: return set.imgNormal;
    case kSkinImagePressed: return set.imgPressed;
    default: return set.imgDisabled;
    }
}

}  // namespace

HICON CreateGrayscaleIcon(HICON hIcon) {
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return nullptr;

    HICON hGray = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hSrc = hScreen != nullptr ? ::CreateCompatibleDC(hScreen) : nullptr;
    HDC hDst = hScreen != nullptr ? ::CreateCompatibleDC(hScreen) : nullptr;
    BITMAP bm = {};
    if (hSrc != nullptr && hDst != nullptr && info.hbmColor != nullptr &&
        ::GetObjectA(info.hbmColor, sizeof(bm), &bm) == sizeof(bm)) {
        const SkinSize size = GrayBitmapSize(static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot));
        HBITMAP hNew = ::CreateBitmap(size.cx, size.cy, bm.bmPlanes, bm.bmBitsPixel, nullptr);
        if (hNew != nullptr) {
            HGDIOBJ hOldSrc = ::SelectObject(hSrc, info.hbmColor);
            HGDIOBJ hOldDst = ::SelectObject(hDst, hNew);
            // A bitmap made without initial bits holds no defined pixels;
            // start from black so the pixels that are not written (the
            // black ones) really are black.
            ::PatBlt(hDst, 0, 0, size.cx, size.cy, BLACKNESS);
            // Only pixels the colour bitmap has are read: outside it GetPixel
            // answers CLR_INVALID, which is no colour.
            const int cx = size.cx < bm.bmWidth ? size.cx : bm.bmWidth;
            const int cy = size.cy < bm.bmHeight ? size.cy : bm.bmHeight;
            for (int y = 0; y < cy; ++y) {
                for (int x = 0; x < cx; ++x) {
                    SkinColorRef gray;
                    if (GrayPixel(::GetPixel(hSrc, x, y), &gray)) ::SetPixel(hDst, x, y, gray);
                }
            }
            ::SelectObject(hSrc, hOldSrc);
            ::SelectObject(hDst, hOldDst);

            ICONINFO grayInfo = {};
            grayInfo.fIcon = TRUE;
            grayInfo.hbmMask = info.hbmMask;
            grayInfo.hbmColor = hNew;
            hGray = ::CreateIconIndirect(&grayInfo);
            ::DeleteObject(hNew);
        }
    }
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (hSrc != nullptr) ::DeleteDC(hSrc);
    if (hDst != nullptr) ::DeleteDC(hDst);
    if (hScreen != nullptr) ::ReleaseDC(nullptr, hScreen);
    return hGray;
}

HCURSOR CreateHandCursor() {
    return ::CreateCursor(AfxGetModuleState()->m_hCurrentInstanceHandle, kHandCursorHotspotX, kHandCursorHotspotY,
                          kHandCursorWidth, kHandCursorHeight, kHandCursorAndPlane, kHandCursorXorPlane);
}

// ---------------------------------------------------------------------------
// CSkinButton: image sets

const ButtonImageSet* CSkinButton::GetImageSet(int nSet) const {
    if (m_pImages == nullptr || nSet < 0 || nSet >= m_nImageSets) return nullptr;
    return &m_pImages[nSet];
}

void CSkinButton::FreeImageSet(int nSet) {
    if (m_pImages == nullptr || nSet < 0 || nSet >= m_nImageSets) return;
    ButtonImageSet& set = m_pImages[nSet];
    // imgNormal is never owned when it is imgActive's handle, so each icon
    // is destroyed once.
    FreeSlot(set.imgActive);
    FreeSlot(set.imgNormal);
    FreeSlot(set.imgPressed);
    FreeSlot(set.imgDisabled);
}

void CSkinButton::SetIconHandles(HICON hActive, HICON hNormal, HICON hPressed, HICON hDisabled, int nSet) {
    if (m_pImages == nullptr || nSet < 0 || nSet >= m_nImageSets) return;
    FreeImageSet(nSet);
    ButtonImageSet& set = m_pImages[nSet];
    set.imgActive.hIcon = hActive;
    set.imgNormal.hIcon = hNormal != nullptr ? hNormal : hActive;
    set.imgPressed.hIcon = hPressed;
    if (hDisabled != nullptr) {
        set.imgDisabled.hIcon = hDisabled;
    } else {
        set.imgDisabled.hIcon = CreateGrayscaleIcon(set.imgNormal.hIcon);
        set.imgDisabled.bOwned = set.imgDisabled.hIcon != nullptr;
    }
    UpdateIconSize();
    LookChanged();
}

void CSkinButton::SetIcons(UINT idActive, UINT idNormal, UINT idPressed, UINT idDisabled, int nSet) {
    if (m_pImages == nullptr || nSet < 0 || nSet >= m_nImageSets) return;
    HINSTANCE hModule = AfxFindResourceHandle(MAKEINTRESOURCEA(idActive), MAKEINTRESOURCEA(14));
    if (hModule == nullptr) return;
    FreeImageSet(nSet);
    ButtonImageSet& set = m_pImages[nSet];
    set.imgActive.hIcon = LoadIconFrom(hModule, idActive);
    set.imgNormal.hIcon =
        (idNormal != 0 && idNormal != idActive) ? LoadIconFrom(hModule, idNormal) : set.imgActive.hIcon;
    set.imgPressed.hIcon = LoadIconFrom(hModule, idPressed);
    set.imgDisabled.hIcon =
        idDisabled != 0 ? LoadIconFrom(hModule, idDisabled) : CreateGrayscaleIcon(set.imgNormal.hIcon);
    set.imgActive.bOwned = set.imgActive.hIcon != nullptr;
    set.imgNormal.bOwned = set.imgNormal.hIcon != nullptr && set.imgNormal.hIcon != set.imgActive.hIcon;
    set.imgPressed.bOwned = set.imgPressed.hIcon != nullptr;
    set.imgDisabled.bOwned = set.imgDisabled.hIcon != nullptr;
    UpdateIconSize();
    LookChanged();
}

void CSkinButton::UpdateIconSize() {
    m_cxIcon = 0;
    m_cyIcon = 0;
    const ButtonImageSet* pSet = GetImageSet(m_nCurImage);
    if (pSet == nullptr || pSet->imgActive.hIcon == nullptr) return;
    ICONINFO info = {};
    if (!::GetIconInfo(pSet->imgActive.hIcon, &info)) return;
    m_cxIcon = ButtonIconExtent(static_cast<int>(info.xHotspot));
    m_cyIcon = ButtonIconExtent(static_cast<int>(info.yHotspot));
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
}

void CSkinButton::PaintIcon(CDC* pDC, CRect rc) {
    const ButtonImageSet* pSet = GetImageSet(m_nCurImage);
    if (pSet == nullptr) return;
    const ButtonVisual visual =
        ButtonVisualState(m_bGrayed != FALSE, m_bMouseOver != FALSE, m_bFocused != FALSE, m_bPressed != FALSE);
    const int nSlot = ButtonImageSlot(visual, pSet->imgPressed.hIcon == nullptr);
    HICON hIcon = Slot(const_cast<ButtonImageSet&>(*pSet), nSlot).hIcon;
    if (hIcon == nullptr) return;
    const SkinPoint at = ButtonIconPosition(SkinRect{rc.left, rc.top, rc.right, rc.bottom},
                                            static_cast<std::uint32_t>(m_nTextAlign), m_cxIcon, m_cyIcon);
    ::DrawIconEx(pDC->GetSafeHdc(), at.x, at.y, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
}

void CSkinButton::SetHandCursor(BOOL bHand) {
    if (m_hCursor != nullptr && m_bOwnCursor) ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    m_bOwnCursor = FALSE;
    if (!bHand) return;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    const BOOL bKnown = ::GetVersionExA(&version);
    if (bKnown && UseSystemHandCursor(version.dwPlatformId, version.dwMajorVersion)) {
        m_hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));
    } else {
        m_hCursor = CreateHandCursor();
        m_bOwnCursor = m_hCursor != nullptr;
    }
}

void CSkinButton::BuildCheckImages() {
    if (m_pImages == nullptr) return;
    const bool bRadio = IsRadioButton(m_nType);
    const bool bFlat = (GetStyle() & kSkinBsFlat) != 0;

    CClientDC dcControl(this);
    const int cx = CheckImageExtent(::GetSystemMetrics(SM_CXMENUCHECK), dcControl.GetDeviceCaps(LOGPIXELSX));
    const int cy = CheckImageExtent(::GetSystemMetrics(SM_CYMENUCHECK), dcControl.GetDeviceCaps(LOGPIXELSY));
    RECT rc;
    ::SetRect(&rc, 0, 0, cx, cy);

    HDC hdcColor = ::CreateCompatibleDC(dcControl.GetSafeHdc());
    HDC hdcMask = ::CreateCompatibleDC(dcControl.GetSafeHdc());
    HBITMAP hbmColor = ::CreateCompatibleBitmap(dcControl.GetSafeHdc(), cx, cy);
    HBITMAP hbmMask = ::CreateCompatibleBitmap(dcControl.GetSafeHdc(), cx, cy);
    if (hdcColor != nullptr && hdcMask != nullptr && hbmColor != nullptr && hbmMask != nullptr) {
        HGDIOBJ hOldColor = ::SelectObject(hdcColor, hbmColor);
        HGDIOBJ hOldMask = ::SelectObject(hdcMask, hbmMask);
        CDC* pMask = CDC::FromHandle(hdcMask);
        pMask->FillSolidRect(&rc, RGB(0, 0, 0));

        ICONINFO info = {};
        info.fIcon = TRUE;
        info.hbmMask = hbmMask;
        info.hbmColor = hbmColor;
        for (int i = 0; i < m_nImageSets; ++i) {
            ButtonImageSet& set = m_pImages[i];
            for (int j = 0; j < kSkinImageSlotCount; ++j) {
                std::uint32_t state = 0;
                if (!ButtonFrameState(bRadio, false, i, j, bFlat, &state)) continue;
                ::DrawFrameControl(hdcColor, &rc, kSkinDfcButton, state);
                std::uint32_t maskState = 0;
                if (bRadio && ButtonFrameState(true, true, i, j, bFlat, &maskState))
                    ::DrawFrameControl(hdcMask, &rc, kSkinDfcButton, maskState);
                // The bitmaps are copied by CreateIconIndirect, but must not be
                // selected while it reads them.
                ::SelectObject(hdcColor, hOldColor);
                ::SelectObject(hdcMask, hOldMask);
                ButtonImage& slot = Slot(set, j);
                slot.hIcon = ::CreateIconIndirect(&info);
                slot.bOwned = 0;
                ::SelectObject(hdcColor, hbmColor);
                ::SelectObject(hdcMask, hbmMask);
            }
            // The slots are not owned yet, so SetIconHandles frees nothing;
            // the empty normal slot becomes the active handle.
            const ButtonImageSet handles = set;
            SetIconHandles(handles.imgActive.hIcon, handles.imgNormal.hIcon, handles.imgPressed.hIcon,
                           handles.imgDisabled.hIcon, i);
            set.imgActive.bOwned = set.imgActive.hIcon != nullptr;
            set.imgNormal.bOwned = set.imgNormal.hIcon != nullptr && set.imgNormal.hIcon != set.imgActive.hIcon;
            set.imgPressed.bOwned = set.imgPressed.hIcon != nullptr;
            set.imgDisabled.bOwned = set.imgDisabled.hIcon != nullptr;
        }
        ::SelectObject(hdcColor, hOldColor);
        ::SelectObject(hdcMask, hOldMask);
    }
    if (hdcColor != nullptr) ::DeleteDC(hdcColor);
    if (hdcMask != nullptr) ::DeleteDC(hdcMask);
    if (hbmColor != nullptr) ::DeleteObject(hbmColor);
    if (hbmMask != nullptr) ::DeleteObject(hbmMask);
}
