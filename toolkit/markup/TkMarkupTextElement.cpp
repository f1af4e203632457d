#include "TkMarkupTextElement.h"

#include "TkMarkupBrush.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupContext.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupFrameworkElement.h"
#include "TkMarkupInlineUIContainer.h"
#include "TkMarkupRun.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pBackgroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pForegroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pFontSizeProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pFontWeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pFontFamilyProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pFontStyleProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pTextDecorationsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextElement::s_pFontQualityProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupInline::s_pBaselineAlignmentProperty = nullptr;

// ---- Framework content element

void CTkMarkupFrameworkContentElement::RegisterProperties() {
    CTkMarkupType::EnsureRegistered(CTkMarkupFrameworkElement::GetClassType());
    CTkMarkupFrameworkElement::s_pTagProperty->AddOwner(GetClassType());
}

CTkMarkupFrameworkElement* CTkMarkupFrameworkContentElement::GetHost() const {
    for (CTkMarkupObject* pNode = GetLogicalParent(); pNode != nullptr; pNode = pNode->GetLogicalParent()) {
        if (pNode->IsKindOf(CTkMarkupFrameworkElement::GetClassType()))
            return static_cast<CTkMarkupFrameworkElement*>(pNode);
    }
    return nullptr;
}

void CTkMarkupFrameworkContentElement::OnPropertyChanged(CTkMarkupDependencyProperty* pProperty,
                                                         CTkMarkupObject* pOldValue, CTkMarkupObject* pNewValue) {
    CTkMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    CTkMarkupFrameworkElement* pHost = GetHost();
    if (pHost == nullptr)
        return;
    const DWORD dwFlags = pProperty->GetFlags();
    if ((dwFlags & CTkMarkupPropertyMetadata::flagAffectsMeasure) != 0)
        pHost->InvalidateMeasure();
    if ((dwFlags & CTkMarkupPropertyMetadata::flagAffectsArrange) != 0)
        pHost->InvalidateArrange();
    if ((dwFlags & CTkMarkupPropertyMetadata::flagAffectsRender) != 0)
        pHost->InvalidateVisual();
}

CTkMarkupInputElement* CTkMarkupFrameworkContentElement::HitTest(int /*x*/, int /*y*/) {
    return this;
}

// ---- Text element

void CTkMarkupTextElement::RegisterProperties() {
    using Metadata = CTkMarkupPropertyMetadata;
    CTkMarkupType* pType = GetClassType();
    auto attached = [pType](LPCWSTR lpszName, CTkMarkupType* pValueType, Metadata::Converter pfnConverter,
                            DWORD dwEffect) {
        return CTkMarkupDependencyProperty::RegisterAttached(
            lpszName, pValueType, pType, new Metadata(nullptr, pfnConverter, Metadata::flagInherited | dwEffect));
    };
    CTkMarkupType* pEnum = CTkMarkupEnum::GetClassType();
    s_pBackgroundProperty =
        attached(L"Background", CTkMarkupBrush::GetClassType(), nullptr, Metadata::flagAffectsRender);
    s_pForegroundProperty =
        attached(L"Foreground", CTkMarkupBrush::GetClassType(), nullptr, Metadata::flagAffectsRender);
    s_pFontSizeProperty =
        attached(L"FontSize", CTkMarkupInt::GetClassType(), &ConvertLength, Metadata::flagAffectsMeasure);
    s_pFontWeightProperty = attached(L"FontWeight", pEnum, &ConvertFontWeight, Metadata::flagAffectsMeasure);
    s_pFontFamilyProperty =
        attached(L"FontFamily", CTkMarkupString::GetClassType(), nullptr, Metadata::flagAffectsMeasure);
    s_pFontStyleProperty = attached(L"FontStyle", pEnum, &ConvertFontStyle, Metadata::flagAffectsMeasure);
    s_pTextDecorationsProperty =
        attached(L"TextDecorations", pEnum, &ConvertTextDecorations, Metadata::flagAffectsRender);
    s_pFontQualityProperty = attached(L"FontQuality", pEnum, &ConvertFontQuality, Metadata::flagAffectsRender);
}

namespace {

CTkMarkupBrush* AsBrush(CTkMarkupObject* pValue) {
    return pValue != nullptr && pValue->IsKindOf(CTkMarkupBrush::GetClassType()) ? static_cast<CTkMarkupBrush*>(pValue)
                                                                                 : nullptr;
}

}  // namespace

CTkMarkupBrush* CTkMarkupTextElement::GetBackground() const {
    return AsBrush(GetValue(s_pBackgroundProperty));
}

CTkMarkupBrush* CTkMarkupTextElement::GetForeground() const {
    return AsBrush(GetValue(s_pForegroundProperty));
}

void CTkMarkupTextElement::SetFontWeight(int nWeight) {
    SetValue(s_pFontWeightProperty, CTkMarkupEnum::CreateValue(nWeight));
}

void CTkMarkupTextElement::SetFontStyle(int nStyle) {
    SetValue(s_pFontStyleProperty, CTkMarkupEnum::CreateValue(nStyle));
}

void CTkMarkupTextElement::SetTextDecorations(int nDecorations) {
    SetValue(s_pTextDecorationsProperty, CTkMarkupEnum::CreateValue(nDecorations));
}

// ---- Inline

void CTkMarkupInline::RegisterProperties() {
    using Metadata = CTkMarkupPropertyMetadata;
    s_pBaselineAlignmentProperty = CTkMarkupDependencyProperty::Register(
        L"BaselineAlignment", CTkMarkupEnum::GetClassType(), GetClassType(),
        new Metadata(nullptr, &ConvertBaselineAlignment, Metadata::flagAffectsArrange));
}

int CTkMarkupInline::GetBaselineAlignment() const {
    return MarkupEnumOr(GetValue(s_pBaselineAlignmentProperty), kMarkupBaselineBaseline);
}

CTkMarkupInline* CTkMarkupInline::GetFirstInline() {
    return this;
}

int CTkMarkupInline::GetFirstPosition() const {
    return kNoPosition;
}

void CTkMarkupInline::GetNextPosition(int& /*nPosition*/) const {}

BOOL CTkMarkupInline::IsWordBreakPosition(int /*nPosition*/) const {
    return FALSE;
}

BOOL CTkMarkupInline::IsLineBreakPosition(int /*nPosition*/) const {
    return FALSE;
}

BOOL CTkMarkupInline::IsWhiteSpacePosition(int /*nPosition*/) const {
    return FALSE;
}

void CTkMarkupInline::ArrangeInline(const CRect& /*rc*/, int /*nFrom*/, int /*nTo*/) {}

CSize CTkMarkupInline::MeasureInline(CTkMarkupDrawingContext* /*pDC*/, int /*nFrom*/, int /*nTo*/) {
    return CSize(0, 0);
}

void CTkMarkupInline::RenderInline(CTkMarkupDrawingContext* /*pDC*/, const CRect& /*rc*/, int /*nFrom*/, int /*nTo*/) {}

void CTkMarkupInline::PrepareMeasure(CTkMarkupDrawingContext* /*pDC*/) {}

int CTkMarkupInline::GetBaselineOffset() const {
    return 0;
}

CTkMarkupInline* CTkMarkupInline::GetNextInline(CTkMarkupInline* pInline) {
    for (CTkMarkupInline* pItem = pInline; pItem != nullptr;) {
        CTkMarkupObject* pParent = pItem->GetLogicalParent();
        if (pParent == nullptr || !pParent->IsKindOf(CTkMarkupInlineCollection::GetClassType()))
            return nullptr;
        const auto* pCollection = static_cast<CTkMarkupInlineCollection*>(pParent);
        const int nNext = pItem->GetCollectionIndex() + 1;
        if (nNext > 0 && nNext < pCollection->GetCount())
            return pCollection->GetItem(nNext)->GetFirstInline();
        // The last item of a span's collection: carry on after the span.
        CTkMarkupObject* pOwner = pCollection->GetLogicalParent();
        pItem = pOwner != nullptr && pOwner->IsKindOf(GetClassType()) ? static_cast<CTkMarkupInline*>(pOwner) : nullptr;
    }
    return nullptr;
}

// ---- Inline collection

CTkMarkupObject* CreateMarkupObjectOf(CTkMarkupContext* pContext, CTkMarkupType* pType) {
    return pContext != nullptr ? pContext->CreateMarkupObject(pType) : pType->CreateObject();
}

void CTkMarkupInlineCollection::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    CTkMarkupObject* pOwner = GetLogicalParent();
    // The owner's context makes the runs and containers: without an owner nothing is accepted.
    if (!content || pOwner == nullptr || !pOwner->IsKindOf(CTkMarkupInputElement::GetClassType()))
        ThrowMarkupError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                         content ? content->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                         CTkMarkupInline::GetClassType()->GetClassName());
    CTkMarkupContext* pContext = static_cast<CTkMarkupInputElement*>(pOwner)->GetMarkupContext();
    if (content->IsKindOf(CTkMarkupString::GetClassType())) {
        auto run = CTkMarkupPtr<CTkMarkupRun>::Adopt(
            static_cast<CTkMarkupRun*>(CreateMarkupObjectOf(pContext, CTkMarkupRun::GetClassType())));
        run->SetText(static_cast<CTkMarkupString*>(content.Get()));
        Add(run.Detach());
    } else if (content->IsKindOf(CTkMarkupUIElement::GetClassType())) {
        auto container = CTkMarkupPtr<CTkMarkupInlineUIContainer>::Adopt(static_cast<CTkMarkupInlineUIContainer*>(
            CreateMarkupObjectOf(pContext, CTkMarkupInlineUIContainer::GetClassType())));
        container->SetChild(static_cast<CTkMarkupUIElement*>(content.Detach()));
        Add(container.Detach());
    } else {
        CTkMarkupCollection::SetContentObject(pBuilder, content.Detach());  // inlines, or the error
    }
}

void CTkMarkupInlineCollection::OnItemAdded(CTkMarkupObject* pItem, int nIndex) {
    static_cast<CTkMarkupInline*>(pItem)->SetCollectionIndex(nIndex);
}
