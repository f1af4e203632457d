#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupControls.h"
#include "TkMarkupDecorators.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupGrid.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <set>
#include <string>
#include <vector>

namespace {

using Registry = MarkupContextTest;

// Every markup class in construction order; the text classes register themselves among them.
const LPCWSTR kTypeOrder[] = {L"CTkMarkupDependencyProperty",
                              L"CTkMarkupType",
                              L"CTkMarkupObject",
                              L"CTkMarkupThickness",
                              L"CTkMarkupInt",
                              L"CTkMarkupDouble",
                              L"CTkMarkupEnum",
                              L"CTkMarkupBool",
                              L"CTkMarkupColor",
                              L"CTkMarkupString",
                              L"CTkMarkupCollection",
                              L"CTkMarkupBrush",
                              L"CTkMarkupSolidColorBrush",
                              L"CTkMarkupPoint",
                              L"CTkMarkupGradientStop",
                              L"CTkMarkupLinearGradientBrush",
                              L"CTkMarkupVisual",
                              L"CTkMarkupUIElement",
                              L"CTkMarkupInputElement",
                              L"CTkMarkupResourceDictionary",
                              L"CTkMarkupSetter",
                              L"CTkMarkupSetterColection",
                              L"CTkMarkupStyle",
                              L"CTkMarkupTrigger",
                              L"CTkMarkupTriggerCollection",
                              L"CTkMarkupScrollBar",
                              L"CTkMarkupScrollBarGripper",
                              L"CTkMarkupScrollViewer",
                              L"CTkMarkupTextBlock",
                              L"CTkMarkupStackPanel",
                              L"CTkMarkupWrapPanel",
                              L"CTkMarkupShape",
                              L"CTkMarkupPointCollection",
                              L"CTkMarkupPolygon",
                              L"CTkMarkupPolyline",
                              L"CTkMarkupRectangle",
                              L"CTkMarkupEllipse",
                              L"CTkMarkupLine",
                              L"CTkMarkupPage",
                              L"CTkMarkupFrameworkContentElement",
                              L"CTkMarkupTextElement",
                              L"CTkMarkupInline",
                              L"CTkMarkupRun",
                              L"CTkMarkupLineBreak",
                              L"CTkMarkupInlineCollection",
                              L"CTkMarkupSpan",
                              L"CTkMarkupBold",
                              L"CTkMarkupHyperlink",
                              L"CTkMarkupItalic",
                              L"CTkMarkupUnderline",
                              L"CTkMarkupInlineUIContainer",
                              L"CTkMarkupButtonBase",
                              L"CTkMarkupButton",
                              L"CTkMarkupToggleButton",
                              L"CTkMarkupCheckBox",
                              L"CTkMarkupRadioButton",
                              L"CTkMarkupControl",
                              L"CTkMarkupContentControl",
                              L"CTkMarkupPanel",
                              L"CTkMarkupImage",
                              L"CTkMarkupGridLength",
                              L"CTkMarkupColumnDefinition",
                              L"CTkMarkupRowDefinition",
                              L"CTkMarkupDefinitionCollection",
                              L"CTkMarkupRowDefinitionCollection",
                              L"CTkMarkupColumnDefinitionCollection",
                              L"CTkMarkupGrid",
                              L"CTkMarkupCanvas",
                              L"CTkMarkupBorder",
                              L"CTkMarkupFrameworkElement",
                              L"CTkMarkupObjectProperty",
                              L"CTkMarkupColorKey",
                              L"CTkMarkupBrushKey",
                              L"CTkMarkupKeyboardNavigation"};
const std::set<std::wstring> kTextClasses = {L"CTkMarkupTextBlock",
                                             L"CTkMarkupFrameworkContentElement",
                                             L"CTkMarkupTextElement",
                                             L"CTkMarkupInline",
                                             L"CTkMarkupRun",
                                             L"CTkMarkupLineBreak",
                                             L"CTkMarkupInlineCollection",
                                             L"CTkMarkupSpan",
                                             L"CTkMarkupBold",
                                             L"CTkMarkupHyperlink",
                                             L"CTkMarkupItalic",
                                             L"CTkMarkupUnderline",
                                             L"CTkMarkupInlineUIContainer"};

std::vector<std::wstring> TypeList() {
    CTkMarkupType::EnsureAllRegistered();
    std::vector<std::wstring> names;
    for (CTkMarkupType* pType = CTkMarkupType::GetFirstType(); pType != nullptr; pType = pType->GetNextType())
        names.push_back(pType->GetClassName());
    return names;
}

TEST_F(Registry, TypesInTableOrder) {
    static_assert(sizeof(kTypeOrder) / sizeof(kTypeOrder[0]) == 74);
    // All 74 once the text classes are built; until then every other class.
    const std::vector<std::wstring> actual = TypeList();
    std::vector<std::wstring> expected;
    for (LPCWSTR lpszName : kTypeOrder) {
        if (actual.size() == 74 || kTextClasses.count(lpszName) == 0)
            expected.push_back(lpszName);
    }
    EXPECT_EQ(expected, actual);
}

TEST_F(Registry, TagsBasesAndSharedProperties) {
    CTkMarkupType::EnsureAllRegistered();
    EXPECT_EQ(nullptr, CTkMarkupType::FindType(L"border")) << "tags are case-sensitive";
    CTkMarkupType* pBorder = CTkMarkupType::FindType(L"Border");
    ASSERT_NE(nullptr, pBorder);
    const auto border = CTkMarkupPtr<CTkMarkupObject>::Adopt(pBorder->CreateObject());
    EXPECT_TRUE(border->IsKindOf(CTkMarkupFrameworkElement::GetClassType()));
    const auto column = CTkMarkupPtr<CTkMarkupObject>::Adopt(new CTkMarkupColumnDefinition);
    EXPECT_EQ(CTkMarkupObject::GetClassType(), column->GetType()->GetBaseType());
    // Added owners share one property object.
    EXPECT_EQ(CTkMarkupBorder::s_pPaddingProperty,
              CTkMarkupBuilder::FindPropertyByName(CTkMarkupType::FindType(L"Button"), L"Padding"));
    EXPECT_EQ(CTkMarkupPanel::s_pBackgroundProperty, CTkMarkupControl::s_pBackgroundProperty);
    // Attached properties are found through their owner's tag only.
    EXPECT_EQ(CTkMarkupGrid::s_pRowProperty, CTkMarkupBuilder::FindPropertyByName(pBorder, L"Grid.Row"));
    EXPECT_EQ(nullptr, CTkMarkupBuilder::FindPropertyByName(pBorder, L"Row"));
    // Defaults.
    const CTkMarkupObject* pWidth = CTkMarkupColumnDefinition::s_pWidthProperty->GetDefaultValue();
    ASSERT_NE(nullptr, pWidth);
    EXPECT_EQ(CTkMarkupGridLength::unitStar, static_cast<const CTkMarkupGridLength*>(pWidth)->GetUnit());
    EXPECT_EQ(CTkMarkupPropertyMetadata::routingBubble,
              CTkMarkupButtonBase::s_pClickEvent->GetFlags() & CTkMarkupPropertyMetadata::routingBubble);
}

// Markup names the vocabulary: converters on the properties, collections through property elements.
TEST_F(Registry, VocabularyThroughMarkup) {
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    CTkMarkupUIElement* pRoot = pContext->Parse(
        L"<Grid Width='1in' HorizontalAlignment='Center' Visibility='Collapsed' Cursor='Hand' "
        L"KeyboardNavigation.TabNavigation='Cycle'><Grid.RowDefinitions><RowDefinition/><RowDefinition MinHeight='2'/>"
        L"</Grid.RowDefinitions></Grid>");
    ASSERT_NE(nullptr, pRoot) << pContext->GetLastParseError();
    const CString strDump = DumpMarkupTree(pRoot);
    EXPECT_NE(-1, strDump.Find(L" Width=96")) << strDump.GetString();
    // The property element gathers the definitions into the grid's written collection.
    const CTkMarkupRowDefinitionCollection* pRows = static_cast<CTkMarkupGrid*>(pRoot)->GetRowDefinitions();
    ASSERT_EQ(2, pRows->GetCount());
    EXPECT_EQ(pRoot, pRows->GetLogicalParent());
    EXPECT_EQ(2, MarkupIntOr(pRows->GetItem(1)->GetValue(CTkMarkupRowDefinition::s_pMinHeightProperty), 0));
    EXPECT_EQ(-1, strDump.Find(L"=\"")) << "every attribute converted: " << strDump.GetString();
    ReleaseMarkupElement(pRoot);
    ReleaseMarkupContext(pContext);
}

// Converting a TargetType makes a temporary type object that must not enter the type list.
TEST_F(Registry, TargetTypeConversionsLeaveTheTypeListAlone) {
    const std::vector<std::wstring> before = TypeList();
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    CString strMarkup = L"<FrameworkElement><FrameworkElement.Resources>";
    for (int i = 0; i < 100; i++)
        strMarkup.AppendFormat(L"<Style x:Key='s%d' TargetType='Border'/>", i);
    strMarkup += L"</FrameworkElement.Resources></FrameworkElement>";
    CTkMarkupUIElement* pRoot = pContext->Parse(strMarkup);
    ASSERT_NE(nullptr, pRoot) << pContext->GetLastParseError();
    ReleaseMarkupElement(pRoot);
    ReleaseMarkupContext(pContext);
    EXPECT_EQ(before, TypeList());
}

}  // namespace
