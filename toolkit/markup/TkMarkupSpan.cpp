#include "TkMarkupSpan.h"

#include "TkMarkupBrush.h"
#include "TkMarkupControls.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupStyle.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

CTkMarkupRoutedEvent* CTkMarkupHyperlink::s_pClickEvent = nullptr;

// ---- Span

CTkMarkupSpan::CTkMarkupSpan() : m_pInlines(new CTkMarkupInlineCollection) {
    m_pInlines->SetLogicalParent(this);
}

CTkMarkupSpan::~CTkMarkupSpan() {
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

int CTkMarkupSpan::GetLogicalChildrenCount() const {
    return 1;
}

CTkMarkupObject* CTkMarkupSpan::GetLogicalChild(int nIndex) const {
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CTkMarkupSpan::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CTkMarkupSpan::HasContentObject() const {
    return m_pInlines->HasContentObject();
}

CTkMarkupInline* CTkMarkupSpan::GetFirstInline() {
    return m_pInlines->GetCount() > 0 ? m_pInlines->GetItem(0)->GetFirstInline() : this;
}

CTkMarkupBold::CTkMarkupBold() {
    SetFontWeight(FW_BOLD);
}

CTkMarkupItalic::CTkMarkupItalic() {
    SetFontStyle(kMarkupFontItalic);
}

CTkMarkupUnderline::CTkMarkupUnderline() {
    SetTextDecorations(kMarkupUnderline);
}

// ---- Hyperlink

namespace {

CTkMarkupSetter* BrushSetter(COLORREF clr) {
    return new CTkMarkupSetter(CTkMarkupTextElement::s_pForegroundProperty, new CTkMarkupSolidColorBrush(clr));
}

}  // namespace

void CTkMarkupHyperlink::RegisterProperties() {
    CTkMarkupType::EnsureRegistered(CTkMarkupStyle::GetClassType());
    CTkMarkupType::EnsureRegistered(CTkMarkupSolidColorBrush::GetClassType());
    // A link clicks as a button does: handlers of the one event serve both.
    CTkMarkupType::EnsureRegistered(CTkMarkupButtonBase::GetClassType());
    s_pClickEvent = static_cast<CTkMarkupRoutedEvent*>(CTkMarkupButtonBase::s_pClickEvent->AddOwner(GetClassType()));

    // Lives as long as the type.
    auto* pStyle = new CTkMarkupStyle;
    CTkMarkupSetterColection* pSetters = pStyle->GetSetters();
    pSetters->Add(new CTkMarkupSetter(s_pTextDecorationsProperty, CTkMarkupEnum::CreateValue(kMarkupUnderline)));
    pSetters->Add(BrushSetter(RGB(0, 0, 255)));
    pSetters->Add(new CTkMarkupSetter(s_pCursorProperty, new CTkMarkupInt(32649)));  // the hand

    auto* pHotSetters = new CTkMarkupSetterColection;
    pHotSetters->Add(BrushSetter(RGB(255, 0, 0)));
    auto* pHot = new CTkMarkupTrigger(s_pIsMouseOverProperty, CTkMarkupBool::CreateValue(TRUE));
    pHot->SetValue(CTkMarkupTrigger::s_pSettersProperty, pHotSetters);
    auto* pTriggers = new CTkMarkupTriggerCollection;
    pTriggers->Add(pHot);
    pStyle->SetValue(CTkMarkupStyle::s_pTriggersProperty, pTriggers);
    GetClassType()->SetDefaultStyle(pStyle);
}

void CTkMarkupHyperlink::OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* pArgs) {
    m_bPressed = TRUE;
    pArgs->bHandled = TRUE;
}

void CTkMarkupHyperlink::OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* pArgs) {
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    // A click handler may release the tree that holds the link.
    const auto self = CTkMarkupPtr<CTkMarkupHyperlink>::Retain(this);
    OnClick();
    pArgs->bHandled = TRUE;
}

void CTkMarkupHyperlink::OnClick() {
    CTkMarkupRoutedEventArgs args;
    args.pEvent = s_pClickEvent;
    args.pSource = this;
    RaiseEvent(this, &args);
}
