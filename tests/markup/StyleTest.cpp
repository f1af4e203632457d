#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupResourceDictionary.h"
#include "TkMarkupStyle.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

namespace {

using Styles = MarkupContextTest;
using Fe = CTkMarkupFrameworkElement;

CTkMarkupSetter* NamedSetter(LPCWSTR lpszProperty, CTkMarkupObject* pValue) {
    auto* pSetter = new CTkMarkupSetter;
    pSetter->SetValue(CTkMarkupSetter::s_pPropertyProperty, CTkMarkupString::CreateValue(lpszProperty));
    pSetter->SetValue(CTkMarkupSetter::s_pValueProperty, pValue);
    return pSetter;
}

CTkMarkupStyle* StyleFor(CTkMarkupType* pType) {
    auto* pStyle = new CTkMarkupStyle;
    pType->AddRef();
    pStyle->SetValue(CTkMarkupStyle::s_pTargetTypeProperty, pType);
    return pStyle;
}

TEST_F(Styles, SettersAreResolvedOrFailWithTheirTexts) {
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    CTkMarkupBuilder builder(pContext);
    const auto style = CTkMarkupPtr<CTkMarkupStyle>::Adopt(StyleFor(CTkMarkupType::FindType(L"FrameworkElement")));
    // A name is looked up on the target type and the text value converted.
    style->SetContentObject(&builder, NamedSetter(L"Tag", CTkMarkupString::CreateValue(L"x")));
    style->SetContentObject(&builder, NamedSetter(L"Focusable", CTkMarkupString::CreateValue(L"True")));
    ASSERT_EQ(2, style->GetSetters()->GetCount());
    EXPECT_EQ(CTkMarkupUIElement::s_pFocusableProperty, style->GetSetters()->GetItem(1)->GetSetterProperty());
    EXPECT_TRUE(style->GetSetters()->GetItem(1)->GetSetterValue()->IsKindOf(CTkMarkupBool::GetClassType()));

    EXPECT_EQ(L"Cannot find the Style Property 'Nothing'",
              MarkupErrorOf([&] { style->SetContentObject(&builder, NamedSetter(L"Nothing", new CTkMarkupInt(1))); }));
    EXPECT_EQ(L"Must specify both Property and Value for Setter.",
              MarkupErrorOf([&] { style->SetContentObject(&builder, NamedSetter(L"Tag", nullptr)); }));
    EXPECT_EQ(L"Must specify both Property and Value for Setter.",
              MarkupErrorOf([&] { style->SetContentObject(&builder, new CTkMarkupSetter); }));
    EXPECT_EQ(2, style->GetSetters()->GetCount());
    ReleaseMarkupContext(pContext);
}

TEST_F(Styles, DictionaryKeys) {
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    CTkMarkupBuilder builder(pContext);
    const auto dictionary = CTkMarkupPtr<CTkMarkupResourceDictionary>::Adopt(new CTkMarkupResourceDictionary);
    auto* pBrush = new CTkMarkupInt(7);
    pBrush->SetValue(CTkMarkupObject::s_pKeyProperty, CTkMarkupString::CreateValue(L"seven"));
    dictionary->SetContentObject(&builder, pBrush);
    dictionary->SetContentObject(&builder, StyleFor(CTkMarkupFrameworkElement::GetClassType()));
    const auto key = CTkMarkupPtr<CTkMarkupObject>::Adopt(CTkMarkupString::CreateValue(L"seven"));
    EXPECT_EQ(pBrush, dictionary->Lookup(key.Get())) << "strings are keys by their text";
    EXPECT_NE(nullptr, dictionary->Lookup(CTkMarkupFrameworkElement::GetClassType()));

    auto* pAgain = new CTkMarkupInt(8);
    pAgain->SetValue(CTkMarkupObject::s_pKeyProperty, CTkMarkupString::CreateValue(L"seven"));
    EXPECT_EQ(L"Dictionary key is already used. Key attributes must be unique.",
              MarkupErrorOf([&] { dictionary->SetContentObject(&builder, pAgain); }));
    EXPECT_EQ(L"Objects added to Dictionary must have Key attribute or some other type of associated Key",
              MarkupErrorOf([&] { dictionary->SetContentObject(&builder, new CTkMarkupInt(9)); }));
    EXPECT_EQ(2, dictionary->GetCount());
    ReleaseMarkupContext(pContext);
}

TEST_F(Styles, ImplicitBasedOnAndTriggers) {
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    CTkMarkupType* pType = CTkMarkupFrameworkElement::GetClassType();
    // Base style: Tag 1, and while the mouse is over, Width 77. Derived: Tag 2.
    auto* pBase = StyleFor(pType);
    pBase->GetSetters()->Add(new CTkMarkupSetter(Fe::s_pTagProperty, new CTkMarkupInt(1)));
    pBase->GetSetters()->Add(new CTkMarkupSetter(Fe::s_pMinHeightProperty, new CTkMarkupInt(5)));
    auto* pTrigger =
        new CTkMarkupTrigger(CTkMarkupInputElement::s_pIsMouseOverProperty, CTkMarkupBool::CreateValue(TRUE));
    auto* pTriggerSetters = new CTkMarkupSetterColection;
    pTriggerSetters->Add(new CTkMarkupSetter(Fe::s_pWidthProperty, new CTkMarkupInt(77)));
    pTrigger->SetValue(CTkMarkupTrigger::s_pSettersProperty, pTriggerSetters);
    auto* pTriggers = new CTkMarkupTriggerCollection;
    pTriggers->Add(pTrigger);
    pBase->SetValue(CTkMarkupStyle::s_pTriggersProperty, pTriggers);
    auto* pDerived = StyleFor(pType);
    pDerived->SetValue(CTkMarkupStyle::s_pBasedOnProperty, pBase);
    pDerived->GetSetters()->Add(new CTkMarkupSetter(Fe::s_pTagProperty, new CTkMarkupInt(2)));

    // The derived style keyed by its target type in the resources of a parent.
    CTkMarkupBuilder builder(pContext);
    auto* pDictionary = new CTkMarkupResourceDictionary;
    pDictionary->SetContentObject(&builder, pDerived);
    const auto holder = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(pContext));
    holder->SetValue(CTkMarkupInputElement::s_pResourcesProperty, pDictionary);
    auto* pElement = static_cast<CTkMarkupFrameworkElement*>(pContext->CreateMarkupObject(pType));
    auto* pParent = holder->AddChild(MakeTestElement(pContext));
    pElement->SetLogicalParent(pParent);
    CTkMarkupInputElement::ApplyStyles(holder.Get());
    pElement->OnApplyStyle();

    EXPECT_EQ(2, MarkupIntOr(pElement->GetValue(Fe::s_pTagProperty), 0)) << "the derived setter wins";
    EXPECT_EQ(5, MarkupIntOr(pElement->GetValue(Fe::s_pMinHeightProperty), 0)) << "based-on values are in";
    EXPECT_EQ(nullptr, pElement->GetValue(Fe::s_pWidthProperty));

    // The base style's trigger is in force while the mouse is over; leaving takes its value away.
    pElement->OnMouseEnter(nullptr);
    EXPECT_EQ(77, MarkupIntOr(pElement->GetValue(Fe::s_pWidthProperty), 0));
    pElement->OnMouseLeave(nullptr);
    EXPECT_EQ(nullptr, pElement->GetValue(Fe::s_pWidthProperty));
    pElement->OnMouseEnter(nullptr);
    EXPECT_EQ(77, MarkupIntOr(pElement->GetValue(Fe::s_pWidthProperty), 0));

    pElement->SetLogicalParent(nullptr);
    pElement->Release();
    ReleaseMarkupContext(pContext);
}

TEST_F(Styles, FindResourceStopsAtAStyleAndSkipsBasedOn) {
    CTkMarkupBuilder builder(nullptr);
    auto* pBase = new CTkMarkupStyle;
    auto* pBaseResources = new CTkMarkupResourceDictionary;
    auto* pValue = new CTkMarkupInt(1);
    pValue->SetValue(CTkMarkupObject::s_pKeyProperty, CTkMarkupString::CreateValue(L"k"));
    pBaseResources->SetContentObject(&builder, pValue);
    pBase->SetValue(CTkMarkupStyle::s_pResourcesProperty, pBaseResources);
    const auto derived = CTkMarkupPtr<CTkMarkupStyle>::Adopt(new CTkMarkupStyle);
    derived->SetValue(CTkMarkupStyle::s_pBasedOnProperty, pBase);
    const auto key = CTkMarkupPtr<CTkMarkupObject>::Adopt(CTkMarkupString::CreateValue(L"k"));
    EXPECT_EQ(pValue, CTkMarkupResourceDictionary::FindResource(pBase, key.Get()));
    EXPECT_EQ(nullptr, CTkMarkupResourceDictionary::FindResource(derived.Get(), key.Get()));
    // Sealing twice changes nothing.
    derived->Seal();
    derived->Seal();
    EXPECT_TRUE(derived->IsSealed());
}

}  // namespace
