#include "TkControlHyperlink.h"

#include "TkColorManager.h"
#include "TkDCWrappers.h"
#include "TkPaintManager.h"

#include <shellapi.h>

IMPLEMENT_SERIAL(CTkControlHyperlink, CTkControl, VERSIONABLE_SCHEMA | 33)

namespace {

CTkControlHyperlink::ShellOpenCall s_pfnShellOpen = ::ShellExecuteW;

constexpr UINT kGreyTextColor = COLOR_GRAYTEXT;
constexpr UINT kLinkTextFormat = DT_SINGLELINE | DT_NOPREFIX;

}  // namespace

CTkControlHyperlink::ShellOpenCall CTkControlHyperlink::SetShellOpenCall(ShellOpenCall pfnCall) {
    const ShellOpenCall pfnPrevious = s_pfnShellOpen;
    s_pfnShellOpen = pfnCall != nullptr ? pfnCall : ::ShellExecuteW;
    return pfnPrevious;
}

CTkControlHyperlink::CTkControlHyperlink() {
    m_hCursor = ::LoadCursorW(nullptr, IDC_HAND);
}

void CTkControlHyperlink::Execute() {
    // The link target is the tooltip text. An empty one would have the shell open the current folder.
    if (m_strTooltipText.IsEmpty())
        return;
    // The result is not looked at: a failed open leaves no trace.
    s_pfnShellOpen(nullptr, L"open", m_strTooltipText, nullptr, nullptr, SW_SHOW);
}

void CTkControlHyperlink::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (!GetEnabled() || IsCustomizeMode())
        return;
    Execute();
}

void CTkControlHyperlink::HandleMouseMove(CPoint pt) {
    ::SetCursor(m_hCursor);
}

CFont* CTkControlHyperlink::GetLinkFont() const {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != nullptr && pPaintManager->m_fntRegular.GetSafeHandle() != nullptr)
        return &pPaintManager->m_fntRegular;
    return CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

CSize CTkControlHyperlink::GetSize(CDC* pDC) {
    CTkFontDC font(pDC, GetLinkFont());
    return pDC->GetTextExtent(GetCaption());
}

void CTkControlHyperlink::Draw(CDC* pDC) {
    CTkFontDC font(pDC, GetLinkFont());
    COLORREF clrText = kLinkColor;
    if (!GetEnabled())
        clrText = GetColorManager()->GetColor(kGreyTextColor);
    else if (GetSelected())
        clrText = kSelectedLinkColor;
    pDC->SetTextColor(clrText);
    if (CTkPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->DrawGlowText(pDC, GetCaption(), m_rcControl, kLinkTextFormat, IsInGlassCaption());
    else
        pDC->DrawText(GetCaption(), m_rcControl, kLinkTextFormat);
}
