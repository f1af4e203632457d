#include "TkMarkupDecorators.h"

#include "TkMarkupBrush.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupBorder::s_pBackgroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupBorder::s_pPaddingProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupBorder::s_pBorderThicknessProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupBorder::s_pBorderBrushProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupImage::s_pSourceProperty = nullptr;

void CTkMarkupBorder::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    auto brush = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(lpszName, CTkMarkupBrush::GetClassType(), pType,
                                                     new Metadata(nullptr, Metadata::flagAffectsRender));
    };
    auto thickness = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(
            lpszName, CTkMarkupThickness::GetClassType(), pType,
            new Metadata(CTkMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    };
    s_pBackgroundProperty = brush(L"Background");
    s_pPaddingProperty = thickness(L"Padding");
    s_pBorderThicknessProperty = thickness(L"BorderThickness");
    s_pBorderBrushProperty = brush(L"BorderBrush");
}

void CTkMarkupImage::RegisterProperties() {
    s_pSourceProperty =
        CTkMarkupDependencyProperty::Register(L"Source", CTkMarkupString::GetClassType(), GetClassType(),
                                              new Metadata(nullptr, Metadata::flagAffectsMeasure));
}
