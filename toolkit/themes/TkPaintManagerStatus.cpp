// CTkPaintManager: status-bar panes, switches, frames and gripper; information areas and their small
// buttons.
#include "TkPaintManager.h"

#include "TkDCWrappers.h"
#include "TkImageManagerIcon.h"
#include "TkMarkup.h"
#include "TkStatusBarParts.h"
#include "TkWindowFunctions.h"

namespace {

// Parts of the "STATUS" visual style.
constexpr int kStatusPartBackground = 0;
constexpr int kStatusPartPane = 1;
constexpr int kStatusPartGripperPane = 2;
constexpr int kStatusPartGripper = 3;
constexpr int kGripperSize = 18;
constexpr int kSwitchWidth = 18;
constexpr int kUnbounded = 0x7FFFFFFF;

void DrawPaneIcon(CDC* pDC, CTkImageManagerIcon* pIcon, int x, int y, BOOL bEnabled) {
    pIcon->Draw(pDC, x, y, bEnabled ? pIcon->GetNormalImage() : pIcon->GetDisabledImage());
}

}  // namespace

void CTkPaintManager::PaintStatusPane(CDC* pDC, CRect rc, CTkStatusBarPane* pPane) {
    if (pPane->clrBackground != kColorUnset) {
        CRect rcFill = rc;
        if (!pPane->bNoBorders)
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcFill, pPane->clrBackground);
    }
    if (pPane->bButton)
        PaintStatusPaneButton(pDC, rc, pPane);
    CTkFontDC font(pDC, pPane->pFont != nullptr ? pPane->pFont : &m_fntStatus);
    CRect rcContent = rc;
    rcContent.DeflateRect(pPane->rcMargins.left, pPane->rcMargins.top, pPane->rcMargins.right, pPane->rcMargins.bottom);

    COLORREF clrText = LookupColor(COLOR_GRAYTEXT);
    if (pPane->bEnabled && pPane->clrText != kColorUnset) {
        clrText = pPane->clrText;
    } else if (pPane->bEnabled && pPane->bButton) {
        const BOOL bHot = pPane->pStatusBar != nullptr && pPane->pStatusBar->m_pHotPane == pPane;
        clrText = GetStateTextColor(bHot, pPane->bPressed, TRUE, FALSE, FALSE, kBarTypeNormal, kBarTop);
    } else if (pPane->bEnabled) {
        clrText = m_clrStatusText;
    }
    pDC->SetTextColor(clrText);
    SetMarkupDefaultFont(GetMarkupElementContext(pPane->pMarkup), nullptr, clrText);

    const CSize szIcon = pPane->pIcon != nullptr ? CSize(pPane->pIcon->m_nWidth, pPane->pIcon->m_nHeight) : CSize(0, 0);
    if (pPane->nAlignment != CTkStatusBarPane::kAlignLeft) {
        int nBlockWidth = pPane->pMarkup != nullptr ? MeasureMarkupElement(pPane->pMarkup, kUnbounded, kUnbounded).cx
                                                    : pDC->GetTextExtent(pPane->strText).cx;
        if (pPane->pIcon != nullptr)
            nBlockWidth += szIcon.cx + 2;
        const int nSpare = rcContent.Width() - nBlockWidth;
        if (nSpare > 0)
            rcContent.left += pPane->nAlignment == CTkStatusBarPane::kAlignCenter ? nSpare / 2 : nSpare;
    }
    if (pPane->pIcon != nullptr && szIcon.cx <= rcContent.Width()) {
        DrawPaneIcon(pDC, pPane->pIcon, rcContent.left, rcContent.top + (rcContent.Height() - szIcon.cy) / 2,
                     pPane->bEnabled);
        rcContent.left += szIcon.cx + 2;
    }
    if (pPane->pMarkup != nullptr) {
        const SIZE szMarkup = MeasureMarkupElement(pPane->pMarkup, rcContent.Width(), rcContent.Height());
        const CRect rcMarkup(rcContent.left, rcContent.top + (rcContent.Height() - szMarkup.cy) / 2, rcContent.right,
                             rcContent.top + (rcContent.Height() + szMarkup.cy) / 2);
        RenderMarkupElement(pPane->pMarkup, pDC->GetSafeHdc(), &rcMarkup);
    } else {
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(pPane->strText, &rcContent, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    }
}

void CTkPaintManager::PaintStatusPaneButton(CDC* pDC, CRect rc, CTkStatusBarPane* pPane) {
    const BOOL bHot = pPane->pStatusBar != nullptr && pPane->pStatusBar->m_pHotPane == pPane;
    if (bHot || pPane->bPressed || pPane->bEnabled)
        PaintStateRectangle(pDC, rc, bHot, pPane->bPressed, pPane->bEnabled, FALSE, FALSE, kBarTypeNormal, kBarTop);
}

int CTkPaintManager::PaintStatusSwitches(CDC* pDC, CRect rc, CTkStatusBarPane* pPane) {
    int nWidth = 0;
    for (size_t i = 0; i < pPane->switches.size(); ++i) {
        CTkStatusBarSwitch& item = pPane->switches[i];
        if (pDC == nullptr) {
            item.nWidth = kSwitchWidth;
            nWidth += kSwitchWidth;
            continue;
        }
        const BOOL bChecked = static_cast<int>(i) == pPane->nCurrentSwitch;
        const CRect rcItem(rc.left + nWidth, rc.top, rc.left + nWidth + item.nWidth, rc.bottom);
        PaintStateRectangle(pDC, rcItem, FALSE, FALSE, item.bEnabled, bChecked, FALSE, kBarTypeNormal, kBarTop);
        if (item.pIcon != nullptr) {
            IconStateImage* pImage = !item.bEnabled ? item.pIcon->GetDisabledImage()
                                     : bChecked     ? item.pIcon->GetCheckedImage()
                                                    : item.pIcon->GetNormalImage();
            item.pIcon->Draw(pDC, rcItem.left + (rcItem.Width() - item.pIcon->m_nWidth) / 2,
                             rcItem.top + (rcItem.Height() - item.pIcon->m_nHeight) / 2, pImage);
        }
        nWidth += item.nWidth;
    }
    return nWidth;
}

void CTkPaintManager::PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL bGripperPane) {
    if (pPane->bNoBorders)
        return;
    if (m_bStatusVisualStyle && m_themeStatusBar.IsThemeOpen() && m_themeStatusBar.IsAppThemed())
        m_themeStatusBar.DrawBackground(pDC->GetSafeHdc(), bGripperPane ? kStatusPartGripperPane : kStatusPartPane, 0,
                                        &rc, nullptr);
    else
        Paint3dFrame(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CTkPaintManager::PaintStatusPaneSeparator(CDC* pDC, int x, int nTop, int nBottom) {
    Paint3dFrame(pDC, CRect(x - 2, nTop, x, nBottom), COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CTkPaintManager::PaintSizeGripper(CDC* pDC, CRect rc) {
    if (m_bStatusVisualStyle && m_themeStatusBar.IsThemeOpen() && m_themeStatusBar.IsAppThemed()) {
        const CRect rcGripper(rc.right - kGripperSize, rc.top, rc.right, rc.bottom);
        m_themeStatusBar.DrawBackground(pDC->GetSafeHdc(), kStatusPartGripper, 0, &rcGripper, nullptr);
        return;
    }
    // Three groups, 4 pixels apart, of a highlight line and two shadow lines towards the corner.
    for (int nGroup = 0; nGroup < 3; ++nGroup) {
        for (int nLine = 0; nLine < 3; ++nLine) {
            const int d = 4 * nGroup + nLine + 2;
            PaintColoredLine(pDC, rc.right - d, rc.bottom - 1, rc.right, rc.bottom - 1 - d,
                             nLine == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        }
    }
}

void CTkPaintManager::FillStatusBar(CDC* pDC, CTkStatusBar* pStatusBar) {
    if (m_bStatusVisualStyle && m_themeStatusBar.IsThemeOpen() && m_themeStatusBar.IsAppThemed())
        m_themeStatusBar.DrawBackground(pDC->GetSafeHdc(), kStatusPartBackground, 0, &pStatusBar->m_rcClient, nullptr);
    else
        pDC->FillSolidRect(&pStatusBar->m_rcClient, LookupColor(COLOR_BTNFACE));
}

void CTkPaintManager::PaintFramedInfoArea(CDC* pDC, CWnd* pWnd) {
    const CRect rcClient = MakeClientRect(pWnd);
    pDC->FillSolidRect(&rcClient, LookupColor(COLOR_BTNFACE));
    const auto* pHost = dynamic_cast<const CTkInfoAreaHost*>(pWnd);
    CRect rcArea = pHost != nullptr ? pHost->GetInfoAreaRect() : rcClient;
    Paint3dFrame(pDC, rcArea, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    rcArea.DeflateRect(1, 1);
    pDC->FillSolidRect(&rcArea, LookupColor(COLOR_INFOBK));
}

void CTkPaintManager::PaintSmallButton(CDC* pDC, CTkSmallButton* pButton) {
    const CRect& rc = pButton->rc;
    pDC->FillSolidRect(&rc, LookupColor(COLOR_BTNFACE));
    if (pButton->bPushed || pButton->bChecked)
        PaintStateRectangle(pDC, rc, pButton->bHot, pButton->bPushed, pButton->bEnabled, pButton->bChecked, FALSE,
                            kBarTypeNormal, kBarTop);
    else if (pButton->nCommand != SC_CLOSE)
        Paint3dFrame(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    if (pButton->nCommand != SC_CLOSE)
        return;
    // An 8 x 8 cross of two diagonals, each two pixels thick.
    const COLORREF clr = LookupColor(COLOR_BTNTEXT);
    const int x0 = rc.CenterPoint().x - 4;
    const int y0 = rc.CenterPoint().y - 4;
    for (int i = 0; i < 8; ++i) {
        const int nSpan = i < 7 ? 2 : 1;
        pDC->FillSolidRect(x0 + i, y0 + i, nSpan, 1, clr);
        pDC->FillSolidRect(x0 + 8 - i - nSpan, y0 + i, nSpan, 1, clr);
    }
}
