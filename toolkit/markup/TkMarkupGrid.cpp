#include "TkMarkupGrid.h"

#include "TkMarkupDependencyProperty.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupColumnDefinition::s_pWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupColumnDefinition::s_pMinWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupColumnDefinition::s_pMaxWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupRowDefinition::s_pHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupRowDefinition::s_pMinHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupRowDefinition::s_pMaxHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pColumnDefinitionsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pRowDefinitionsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pColumnProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pRowProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pColumnSpanProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pRowSpanProperty = nullptr;

namespace {

// A length property of one star, and its two bounds without metadata.
void RegisterDefinition(CTkMarkupType* pOwner, LPCWSTR lpszLength, LPCWSTR lpszMin, LPCWSTR lpszMax,
                        CTkMarkupDependencyProperty*& pLength, CTkMarkupDependencyProperty*& pMin,
                        CTkMarkupDependencyProperty*& pMax) {
    pLength = CTkMarkupDependencyProperty::Register(lpszLength, CTkMarkupGridLength::GetClassType(), pOwner,
                                                    new Metadata(new CTkMarkupGridLength(1.0), 0));
    pMin = CTkMarkupDependencyProperty::Register(lpszMin, CTkMarkupInt::GetClassType(), pOwner);
    pMax = CTkMarkupDependencyProperty::Register(lpszMax, CTkMarkupInt::GetClassType(), pOwner);
}

}  // namespace

void CTkMarkupColumnDefinition::RegisterProperties() {
    RegisterDefinition(GetClassType(), L"Width", L"MinWidth", L"MaxWidth", s_pWidthProperty, s_pMinWidthProperty,
                       s_pMaxWidthProperty);
}

void CTkMarkupRowDefinition::RegisterProperties() {
    RegisterDefinition(GetClassType(), L"Height", L"MinHeight", L"MaxHeight", s_pHeightProperty, s_pMinHeightProperty,
                       s_pMaxHeightProperty);
}

void CTkMarkupGrid::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pColumnDefinitionsProperty = CTkMarkupDependencyProperty::Register(
        L"ColumnDefinitions", CTkMarkupColumnDefinitionCollection::GetClassType(), pType);
    s_pRowDefinitionsProperty = CTkMarkupDependencyProperty::Register(
        L"RowDefinitions", CTkMarkupRowDefinitionCollection::GetClassType(), pType);
    auto cell = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::RegisterAttached(lpszName, CTkMarkupInt::GetClassType(), pType,
                                                             new Metadata(nullptr, &OnCellChanged, 0));
    };
    s_pColumnProperty = cell(L"Column");
    s_pRowProperty = cell(L"Row");
    s_pColumnSpanProperty = cell(L"ColumnSpan");
    s_pRowSpanProperty = cell(L"RowSpan");
}

void CTkMarkupGrid::OnCellChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& /*change*/) {
    CTkMarkupObject* pParent = pObject->GetLogicalParent();
    if (pParent != nullptr && pParent->IsKindOf(GetClassType()))
        static_cast<CTkMarkupGrid*>(pParent)->InvalidateMeasure();
}
