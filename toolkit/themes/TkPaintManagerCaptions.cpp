// CTkPaintManager: captions of controls (one line, two lines, beside the icon cell), their text with
// mnemonics and emboss, glow text on glass captions, and popup-item text.
#include "TkPaintManager.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkPaintManagerState.h"
#include "TkTextFunctions.h"
#include "TkWinThemeWrapper.h"

#include <utility>

namespace {

// The text with its mnemonic markers removed.
CString Stripped(const CString& str) {
    CString strStripped = str;
    RemoveMnemonicMarkers(strStripped);
    return strStripped;
}

}  // namespace

// ---- Layout of a caption beside the icon cell

CSize CTkPaintManager::PaintCaptionLayout(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bDraw, BOOL bImage,
                                          CSize szButton, BOOL bDropDown) {
    const BOOL bVertical = GetTextOrientation(pControl) == 1;
    // Vertical captions come back swapped: cx is the text's height, cy its length.
    const CSize szCaption = PaintControlCaption(pDC, pControl, rc, FALSE, bDropDown, FALSE);
    const int nEarlier = m_bNarrowDropDownSpacing ? 0 : 1;
    CSize size;
    CRect rcCaption = rc;
    if (bVertical) {
        size.cx = std::max<LONG>(szButton.cx, szCaption.cx + 6);
        size.cy = bImage ? szCaption.cy + szButton.cy + 3 : szCaption.cy + 8;
        rcCaption.top += bImage ? szButton.cy : kCaptionIndent;
    } else {
        size.cx = bImage ? szCaption.cx + szButton.cx + 4 - nEarlier : szCaption.cx + 8;
        size.cy = std::max<LONG>(szButton.cy, szCaption.cy + 6);
        rcCaption.left += bImage ? szButton.cx - nEarlier : kCaptionIndent;
    }
    if (bDraw)
        PaintControlCaption(pDC, pControl, rcCaption, TRUE, bDropDown, FALSE);
    return size;
}

CSize CTkPaintManager::ApplyExplicitSize(CTkControl* pControl, CSize size, BOOL bVertical) {
    if (pControl->GetWidth() > 0)
        (bVertical ? size.cy : size.cx) = pControl->GetWidth();
    if (pControl->GetHeight() > 0)
        (bVertical ? size.cx : size.cy) = pControl->GetHeight();
    return size;
}

// ---- One caption

CSize CTkPaintManager::PaintControlCaption(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bDraw, BOOL bDropDown,
                                           BOOL bCentered) {
    const BOOL bVertical = GetTextOrientation(pControl) == 1;
    const CString strCaption = pControl->GetCaption();
    const CSize szText = pDC->GetTextExtent(Stripped(strCaption));
    CSize size = szText;
    if (bDropDown)
        size.cx += m_bNarrowDropDownSpacing ? 8 : 10;
    if (bVertical)
        std::swap(size.cx, size.cy);
    if (!bDraw)
        return size;

    CTkCommandBar* pBar = pControl->GetParent();
    // A menu-bar item keeps the room for its glyph but shows none.
    const BOOL bGlyph = bDropDown && (pBar == nullptr || pBar->GetType() != kBarTypeMenuBar);
    const ControlPaintState state(pControl);
    CPoint ptGlyph;
    if (bVertical) {
        CRect rcText = rc;
        if (bCentered)
            rcText.top += (rc.Height() - szText.cx - (bGlyph ? kGlyphGap : 0)) / 2;
        PaintCaptionText(pDC, pControl, strCaption, rcText, 0, TRUE, state.bCaptionEnabled);
        ptGlyph = CPoint(rc.CenterPoint().x, rcText.top + szText.cx + kGlyphGap);
    } else {
        CRect rcText = rc;
        if (bCentered)
            rcText.left += (rc.Width() - szText.cx - (bGlyph ? kGlyphGap : 0)) / 2;
        PaintCaptionText(pDC, pControl, strCaption, rcText, 0, FALSE, state.bCaptionEnabled);
        ptGlyph = CPoint(rcText.left + szText.cx + kGlyphGap, rc.CenterPoint().y);
    }
    if (bGlyph)
        PaintDropDownGlyph(pDC, pControl, ptGlyph, state.nSelected, state.bPopuped, state.bGlyphEnabled, bVertical);
    return size;
}

void CTkPaintManager::SplitTwoLineCaption(const CString& strCaption, CString& strFirst, CString& strSecond) {
    strFirst = strCaption;
    strSecond.Empty();
    const int nLength = strCaption.GetLength();
    if (nLength < 2)
        return;
    const int nMiddle = nLength / 2;
    for (int nDistance = 0; nDistance < nLength; ++nDistance) {
        for (int nAt : {nMiddle - nDistance, nMiddle + nDistance}) {
            // A space at the very start would leave the first line empty.
            if (nAt >= 1 && nAt < nLength && strCaption[nAt] == L' ') {
                strFirst = strCaption.Left(nAt);
                strSecond = strCaption.Mid(nAt + 1);
                return;
            }
        }
    }
}

CSize CTkPaintManager::PaintTwoLineCaption(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bDraw) {
    const BOOL bVertical = GetTextOrientation(pControl) == 1;
    const BOOL bDropDown = pControl->GetCommandBar() != nullptr;
    CString strFirst = pControl->GetCaption();
    CString strSecond;
    if (m_bSplitLargeCaptions)
        SplitTwoLineCaption(pControl->GetCaption(), strFirst, strSecond);
    const CSize szFirst = pDC->GetTextExtent(Stripped(strFirst));
    const CSize szSecond = strSecond.IsEmpty() ? CSize(0, szFirst.cy) : pDC->GetTextExtent(Stripped(strSecond));
    CSize size(std::max<LONG>(szFirst.cx, szSecond.cx + (bDropDown ? 8 : 0)), 24);
    if (bVertical)
        std::swap(size.cx, size.cy);
    if (!bDraw)
        return size;

    const ControlPaintState state(pControl);
    const int nGlyphRoom = bDropDown ? kGlyphGap : 0;
    if (bVertical) {
        // Lines are columns, the first at the right.
        const CRect rcFirst(rc.CenterPoint().x, rc.top, rc.right, rc.bottom);
        const CRect rcSecond(rc.left, rc.top, rc.CenterPoint().x, rc.bottom);
        PaintCaptionText(
            pDC, pControl, strFirst,
            CRect(rcFirst.left, rcFirst.top + (rc.Height() - szFirst.cx) / 2, rcFirst.right, rcFirst.bottom), 0, TRUE,
            state.bCaptionEnabled);
        const int yTop = rc.top + (rc.Height() - szSecond.cx - nGlyphRoom) / 2;
        if (!strSecond.IsEmpty())
            PaintCaptionText(pDC, pControl, strSecond, CRect(rcSecond.left, yTop, rcSecond.right, rcSecond.bottom), 0,
                             TRUE, state.bCaptionEnabled);
        if (bDropDown)
            PaintDropDownGlyph(pDC, pControl, CPoint(rcSecond.CenterPoint().x, yTop + szSecond.cx + nGlyphRoom),
                               state.nSelected, state.bPopuped, state.bGlyphEnabled, TRUE);
        return size;
    }
    const CRect rcFirst(rc.left, rc.top, rc.right, rc.CenterPoint().y);
    const CRect rcSecond(rc.left, rc.CenterPoint().y, rc.right, rc.bottom);
    PaintCaptionText(pDC, pControl, strFirst, rcFirst, DT_CENTER, FALSE, state.bCaptionEnabled);
    const int xLeft = rc.left + (rc.Width() - szSecond.cx - nGlyphRoom) / 2;
    if (!strSecond.IsEmpty())
        PaintCaptionText(pDC, pControl, strSecond, CRect(xLeft, rcSecond.top, rcSecond.right, rcSecond.bottom), 0,
                         FALSE, state.bCaptionEnabled);
    if (bDropDown)
        PaintDropDownGlyph(pDC, pControl, CPoint(xLeft + szSecond.cx + nGlyphRoom, rcSecond.CenterPoint().y),
                           state.nSelected, state.bPopuped, state.bGlyphEnabled, FALSE);
    return size;
}

// ---- Text

void CTkPaintManager::PaintCaptionText(CDC* pDC, CTkControl* pControl, const CString& strCaption, CRect rc,
                                       UINT nFormat, BOOL bVertical, BOOL bEnabled) {
    CTkCommandBar* pBar = pControl->GetParent();
    const BOOL bCues = pBar != nullptr ? IsKeyboardCuesShown(pBar) : m_nKeyboardCueOverride != 0;
    const BOOL bGlass = pControl->IsInGlassCaption();
    const CString strStripped = Stripped(strCaption);
    // Captions lie on the face their control painted.
    pDC->SetBkMode(TRANSPARENT);
    auto draw = [&](CRect rcText) {
        if (bVertical) {
            // Top-down text grows to the left of its starting point: start right of the middle.
            const int nTextHeight = pDC->GetTextExtent(strStripped).cy;
            rcText.left += (rcText.Width() + nTextHeight) / 2;
            pDC->DrawText(strStripped, &rcText, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        } else if (bCues) {
            DrawGlowText(pDC, strCaption, rcText, DT_SINGLELINE | DT_VCENTER | nFormat, bGlass);
        } else {
            DrawGlowText(pDC, strStripped, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | nFormat, bGlass);
        }
    };
    if (!bEnabled && m_bEmbossedDisabledText) {
        const COLORREF clrText = pDC->SetTextColor(LookupColor(COLOR_BTNHIGHLIGHT));
        draw(rc + CPoint(1, 1));
        pDC->SetTextColor(clrText);
    }
    draw(rc);
}

void CTkPaintManager::DrawGlowText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bGlass) {
    if (bGlass) {
        CTkWinThemeWrapper theme(TRUE);
        theme.OpenTheme(nullptr, L"GLOBALS");
        if (theme.IsAppThemed()) {
            BP_PAINTPARAMS params{};
            params.cbSize = sizeof(params);
            HDC hBufferDC = nullptr;
            HPAINTBUFFER hBuffer =
                theme.BeginBufferedPaint(pDC->GetSafeHdc(), &rc, BPBF_TOPDOWNDIB, &params, &hBufferDC);
            if (hBuffer != nullptr) {
                ::BitBlt(hBufferDC, rc.left, rc.top, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left, rc.top,
                         SRCCOPY);
                ::SelectObject(hBufferDC, ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
                DTTOPTS options{};
                options.dwSize = sizeof(options);
                options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
                options.crText = pDC->GetTextColor();
                theme.DrawTextEx(hBufferDC, 0, 0, strText, strText.GetLength(), nFormat, &rc, &options);
                theme.EndBufferedPaint(hBuffer, TRUE);
                return;
            }
        }
    }
    pDC->DrawText(strText, &rc, nFormat);
}

int CTkPaintManager::PaintControlText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
                                      BOOL bSelected, BOOL bEnabled) {
    if (!bDraw)
        return pDC->DrawText(strText, &rc, DT_CALCRECT);
    if (!bEnabled && !bSelected && m_bEmbossedDisabledText) {
        const COLORREF clrText = pDC->SetTextColor(LookupColor(COLOR_BTNHIGHLIGHT));
        CRect rcEmboss = rc + CPoint(1, 1);
        pDC->DrawText(strText, &rcEmboss, nFormat | DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(clrText);
    }
    return pDC->DrawText(strText, &rc, nFormat | DT_SINGLELINE | DT_VCENTER);
}
