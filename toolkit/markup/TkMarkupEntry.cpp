#include "TkMarkup.h"

#include "TkMarkupContext.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupEntryFunctions.h"
#include "TkMarkupUIElement.h"

// Callers are tooltip and paint code: whatever goes wrong inside the engine (a bad index, no memory)
// must read as "nothing to show", never leave through them.
namespace {

template <class F, class R>
R Guarded(F f, R fallback) {
    try {
        return f();
    } catch (CException* pException) {
        pException->Delete();
    } catch (...) {
    }
    return fallback;
}

}  // namespace

CTkMarkupContext* CreateMarkupContext(HWND hWndHost) {
    return Guarded([&]() -> CTkMarkupContext* { return new CTkMarkupContext(hWndHost); },
                   static_cast<CTkMarkupContext*>(nullptr));
}

void ReleaseMarkupContext(CTkMarkupContext*& pContext) {
    if (CTkMarkupContext* p = std::exchange(pContext, nullptr))
        p->Release();
}

CTkMarkupUIElement* ParseMarkupText(CTkMarkupContext* pContext, LPCWSTR lpszText) {
    if (pContext == nullptr || lpszText == nullptr)
        return nullptr;
    return Guarded([&] { return pContext->Parse(lpszText); }, static_cast<CTkMarkupUIElement*>(nullptr));
}

DWORD ReleaseMarkupElement(CTkMarkupUIElement*& pElement) {
    CTkMarkupUIElement* p = std::exchange(pElement, nullptr);
    return p != nullptr ? p->Release() : 0;
}

CTkMarkupContext* GetMarkupElementContext(CTkMarkupUIElement* pElement) {
    return pElement != nullptr ? pElement->GetMarkupContext() : nullptr;
}

void SetMarkupDefaultFont(CTkMarkupContext* pContext, HFONT hFont, COLORREF clrText) {
    if (pContext == nullptr)
        return;
    if (hFont != nullptr)
        pContext->SetDefaultFontFromHandle(hFont);
    if (clrText != static_cast<COLORREF>(-1))
        pContext->SetDefaultTextColor(clrText);
}

SIZE MeasureMarkupElement(CTkMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight) {
    if (pElement == nullptr)
        return SIZE{0, 0};
    return Guarded(
        [&]() -> SIZE {
            CTkMarkupDrawingContext dc;
            pElement->Measure(&dc, nAvailableWidth, nAvailableHeight);
            return pElement->GetDesiredSize();
        },
        SIZE{0, 0});
}

BOOL RenderMarkupElement(CTkMarkupUIElement* pElement, HDC hDC, const RECT* pRect) {
    if (pElement == nullptr || hDC == nullptr || pRect == nullptr)
        return FALSE;
    return Guarded(
        [&]() -> BOOL {
            pElement->Arrange(*pRect);
            CTkMarkupDrawingContext dc(hDC);
            pElement->Render(&dc);
            return TRUE;
        },
        FALSE);
}

void InstallMarkupEntryFunctions() {
    static const MarkupEntryFunctions s_functions = {
        CreateMarkupContext,  ReleaseMarkupContext, ParseMarkupText,      SetMarkupDefaultFont,
        MeasureMarkupElement, RenderMarkupElement,  ReleaseMarkupElement,
    };
    SetMarkupEntryFunctions(&s_functions);
}
