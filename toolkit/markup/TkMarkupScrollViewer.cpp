#include "TkMarkupScrollViewer.h"

#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupScrollViewer::s_pVerticalScrollBarVisibilityProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupScrollViewer::s_pHorizontalScrollBarVisibilityProperty = nullptr;

void CTkMarkupScrollViewer::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    auto visibility = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(
            lpszName, CTkMarkupEnum::GetClassType(), pType,
            new Metadata(nullptr, &ConvertScrollBarVisibility, Metadata::flagAffectsMeasure));
    };
    s_pVerticalScrollBarVisibilityProperty = visibility(L"VerticalScrollBarVisibility");
    s_pHorizontalScrollBarVisibilityProperty = visibility(L"HorizontalScrollBarVisibility");
}
