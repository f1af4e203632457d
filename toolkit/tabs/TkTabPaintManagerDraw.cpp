// The default painting of a tab row: the control with its static frame, header and client, the rows of
// tabs in their painting order, the navigate buttons, and a tab's content (icon, caption, own buttons),
// which also measures tabs.

#include "TkTabPaintManager.h"

#include "TkDCWrappers.h"
#include "TkMarkup.h"
#include "TkTabAppearanceSet.h"
#include "TkTabColorSet.h"
#include "TkTextFunctions.h"

#include <algorithm>

namespace {

constexpr wchar_t kEllipsis[] = L"...";

// Width of the text as GDI measures it, '&' marks removed unless the format shows them literally.
int MeasureCaptionWidth(CDC* pDC, CString strText, UINT nFormat) {
    if ((nFormat & DT_NOPREFIX) == 0)
        RemoveMnemonicMarkers(strText);
    return pDC->GetTextExtent(strText).cx;
}

// The tab's own buttons that show: always, or automatic ones on the selected tab.
BOOL IsOwnButtonShown(const CTkTabManagerNavigateButton* pButton, const CTkTabManagerItem* pItem) {
    return pButton->GetMode() == kNavigateButtonAlways ||
           (pButton->GetMode() == kNavigateButtonAutomatic && pItem->IsSelected());
}

}  // namespace

// ---- A tab's content

int CTkTabPaintManager::DrawTabContent(CDC* pDC, CTkTabManagerItem* pItem, CRect rc, BOOL bDraw) {
    CTkTabManager* pManager = pItem->GetTabManager();
    const int nPosition = pManager->GetPosition();
    const BOOL bRotated = m_nLayout == kTabLayoutRotated;
    const BOOL bVertical = (IsHorizontalTabPosition(nPosition) == FALSE) != (bRotated != FALSE);
    CTkFontDC font(pDC, GetItemFont(pItem, bVertical));

    CSize szIcon = m_szIcon;
    const BOOL bHasIcon = pManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    const BOOL bShowCaption = m_nLayout != kTabLayoutCompressed || pItem->IsSelected();

    int nButtonsRoom = 0;
    if (bShowCaption) {
        for (const CTkTabManagerNavigateButton* pButton : pItem->m_buttons) {
            if (IsOwnButtonShown(pButton, pItem))
                nButtonsRoom += bVertical ? pButton->GetSize().cy : pButton->GetSize().cx;
        }
        if (nButtonsRoom > 0)
            nButtonsRoom += 3;
    }
    const int nIconExtent = bHasIcon ? (bVertical ? szIcon.cy : szIcon.cx) : 0;
    const UINT nCalcFormat = DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | (m_bDrawTextNoPrefix ? DT_NOPREFIX : 0);
    auto captionWidth = [&](CTkTabManagerItem* p) {
        CString strCaption = p->GetCaption();
        if (!m_bDrawTextNoPrefix)
            RemoveMnemonicMarkers(strCaption);
        CRect rcText(0, 0, 0, 0);
        pDC->DrawText(strCaption, rcText, nCalcFormat);
        return rcText.Width();
    };

    if (!bDraw) {
        if (m_nLayout == kTabLayoutFixed)
            return ClampTabLength(m_nFixedTabLength);
        if (m_nLayout == kTabLayoutCompressed) {
            if (!pItem->IsSelected())
                return ClampTabLength(nIconExtent + 8);
            int nWidest = 0;
            for (int i = 0; i < pManager->GetItemCount(); ++i)
                nWidest = std::max(nWidest, captionWidth(pManager->GetItem(i)));
            return ClampTabLength(nWidest + m_rcTextMargin.left + m_rcTextMargin.right + nIconExtent + nButtonsRoom);
        }
        int nCaption = 0;
        if (pItem->m_pMarkupElement != nullptr) {
            SetMarkupDefaultFont(pManager->GetMarkupContext(),
                                 static_cast<HFONT>(pDC->GetCurrentFont()->GetSafeHandle()), pDC->GetTextColor());
            nCaption = MeasureMarkupElement(pItem->m_pMarkupElement, INT_MAX, INT_MAX).cx;
        } else {
            nCaption = captionWidth(pItem);
        }
        return ClampTabLength(nCaption + m_rcTextMargin.left + m_rcTextMargin.right + nIconExtent + nButtonsRoom);
    }

    if (nButtonsRoom > 0) {
        m_pColorSet->SetTextColor(pDC, pItem);
        if (bVertical)
            rc.bottom -= 3;
        else
            rc.right -= 3;
        for (int i = static_cast<int>(pItem->m_buttons.size()) - 1; i >= 0; --i) {
            CTkTabManagerNavigateButton* pButton = pItem->m_buttons[static_cast<size_t>(i)];
            if (!IsOwnButtonShown(pButton, pItem))
                continue;
            const CSize size = pButton->GetSize();
            if (bVertical) {
                const int nMiddle = (rc.left + rc.right) / 2;
                pButton->SetRect(
                    CRect(nMiddle - size.cx / 2, rc.bottom - size.cy, nMiddle - size.cx / 2 + size.cx, rc.bottom));
                rc.bottom -= size.cy;
            } else {
                const int nCentre = (rc.top + rc.bottom) / 2;
                pButton->SetRect(
                    CRect(rc.right - size.cx, nCentre - size.cy / 2, rc.right, nCentre - size.cy / 2 + size.cy));
                rc.right -= size.cx;
            }
            pButton->Draw(pDC);
        }
    }
    m_pColorSet->SetTextColor(pDC, pItem);
    const CRect rcFocus = rc;
    // A stretched tab keeps its content in the middle.
    if (pItem->m_nLength > pItem->m_nContentLength) {
        const int nHalf = (pItem->m_nLength - pItem->m_nContentLength) / 2;
        if (bVertical)
            rc.DeflateRect(0, nHalf);
        else
            rc.DeflateRect(nHalf, 0);
    }
    if (bVertical)
        DrawVerticalContent(pDC, pItem, rc, bHasIcon, szIcon, bShowCaption);
    else
        DrawHorizontalContent(pDC, pItem, rc, bHasIcon, szIcon, bShowCaption);
    if (pItem->IsSelected() && pManager->HasFocus())
        DrawFocusRect(pDC, pItem, rcFocus);
    return 0;
}

void CTkTabPaintManager::DrawHorizontalContent(CDC* pDC, CTkTabManagerItem* pItem, CRect rc, BOOL bHasIcon,
                                               const CSize& szIcon, BOOL bShowCaption) {
    CTkTabManager* pManager = pItem->GetTabManager();
    const CRect& rcMargin = m_rcButtonMargin;
    rc.left += m_rcTextMargin.left + rcMargin.left;
    if (pManager->GetPosition() == kTabPositionBottom) {
        rc.top += rcMargin.bottom;
        rc.bottom -= rcMargin.top;
    } else {
        rc.top += rcMargin.top;
        rc.bottom -= rcMargin.bottom;
    }
    if (bHasIcon && szIcon.cx < rc.Width()) {
        CSize size = szIcon;
        pManager->DrawIcon(pDC, CPoint(rc.left - 1, (rc.top + rc.bottom) / 2 - szIcon.cy / 2), pItem, TRUE, size);
        rc.left += szIcon.cx + 2;
    }
    if (!bShowCaption || rc.left >= rc.right)
        return;
    rc.right -= m_rcTextMargin.right + rcMargin.right - (bHasIcon ? 2 : 0);
    if (pItem->m_pMarkupElement != nullptr) {
        CTkMarkupContext* pContext = pManager->GetMarkupContext();
        SetMarkupDefaultFont(pContext, static_cast<HFONT>(pDC->GetCurrentFont()->GetSafeHandle()), pDC->GetTextColor());
        CRect rcMarkup = rc;
        if ((m_nDrawTextFormat & DT_VCENTER) != 0) {
            const SIZE size = MeasureMarkupElement(pItem->m_pMarkupElement, INT_MAX, INT_MAX);
            rcMarkup.top = (rc.top + rc.bottom - size.cy) / 2;
            rcMarkup.bottom = rcMarkup.top + size.cy;
        }
        RenderMarkupElement(pItem->m_pMarkupElement, pDC->GetSafeHdc(), rcMarkup);
        return;
    }
    CString strCaption = pItem->GetCaption();
    if (m_bDrawTextMiddleEllipsis) {
        DrawTextMiddleEllipsis(pDC, strCaption, rc,
                               DT_SINGLELINE | m_nDrawTextFormat | (m_bDrawTextNoPrefix ? DT_NOPREFIX : 0));
        return;
    }
    UINT nFormat = DT_SINGLELINE | m_nDrawTextFormat | (m_bDrawTextEndEllipsis ? DT_END_ELLIPSIS : 0);
    if (m_bStripMnemonics)
        RemoveMnemonicMarkers(strCaption);
    if (m_bStripMnemonics || m_bDrawTextNoPrefix)
        nFormat |= DT_NOPREFIX;
    pDC->DrawText(strCaption, rc, nFormat);
}

void CTkTabPaintManager::DrawVerticalContent(CDC* pDC, CTkTabManagerItem* pItem, CRect rc, BOOL bHasIcon,
                                             const CSize& szIcon, BOOL bShowCaption) {
    CTkTabManager* pManager = pItem->GetTabManager();
    const CRect& rcMargin = m_rcButtonMargin;
    const BOOL bRight = pManager->GetPosition() == kTabPositionRight;
    rc.top += m_rcTextMargin.left + rcMargin.left;
    if (bRight) {
        rc.left += rcMargin.bottom;
        rc.right -= rcMargin.top;
    } else {
        rc.left += rcMargin.top;
        rc.right -= rcMargin.bottom;
    }
    if (bHasIcon && szIcon.cy < rc.Height()) {
        CSize size = szIcon;
        pManager->DrawIcon(pDC, CPoint((rc.left + rc.right) / 2 - szIcon.cx / 2, rc.top - 1), pItem, TRUE, size);
        rc.top += szIcon.cy + 2;
    }
    if (!bShowCaption || rc.top + 8 >= rc.bottom)
        return;
    CString strCaption = pItem->GetCaption();
    if (!m_bDrawTextNoPrefix)
        RemoveMnemonicMarkers(strCaption);
    const int nTextHeight = pDC->GetTextExtent(strCaption).cy;
    rc.bottom -= std::max(static_cast<int>(m_rcTextMargin.right) - 4, 0) + rcMargin.right;
    // The font turns the text a quarter turn clockwise: its cell hangs to the left of the start point.
    const int x = rc.right - (rc.Width() - (bRight ? 1 : 0) - nTextHeight) / 2;
    CRect rcText(x, rc.top, x + rc.Height(), rc.bottom);
    const UINT nFormat = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE;
    if (m_bDrawTextMiddleEllipsis)
        DrawTextMiddleEllipsis(pDC, strCaption, rcText, nFormat);
    else
        pDC->DrawText(strCaption, rcText, nFormat | (m_bDrawTextEndEllipsis ? DT_END_ELLIPSIS : 0));
}

CString CTkTabPaintManager::MakeMiddleEllipsisText(CDC* pDC, const CString& strText, int nWidth, UINT nFormat) {
    const int e = pDC->GetTextExtent(kEllipsis, 3).cx;
    const int t = MeasureCaptionWidth(pDC, strText, nFormat);
    if (t <= nWidth)
        return strText;
    if (e >= nWidth)
        return kEllipsis;
    const int a = nWidth - e;
    const int nLength = strText.GetLength();
    auto pieces = [&](int k) { return strText.Left(k - k / 2) + strText.Right(k / 2); };
    auto width = [&](int k) { return MeasureCaptionWidth(pDC, pieces(k), nFormat); };
    int n = static_cast<int>(static_cast<long long>(nLength) * a / t);
    while (n < nLength && width(n + 1) < a)
        ++n;
    while (n > 0 && width(n) > a)
        --n;
    return strText.Left(n - n / 2) + kEllipsis + strText.Right(n / 2);
}

void CTkTabPaintManager::DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat) {
    // A path keeps its file name: the system shortens it by folders.
    if (strText.Find(L'\\') >= 0) {
        CString strCopy = strText;
        pDC->DrawText(strCopy, rc, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    pDC->DrawText(MakeMiddleEllipsisText(pDC, strText, rc.Width(), nFormat), rc, nFormat);
}

// ---- The control

void CTkTabPaintManager::PaintDefaultControl(CTkTabManager* pManager, CDC* pDC, CRect rc) {
    const int nPosition = pManager->GetPosition();
    if (pManager->IsDrawStaticFrame()) {
        const COLORREF clrBorder = m_pColorSet->m_clrFrameBorder.GetEffective();
        const COLORREF clrFace = m_pColorSet->m_clrControlFace.GetEffective();
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
        DeflateByPosition(rc, 1, 1, 1, 1, nPosition);
        pDC->Draw3dRect(rc, clrFace, clrFace);
        DeflateByPosition(rc, 1, 0, 1, 1, nPosition);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(rc, m_pColorSet->m_clrControlFace.GetEffective());
    DeflateByPosition(rc, m_rcControlMargin, nPosition);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bFillBackground)
        m_pAppearanceSet->PaintHeaderAndClient(pManager, pDC, rc);

    CRect rcClip;
    pDC->GetClipBox(rcClip);
    if (m_bClipHeader)
        rcClip.IntersectRect(rcClip, pManager->GetHeaderRect());
    if (!rcClip.IsRectEmpty()) {
        CScopedSaveDC saveClip(pDC->GetSafeHdc());
        if (m_bClipHeader) {
            // Clip regions are in device units: the box goes through the DC's mapping.
            CRect rcDevice = rcClip;
            pDC->LPtoDP(rcDevice);
            rcDevice.NormalizeRect();
            CRgn rgn;
            rgn.CreateRectRgnIndirect(rcDevice);
            pDC->SelectClipRgn(&rgn, RGN_AND);
            m_pColorSet->AdjustHeaderClip(pDC, m_pAppearanceSet->CalcClientRect(rc, pManager), pManager);
        }
        for (int nRow = pManager->GetRowCount() - 1; nRow >= 0; --nRow)
            PaintRowTabs(pManager, pDC, rcClip, nRow);
    }
    for (int i = pManager->GetNavigateButtonCount() - 1; i >= 0; --i) {
        if (CTkTabManagerNavigateButton* pButton = pManager->GetNavigateButton(i))
            pButton->Draw(pDC);
    }
}

void CTkTabPaintManager::PaintRowTabs(CTkTabManager* pManager, CDC* pDC, const CRect& rcClip, int nRow) {
    const CTkTabManager::TabRow row = pManager->GetRow(nRow);
    CTkTabManagerItem* pSelected = pManager->GetSelectedItem();
    auto paint = [&](CTkTabManagerItem* pItem) {
        CRect rcPaint = m_pAppearanceSet->GetTabPaintRect(pItem);
        if (pItem->IsVisible() && rcPaint.IntersectRect(rcPaint, rcClip))
            m_pAppearanceSet->PaintTab(pDC, pItem);
    };
    int nLast = row.nLast;
    BOOL bSelectedInRow = FALSE;
    if (m_pAppearanceSet->m_bPaintTowardSelected && pSelected != nullptr && pSelected->m_nRow == nRow &&
        pSelected->GetIndex() >= row.nFirst && pSelected->GetIndex() <= row.nLast) {
        for (int i = row.nFirst; i < pSelected->GetIndex(); ++i)
            paint(pManager->GetItem(i));
        bSelectedInRow = TRUE;
        for (int i = row.nLast; i > pSelected->GetIndex(); --i)
            paint(pManager->GetItem(i));
        nLast = -1;
    }
    for (int i = nLast; i >= row.nFirst && i >= 0; --i) {
        CTkTabManagerItem* pItem = pManager->GetItem(i);
        if (pItem == nullptr || pItem->m_nRow != nRow)
            break;
        if (pItem == pSelected) {
            bSelectedInRow = TRUE;
            continue;
        }
        paint(pItem);
    }
    if (bSelectedInRow)
        paint(pSelected);
}
