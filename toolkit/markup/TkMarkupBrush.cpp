#include "TkMarkupBrush.h"

#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"
#include "TkBitmapFunctions.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct StopEntry {
    BYTE channels[3];  // blue, green, red
    double dOffset;
    double dDistance;  // to the offset of the stop before; 0 for the first
};

std::vector<StopEntry> SortedStops(const CTkMarkupGradientStops* pStops) {
    std::vector<StopEntry> stops;
    for (int i = 0; i < pStops->GetCount(); i++) {
        const CTkMarkupGradientStop* pStop = pStops->GetItem(i);
        const COLORREF clr = pStop->GetColor();
        stops.push_back({{GetBValue(clr), GetGValue(clr), GetRValue(clr)}, pStop->GetOffset(), 0.0});
    }
    // Equal offsets keep the order they were written in: the colour switches sharply there.
    std::stable_sort(stops.begin(), stops.end(),
                     [](const StopEntry& a, const StopEntry& b) { return a.dOffset < b.dOffset; });
    for (size_t i = 1; i < stops.size(); i++)
        stops[i].dDistance = stops[i].dOffset - stops[i - 1].dOffset;
    return stops;
}

// The 32-bit DIB pixel (0x00RRGGBB) of the gradient at parameter s.
DWORD ColorAt(const std::vector<StopEntry>& stops, double s) {
    const StopEntry* pStop = &stops.front();
    if (s > stops.front().dOffset) {
        pStop = &stops.back();
        for (size_t k = 1; k < stops.size(); k++) {
            if (s < stops[k].dOffset && stops[k].dDistance != 0.0) {
                const double t = (stops[k].dOffset - s) / stops[k].dDistance;
                BYTE channels[3];
                for (int c = 0; c < 3; c++)
                    channels[c] =
                        static_cast<BYTE>(std::lround(t * stops[k - 1].channels[c] + (1.0 - t) * stops[k].channels[c]));
                return channels[0] | (channels[1] << 8) | (channels[2] << 16);
            }
        }
    }
    return pStop->channels[0] | (pStop->channels[1] << 8) | (pStop->channels[2] << 16);
}

CTkMarkupPoint* PointValue(const CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty) {
    return static_cast<CTkMarkupPoint*>(pObject->GetValue(pProperty));
}

}  // namespace

CTkMarkupDependencyProperty* CTkMarkupSolidColorBrush::s_pColorProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGradientStop::s_pColorProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGradientStop::s_pOffsetProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupLinearGradientBrush::s_pStartPointProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupLinearGradientBrush::s_pEndPointProperty = nullptr;

void CTkMarkupBrush::FillRect(CTkMarkupDrawingContext* /*pDC*/, const CRect& /*rc*/) {}

COLORREF CTkMarkupBrush::GetColor() const {
    return 0;
}

CTkMarkupObject* CTkMarkupBrush::ConvertFrom(CTkMarkupObject* pSource) const {
    const auto instance = CTkMarkupPtr<CTkMarkupColor>::Adopt(new CTkMarkupColor);
    const auto color = CTkMarkupPtr<CTkMarkupObject>::Adopt(instance->ConvertFrom(pSource));
    if (!color)
        return nullptr;
    return new CTkMarkupSolidColorBrush(static_cast<CTkMarkupColor*>(color.Get())->GetColor());
}

CTkMarkupSolidColorBrush::CTkMarkupSolidColorBrush(COLORREF clr) {
    SetValue(s_pColorProperty, new CTkMarkupColor(clr));
}

void CTkMarkupSolidColorBrush::RegisterProperties() {
    s_pColorProperty = CTkMarkupDependencyProperty::Register(L"Color", CTkMarkupColor::GetClassType(), GetClassType());
}

COLORREF CTkMarkupSolidColorBrush::GetColor() const {
    const auto* pColor = static_cast<CTkMarkupColor*>(GetValue(s_pColorProperty));
    return pColor != nullptr ? pColor->GetColor() : 0;
}

BOOL CTkMarkupSolidColorBrush::IsEqual(const CTkMarkupObject* pOther) const {
    return pOther != nullptr && pOther->IsKindOf(GetClassType()) &&
           static_cast<const CTkMarkupSolidColorBrush*>(pOther)->GetColor() == GetColor();
}

void CTkMarkupSolidColorBrush::FillRect(CTkMarkupDrawingContext* pDC, const CRect& rc) {
    if (GetValue(s_pColorProperty) == nullptr)
        return;
    HDC hDC = pDC->GetSafeHdc();
    const COLORREF clrPrevious = ::SetBkColor(hDC, GetColor());
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hDC, clrPrevious);
}

void CTkMarkupGradientStop::RegisterProperties() {
    s_pColorProperty = CTkMarkupDependencyProperty::Register(L"Color", CTkMarkupColor::GetClassType(), GetClassType());
    s_pOffsetProperty =
        CTkMarkupDependencyProperty::Register(L"Offset", CTkMarkupDouble::GetClassType(), GetClassType());
}

COLORREF CTkMarkupGradientStop::GetColor() const {
    const auto* pColor = static_cast<CTkMarkupColor*>(GetValue(s_pColorProperty));
    return pColor != nullptr ? pColor->GetColor() : 0;
}

double CTkMarkupGradientStop::GetOffset() const {
    const auto* pOffset = static_cast<CTkMarkupDouble*>(GetValue(s_pOffsetProperty));
    return pOffset != nullptr ? pOffset->GetDouble() : 0.0;
}

CTkMarkupLinearGradientBrush::CTkMarkupLinearGradientBrush() : m_pStops(new CTkMarkupGradientStops) {}

CTkMarkupLinearGradientBrush::~CTkMarkupLinearGradientBrush() {
    m_pStops->Release();
}

void CTkMarkupLinearGradientBrush::RegisterProperties() {
    s_pStartPointProperty =
        CTkMarkupDependencyProperty::Register(L"StartPoint", CTkMarkupPoint::GetClassType(), GetClassType());
    s_pEndPointProperty =
        CTkMarkupDependencyProperty::Register(L"EndPoint", CTkMarkupPoint::GetClassType(), GetClassType());
}

void CTkMarkupLinearGradientBrush::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    m_pStops->SetContentObject(pBuilder, pContent);
}

void CTkMarkupLinearGradientBrush::FillRect(CTkMarkupDrawingContext* pDC, const CRect& rc) {
    const int w = rc.Width();
    const int h = rc.Height();
    if (m_pStops->GetCount() == 0 || w < 1 || h < 1)
        return;
    const std::vector<StopEntry> stops = SortedStops(m_pStops);
    if (stops.size() == 1) {
        pDC->FillSolidRect(rc, m_pStops->GetItem(0)->GetColor());
        return;
    }
    const CTkMarkupPoint* pStart = PointValue(this, s_pStartPointProperty);
    const CTkMarkupPoint* pEnd = PointValue(this, s_pEndPointProperty);
    const double sx = (pStart != nullptr ? pStart->GetX() : 0.0) * w;
    const double sy = (pStart != nullptr ? pStart->GetY() : 0.0) * h;
    const double ex = (pEnd != nullptr ? pEnd->GetX() : 1.0) * w;
    const double ey = (pEnd != nullptr ? pEnd->GetY() : 1.0) * h;
    if (sx == ex && sy == ey)
        return;

    // Only the visible part is computed and allocated: an element far larger than its window costs no
    // more than the window.
    CRect rcArea = pDC->GetClipBox();
    if (pDC->IsLayoutForced())
        rcArea.InflateRect(1, 1);
    rcArea.OffsetRect(-rc.left, -rc.top);
    if (!rcArea.IntersectRect(rcArea, CRect(0, 0, w, h)))
        return;
    const int nAreaWidth = rcArea.Width();
    const int nAreaHeight = rcArea.Height();
    void* pvBits = nullptr;
    HBITMAP hBitmap = CreateDibSection32(pDC->GetSafeHdc(), nAreaWidth, nAreaHeight, &pvBits);
    if (hBitmap == nullptr)
        return;
    auto* pBits = static_cast<DWORD*>(pvBits);
    // The DIB is bottom-up: row y of the area is line nAreaHeight - 1 - y.
    auto row = [&](int y) { return pBits + static_cast<size_t>(nAreaHeight - 1 - y) * nAreaWidth; };

    const double d = std::hypot(ex - sx, ey - sy);
    const double ux = (ex - sx) / d;
    const double uy = (ey - sy) / d;
    auto parameter = [&](int x, int y) { return ((x + rcArea.left - sx) * ux + (y + rcArea.top - sy) * uy) / d; };
    if (sy == ey) {
        for (int x = 0; x < nAreaWidth; x++)
            row(0)[x] = ColorAt(stops, parameter(x, 0));
        for (int y = 1; y < nAreaHeight; y++)
            std::copy(row(0), row(0) + nAreaWidth, row(y));
    } else if (sx == ex) {
        for (int y = 0; y < nAreaHeight; y++)
            std::fill(row(y), row(y) + nAreaWidth, ColorAt(stops, parameter(0, y)));
    } else {
        for (int y = 0; y < nAreaHeight; y++) {
            for (int x = 0; x < nAreaWidth; x++)
                row(y)[x] = ColorAt(stops, parameter(x, y));
        }
    }

    HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (hMemDC != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(pDC->GetSafeHdc(), rc.left + rcArea.left, rc.top + rcArea.top, nAreaWidth, nAreaHeight, hMemDC, 0, 0,
                 SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
    }
    ::DeleteObject(hBitmap);
}
