#include "TkCaptionTheme.h"

#include "TkCaption.h"
#include "TkColorManager.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"

#include <algorithm>

namespace {

// The colour manager's gradients behind the Office 2003 captions.
constexpr int kTextButtonGradient = 0;
constexpr int kCaptionGradient = 3;
constexpr UINT kOffice2003EdgeColor = 54;

}  // namespace

// ---- CTkCaptionTheme

void CTkCaptionTheme::Refresh() {
    m_clrShadow.m_standardValue = GetColorManager()->GetColor(COLOR_3DSHADOW);
    m_clrHighlight.m_standardValue = GetColorManager()->GetColor(COLOR_3DHIGHLIGHT);
    m_clrBorder.m_standardValue = ::GetSysColor(COLOR_BTNFACE);
    m_clrBackground.m_standardValue = ::GetSysColor(COLOR_BTNFACE);
    m_clrText.m_standardValue = ::GetSysColor(COLOR_BTNTEXT);
}

void CTkCaptionTheme::DrawCaptionBack(CDC* pDC, CTkCaption* pCaption, CRect& rect) {
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(&rect, m_clrBorder.GetEffective());
    const COLORREF shadow = m_clrShadow.GetEffective();
    const COLORREF highlight = m_clrHighlight.GetEffective();
    const int nBorder = pCaption->GetBorderWidth();
    const DWORD dwFlags = pCaption->GetCaptionFlags();
    if ((dwFlags & kCaptionDoubleEdge) != 0) {
        // Sunken outside, raised inside.
        pDC->Draw3dRect(&rect, shadow, highlight);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(&rect, highlight, shadow);
        if (nBorder == 0)
            rect.DeflateRect(1, 1);
    } else if ((dwFlags & kCaptionRaisedEdge) != 0) {
        pDC->Draw3dRect(&rect, highlight, shadow);
        if (nBorder == 0)
            rect.DeflateRect(1, 1);
    }
    rect.DeflateRect(nBorder, nBorder);
    pDC->FillSolidRect(&rect, m_clrBackground.GetEffective());
}

void CTkCaptionTheme::DrawCaptionText(CDC* pDC, CTkCaption* pCaption) {
    const CString& strText = pCaption->GetCaptionText();
    if (strText.IsEmpty())
        return;
    CRect rect = pCaption->GetTextRect();
    CTkFontDC font(pDC, pCaption->GetFont());
    pDC->SetTextColor(m_clrText.GetEffective());
    pDC->DrawText(strText, &rect, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void CTkCaptionTheme::DrawCaptionIcon(CDC* pDC, CTkCaption* pCaption, CRect& rect) {
    const HICON hIcon = pCaption->GetCaptionIcon();
    if (hIcon == nullptr)
        return;
    const CSize size = pCaption->GetIconSize();
    const int nBorder = pCaption->GetBorderWidth();
    const int x = std::max(static_cast<int>(rect.right - nBorder - size.cx - 2), nBorder);
    if (x + size.cx >= rect.right - nBorder)
        return;
    const int y = rect.top + (rect.Height() - size.cy) / 2;
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}

// ---- CTkCaptionThemeOfficeXP

void CTkCaptionThemeOfficeXP::DrawCaptionBack(CDC* pDC, CTkCaption* pCaption, CRect& rect) {
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(&rect, m_clrBorder.GetEffective());
    if (pCaption->IsTextButton()) {
        rect.DeflateRect(pCaption->GetBorderWidth(), pCaption->GetBorderWidth());
        pDC->FillSolidRect(&rect, m_clrBackground.GetEffective());
    } else {
        pDC->Draw3dRect(&rect, GetColorManager()->GetColor(COLOR_3DHIGHLIGHT),
                        GetColorManager()->GetColor(COLOR_3DSHADOW));
    }
}

// ---- CTkCaptionThemeOffice2003

void CTkCaptionThemeOffice2003::DrawCaptionBack(CDC* pDC, CTkCaption* pCaption, CRect& rect) {
    pDC->SetBkMode(TRANSPARENT);
    const COLORREF edge = GetColorManager()->GetColor(kOffice2003EdgeColor);
    GetDrawHelpers()->FillColorGradient(pDC, &rect, GetBackGradient(pCaption), FALSE, nullptr);
    if (pCaption->IsTextButton())
        pDC->Draw3dRect(&rect, edge, edge);
    else
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, edge);
}

const CTkPaintManagerColorGradient& CTkCaptionThemeOffice2003::GetBackGradient(const CTkCaption* pCaption) {
    return GetColorManager()->m_gradients[pCaption->IsTextButton() ? kTextButtonGradient : kCaptionGradient];
}

// ---- CTkCaptionThemeFactory

IMPLEMENT_DYNCREATE(CTkCaptionThemeFactory, CTkThemeManagerStyleFactory)

CTkThemeManagerStyle* CTkCaptionThemeFactory::CreateStyle(int nTheme) {
    CTkCaptionTheme* pStyle = nullptr;
    switch (nTheme) {
        case 1:
            pStyle = new CTkCaptionThemeOfficeXP;
            break;
        case 2:
            pStyle = new CTkCaptionThemeOffice2003;
            break;
        default:
            pStyle = new CTkCaptionTheme;
            break;
    }
    pStyle->SetTheme(nTheme);
    return pStyle;
}
