#include "skin/dialogs/SkinMessageBox.h"

#include "framework/Exceptions.h"
#include "framework/ModuleState.h"
#include "framework/Wnd.h"
#include "skin/dialogs/MessageBoxText.h"
#include "skin/dialogs/SkinMessageBoxDialog.h"

#include <cstring>
#include <memory>
#include <new>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is handed to the system as wchar_t");

namespace {

std::u16string ToU16(const wchar_t* text) {
    return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

std::u16string ToU16(const CStringW& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()), static_cast<size_t>(text.GetLength()));
}

// The rule between the thread's and the locale's code page is settled on the
// first conversion and kept for the process.
SkinCodePageRule CodePageRule() {
    static const SkinCodePageRule rule = [] {
        OSVERSIONINFOA version;
        std::memset(&version, 0, sizeof(version));
        version.dwOSVersionInfoSize = sizeof(version);
        ::GetVersionExA(&version);
        return ChooseCodePageRule(version.dwPlatformId, version.dwMajorVersion);
    }();
    return rule;
}

// The code page itself is read again on every conversion.
UINT ConversionCodePage() {
    if (CodePageRule() == SkinCodePageRule::ThreadCodePage) return kSkinCpThreadAcp;
    char text[16] = "";
    const UINT locale = ::GetLocaleInfoA(::GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE, text, sizeof(text)) > 0
                            ? ParseLocaleCodePage(text)
                            : 0;
    return LocaleRuleCodePage(locale, ::GetACP());
}

// 8-bit text with its terminating zero as UTF-16, in the fixed buffer when it
// fits, else in an allocated one.
class CWideText {
public:
    explicit CWideText(const char* text) {
        if (text == nullptr) return;
        const size_t bytes = std::strlen(text);
        const size_t chars = ConversionChars(bytes);
        if (chars > static_cast<size_t>(INT_MAX)) AfxThrowMemoryException();
        if (ConversionFitsFixedBuffer(bytes)) {
            m_pText = m_fixed;
        } else {
            m_heap.reset(new (std::nothrow) wchar_t[chars]);
            if (!m_heap) AfxThrowMemoryException();
            m_pText = m_heap.get();
        }
        if (::MultiByteToWideChar(ConversionCodePage(), 0, text, static_cast<int>(bytes + 1), m_pText,
                                  static_cast<int>(chars)) == 0)
            AfxThrowResultException(static_cast<long>(ConversionFailureCode(::GetLastError())));
    }
    CWideText(const CWideText&) = delete;
    CWideText& operator=(const CWideText&) = delete;

    const wchar_t* Get() const { return m_pText; }

private:
    wchar_t m_fixed[kSkinFixedConversionChars];
    std::unique_ptr<wchar_t[]> m_heap;
    wchar_t* m_pText = nullptr;
};

// Makes hInst the module resources are loaded from, until the box has closed.
// The handle is process-wide and a box may run on a worker thread while the
// user-interface thread reads it (or sets it): it is written only when it
// changes, so a box owned by a window of the resource module already in use
// (every box of the program) never writes it, and never puts back an old
// value over one the other thread set meanwhile.
class CResourceHandleScope {
public:
    explicit CResourceHandleScope(HINSTANCE hInst)
        : m_pState(AfxGetModuleState()), m_hSaved(m_pState->m_hCurrentResourceHandle), m_bChanged(m_hSaved != hInst) {
        if (m_bChanged) m_pState->m_hCurrentResourceHandle = hInst;
    }
    ~CResourceHandleScope() {
        if (m_bChanged) m_pState->m_hCurrentResourceHandle = m_hSaved;
    }
    CResourceHandleScope(const CResourceHandleScope&) = delete;
    CResourceHandleScope& operator=(const CResourceHandleScope&) = delete;

private:
    CModuleState* m_pState;
    HINSTANCE m_hSaved;
    bool m_bChanged;
};

}  // namespace

int SkinMessageBox(CWnd* owner, const char* text, const char* caption, UINT style, SkinMsgBoxParams* params,
                   SkinMsgBoxChild* child) {
    const CWideText wideCaption(caption);
    const CWideText wideText(text);
    return SkinMessageBoxW(owner, wideText.Get(), wideCaption.Get(), style, params, child);
}

int SkinMessageBoxW(CWnd* owner, const wchar_t* text, const wchar_t* caption, UINT style, SkinMsgBoxParams* params,
                    SkinMsgBoxChild* child) {
    HINSTANCE hInst = nullptr;
    if (owner != nullptr && owner->m_hWnd != nullptr)
        hInst = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(owner->m_hWnd, GWLP_HINSTANCE));
    if (hInst == nullptr) hInst = ::GetModuleHandleA(nullptr);
    const CResourceHandleScope resources(hInst);

    const SkinMsgBoxCaptions captions = CaptionsForModule(reinterpret_cast<std::uintptr_t>(hInst));

    SkinMsgBoxRequest request;
    request.style = style;
    request.hasParams = params != nullptr;
    request.captionIsNull = caption == nullptr;
    if (params != nullptr) {
        request.customButtonCount = params->customButtonCount;
        for (int i = 0; i < kSkinMaxCustomButtons; ++i) request.customCaptions[i] = ToU16(params->customCaptions[i]);
        request.hasHeading = !params->heading.IsEmpty();
    }
    const SkinMsgBoxItems items = BuildMessageBoxItems(request, captions);
    const std::vector<std::uint8_t> dialogTemplate =
        BuildMessageBoxTemplate(ToU16(caption), items.width, items.height, items.items);

    CSkinMessageBox box(params != nullptr ? params->heading : CStringW(), CStringW(text), captions, child, items.items,
                        owner);
    box.InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATE>(dialogTemplate.data()));
    if (params != nullptr) {
        box.m_timerElapse = params->timerElapse;
        box.m_timerProc = params->timerProc;
        box.m_timerData = params->timerData;
    }
    return static_cast<int>(box.DoModal());
}
