#include "TkMarkupPanels.h"

#include "TkMarkupBrush.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupPanel::s_pBackgroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupStackPanel::s_pOrientationProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupWrapPanel::s_pOrientationProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupWrapPanel::s_pItemHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupWrapPanel::s_pItemWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pTopProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pRightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pLeftProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupCanvas::s_pBottomProperty = nullptr;

namespace {

CTkMarkupDependencyProperty* RegisterOrientation(CTkMarkupType* pOwner) {
    return CTkMarkupDependencyProperty::Register(
        L"Orientation", CTkMarkupEnum::GetClassType(), pOwner,
        new Metadata(nullptr, &ConvertOrientation, Metadata::flagAffectsMeasure));
}

}  // namespace

void CTkMarkupPanel::RegisterProperties() {
    s_pBackgroundProperty =
        CTkMarkupDependencyProperty::Register(L"Background", CTkMarkupBrush::GetClassType(), GetClassType(),
                                              new Metadata(nullptr, Metadata::flagAffectsRender));
}

void CTkMarkupStackPanel::RegisterProperties() {
    s_pOrientationProperty = RegisterOrientation(GetClassType());
}

void CTkMarkupWrapPanel::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pOrientationProperty = RegisterOrientation(pType);
    s_pItemHeightProperty = CTkMarkupDependencyProperty::Register(L"ItemHeight", CTkMarkupInt::GetClassType(), pType,
                                                                  new Metadata(nullptr, Metadata::flagAffectsMeasure));
    s_pItemWidthProperty = CTkMarkupDependencyProperty::Register(L"ItemWidth", CTkMarkupInt::GetClassType(), pType,
                                                                 new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

void CTkMarkupCanvas::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    CTkMarkupType* pInt = CTkMarkupInt::GetClassType();
    s_pTopProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Top", pInt, pType);
    s_pRightProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Right", pInt, pType);
    s_pLeftProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Left", pInt, pType);
    s_pBottomProperty = CTkMarkupDependencyProperty::RegisterAttached(L"Bottom", pInt, pType);
}
