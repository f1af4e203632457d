// The derived state images of an icon (faded, shadow, disabled) and the icon's drawing operations.
//
// Arithmetic: luminance L = (0.299 R + 0.587 G + 0.114 B) / 255. Where a formula has fixed factors
// (faded, shadow, the disabled blend) it is computed in integers, so each result is the exact value
// truncated: in doubles some products land just below a whole number and would lose one.

#include "TkImageManagerIcon.h"

#include "TkColorFunctions.h"
#include "TkColorManager.h"

#include <algorithm>
#include <cmath>

namespace {

// Tuning of the grey disabled image: the brightness exponent and the alpha divisor.
constexpr double kDisabledBrightnessExponent = 0.5;
constexpr double kDisabledAlphaDivisor = 1.0;
// The colour-manager slot the shadow is made from, and the shadow's share of it (3/4).
constexpr UINT kShadowColorSlot = 31;

// 1000 x 255 x L of a pixel: an exact integer, 0 .. 255000.
int Luminance1000(int r, int g, int b) {
    return 299 * r + 587 * g + 114 * b;
}

// The grey of the disabled image: 255 x L ^ e, truncated.
BYTE DisabledGrey(int nLuminance1000) {
    return static_cast<BYTE>(255.0 * std::pow(nLuminance1000 / 255000.0, kDisabledBrightnessExponent));
}

// One channel of the blend from dark (L = 0) to light (L = 1), truncated.
BYTE BlendChannel(int nDark, int nLight, int nLuminance1000) {
    return static_cast<BYTE>((nDark * (255000 - nLuminance1000) + nLight * nLuminance1000) / 255000);
}

// Changes a copy of source pixel by pixel and stores it into target (which may pack it). An icon's
// opaque pixels (mask 0) go through onIconPixel (COLORREF -> COLORREF) column by column on the bitmaps
// of its icon info, and the icon is rebuilt from them; an alpha image's premultiplied pixels go
// through onAlphaPixel (BYTE[4] blue, green, red, alpha, changed in place) in memory order. When the
// icon info or the bits cannot be had, target receives the unchanged copy.
template <class IconPixelFn, class AlphaPixelFn>
void StoreChangedCopy(const IconStateImage& source, IconStateImage& target, IconPixelFn onIconPixel,
                      AlphaPixelFn onAlphaPixel) {
    IconStateImage copy;
    copy.CopyFrom(source);
    ICONINFO info = {};
    if (copy.m_hIcon != nullptr && ::GetIconInfo(copy.m_hIcon, &info)) {
        if (info.hbmColor != nullptr) {
            BITMAP bm = {};
            ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
            CDC colorDC, maskDC;
            colorDC.CreateCompatibleDC(nullptr);
            maskDC.CreateCompatibleDC(nullptr);
            {
                CScopedSelectObject selectColor(colorDC, info.hbmColor);
                CScopedSelectObject selectMask(maskDC, info.hbmMask);
                for (int x = 0; x < bm.bmWidth; ++x)
                    for (int y = 0; y < bm.bmHeight; ++y)
                        if (maskDC.GetPixel(x, y) == RGB(0, 0, 0))
                            colorDC.SetPixel(x, y, onIconPixel(colorDC.GetPixel(x, y)));
            }
            ICONINFO rebuilt = {TRUE, 0, 0, info.hbmMask, info.hbmColor};
            copy.AttachIcon(::CreateIconIndirect(&rebuilt));
            ::DeleteObject(info.hbmColor);
        }
        ::DeleteObject(info.hbmMask);
    } else if (copy.IsAlpha()) {
        BYTE* pBits = copy.GetPremultipliedBits();
        BITMAP bm = {};
        if (pBits != nullptr && ::GetObjectW(copy.m_hBitmap, sizeof(bm), &bm) != 0) {
            ::GdiFlush();
            const size_t nPixels = static_cast<size_t>(bm.bmWidth) * std::abs(bm.bmHeight);
            for (size_t i = 0; i < nPixels; ++i)
                onAlphaPixel(pBits + 4 * i);
        }
    }
    target.CopyFrom(copy);
}

}  // namespace

COLORREF LightenColor(COLORREF clr, double dFactor) {
    auto lighten = [dFactor](BYTE channel) { return static_cast<BYTE>(255 * dFactor + (1 - dFactor) * channel); };
    return RGB(lighten(GetRValue(clr)), lighten(GetGValue(clr)), lighten(GetBValue(clr)));
}

void CTkImageManagerIcon::CreateFadedImage() {
    if (!m_normal.m_bPackable)
        return;
    const BOOL bLowColor = IsLowColorDevice(nullptr);
    StoreChangedCopy(
        m_normal, m_faded, [bLowColor](COLORREF clr) { return bLowColor ? clr : LightenColor(clr, 0.3); },
        [](BYTE* pPixel) {
            const int a = pPixel[3];
            if (a == 0)
                return;
            // 0.7 c + 0.3 a, in premultiplied terms the same 30 % lightening.
            for (int i = 0; i < 3; ++i)
                pPixel[i] = static_cast<BYTE>((7 * pPixel[i] + 3 * a) / 10);
        });
}

void CTkImageManagerIcon::CreateShadowImage() {
    if (!m_normal.m_bPackable)
        return;
    const COLORREF clrBase = GetColorManager()->GetColor(kShadowColorSlot);
    const COLORREF clrShadow = RGB(GetRValue(clrBase) * 3 / 4, GetGValue(clrBase) * 3 / 4, GetBValue(clrBase) * 3 / 4);
    StoreChangedCopy(
        *GetHotImage(), m_shadow, [clrShadow](COLORREF) { return clrShadow; },
        [clrShadow](BYTE* pPixel) {
            const int a = pPixel[3];
            pPixel[0] = static_cast<BYTE>(GetBValue(clrShadow) * a / 255);
            pPixel[1] = static_cast<BYTE>(GetGValue(clrShadow) * a / 255);
            pPixel[2] = static_cast<BYTE>(GetRValue(clrShadow) * a / 255);
        });
}

void CTkImageManagerIcon::CreateDisabledImage(COLORREF clrLight, COLORREF clrDark) {
    if (!m_generatedDisabled.IsEmpty())
        return;
    const bool bBlend = clrLight != static_cast<COLORREF>(-1) && clrDark != static_cast<COLORREF>(-1);
    // The new colour of a pixel of unpremultiplied channels r, g, b.
    auto disabled = [=](int r, int g, int b) {
        const int nLuminance = Luminance1000(r, g, b);
        if (!bBlend) {
            const BYTE grey = DisabledGrey(nLuminance);
            return RGB(grey, grey, grey);
        }
        return RGB(BlendChannel(GetRValue(clrDark), GetRValue(clrLight), nLuminance),
                   BlendChannel(GetGValue(clrDark), GetGValue(clrLight), nLuminance),
                   BlendChannel(GetBValue(clrDark), GetBValue(clrLight), nLuminance));
    };
    StoreChangedCopy(
        m_normal, m_generatedDisabled,
        [&](COLORREF clr) { return disabled(GetRValue(clr), GetGValue(clr), GetBValue(clr)); },
        [&](BYTE* pPixel) {
            const int a = pPixel[3];
            if (a == 0)
                return;
            // Unpremultiplied; a colour above its alpha (not a valid premultiplied pixel) is held at 255.
            auto unpremultiply = [a](BYTE c) { return std::min(c * 255 / a, 255); };
            const COLORREF clr = disabled(unpremultiply(pPixel[2]), unpremultiply(pPixel[1]), unpremultiply(pPixel[0]));
            // Grey scales the alpha it keeps by the divisor; the blend keeps it as it is.
            const int nScale = bBlend ? a : static_cast<int>(a / kDisabledAlphaDivisor);
            pPixel[0] = static_cast<BYTE>(GetBValue(clr) * nScale / 255);
            pPixel[1] = static_cast<BYTE>(GetGValue(clr) * nScale / 255);
            pPixel[2] = static_cast<BYTE>(GetRValue(clr) * nScale / 255);
        });
}

CSize CTkImageManagerIcon::GetDrawSize(int cx, int cy) const {
    if (cx == 0)
        cx = m_nWidth;
    // The icon's proportions; an icon without a width (nothing stored yet) keeps its height.
    if (cy == 0)
        cy = m_nWidth != 0 ? cx * m_nHeight / m_nWidth : m_nHeight;
    return CSize(cx, cy);
}

void CTkImageManagerIcon::Draw(CDC* pDC, int x, int y, IconStateImage* pImage, int cx, int cy) {
    const CSize size = GetDrawSize(cx, cy);
    pImage->Draw(pDC, x, y, size.cx, size.cy, m_bDrawComposited);
}

void CTkImageManagerIcon::DrawMono(CDC* pDC, int x, int y, IconStateImage* pImage, int cx, int cy, COLORREF clr) {
    if (pImage->IsAlpha())
        return;
    const CSize size = GetDrawSize(cx, cy);
    cx = size.cx;
    cy = size.cy;
    CBitmap bitmap;
    CDC memDC;
    if (!bitmap.CreateCompatibleBitmap(pDC, cx, cy) || !memDC.CreateCompatibleDC(pDC))
        return;
    {
        CScopedSelectObject select(memDC, bitmap);
        memDC.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
        Draw(&memDC, 0, 0, pImage, cx, cy);
    }
    // White stays clear; every other pixel takes the brush's colour.
    CBrush brush(clr);
    ::DrawStateW(pDC->GetSafeHdc(), brush, nullptr, reinterpret_cast<LPARAM>(static_cast<HBITMAP>(bitmap)), 0, x, y, cx,
                 cy, DST_BITMAP | DSS_MONO);
}
