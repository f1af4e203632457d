#include "TkMarkupShapes.h"

#include "TkMarkupBrush.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupValues.h"

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

}  // namespace

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
        new Metadata(CTkMarkupEnum::CreateValue(0), &ConvertStretch, Metadata::flagAffectsRender));
}

void CTkMarkupPolygon::RegisterProperties() {
    s_pPointsProperty = RegisterPoints(GetClassType());
}

void CTkMarkupPolyline::RegisterProperties() {
    s_pPointsProperty = RegisterPoints(GetClassType());
}

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
