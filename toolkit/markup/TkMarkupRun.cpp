#include "TkMarkupRun.h"

#include "OSVersionInfo.h"
#include "TkMarkupContext.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupFont.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

CTkMarkupDependencyProperty* CTkMarkupRun::s_pTextProperty = nullptr;

void CTkMarkupRun::RegisterProperties() {
    using Metadata = CTkMarkupPropertyMetadata;
    s_pTextProperty = CTkMarkupDependencyProperty::Register(L"Text", CTkMarkupString::GetClassType(), GetClassType(),
                                                            new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

void CTkMarkupRun::OnFinalRelease() {
    if (CTkMarkupFont* pFont = std::exchange(m_pFont, nullptr))
        pFont->Release();
    CTkMarkupInline::OnFinalRelease();
}

LPCWSTR CTkMarkupRun::GetText() const {
    const CTkMarkupObject* pText = GetValue(s_pTextProperty);
    if (pText == nullptr || !pText->IsKindOf(CTkMarkupString::GetClassType()))
        return L"";
    return static_cast<const CTkMarkupString*>(pText)->GetText();
}

int CTkMarkupRun::GetLength() const {
    const CTkMarkupObject* pText = GetValue(s_pTextProperty);
    if (pText == nullptr || !pText->IsKindOf(CTkMarkupString::GetClassType()))
        return 0;
    return static_cast<const CTkMarkupString*>(pText)->GetLength();
}

void CTkMarkupRun::SetText(LPCWSTR lpszText) {
    SetValue(s_pTextProperty, lpszText != nullptr ? CTkMarkupString::CreateValue(lpszText) : nullptr);
}

void CTkMarkupRun::SetText(CTkMarkupString* pText) {
    SetValue(s_pTextProperty, CTkMarkupPtr<CTkMarkupString>::Retain(pText).Detach());
}

void CTkMarkupRun::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    if (pContent != nullptr && pContent->IsKindOf(CTkMarkupString::GetClassType())) {
        SetValue(s_pTextProperty, pContent);
        return;
    }
    CTkMarkupInline::SetContentObject(pBuilder, pContent);
}

BOOL CTkMarkupRun::HasContentObject() const {
    return GetValue(s_pTextProperty) != nullptr;
}

// ---- Positions: 0 .. length - 1 the characters, length the end

WCHAR CTkMarkupRun::CharAt(int nPosition) const {
    return nPosition >= 0 && nPosition < GetLength() ? GetText()[nPosition] : 0;
}

int CTkMarkupRun::GetFirstPosition() const {
    return GetLength() > 0 ? 0 : kNoPosition;
}

void CTkMarkupRun::GetNextPosition(int& nPosition) const {
    if (nPosition == kNoPosition)
        return;
    nPosition = nPosition < GetLength() ? nPosition + 1 : kNoPosition;
}

BOOL CTkMarkupRun::IsWordBreakPosition(int nPosition) const {
    const WCHAR ch = CharAt(nPosition);
    return ch == L'\t' || ch == L'\n' || ch == L' ';
}

BOOL CTkMarkupRun::IsLineBreakPosition(int nPosition) const {
    return CharAt(nPosition) == L'\n';
}

BOOL CTkMarkupRun::IsWhiteSpacePosition(int nPosition) const {
    const WCHAR ch = CharAt(nPosition);
    return ch == L' ' || ch == L'\t';
}

// ---- Measuring and drawing

void CTkMarkupRun::GetLogFont(LOGFONTW& logFont) const {
    CTkMarkupContext* pContext = GetMarkupContext();
    logFont = pContext != nullptr ? pContext->GetDefaultFont() : LOGFONTW{};
    if (const CTkMarkupObject* pSize = GetValue(s_pFontSizeProperty))
        logFont.lfHeight = -MarkupIntOr(pSize, 0);
    if (const CTkMarkupObject* pWeight = GetValue(s_pFontWeightProperty))
        logFont.lfWeight = MarkupEnumOr(pWeight, FW_NORMAL);
    if (const CTkMarkupObject* pStyle = GetValue(s_pFontStyleProperty))
        logFont.lfItalic = MarkupEnumOr(pStyle, kMarkupFontNormal) != 0 ? TRUE : FALSE;
    // Earlier systems do not know the newer quality codes.
    const CTkMarkupObject* pQuality = GetValue(s_pFontQualityProperty);
    if (pQuality != nullptr && GetOSVersionInfo()->IsWinXPOrLater())
        logFont.lfQuality = static_cast<BYTE>(MarkupEnumOr(pQuality, DEFAULT_QUALITY));
    const CTkMarkupObject* pFamily = GetValue(s_pFontFamilyProperty);
    if (pFamily != nullptr && pFamily->IsKindOf(CTkMarkupString::GetClassType()))
        wcsncpy_s(logFont.lfFaceName, static_cast<const CTkMarkupString*>(pFamily)->GetText(), _TRUNCATE);
}

void CTkMarkupRun::SelectFont(CTkMarkupDrawingContext* pDC) const {
    if (m_pFont != nullptr)
        pDC->SetFont(m_pFont);
}

void CTkMarkupRun::PrepareMeasure(CTkMarkupDrawingContext* pDC) {
    LOGFONTW logFont;
    GetLogFont(logFont);
    CTkMarkupContext* pContext = GetMarkupContext();
    if (pContext != nullptr && (m_pFont == nullptr || memcmp(&logFont, &m_fontDescription, sizeof(logFont)) != 0)) {
        CTkMarkupFont* pFont = pContext->GetFont(logFont);
        if (CTkMarkupFont* pPrevious = std::exchange(m_pFont, pFont))
            pPrevious->Release();
        m_fontDescription = logFont;
    }
    SelectFont(pDC);
    TEXTMETRICW metrics = {};
    m_nDescent = ::GetTextMetricsW(pDC->GetSafeHdc(), &metrics) ? metrics.tmDescent : 0;
}

CSize CTkMarkupRun::MeasureInline(CTkMarkupDrawingContext* pDC, int nFrom, int nTo) {
    const int nLength = GetLength();
    if (nFrom < 0 || nTo < 0 || nFrom > nLength || nTo > nLength || nFrom > nTo)
        return CSize(0, 0);
    SelectFont(pDC);
    if (nFrom == nTo)
        return CSize(0, pDC->GetTextExtent(L" ", 1).cy);
    return pDC->GetTextExtent(GetText() + nFrom, nTo - nFrom);
}

void CTkMarkupRun::RenderInline(CTkMarkupDrawingContext* pDC, const CRect& rc, int nFrom, int nTo) {
    const int nLength = GetLength();
    if (nFrom < 0 || nTo < 0 || nFrom >= nTo || nTo > nLength)
        return;
    SelectFont(pDC);
    pDC->DrawTextLine(GetText() + nFrom, nTo - nFrom, rc);
}

// ---- Line break

CTkMarkupLineBreak::CTkMarkupLineBreak() {
    SetText(L"\n");
}
