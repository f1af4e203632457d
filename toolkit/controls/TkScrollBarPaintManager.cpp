#include "TkScrollBarPaintManager.h"

#include "TkColorManager.h"
#include "TkScrollBase.h"

#include <vssym32.h>

namespace {

// The offset of a visual-style state from its part's normal state: normal, hot, pressed, disabled.
int StateOffset(int nPart, const int nPressed, const int nHot, BOOL bEnabled) {
    if (!bEnabled)
        return 3;
    if (nPart == nPressed)
        return 2;
    if (nPart == nHot)
        return 1;
    return 0;
}

}  // namespace

CTkScrollBarPaintManager::CTkScrollBarPaintManager(CTkPaintManager* pOwner) : m_pOwner(pOwner) {
    CTkScrollBarPaintManager::RefreshMetrics();
}

void CTkScrollBarPaintManager::RefreshMetrics() {
    m_nHorzArrowWidth = ::GetSystemMetrics(SM_CXHSCROLL);
    m_nHorzArrowHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    m_nVertArrowWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    m_nVertArrowHeight = ::GetSystemMetrics(SM_CYVSCROLL);
    m_themeScrollBar.OpenTheme(nullptr, L"SCROLLBAR");
}

CTkScrollBarPaintManager::BarParts CTkScrollBarPaintManager::GetBarParts(CTkScrollBase* pScrollBar) {
    const ScrollBarGeometry& g = pScrollBar->m_geometry;
    BarParts parts;
    if (const ScrollTrackingState* pTracking = pScrollBar->m_pTracking) {
        if (pTracking->bThumbDrag || pTracking->bPressedInside)
            parts.nPressed = g.nHitPart;
    } else {
        parts.nHot = g.nHitPart;
    }
    parts.bEnabled = g.nMax - g.nPage - g.nMin + 1 > 0 && pScrollBar->IsScrollBarEnabled();
    parts.bThumb = parts.bEnabled && g.nThumbEnd <= g.nSecondArrowStart;
    parts.rcFirstArrow = CTkScrollBase::AlongRect(g, g.nStart, g.nFirstArrowEnd);
    parts.rcSecondArrow = CTkScrollBase::AlongRect(g, g.nSecondArrowStart, g.nEnd);
    if (parts.bThumb) {
        parts.rcTrackBefore = CTkScrollBase::AlongRect(g, g.nFirstArrowEnd, g.nThumbStart);
        parts.rcThumb = CTkScrollBase::AlongRect(g, g.nThumbStart, g.nThumbEnd);
        parts.rcTrackAfter = CTkScrollBase::AlongRect(g, g.nThumbEnd, g.nSecondArrowStart);
    } else {
        parts.rcTrackBefore = CTkScrollBase::AlongRect(g, g.nFirstArrowEnd, g.nSecondArrowStart);
    }
    return parts;
}

void CTkScrollBarPaintManager::DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar) {
    const ScrollBarGeometry& g = pScrollBar->m_geometry;
    if (g.nCrossEnd <= g.nCrossStart)
        return;
    const BarParts parts = GetBarParts(pScrollBar);
    const int nStyle = pScrollBar->GetScrollBarStyle();
    if (nStyle == kScrollStyleSystem && m_themeScrollBar.IsAppThemed())
        DrawThemed(pDC, parts, g.bVertical);
    else
        DrawClassic(pDC, pScrollBar, parts, nStyle == kScrollStyleFlat);
}

void CTkScrollBarPaintManager::DrawThemed(CDC* pDC, const BarParts& parts, BOOL bVertical) {
    const HDC hDC = pDC->GetSafeHdc();
    auto state = [&parts](int nPart) { return StateOffset(nPart, parts.nPressed, parts.nHot, parts.bEnabled); };
    const int nFirstArrow = bVertical ? ABS_UPNORMAL : ABS_LEFTNORMAL;
    const int nSecondArrow = bVertical ? ABS_DOWNNORMAL : ABS_RIGHTNORMAL;
    m_themeScrollBar.DrawBackground(hDC, SBP_ARROWBTN, nFirstArrow + state(kScrollPartFirstArrow), parts.rcFirstArrow,
                                    nullptr);
    m_themeScrollBar.DrawBackground(hDC, SBP_ARROWBTN, nSecondArrow + state(kScrollPartSecondArrow),
                                    parts.rcSecondArrow, nullptr);
    m_themeScrollBar.DrawBackground(hDC, bVertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ,
                                    SCRBS_NORMAL + state(kScrollPartTrackBefore), parts.rcTrackBefore, nullptr);
    if (!parts.bThumb)
        return;
    m_themeScrollBar.DrawBackground(hDC, bVertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ,
                                    SCRBS_NORMAL + state(kScrollPartTrackAfter), parts.rcTrackAfter, nullptr);
    const int nThumbState = SCRBS_NORMAL + state(kScrollPartThumb);
    m_themeScrollBar.DrawBackground(hDC, bVertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, nThumbState, parts.rcThumb,
                                    nullptr);
    const int nThumbLength = bVertical ? parts.rcThumb.Height() : parts.rcThumb.Width();
    if (nThumbLength > 13)
        m_themeScrollBar.DrawBackground(hDC, bVertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, nThumbState, parts.rcThumb,
                                        nullptr);
}

void CTkScrollBarPaintManager::DrawClassic(CDC* pDC, CTkScrollBase* pScrollBar, const BarParts& parts, BOOL bFlat) {
    const BOOL bVertical = pScrollBar->m_geometry.bVertical;
    CTkColorManager* pColors = GetColorManager();
    const COLORREF clrFace = pColors->GetColor(COLOR_BTNFACE);
    const COLORREF clrHighlight = pColors->GetColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = pColors->GetColor(COLOR_BTNSHADOW);
    const struct {
        const CRect& rc;
        int nPart;
        BOOL bFirst;
    } arrows[] = {{parts.rcFirstArrow, kScrollPartFirstArrow, TRUE},
                  {parts.rcSecondArrow, kScrollPartSecondArrow, FALSE}};
    for (const auto& arrow : arrows) {
        const BOOL bPressed = parts.nPressed == arrow.nPart;
        if (bFlat) {
            pDC->FillSolidRect(arrow.rc, clrFace);
            pDC->Draw3dRect(arrow.rc, bPressed ? clrShadow : clrHighlight, bPressed ? clrHighlight : clrShadow);
            DrawArrowGlyph(pDC, arrow.rc, !bVertical, arrow.bFirst, parts.bEnabled);
        } else {
            UINT nState = bVertical ? (arrow.bFirst ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                    : (arrow.bFirst ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
            if (bPressed)
                nState |= DFCS_PUSHED;
            if (!parts.bEnabled)
                nState |= DFCS_INACTIVE;
            CRect rc = arrow.rc;
            pDC->DrawFrameControl(rc, DFC_SCROLL, nState);
        }
    }

    // The track in the parent's scroll-bar brush, as the platform's own bars show it.
    HBRUSH hBrush = nullptr;
    if (CWnd* pParent = pScrollBar->GetParentWindow()) {
        hBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(pParent->GetSafeHwnd(), WM_CTLCOLORSCROLLBAR,
                                                           reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                           reinterpret_cast<LPARAM>(pParent->GetSafeHwnd())));
    }
    if (hBrush == nullptr)
        hBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
    ::FillRect(pDC->GetSafeHdc(), parts.rcTrackBefore, hBrush);
    if (!parts.bThumb)
        return;
    ::FillRect(pDC->GetSafeHdc(), parts.rcTrackAfter, hBrush);
    if (parts.nPressed == kScrollPartTrackBefore)
        pDC->InvertRect(parts.rcTrackBefore);
    CRect rcThumb = parts.rcThumb;
    pDC->FillSolidRect(rcThumb, clrFace);
    if (bFlat)
        pDC->Draw3dRect(rcThumb, clrHighlight, clrShadow);
    else
        pDC->DrawEdge(rcThumb, EDGE_RAISED, BF_RECT);
    if (parts.nPressed == kScrollPartTrackAfter)
        pDC->InvertRect(parts.rcTrackAfter);
}

void CTkScrollBarPaintManager::DrawArrowGlyph(CDC* pDC, CRect rc, BOOL bHorizontal, BOOL bFirst, BOOL bEnabled) {
    const int nSide = std::min(rc.Width(), rc.Height());
    if (nSide < 6)
        return;
    CFont font;
    font.CreateFontW(nSide - 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, L"MARLETT");
    const wchar_t* pszGlyph = bHorizontal ? (bFirst ? L"3" : L"4") : (bFirst ? L"5" : L"6");
    CScopedSaveDC save(pDC->GetSafeHdc());
    pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(bEnabled ? RGB(0, 0, 0) : GetColorManager()->GetColor(COLOR_BTNSHADOW));
    rc.OffsetRect(2, 2);
    pDC->DrawText(pszGlyph, 1, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}
