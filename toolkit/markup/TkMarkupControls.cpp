#include "TkMarkupControls.h"

#include "TkColorFunctions.h"
#include "TkMarkupBrush.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDecorators.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupPanels.h"
#include "TkMarkupTextBlock.h"
#include "TkMarkupTextElement.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <vsstyle.h>

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupControl::s_pPaddingProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupControl::s_pBackgroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupControl::s_pForegroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupContentControl::s_pContentProperty = nullptr;
CTkMarkupRoutedEvent* CTkMarkupButtonBase::s_pClickEvent = nullptr;
CTkMarkupDependencyProperty* CTkMarkupButtonBase::s_pIsPressedProperty = nullptr;
CTkMarkupRoutedEvent* CTkMarkupToggleButton::s_pCheckedEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupToggleButton::s_pUncheckedEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupToggleButton::s_pIndeterminateEvent = nullptr;
CTkMarkupDependencyProperty* CTkMarkupToggleButton::s_pIsCheckedProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupToggleButton::s_pIsThreeStateProperty = nullptr;

namespace {

// The chrome of a push button around its content, and the glyph column of check boxes.
constexpr int kButtonChrome = 8;
constexpr int kButtonContentInset = 4;
constexpr int kGlyphColumn = 16;
constexpr int kGlyphSize = 13;

// A rectangle's four one-pixel edges in a colour.
void FrameWithColor(CTkMarkupDrawingContext* pDC, const CRect& rc, COLORREF clr) {
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right, rc.top + 1), clr);
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.left + 1, rc.bottom), clr);
    pDC->FillSolidRect(CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom), clr);
    pDC->FillSolidRect(CRect(rc.right - 1, rc.top, rc.right, rc.bottom), clr);
}

// The platform's dotted focus rectangle, drawn white on black.
void DrawFocus(CTkMarkupDrawingContext* pDC, const CRect& rc) {
    HDC hDC = pDC->GetSafeHdc();
    const CScopedSaveDC saved(hDC);
    ::SetTextColor(hDC, RGB(255, 255, 255));
    ::SetBkColor(hDC, RGB(0, 0, 0));
    ::DrawFocusRect(hDC, &rc);
}

// An available size less the padding and chrome, never below 0.
int Less(int nAvailable, INT64 nTaken) {
    return SaturatedInt(std::max<INT64>(0, static_cast<INT64>(nAvailable) - nTaken));
}

int Plus(int nSize, INT64 nAdded) {
    return SaturatedInt(static_cast<INT64>(nSize) + nAdded);
}

}  // namespace

// ---- Parts and states

int MarkupButtonState(BOOL bPressed, BOOL bMouseOver) {
    return bPressed ? PBS_PRESSED : bMouseOver ? PBS_HOT : PBS_NORMAL;
}

int MarkupCheckBoxState(int nBaseState, int nChecked) {
    if (nChecked == kMarkupChecked)
        return nBaseState + 4;
    if (nChecked == kMarkupIndeterminate)
        return nBaseState + 8;
    return nBaseState;
}

int MarkupRadioButtonState(int nBaseState, int nChecked) {
    return nChecked != kMarkupUnchecked ? nBaseState + 4 : nBaseState;
}

UINT MarkupCheckBoxFrameFlags(int nChecked, BOOL bPressed) {
    UINT nFlags = DFCS_BUTTONCHECK;
    if (nChecked == kMarkupChecked)
        nFlags |= DFCS_CHECKED;
    else if (nChecked == kMarkupIndeterminate)
        nFlags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    return bPressed ? nFlags | DFCS_PUSHED : nFlags;
}

UINT MarkupRadioButtonFrameFlags(int nChecked, BOOL bPressed) {
    UINT nFlags = DFCS_BUTTONRADIO;
    if (nChecked != kMarkupUnchecked)
        nFlags |= DFCS_CHECKED;
    return bPressed ? nFlags | DFCS_PUSHED : nFlags;
}

void MarkupButtonEdgeColors(COLORREF clrBackground, COLORREF& clrLight, COLORREF& clrShadow, COLORREF& clrDark) {
    const DWORD hls = RgbToHls(clrBackground);
    const DWORD nLuminance = (hls >> 16) & 0xFF;
    const DWORD hueSaturation = hls & 0xFFFF;
    clrLight = HlsToRgb(hueSaturation | (((nLuminance + 240) / 2) << 16));
    clrShadow = HlsToRgb(hueSaturation | (((nLuminance * 2 + 1) / 3) << 16));
    clrDark = RGB(GetRValue(clrShadow) / 2, GetGValue(clrShadow) / 2, GetBValue(clrShadow) / 2);
}

// ---- Control

void CTkMarkupControl::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    CTkMarkupType::EnsureRegistered(CTkMarkupBorder::GetClassType());
    CTkMarkupType::EnsureRegistered(CTkMarkupPanel::GetClassType());
    CTkMarkupType::EnsureRegistered(CTkMarkupTextElement::GetClassType());
    s_pPaddingProperty = CTkMarkupBorder::s_pPaddingProperty->AddOwner(pType);
    s_pBackgroundProperty = CTkMarkupPanel::s_pBackgroundProperty->AddOwner(pType);
    s_pForegroundProperty = CTkMarkupTextElement::s_pForegroundProperty->AddOwner(pType);
}

CRect CTkMarkupControl::GetPadding() const {
    const CTkMarkupObject* pPadding = GetValue(s_pPaddingProperty);
    if (pPadding == nullptr || !pPadding->IsKindOf(CTkMarkupThickness::GetClassType()))
        return CRect(0, 0, 0, 0);
    return static_cast<const CTkMarkupThickness*>(pPadding)->GetThickness();
}

CTkMarkupBrush* CTkMarkupControl::GetBackground() const {
    return static_cast<CTkMarkupBrush*>(GetValue(s_pBackgroundProperty));
}

CTkMarkupUIElement* CTkMarkupControl::GetContentElement() const {
    if (GetVisualChildrenCount() == 0)
        return nullptr;
    CTkMarkupVisual* pChild = GetVisualChild(0);
    return pChild != nullptr && pChild->IsKindOf(CTkMarkupUIElement::GetClassType())
               ? static_cast<CTkMarkupUIElement*>(pChild)
               : nullptr;
}

CSize CTkMarkupControl::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    CTkMarkupUIElement* pContent = GetContentElement();
    if (pContent == nullptr)
        return CSize(0, 0);
    pContent->Measure(pDC, nWidth, nHeight);
    return pContent->GetDesiredSize();
}

CSize CTkMarkupControl::ArrangeOverride(int nWidth, int nHeight) {
    if (CTkMarkupUIElement* pContent = GetContentElement())
        pContent->Arrange(CRect(0, 0, nWidth, nHeight));
    return CSize(nWidth, nHeight);
}

// ---- Content control

void CTkMarkupContentControl::RegisterProperties() {
    s_pContentProperty =
        CTkMarkupDependencyProperty::Register(L"Content", CTkMarkupUIElement::GetClassType(), GetClassType(),
                                              new Metadata(nullptr, &ConvertContent, Metadata::flagAffectsMeasure));
}

CTkMarkupUIElement* CTkMarkupContentControl::GetContent() const {
    return static_cast<CTkMarkupUIElement*>(GetValue(s_pContentProperty));
}

void CTkMarkupContentControl::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    LPCWSTR lpszName = GetType()->GetClassName();
    LPCWSTR lpszContentName = content ? content->GetType()->GetClassName() : L"";
    if (GetContent() != nullptr) {
        ThrowMarkupError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.", lpszName,
                         lpszContentName, lpszName);
    }
    if (content && content->IsKindOf(CTkMarkupString::GetClassType())) {
        auto textBlock = CTkMarkupPtr<CTkMarkupObject>::Adopt(
            CreateMarkupObjectOf(GetMarkupContext(), CTkMarkupTextBlock::GetClassType()));
        textBlock->SetContentObject(pBuilder, content.Detach());
        content = std::move(textBlock);
    } else if (!content || !content->IsKindOf(CTkMarkupUIElement::GetClassType())) {
        ThrowMarkupError(
            L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type "
            L"'CTkMarkupUIElement'",
            lpszContentName, lpszName);
    }
    SetValue(s_pContentProperty, content.Detach());
}

BOOL CTkMarkupContentControl::HasContentObject() const {
    return GetContent() != nullptr;
}

int CTkMarkupContentControl::GetVisualChildrenCount() const {
    return GetContent() != nullptr ? 1 : 0;
}

CTkMarkupVisual* CTkMarkupContentControl::GetVisualChild(int nIndex) const {
    return nIndex == 0 ? GetContent() : nullptr;
}

// ---- Button base

CTkMarkupButtonBase::CTkMarkupButtonBase() {
    SetValue(s_pFocusableProperty, CTkMarkupBool::CreateValue(TRUE));
}

void CTkMarkupButtonBase::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pClickEvent = CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Click", Metadata::routingBubble, pType);
    s_pIsPressedProperty = CTkMarkupDependencyProperty::Register(
        L"IsPressed", CTkMarkupBool::GetClassType(), pType,
        new Metadata(CTkMarkupBool::CreateValue(FALSE), Metadata::flagAffectsArrange));
}

BOOL CTkMarkupButtonBase::IsPressedValue() const {
    return MarkupBoolOr(GetValue(s_pIsPressedProperty), FALSE);
}

BOOL CTkMarkupButtonBase::IsMouseOverValue() const {
    return MarkupBoolOr(GetValue(s_pIsMouseOverProperty), FALSE);
}

void CTkMarkupButtonBase::OpenButtonTheme() {
    m_theme.OpenTheme(nullptr, L"BUTTON");
}

void CTkMarkupButtonBase::OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* pArgs) {
    Focus();
    if (!m_bPressed) {
        m_bPressed = TRUE;
        SetValue(s_pIsPressedProperty, CTkMarkupBool::CreateValue(TRUE));
    }
    pArgs->bHandled = TRUE;
    CaptureMouse();
}

void CTkMarkupButtonBase::OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* pArgs) {
    if (!m_bPressed)
        return;
    // A click handler may release the tree.
    const auto self = CTkMarkupPtr<CTkMarkupButtonBase>::Retain(this);
    ReleaseMouseCapture();
    LeavePressed();
    if (m_bHot)
        OnClick();
    pArgs->bHandled = TRUE;
}

void CTkMarkupButtonBase::OnMouseEnter(CTkMarkupMouseEventArgs* pArgs) {
    m_bHot = TRUE;
    if (m_bPressed) {
        SetValue(s_pIsPressedProperty, CTkMarkupBool::CreateValue(TRUE));
        return;
    }
    CTkMarkupContentControl::OnMouseEnter(pArgs);
    InvalidateVisual();
}

void CTkMarkupButtonBase::OnMouseLeave(CTkMarkupMouseEventArgs* pArgs) {
    m_bHot = FALSE;
    if (m_bPressed) {
        SetValue(s_pIsPressedProperty, CTkMarkupBool::CreateValue(FALSE));
        return;
    }
    CTkMarkupContentControl::OnMouseLeave(pArgs);
    InvalidateVisual();
}

void CTkMarkupButtonBase::OnLostMouseCapture(CTkMarkupMouseEventArgs* /*pArgs*/) {
    LeavePressed();
}

void CTkMarkupButtonBase::LeavePressed() {
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    SetValue(s_pIsPressedProperty, CTkMarkupBool::CreateValue(FALSE));
    if (!m_bHot && IsMouseOverValue()) {
        SetValue(s_pIsMouseOverProperty, nullptr);
        InvalidateVisual();
    }
}

void CTkMarkupButtonBase::OnClick() {
    CTkMarkupRoutedEventArgs args;
    args.pEvent = s_pClickEvent;
    args.pSource = this;
    RaiseEvent(this, &args);
}

// ---- Button

CSize CTkMarkupButton::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    OpenButtonTheme();
    const CRect rcPadding = GetPadding();
    const INT64 nHorizontal = static_cast<INT64>(rcPadding.left) + rcPadding.right + kButtonChrome;
    const INT64 nVertical = static_cast<INT64>(rcPadding.top) + rcPadding.bottom + kButtonChrome;
    CSize szContent(0, 0);
    if (CTkMarkupUIElement* pContent = GetContentElement()) {
        pContent->Measure(pDC, Less(nWidth, nHorizontal), Less(nHeight, nVertical));
        szContent = pContent->GetDesiredSize();
    }
    return CSize(Plus(szContent.cx, nHorizontal), Plus(szContent.cy, nVertical));
}

CSize CTkMarkupButton::ArrangeOverride(int nWidth, int nHeight) {
    CRect rcContent(0, 0, nWidth, nHeight);
    if (IsPressedValue() && (!IsThemed() || GetBackground() != nullptr))
        rcContent.OffsetRect(1, 1);
    rcContent = DeflateRect(rcContent, GetPadding());
    rcContent = DeflateRect(rcContent,
                            CRect(kButtonContentInset, kButtonContentInset, kButtonContentInset, kButtonContentInset));
    if (CTkMarkupUIElement* pContent = GetContentElement())
        pContent->Arrange(rcContent);
    return CSize(nWidth, nHeight);
}

void CTkMarkupButton::OnRender(CTkMarkupDrawingContext* pDC) {
    const CRect rc(CPoint(0, 0), m_szRender);
    const int w = rc.Width();
    const int h = rc.Height();
    const BOOL bPressed = IsPressedValue();
    COLORREF clrLight = 0;
    COLORREF clrShadow = 0;
    COLORREF clrDark = 0;
    if (CTkMarkupBrush* pBackground = GetBackground()) {
        pDC->FillRectangle(pBackground, rc);
        MarkupButtonEdgeColors(pBackground->GetColor(), clrLight, clrShadow, clrDark);
    } else if (IsThemed()) {
        GetTheme().DrawBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, MarkupButtonState(bPressed, IsMouseOverValue()),
                                  &rc, nullptr);
        return;
    } else {
        pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
        clrLight = ::GetSysColor(COLOR_WINDOW);
        clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        clrDark = ::GetSysColor(COLOR_3DDKSHADOW);
    }
    if (bPressed) {
        FrameWithColor(pDC, rc, ::GetSysColor(COLOR_WINDOWFRAME));
        FrameWithColor(pDC, CRect(1, 1, w - 1, h - 1), clrShadow);
        return;
    }
    pDC->FillSolidRect(CRect(0, 0, w, 1), clrLight);
    pDC->FillSolidRect(CRect(0, 0, 1, h), clrLight);
    pDC->FillSolidRect(CRect(1, h - 2, w - 1, h - 1), clrShadow);
    pDC->FillSolidRect(CRect(w - 2, 1, w - 1, h - 1), clrShadow);
    pDC->FillSolidRect(CRect(0, h - 1, w - 1, h), clrDark);
    pDC->FillSolidRect(CRect(w - 1, 0, w, h), clrDark);
}

void CTkMarkupButton::OnRenderFocusVisual(CTkMarkupDrawingContext* pDC) {
    CRect rc(CPoint(0, 0), m_szRender);
    rc.DeflateRect(3, 3);
    DrawFocus(pDC, rc);
}

// ---- Toggle button

void CTkMarkupToggleButton::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pCheckedEvent = CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Checked", Metadata::routingBubble, pType);
    s_pUncheckedEvent = CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Unchecked", Metadata::routingBubble, pType);
    s_pIndeterminateEvent =
        CTkMarkupDependencyProperty::RegisterRoutedEvent(L"Indeterminate", Metadata::routingBubble, pType);
    s_pIsCheckedProperty = CTkMarkupDependencyProperty::Register(
        L"IsChecked", CTkMarkupEnum::GetClassType(), pType,
        new Metadata(CTkMarkupEnum::CreateValue(kMarkupUnchecked), &ConvertIsChecked, &OnIsCheckedChanged,
                     Metadata::flagAffectsRender));
    s_pIsThreeStateProperty = CTkMarkupDependencyProperty::Register(
        L"IsThreeState", CTkMarkupBool::GetClassType(), pType,
        new Metadata(CTkMarkupBool::CreateValue(FALSE), Metadata::flagAffectsRender));
}

int CTkMarkupToggleButton::GetChecked() const {
    return MarkupEnumOr(GetValue(s_pIsCheckedProperty), kMarkupUnchecked);
}

void CTkMarkupToggleButton::OnIsCheckedChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change) {
    auto* pButton = static_cast<CTkMarkupToggleButton*>(pObject);
    const int nState = MarkupEnumOr(change.pNewValue, kMarkupUnchecked);
    if (nState == kMarkupChecked)
        pButton->OnChecked();
    else if (nState != kMarkupUnchecked)
        pButton->OnIndeterminate();
    else
        pButton->OnUnchecked();
}

void CTkMarkupToggleButton::OnClick() {
    const auto self = CTkMarkupPtr<CTkMarkupToggleButton>::Retain(this);
    OnToggle();
    CTkMarkupButtonBase::OnClick();
}

void CTkMarkupToggleButton::OnToggle() {
    int nNext = kMarkupChecked;
    const int nChecked = GetChecked();
    if (nChecked == kMarkupChecked)
        nNext = MarkupBoolOr(GetValue(s_pIsThreeStateProperty), FALSE) ? kMarkupIndeterminate : kMarkupUnchecked;
    else if (nChecked == kMarkupIndeterminate)
        nNext = kMarkupUnchecked;
    SetValue(s_pIsCheckedProperty, CTkMarkupEnum::CreateValue(nNext));
}

void CTkMarkupToggleButton::RaiseToggleEvent(CTkMarkupRoutedEvent* pEvent) {
    CTkMarkupRoutedEventArgs args;
    args.pEvent = pEvent;
    args.pSource = this;
    RaiseEvent(this, &args);
}

void CTkMarkupToggleButton::OnChecked() {
    RaiseToggleEvent(s_pCheckedEvent);
}

void CTkMarkupToggleButton::OnUnchecked() {
    RaiseToggleEvent(s_pUncheckedEvent);
}

void CTkMarkupToggleButton::OnIndeterminate() {
    RaiseToggleEvent(s_pIndeterminateEvent);
}

CSize CTkMarkupToggleButton::MeasureBesideGlyph(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight, int nMinHeight) {
    OpenButtonTheme();
    const CRect rcPadding = GetPadding();
    const INT64 nHorizontal = static_cast<INT64>(rcPadding.left) + rcPadding.right + kGlyphColumn;
    const INT64 nVertical = static_cast<INT64>(rcPadding.top) + rcPadding.bottom;
    CTkMarkupUIElement* pContent = GetContentElement();
    if (pContent == nullptr)
        return CSize(SaturatedInt(nHorizontal), std::max(SaturatedInt(nVertical), nMinHeight));
    pContent->Measure(pDC, Less(nWidth, nHorizontal), Less(nHeight, nVertical));
    const CSize szContent = pContent->GetDesiredSize();
    return CSize(Plus(szContent.cx, nHorizontal), std::max(Plus(szContent.cy, nVertical), kGlyphSize));
}

CSize CTkMarkupToggleButton::ArrangeBesideGlyph(int nWidth, int nHeight) {
    CRect rcContent = DeflateRect(CRect(0, 0, nWidth, nHeight), GetPadding());
    rcContent.left = SaturatedInt(static_cast<INT64>(rcContent.left) + kGlyphColumn);
    if (CTkMarkupUIElement* pContent = GetContentElement())
        pContent->Arrange(rcContent);
    return CSize(nWidth, nHeight);
}

void CTkMarkupToggleButton::RenderGlyphFocus(CTkMarkupDrawingContext* pDC) {
    if (GetContentElement() != nullptr)
        DrawFocus(pDC, CRect(kGlyphColumn - 1, 0, m_szRender.cx, m_szRender.cy));
}

CRect CTkMarkupToggleButton::GetGlyphRect() const {
    const int nMiddle = m_szRender.cy / 2;
    return CRect(0, nMiddle - 6, kGlyphSize, nMiddle + 7);
}

// ---- Check box

CSize CTkMarkupCheckBox::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    return MeasureBesideGlyph(pDC, nWidth, nHeight, 0);
}

CSize CTkMarkupCheckBox::ArrangeOverride(int nWidth, int nHeight) {
    return ArrangeBesideGlyph(nWidth, nHeight);
}

void CTkMarkupCheckBox::OnRender(CTkMarkupDrawingContext* pDC) {
    const CRect rcGlyph = GetGlyphRect();
    const BOOL bPressed = IsPressedValue();
    if (IsThemed()) {
        const int nState = MarkupCheckBoxState(MarkupButtonState(bPressed, IsMouseOverValue()), GetChecked());
        GetTheme().DrawBackground(pDC->GetSafeHdc(), BP_CHECKBOX, nState, &rcGlyph, nullptr);
        return;
    }
    CRect rc = rcGlyph;
    ::DrawFrameControl(pDC->GetSafeHdc(), &rc, DFC_BUTTON, MarkupCheckBoxFrameFlags(GetChecked(), bPressed));
}

void CTkMarkupCheckBox::OnRenderFocusVisual(CTkMarkupDrawingContext* pDC) {
    RenderGlyphFocus(pDC);
}

// ---- Radio button

CSize CTkMarkupRadioButton::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    return MeasureBesideGlyph(pDC, nWidth, nHeight, kGlyphSize);
}

CSize CTkMarkupRadioButton::ArrangeOverride(int nWidth, int nHeight) {
    return ArrangeBesideGlyph(nWidth, nHeight);
}

void CTkMarkupRadioButton::OnRender(CTkMarkupDrawingContext* pDC) {
    const CRect rcGlyph = GetGlyphRect();
    const BOOL bPressed = IsPressedValue();
    if (IsThemed()) {
        const int nState = MarkupRadioButtonState(MarkupButtonState(bPressed, IsMouseOverValue()), GetChecked());
        GetTheme().DrawBackground(pDC->GetSafeHdc(), BP_RADIOBUTTON, nState, &rcGlyph, nullptr);
        return;
    }
    CRect rc = rcGlyph;
    ::DrawFrameControl(pDC->GetSafeHdc(), &rc, DFC_BUTTON, MarkupRadioButtonFrameFlags(GetChecked(), bPressed));
}

void CTkMarkupRadioButton::OnRenderFocusVisual(CTkMarkupDrawingContext* pDC) {
    RenderGlyphFocus(pDC);
}

void CTkMarkupRadioButton::OnToggle() {
    SetValue(s_pIsCheckedProperty, CTkMarkupEnum::CreateValue(kMarkupChecked));
}

void CTkMarkupRadioButton::OnChecked() {
    const auto self = CTkMarkupPtr<CTkMarkupRadioButton>::Retain(this);
    if (const auto parent = CTkMarkupPtr<CTkMarkupVisual>::Retain(GetVisualParent())) {
        for (int i = 0; i < parent->GetVisualChildrenCount(); i++) {
            const auto sibling = CTkMarkupPtr<CTkMarkupVisual>::Retain(parent->GetVisualChild(i));
            if (!sibling || sibling.Get() == this || !sibling->IsKindOf(GetClassType()))
                continue;
            if (static_cast<CTkMarkupRadioButton*>(sibling.Get())->GetChecked() != kMarkupUnchecked)
                sibling->SetValue(s_pIsCheckedProperty, CTkMarkupEnum::CreateValue(kMarkupUnchecked));
        }
    }
    CTkMarkupToggleButton::OnChecked();
}
