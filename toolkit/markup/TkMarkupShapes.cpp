#include "TkMarkupShapes.h"

#include "TkMarkupBrush.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupValues.h"

#include <cmath>

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupShape::s_pFillProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupShape::s_pStrokeProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupShape::s_pStrokeThicknessProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupShape::s_pStretchProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupPolygon::s_pPointsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupPolyline::s_pPointsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupLine::s_pX1Property = nullptr;
CTkMarkupDependencyProperty* CTkMarkupLine::s_pY1Property = nullptr;
CTkMarkupDependencyProperty* CTkMarkupLine::s_pX2Property = nullptr;
CTkMarkupDependencyProperty* CTkMarkupLine::s_pY2Property = nullptr;

namespace {

CTkMarkupDependencyProperty* RegisterPoints(CTkMarkupType* pOwner) {
    return CTkMarkupDependencyProperty::Register(L"Points", CTkMarkupPointCollection::GetClassType(), pOwner,
                                                 new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

const std::vector<POINT>* PointsOf(const CTkMarkupObject* pShape, CTkMarkupDependencyProperty* pProperty) {
    const CTkMarkupObject* pValue = pShape->GetValue(pProperty);
    if (pValue == nullptr)
        return nullptr;
    return &static_cast<const CTkMarkupPointCollection*>(pValue)->GetPoints();
}

CSize BoundsSize(const CTkMarkupObject* pShape, CTkMarkupDependencyProperty* pProperty) {
    const CTkMarkupObject* pValue = pShape->GetValue(pProperty);
    if (pValue == nullptr)
        return CSize(0, 0);
    return static_cast<const CTkMarkupPointCollection*>(pValue)->GetBounds().Size();
}

// A size grown by the stroke thickness in both directions, saturated.
CSize PlusStroke(CSize size, int nThickness) {
    return CSize(SaturatedInt(static_cast<INT64>(size.cx) + nThickness),
                 SaturatedInt(static_cast<INT64>(size.cy) + nThickness));
}

// One number of a point list at p: spaces, an optional "-", digits, then a space, a comma or the end
// (the separator consumed).
BOOL ReadPointNumber(LPCWSTR& p, int& nValue) {
    while (*p == L' ')
        p++;
    const BOOL bNegative = *p == L'-';
    if (bNegative)
        p++;
    if (*p < L'0' || *p > L'9')
        return FALSE;
    INT64 nMagnitude = 0;
    for (; *p >= L'0' && *p <= L'9'; p++) {
        nMagnitude = nMagnitude * 10 + (*p - L'0');
        if (nMagnitude > INT64{INT_MAX} + (bNegative ? 1 : 0))
            return FALSE;
    }
    if (*p == L' ' || *p == L',')
        p++;
    else if (*p != 0)
        return FALSE;
    nValue = static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
    return TRUE;
}

}  // namespace

// ---- Shape

void CTkMarkupShape::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    auto renderProperty = [pType](LPCWSTR lpszName, CTkMarkupType* pValueType) {
        return CTkMarkupDependencyProperty::Register(lpszName, pValueType, pType,
                                                     new Metadata(nullptr, Metadata::flagAffectsRender));
    };
    s_pFillProperty = renderProperty(L"Fill", CTkMarkupBrush::GetClassType());
    s_pStrokeProperty = renderProperty(L"Stroke", CTkMarkupBrush::GetClassType());
    s_pStrokeThicknessProperty = renderProperty(L"StrokeThickness", CTkMarkupInt::GetClassType());
    s_pStretchProperty = CTkMarkupDependencyProperty::Register(
        L"Stretch", CTkMarkupEnum::GetClassType(), pType,
        new Metadata(CTkMarkupEnum::CreateValue(kMarkupStretchNone), &ConvertStretch, Metadata::flagAffectsRender));
}

CTkMarkupBrush* CTkMarkupShape::GetFill() const {
    return static_cast<CTkMarkupBrush*>(GetValue(s_pFillProperty));
}

CTkMarkupBrush* CTkMarkupShape::GetStroke() const {
    return static_cast<CTkMarkupBrush*>(GetValue(s_pStrokeProperty));
}

int CTkMarkupShape::GetStrokeThickness() const {
    return MarkupIntOr(GetValue(s_pStrokeThicknessProperty), 1);
}

CTkMarkupShape::CScopedShapeTools::CScopedShapeTools(const CTkMarkupShape* pShape, HDC hDC, BOOL bFill)
    : m_selectPen(hDC, MakePen(pShape)), m_selectBrush(hDC, MakeBrush(pShape, bFill)) {}

HGDIOBJ CTkMarkupShape::CScopedShapeTools::MakePen(const CTkMarkupShape* pShape) {
    const CTkMarkupBrush* pStroke = pShape->GetStroke();
    const int nThickness = pShape->GetStrokeThickness();
    if (pStroke == nullptr || nThickness == 0 || !m_pen.CreatePen(PS_SOLID, nThickness, pStroke->GetColor()))
        return ::GetStockObject(NULL_PEN);
    return m_pen.GetSafeHandle();
}

HGDIOBJ CTkMarkupShape::CScopedShapeTools::MakeBrush(const CTkMarkupShape* pShape, BOOL bFill) {
    if (!bFill)
        return nullptr;
    const CTkMarkupBrush* pFill = pShape->GetFill();
    if (pFill == nullptr || !m_brush.CreateSolidBrush(pFill->GetColor()))
        return ::GetStockObject(HOLLOW_BRUSH);
    return m_brush.GetSafeHandle();
}

// ---- Point lists

BOOL ParseMarkupPointList(LPCWSTR lpszText, std::vector<POINT>& points) {
    std::vector<POINT> parsed;
    LPCWSTR p = lpszText != nullptr ? lpszText : L"";
    while (*p != 0) {
        int x = 0;
        int y = 0;
        if (!ReadPointNumber(p, x) || !ReadPointNumber(p, y))
            return FALSE;
        parsed.push_back(POINT{x, y});
        while (*p == L' ')
            p++;
    }
    points = std::move(parsed);
    return TRUE;
}

CTkMarkupPointCollection::CTkMarkupPointCollection(std::vector<POINT> points) : m_points(std::move(points)) {
    for (const POINT& pt : m_points) {
        m_rcBounds.right = std::max<int>(m_rcBounds.right, pt.x);
        m_rcBounds.bottom = std::max<int>(m_rcBounds.bottom, pt.y);
    }
}

CTkMarkupObject* CTkMarkupPointCollection::ConvertFrom(CTkMarkupObject* pSource) const {
    if (pSource == nullptr || !pSource->IsKindOf(CTkMarkupString::GetClassType()))
        return nullptr;
    std::vector<POINT> points;
    if (!ParseMarkupPointList(static_cast<CTkMarkupString*>(pSource)->GetText(), points))
        return nullptr;
    return new CTkMarkupPointCollection(std::move(points));
}

// ---- Geometry

BOOL IsInMarkupEllipse(int w, int h, int x, int y) {
    const int a = w / 2;
    const int b = h / 2;
    // Without a half-axis the formula divides by 0: such an ellipse is hit like an empty one.
    if (w <= 0 || h <= 0 || a == 0 || b == 0)
        return TRUE;
    const double dx = static_cast<double>(x) - a;
    const double dy = static_cast<double>(y) - b;
    return dy * dy / (static_cast<double>(b) * b) + dx * dx / (static_cast<double>(a) * a) <= 1.0;
}

BOOL IsOnMarkupLine(int x1, int y1, int x2, int y2, int t, int x, int y) {
    if (t == 0)
        return FALSE;
    const double dHalf = t / 2.0;
    const double dx = static_cast<double>(x) - x1;
    const double dy = static_cast<double>(y) - y1;
    const double dDeltaX = static_cast<double>(x2) - x1;
    const double dDeltaY = static_cast<double>(y2) - y1;
    if (dx + dHalf < std::min(dDeltaX, 0.0) || dx - dHalf > std::max(dDeltaX, 0.0) ||
        dy + dHalf < std::min(dDeltaY, 0.0) || dy - dHalf > std::max(dDeltaY, 0.0))
        return FALSE;
    if (dDeltaX == 0)
        return dHalf >= std::fabs(dx);
    const double dSlope = dDeltaY / dDeltaX;
    return std::fabs(dHalf / std::cos(std::atan(dSlope))) >= std::fabs(dx * dSlope - dy);
}

POINT StretchMarkupPoint(POINT pt, const CRect& rcBounds, int w, int h) {
    const INT64 nWidth = static_cast<INT64>(rcBounds.right) - rcBounds.left;
    const INT64 nHeight = static_cast<INT64>(rcBounds.bottom) - rcBounds.top;
    POINT stretched = pt;
    if (nWidth != 0)
        stretched.x = SaturatedInt(static_cast<INT64>(w) * pt.x / nWidth);
    if (nHeight != 0)
        stretched.y = SaturatedInt(static_cast<INT64>(pt.y) * h / nHeight);
    return stretched;
}

// ---- Rectangle

void CTkMarkupRectangle::OnRender(CTkMarkupDrawingContext* pDC) {
    CTkMarkupBrush* pFill = GetFill();
    CTkMarkupBrush* pStroke = GetStroke();
    const int w = m_szRender.cx;
    const int h = m_szRender.cy;
    if ((pFill == nullptr && pStroke == nullptr) || w == 0 || h == 0)
        return;
    if (pFill != nullptr)
        pDC->FillRectangle(pFill, CRect(0, 0, w, h));
    const int t = GetStrokeThickness();
    if (pStroke != nullptr && t > 0) {
        pDC->FillRectangle(pStroke, CRect(0, 0, t, h));
        pDC->FillRectangle(pStroke, CRect(w - t, 0, w, h));
        pDC->FillRectangle(pStroke, CRect(0, 0, w, t));
        pDC->FillRectangle(pStroke, CRect(0, h - t, w, h));
    }
}

// ---- Ellipse

void CTkMarkupEllipse::OnRender(CTkMarkupDrawingContext* pDC) {
    if (GetFill() == nullptr && GetStroke() == nullptr)
        return;
    const CScopedShapeTools tools(this, pDC->GetSafeHdc(), TRUE);
    ::Ellipse(pDC->GetSafeHdc(), 0, 0, m_szRender.cx, m_szRender.cy);
}

CTkMarkupInputElement* CTkMarkupEllipse::InputHitTestOverride(int x, int y) {
    return IsInMarkupEllipse(m_szRender.cx, m_szRender.cy, x, y) ? this : nullptr;
}

// ---- Polygon

void CTkMarkupPolygon::RegisterProperties() {
    s_pPointsProperty = RegisterPoints(GetClassType());
}

const std::vector<POINT>* CTkMarkupPolygon::GetPoints() const {
    return PointsOf(this, s_pPointsProperty);
}

CSize CTkMarkupPolygon::MeasureOverride(CTkMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/) {
    return BoundsSize(this, s_pPointsProperty);
}

void CTkMarkupPolygon::OnRender(CTkMarkupDrawingContext* pDC) {
    const std::vector<POINT>* pPoints = GetPoints();
    if ((GetFill() == nullptr && GetStroke() == nullptr) || pPoints == nullptr || pPoints->empty())
        return;
    const CScopedShapeTools tools(this, pDC->GetSafeHdc(), TRUE);
    ::Polygon(pDC->GetSafeHdc(), pPoints->data(), static_cast<int>(pPoints->size()));
}

// ---- Polyline

void CTkMarkupPolyline::RegisterProperties() {
    s_pPointsProperty = RegisterPoints(GetClassType());
}

const std::vector<POINT>* CTkMarkupPolyline::GetPoints() const {
    return PointsOf(this, s_pPointsProperty);
}

CSize CTkMarkupPolyline::MeasureOverride(CTkMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/) {
    const CSize size = BoundsSize(this, s_pPointsProperty);
    return GetStroke() != nullptr ? PlusStroke(size, GetStrokeThickness()) : size;
}

void CTkMarkupPolyline::OnRender(CTkMarkupDrawingContext* pDC) {
    const std::vector<POINT>* pPoints = GetPoints();
    if (GetStroke() == nullptr || pPoints == nullptr || pPoints->empty())
        return;
    std::vector<POINT> points = *pPoints;
    if (MarkupEnumOr(GetValue(s_pStretchProperty), kMarkupStretchNone) != kMarkupStretchNone) {
        const CRect& rcBounds = static_cast<const CTkMarkupPointCollection*>(GetValue(s_pPointsProperty))->GetBounds();
        for (POINT& pt : points)
            pt = StretchMarkupPoint(pt, rcBounds, m_szRender.cx, m_szRender.cy);
    }
    const CScopedShapeTools tools(this, pDC->GetSafeHdc(), FALSE);
    ::Polyline(pDC->GetSafeHdc(), points.data(), static_cast<int>(points.size()));
}

// ---- Line

void CTkMarkupLine::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    auto coordinate = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(lpszName, CTkMarkupInt::GetClassType(), pType,
                                                     new Metadata(nullptr, Metadata::flagAffectsMeasure));
    };
    s_pX1Property = coordinate(L"X1");
    s_pY1Property = coordinate(L"Y1");
    s_pX2Property = coordinate(L"X2");
    s_pY2Property = coordinate(L"Y2");
}

CRect CTkMarkupLine::GetEnds() const {
    return CRect(MarkupIntOr(GetValue(s_pX1Property), 0), MarkupIntOr(GetValue(s_pY1Property), 0),
                 MarkupIntOr(GetValue(s_pX2Property), 0), MarkupIntOr(GetValue(s_pY2Property), 0));
}

CSize CTkMarkupLine::MeasureOverride(CTkMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/) {
    const CRect rcEnds = GetEnds();
    const CSize size(std::max<int>(rcEnds.left, rcEnds.right), std::max<int>(rcEnds.top, rcEnds.bottom));
    return GetStroke() != nullptr ? PlusStroke(size, GetStrokeThickness()) : size;
}

void CTkMarkupLine::OnRender(CTkMarkupDrawingContext* pDC) {
    const CRect rcEnds = GetEnds();
    if (GetStroke() == nullptr || rcEnds.IsRectNull() || GetStrokeThickness() == 0)
        return;
    const CScopedShapeTools tools(this, pDC->GetSafeHdc(), FALSE);
    ::MoveToEx(pDC->GetSafeHdc(), rcEnds.left, rcEnds.top, nullptr);
    ::LineTo(pDC->GetSafeHdc(), rcEnds.right, rcEnds.bottom);
}

CTkMarkupInputElement* CTkMarkupLine::InputHitTestOverride(int x, int y) {
    if (GetStroke() == nullptr)
        return nullptr;
    const CRect rcEnds = GetEnds();
    return IsOnMarkupLine(rcEnds.left, rcEnds.top, rcEnds.right, rcEnds.bottom, GetStrokeThickness(), x, y) ? this
                                                                                                            : nullptr;
}
