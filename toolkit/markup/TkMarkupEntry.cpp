#include "TkMarkup.h"

#include "TkMarkupEntryFunctions.h"

CTkMarkupContext* CreateMarkupContext(HWND /*hWndHost*/) {
    return nullptr;
}

void ReleaseMarkupContext(CTkMarkupContext*& pContext) {
    pContext = nullptr;
}

CTkMarkupUIElement* ParseMarkupText(CTkMarkupContext* /*pContext*/, LPCWSTR /*lpszText*/) {
    return nullptr;
}

DWORD ReleaseMarkupElement(CTkMarkupUIElement*& pElement) {
    pElement = nullptr;
    return 0;
}

CTkMarkupContext* GetMarkupElementContext(CTkMarkupUIElement* /*pElement*/) {
    return nullptr;
}

void SetMarkupDefaultFont(CTkMarkupContext* /*pContext*/, HFONT /*hFont*/, COLORREF /*clrText*/) {}

SIZE MeasureMarkupElement(CTkMarkupUIElement* /*pElement*/, int /*nAvailableWidth*/, int /*nAvailableHeight*/) {
    return SIZE{0, 0};
}

BOOL RenderMarkupElement(CTkMarkupUIElement* /*pElement*/, HDC /*hDC*/, const RECT* /*pRect*/) {
    return FALSE;
}

void InstallMarkupEntryFunctions() {
    static const MarkupEntryFunctions s_functions = {
        CreateMarkupContext,  ReleaseMarkupContext, ParseMarkupText,      SetMarkupDefaultFont,
        MeasureMarkupElement, RenderMarkupElement,  ReleaseMarkupElement,
    };
    SetMarkupEntryFunctions(&s_functions);
}
