// CTkPaintManager: the popup animations (unfold, slide, fade) and the expansion of shortened menus.
#include "TkPaintManager.h"

#include "TkControl.h"
#include "TkPopupBar.h"
#include "TkWindowFunctions.h"

#include <vector>

namespace {

constexpr int kAnimateUnfold = 2;
constexpr int kAnimateSlide = 3;
constexpr int kAnimateFade = 4;

// The fade: each step blends the finished popup over what the screen showed, and sleeps only for what is
// left of its share of the animation time.
void AnimateFade(CDC* pWindowDC, CDC* pImageDC, const CRect& rc, int nSteps, DWORD dwStepTime) {
    const int w = rc.Width();
    const int h = rc.Height();
    CScopedMemDC newImage(w, h);
    CScopedMemDC oldImage(w, h);
    CScopedMemDC blend(w, h);
    if (!newImage.IsValid() || !oldImage.IsValid() || !blend.IsValid())
        return;
    newImage.BitBlt(0, 0, w, h, pImageDC, rc.left, rc.top, SRCCOPY);
    oldImage.BitBlt(0, 0, w, h, pWindowDC, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    for (int i = 1; i < nSteps; ++i) {
        const DWORD dwStart = ::GetTickCount();
        CTkPaintManager::BlendImageRows(newImage.GetBits(), oldImage.GetBits(), blend.GetBits(), w * h,
                                        255 * i / nSteps);
        pWindowDC->BitBlt(rc.left, rc.top, w, h, &blend, 0, 0, SRCCOPY);
        const DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed < dwStepTime)
            ::Sleep(dwStepTime - dwElapsed);
    }
}

// A run of controls of one kind (rarely used or not), as rows of the popup.
struct MenuBand {
    int nTop;
    int nBottom;
    BOOL bRarelyUsed;
};

// The visible controls top-down, cut into bands where the rarely-used flag changes; the bands cover the
// whole client area (the gaps between controls go with the band below them).
std::vector<MenuBand> FindMenuBands(CTkPopupBar* pPopupBar, const CRect& rcClient) {
    std::vector<MenuBand> bands;
    for (int i = 0; i < pPopupBar->GetControlCount(); ++i) {
        CTkControl* pControl = pPopupBar->GetControl(i);
        if (!pControl->IsVisible(0))
            continue;
        if (bands.empty() || bands.back().bRarelyUsed != pControl->IsRarelyUsed())
            bands.push_back({bands.empty() ? rcClient.top : bands.back().nBottom, 0, pControl->IsRarelyUsed()});
        bands.back().nBottom = pControl->GetRect().bottom;
    }
    if (bands.empty())
        bands.push_back({rcClient.top, rcClient.bottom, FALSE});
    bands.back().nBottom = rcClient.bottom;
    return bands;
}

}  // namespace

void CTkPaintManager::BlendImageRows(const DWORD* pNew, const DWORD* pOld, DWORD* pOut, int nCount, int nAlpha) {
    for (int i = 0; i < nCount; ++i) {
        DWORD dwPixel = 0;
        for (int nShift = 0; nShift <= 16; nShift += 8) {
            const DWORD dwNew = (pNew[i] >> nShift) & 0xFF;
            const DWORD dwOld = (pOld[i] >> nShift) & 0xFF;
            dwPixel |= ((dwNew * nAlpha + dwOld * (255 - nAlpha)) / 256) << nShift;
        }
        pOut[i] = dwPixel;
    }
}

// Runs on the UI thread and sleeps between frames; the caller draws the finished image afterwards.
void CTkPaintManager::AnimatePopup(CDC* pWindowDC, CDC* pImageDC, CRect rc, int nKind) {
    const int nSteps = std::max(m_nAnimationSteps, 1);
    const DWORD dwStepTime = static_cast<DWORD>(std::max(m_nAnimationTime, 0) / nSteps);
    const int w = rc.Width();
    const int h = rc.Height();
    switch (nKind) {
        case kAnimateUnfold:
            for (int i = 1; i <= nSteps; ++i) {
                const int cx = i * w / nSteps;
                const int cy = i * h / nSteps;
                pWindowDC->BitBlt(rc.left, rc.top, cx, cy, pImageDC, rc.left + w - cx, rc.top + h - cy, SRCCOPY);
                ::Sleep(dwStepTime);
            }
            break;
        case kAnimateSlide:
            for (int i = 1; i <= nSteps; ++i) {
                const int cy = i * h / nSteps;
                pWindowDC->BitBlt(rc.left, rc.top, w, cy, pImageDC, rc.left, rc.top + h - cy, SRCCOPY);
                ::Sleep(dwStepTime);
            }
            break;
        case kAnimateFade:
            AnimateFade(pWindowDC, pImageDC, rc, nSteps, dwStepTime);
            break;
        default:
            break;
    }
}

// The rarely used commands grow open band by band while the other bands slide along at full height.
void CTkPaintManager::AnimateMenuExpand(CTkPopupBar* pPopupBar, CDC* pWindowDC, CDC* pImageDC, BOOL bDown) {
    const int nSteps = std::max(m_nAnimationSteps, 1);
    const DWORD dwStepTime = static_cast<DWORD>(std::max(m_nAnimationTime, 0) / nSteps);
    const CRect rcClient = MakeClientRectFromHandle(pPopupBar->GetSafeHwnd());
    const std::vector<MenuBand> bands = FindMenuBands(pPopupBar, rcClient);
    const int w = rcClient.Width();
    for (int i = 1; i <= nSteps; ++i) {
        int y = bDown ? rcClient.top : rcClient.bottom;
        for (size_t n = 0; n < bands.size(); ++n) {
            const MenuBand& band = bands[bDown ? n : bands.size() - 1 - n];
            const int nHeight = band.nBottom - band.nTop;
            const int nShown = band.bRarelyUsed ? nHeight * i / nSteps : nHeight;
            if (!bDown)
                y -= nShown;
            pWindowDC->StretchBlt(rcClient.left, y, w, nShown, pImageDC, rcClient.left, band.nTop, w, nHeight, SRCCOPY);
            if (bDown)
                y += nShown;
        }
        ::Sleep(dwStepTime);
    }
}
