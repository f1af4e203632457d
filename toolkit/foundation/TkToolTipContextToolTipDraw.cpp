// Measuring and drawing of the owner-drawn tip window: text, title and title icon, and the two
// backgrounds.

#include "TkDrawHelpers.h"
#include "TkImageManagerIcon.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"
#include "TkToolTipContextToolTip.h"

#include <algorithm>

namespace {

constexpr int kFrame = 3;             // each side of the content, inside the margins
constexpr int kSmallIconHeight = 16;  // icons up to this high sit beside the title
constexpr int kSmallIconGap = 3;      // between a small icon and the text
constexpr int kTitleIconGap = 1;      // between a small icon and the title
constexpr int kLargeIconGap = 5;      // between a large icon and the text
constexpr int kTitleInset = 2;        // the title line inside the content, left, top and right
constexpr int kTitleSpacing = 20;     // height added to the title's own
constexpr int kTextBelowTitle = 12;   // the text's top below the title's height
constexpr int kTextIndentNear = 10;   // the text under a title: in from the leading side
constexpr int kTextIndentFar = 15;    // and from the trailing side
constexpr int kTitledTextIndent = kTextIndentNear + kTextIndentFar;
constexpr UINT kTextFormat = DT_NOPREFIX | DT_EXPANDTABS;
constexpr UINT kRtlTextFormat = DT_RTLREADING | DT_RIGHT | DT_NOPREFIX | DT_EXPANDTABS;

// The Office 2007 look's tip colours and frame, with the look's own values where the module has none.
constexpr COLORREF kOffice2007Light = RGB(255, 255, 255);
constexpr COLORREF kOffice2007Dark = 0xEFD9C9;
constexpr COLORREF kOffice2007Border = 0x767676;
constexpr COLORREF kFrameKey = RGB(255, 0, 255);
const CRect kFrameMargins(3, 3, 3, 3);

COLORREF LookColor(LPCWSTR pszKey, COLORREF clrDefault) {
    const COLORREF clr = GetOffice2007Images()->GetColor(L"Window", pszKey);
    return clr != CLR_NONE ? clr : clrDefault;
}

bool IsRightToLeftTool(const CTkToolTipContextToolTip::TOOLITEM& tool) {
    return tool.hWnd != nullptr && (::GetWindowLongPtrW(tool.hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

// Moves the leading side of rc (the left, the right for right-to-left) inwards by n.
void InsetLeading(CRect& rc, bool bRtl, int n) {
    if (bRtl)
        rc.right -= n;
    else
        rc.left += n;
}

}  // namespace

int CTkToolTipContextToolTip::GetAvailableWidth() const {
    const CRect& margins = m_pContext->m_rcMargins;
    return m_pContext->GetMaxTipWidth() - (margins.left + margins.right + 2 * kFrame);
}

CRect CTkToolTipContextToolTip::GetContentRect(const CRect& rc) const {
    const CRect& margins = m_pContext->m_rcMargins;
    return CRect(rc.left + margins.left + kFrame, rc.top + margins.top + kFrame, rc.right - margins.right - kFrame,
                 rc.bottom - margins.bottom - kFrame);
}

CSize CTkToolTipContextToolTip::GetWindowSize(CSize content) const {
    const CRect& margins = m_pContext->m_rcMargins;
    return CSize(content.cx + margins.left + margins.right + 2 * kFrame,
                 content.cy + margins.top + margins.bottom + 2 * kFrame);
}

CSize CTkToolTipContextToolTip::CalcContentSize(TOOLITEM& tool) {
    // A tip with neither text nor title would be an empty box.
    if (tool.strText.IsEmpty() && m_strTitle.IsEmpty())
        return CSize(0, 0);
    CClientDC dc(this);
    CScopedSelectObject font(dc.GetSafeHdc(), m_pContext->GetFont()->GetSafeHandle());
    const int nAvailable = GetAvailableWidth();
    CRect rcText(0, 0, nAvailable, 0);
    dc.DrawText(tool.strText, &rcText, DT_CALCRECT | DT_WORDBREAK | kTextFormat);
    CSize size = rcText.Size();

    const CSize icon = m_pTitleIcon != nullptr ? CSize(m_pTitleIcon->m_nWidth, m_pTitleIcon->m_nHeight) : CSize();
    const bool bSmallIcon = m_pTitleIcon != nullptr && icon.cy <= kSmallIconHeight;
    if (m_pTitleIcon != nullptr) {
        if (!bSmallIcon)
            size.cx += icon.cx + kLargeIconGap;
        else if (m_strTitle.IsEmpty())
            size.cx += icon.cx + kSmallIconGap;
        size.cy = std::max<LONG>(size.cy, icon.cy);
    }
    if (!m_strTitle.IsEmpty()) {
        CScopedSelectObject bold(dc.GetSafeHdc(), m_pContext->GetBoldFont()->GetSafeHandle());
        CRect rcTitle(0, 0, nAvailable - kTitledTextIndent, 0);
        dc.DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_SINGLELINE | kTextFormat);
        size.cy += rcTitle.Height() + kTitleSpacing;
        size.cx = std::max<LONG>(size.cx + kTitledTextIndent, std::min<LONG>(nAvailable, rcTitle.Width() + 4) +
                                                                  (bSmallIcon ? icon.cx + kTitleIconGap : 0));
    }
    return GetWindowSize(size);
}

void CTkToolTipContextToolTip::DrawContent(CDC* pDC, TOOLITEM& tool, CRect rc) {
    const CRect rcContent = GetContentRect(rc);
    const bool bRtl = IsRightToLeftTool(tool);
    const UINT nFormat = bRtl ? kRtlTextFormat : kTextFormat;
    CRect rcText = rcContent;

    const CSize icon = m_pTitleIcon != nullptr ? CSize(m_pTitleIcon->m_nWidth, m_pTitleIcon->m_nHeight) : CSize();
    const bool bSmallIcon = m_pTitleIcon != nullptr && icon.cy <= kSmallIconHeight;
    if (bSmallIcon) {
        m_pTitleIcon->DrawNormal(pDC, bRtl ? rcContent.right - icon.cx : rcContent.left, rcContent.top);
        if (m_strTitle.IsEmpty())
            InsetLeading(rcText, bRtl, icon.cx + kSmallIconGap);
    }
    if (!m_strTitle.IsEmpty()) {
        CRect rcTitle(rcContent.left + kTitleInset, rcContent.top + kTitleInset, rcContent.right - kTitleInset,
                      rcContent.bottom);
        if (bSmallIcon)
            InsetLeading(rcTitle, bRtl, icon.cx + kTitleIconGap);
        CScopedSelectObject bold(pDC->GetSafeHdc(), m_pContext->GetBoldFont()->GetSafeHandle());
        CRect rcMeasured = rcTitle;
        pDC->DrawText(m_strTitle, &rcMeasured, DT_CALCRECT | DT_SINGLELINE | nFormat);
        pDC->DrawText(m_strTitle, &rcTitle, DT_SINGLELINE | nFormat);
        rcText.top += rcMeasured.Height() + kTextBelowTitle;
        rcText.left += bRtl ? kTextIndentFar : kTextIndentNear;
        rcText.right -= bRtl ? kTextIndentNear : kTextIndentFar;
    }
    if (m_pTitleIcon != nullptr && !bSmallIcon) {
        m_pTitleIcon->DrawNormal(pDC, bRtl ? rcText.right - icon.cx : rcText.left, rcText.top);
        InsetLeading(rcText, bRtl, icon.cx + kLargeIconGap);
    }
    pDC->DrawText(tool.strText, &rcText, nFormat | DT_WORDBREAK);
}

void CTkToolTipContextToolTip::DrawBackground(CDC* pDC, TOOLITEM&, CRect rc) {
    if ((m_pContext->m_dwTipStyle & kTipStyleOffice2007) != 0) {
        GetDrawHelpers()->FillGradient(pDC, &rc, LookColor(L"TooltipLight", kOffice2007Light),
                                       LookColor(L"TooltipDark", kOffice2007Dark), FALSE);
        if (CTkOffice2007Image* pFrame = GetOffice2007Images()->GetImage(L"TOOLTIPFRAME")) {
            pFrame->DrawImageKeyed(pDC, rc, pFrame->GetSource(0, 1), kFrameMargins, kFrameKey);
        } else {
            const COLORREF clrBorder = LookColor(L"TooltipBorder", kOffice2007Border);
            pDC->Draw3dRect(&rc, clrBorder, clrBorder);
        }
        return;
    }
    pDC->FillSolidRect(&rc, m_pContext->GetBackColor());
    const COLORREF clrTopLeft =
        (m_pContext->m_dwTipStyle & kTipStyleFaceBorder) != 0 ? ::GetSysColor(COLOR_BTNFACE) : RGB(0, 0, 0);
    pDC->Draw3dRect(&rc, clrTopLeft, RGB(0, 0, 0));
}
