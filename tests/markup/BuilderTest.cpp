#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupContext.h"
#include "TkMarkupDelegate.h"
#include "TkMarkupSystemColors.h"
#include "TkMarkupUIElement.h"

#include <string>

namespace {

class Builder : public MarkupContextTest {
protected:
    void SetUp() override {
        MarkupContextTest::SetUp();
        m_pContext = CreateMarkupContext(nullptr);
    }
    void TearDown() override {
        ReleaseMarkupContext(m_pContext);
        MarkupContextTest::TearDown();
    }
    // The tree dump of the markup, or "error: " and the last parse error.
    std::wstring Build(LPCWSTR lpszMarkup) {
        CTkMarkupUIElement* pRoot = m_pContext->Parse(lpszMarkup);
        if (pRoot == nullptr)
            return std::wstring(L"error: ") + m_pContext->GetLastParseError();
        EXPECT_STREQ(L"", m_pContext->GetLastParseError());
        const CString strDump = DumpMarkupTree(pRoot);
        ReleaseMarkupElement(pRoot);
        return strDump.GetString();
    }

    CTkMarkupContext* m_pContext = nullptr;
};

struct Case {
    LPCWSTR lpszMarkup;
    LPCWSTR lpszExpected;
};

// Each message that can reach the builder, and where the reading stood when it was raised.
TEST_F(Builder, EveryMessageExactlyWithItsPosition) {
    const Case cases[] = {
        {L"  text", L"Data at the root level is invalid"},
        {L"<FrameworkElement/>\r\nx", L"Data at the root level is invalid. Line 3, position 2"},
        {L"<FrameworkElement Tag>", L"'>' is an unexpected token. The expected token is '='. Line 1, position 23"},
        {L"<!-- only -->", L"Root element is missing. Line 1, position 14"},
        {L"<FrameworkElement>\n<FrameworkElement.Tag>",
         L"Unexpected end of file has occurred. The following elements are not closed: 'FrameworkElement.Tag'. Line 2, "
         L"position 23"},
        {L"<FrameworkElement/><FrameworkElement/>", L"There are multiple root elements. Line 1, position 38"},
        {L"<textblock/>", L"The tag 'textblock' does not exist in XML namespace. Line 1, position 12"},
        {L"<FrameworkElement.Tag/>",
         L"The tag 'FrameworkElement.Tag' does not exist in XML namespace. Line 1, position 23"},
        {L"<FrameworkElement><FrameworkElement.Nothing/></FrameworkElement>",
         L"The tag 'FrameworkElement.Nothing' does not exist in XML namespace. Line 1, position 45"},
        {L"<FrameworkElement Nothing='1'/>",
         L"The property 'Nothing' does not exist in XML namespace. Line 1, position 30"},
        {L"<FrameworkElement/></FrameworkElement>", L"Unexpected end tag. Line 1, position 39"},
        {L"<FrameworkElement></Style>",
         L"The 'FrameworkElement' start tag does not match the end tag of 'Style'. Line 1, position 27"},
        {L"<FrameworkElement><FrameworkElement.Tag> </FrameworkElement.Tag></FrameworkElement>",
         L"'Tag' property does not have a value. Line 1, position 65"},
        {L"<FrameworkElement Tag='{x:Type Style'/>",
         L"Markup extension expressions must end with '}'. Line 1, position 38"},
        {L"<FrameworkElement Tag='{x:Type Nothing}'/>", L"Cannot find type 'Nothing'. Line 1, position 41"},
        {L"<FrameworkElement Tag='{x:Static SystemColors.NothingBrush}'/>",
         L"Cannot find the static member  'SystemColors.NothingBrush'. Line 1, position 61"},
        {L"<FrameworkElement Tag='{StaticResource brush}'/>",
         L"Cannot find resource named 'brush'. Resource names are case sensitive. Line 1, position 47"},
        {L"<FrameworkElement Tag='{Binding x}'/>",
         L"The tag 'Binding x' does not exist in XML namespace. Line 1, position 36"},
        {L"<FrameworkElement Tag='{x:Type  Style}'/>", L"Cannot find type ' Style'. Line 1, position 40"},
        {L"<FrameworkElement Focusable='maybe'/>",
         L"Cannot convert string in attribute 'Focusable' to object of type 'CTkMarkupBool'. Line 1, position 36"},
        {L"<SolidColorBrush Color='Red'/>", L"Root element have to be 'CTkMarkupUIElement' type"},
        // Raised by the objects the builder hands content and values to.
        {L"<FrameworkElement>x</FrameworkElement>",
         L"Cannot convert the string 'x' into a 'CTkMarkupFrameworkElement' object. Line 1, position 39"},
        {L"<FrameworkElement><FrameworkElement/></FrameworkElement>",
         L"Cannot add content to an object of type 'CTkMarkupFrameworkElement'. Line 1, position 38"},
        {L"<FrameworkElement MouseEnter='OnEnter'/>", L"'OnEnter' delegate not found. Line 1, position 39"},
        {L"<FrameworkElement><FrameworkElement.Resources><SolidColorBrush/></FrameworkElement.Resources>"
         L"</FrameworkElement>",
         L"Objects added to Dictionary must have Key attribute or some other type of associated Key. Line 1, position "
         L"65"},
        {L"<FrameworkElement><FrameworkElement.Resources><Color x:Key='a'/><Color x:Key='a'/>"
         L"</FrameworkElement.Resources></FrameworkElement>",
         L"Dictionary key is already used. Key attributes must be unique.. Line 1, position 83"},
        {L"<FrameworkElement><FrameworkElement.Style><Style><Style.Triggers><Setter/></Style.Triggers></Style>"
         L"</FrameworkElement.Style></FrameworkElement>",
         L"'CTkMarkupSetter' object cannot be added to 'CTkMarkupTriggerCollection'. Object cannot be converted to "
         L"type "
         L"'CTkMarkupTrigger'. Line 1, position 75"},
        {L"<FrameworkElement><FrameworkElement.Style><Style><Setter Property='Nothing' Value='1'/></Style>"
         L"</FrameworkElement.Style></FrameworkElement>",
         L"Cannot find the Style Property 'Nothing'. Line 1, position 88"},
        // One child, of the right kind; the grid's definition collections.
        {L"<Button><Rectangle/><Ellipse/></Button>",
         L"'CTkMarkupButton' already has a child and cannot add 'CTkMarkupEllipse'. 'CTkMarkupButton' can accept "
         L"only one child.. Line 1, position 31"},
        {L"<Button><SolidColorBrush/></Button>",
         L"'CTkMarkupSolidColorBrush' object cannot be added to 'CTkMarkupButton'. Object cannot be converted to "
         L"type 'CTkMarkupUIElement'. Line 1, position 27"},
        {L"<Border><Rectangle/><Ellipse/></Border>",
         L"'CTkMarkupBorder' already has a child and cannot add 'CTkMarkupEllipse'. 'CTkMarkupBorder' can accept "
         L"only one child.. Line 1, position 31"},
        {L"<Page>text</Page>",
         L"'CTkMarkupString' object cannot be added to 'CTkMarkupPage'. Object cannot be converted to type "
         L"'CTkMarkupUIElement'. Line 1, position 18"},
        {L"<StackPanel><SolidColorBrush/></StackPanel>",
         L"'CTkMarkupSolidColorBrush' object cannot be added to 'CTkMarkupCollection'. Object cannot be converted "
         L"to type 'CTkMarkupUIElement'. Line 1, position 31"},
        {L"<Grid ColumnDefinitions='1'/>", L"CTkMarkupColumnDefinitionCollection class expected. Line 1, position 28"},
        {L"<Grid RowDefinitions='1'/>", L"CTkMarkupRowDefinitionCollection class expected. Line 1, position 25"},
        {L"<Grid><Grid.RowDefinitions><ColumnDefinition/></Grid.RowDefinitions></Grid>",
         L"'CTkMarkupColumnDefinition' object cannot be added to 'CTkMarkupRowDefinitionCollection'. Object cannot "
         L"be converted to type 'CTkMarkupRowDefinition'. Line 1, position 47"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::wstring(L"error: ") + c.lpszExpected, Build(c.lpszMarkup));
}

TEST_F(Builder, AttributesPropertyElementsAndNames) {
    const Case cases[] = {
        {L"<FrameworkElement xmlns='http://any' xmlns:x='whatever' x:Name='root' Width='10' Focusable='True'/>",
         L"CTkMarkupFrameworkElement x:Name=\"root\" Focusable=True Width=10\n"},
        // Owner.Name attributes find the same property as the plain name.
        {L"<FrameworkElement FrameworkElement.Tag='t' UIElement.Nothing='1'/>", L"error"},
        {L"<FrameworkElement FrameworkElement.Tag='t'/>", L"CTkMarkupFrameworkElement Tag=\"t\"\n"},
        // "{}" escapes a brace; a text property element's content is its value, a later one replacing it.
        {L"<FrameworkElement Tag='{}{x}'/>", L"CTkMarkupFrameworkElement Tag=\"{x}\"\n"},
        {L"<FrameworkElement><FrameworkElement.Tag>  a   b  </FrameworkElement.Tag></FrameworkElement>",
         L"CTkMarkupFrameworkElement Tag=\"a b\"\n"},
        {L"<FrameworkElement><FrameworkElement.Tag><Color>Red</Color></FrameworkElement.Tag></FrameworkElement>",
         L"CTkMarkupFrameworkElement Tag=#FF0000\n"},
        // Comments and CDATA never become content.
        {L"<FrameworkElement><FrameworkElement.Tag>a<!-- b --><![CDATA[c]]></FrameworkElement.Tag></FrameworkElement>",
         L"CTkMarkupFrameworkElement Tag=\"a\"\n"},
        {L"<FrameworkElement Tag='{x:Type Style}'/>", L"CTkMarkupFrameworkElement Tag={CTkMarkupStyle}\n"},
        // A collection property gathers all child elements in one new collection.
        {L"<FrameworkElement><FrameworkElement.Tag><Trigger><Trigger.Setters><Setter Value='1'/>"
         L"<Setter Value='2'/></Trigger.Setters></Trigger></FrameworkElement.Tag></FrameworkElement>",
         L"CTkMarkupFrameworkElement\n"
         L"  .Tag:\n"
         L"    CTkMarkupTrigger\n"
         L"      .Setters:\n"
         L"        CTkMarkupSetterColection\n"
         L"          CTkMarkupSetter Value=\"1\"\n"
         L"          CTkMarkupSetter Value=\"2\"\n"},
    };
    for (const Case& c : cases) {
        const std::wstring strResult = Build(c.lpszMarkup);
        if (wcscmp(c.lpszExpected, L"error") == 0)
            EXPECT_EQ(0u, strResult.find(L"error: ")) << strResult;
        else
            EXPECT_EQ(c.lpszExpected, strResult);
    }
}

// Resources are found among the elements still open where the expression stands; system colour keys
// without a resource give the system colour itself, each kind made once per parse.
TEST_F(Builder, ResourceScopeAndSystemColors) {
    const Case cases[] = {
        {L"<FrameworkElement><FrameworkElement.Resources><Color x:Key='c'>Red</Color></FrameworkElement.Resources>"
         L"<FrameworkElement.Tag><FrameworkElement Tag='{StaticResource "
         L"c}'/></FrameworkElement.Tag></FrameworkElement>",
         L"CTkMarkupFrameworkElement\n"
         L"  .Resources:\n"
         L"    CTkMarkupResourceDictionary\n"
         L"  .Tag:\n"
         L"    CTkMarkupFrameworkElement Tag=#FF0000\n"},
        // The resource lives in a sibling that is already closed.
        {L"<FrameworkElement><FrameworkElement.ToolTip><FrameworkElement><FrameworkElement.Resources>"
         L"<Color x:Key='c'>Red</Color></FrameworkElement.Resources></FrameworkElement></FrameworkElement.ToolTip>"
         L"<FrameworkElement.Tag><FrameworkElement Tag='{DynamicResource c}'/></FrameworkElement.Tag>"
         L"</FrameworkElement>",
         L"error: Cannot find resource named 'c'. Resource names are case sensitive. Line 1, position 259"},
        // A key given as a brace expression; a resource under a brush key wins over the system colour.
        {L"<FrameworkElement><FrameworkElement.Resources><Color x:Key='{x:Static SystemColors.ControlBrushKey}'>Red"
         L"</Color></FrameworkElement.Resources><FrameworkElement.Tag>"
         L"<FrameworkElement Tag='{StaticResource {x:Static SystemColors.ControlBrushKey}}'/></FrameworkElement.Tag>"
         L"</FrameworkElement>",
         L"CTkMarkupFrameworkElement\n"
         L"  .Resources:\n"
         L"    CTkMarkupResourceDictionary\n"
         L"  .Tag:\n"
         L"    CTkMarkupFrameworkElement Tag=#FF0000\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lpszExpected, Build(c.lpszMarkup));

    int nControl = -1;
    ASSERT_TRUE(LookupSystemColorIndex(L"Control", 7, nControl));
    const COLORREF clr = ::GetSysColor(nControl);
    CString strExpected;
    strExpected.Format(L"CTkMarkupFrameworkElement Tag=#%02X%02X%02X\n", GetRValue(clr), GetGValue(clr),
                       GetBValue(clr));
    EXPECT_EQ(strExpected.GetString(),
              Build(L"<FrameworkElement Tag='{StaticResource {x:Static SystemColors.ControlColorKey}}'/>"));
}

// Runs of white space collapse to one space; a space before an element survives only after content.
TEST_F(Builder, WhiteSpaceBetweenWordsAndElements) {
    const Case cases[] = {
        {L"<TextBlock>  Hello   world  </TextBlock>",
         L"CTkMarkupTextBlock\n  CTkMarkupInlineCollection\n    CTkMarkupRun Text=\"Hello world\"\n"},
        {L"<TextBlock><Bold>a</Bold> b</TextBlock>",
         L"CTkMarkupTextBlock\n  CTkMarkupInlineCollection\n    CTkMarkupBold FontWeight=enum 700\n"
         L"      CTkMarkupInlineCollection\n        CTkMarkupRun Text=\"a\"\n    CTkMarkupRun Text=\" b\"\n"},
        {L"<TextBlock>a <Bold>b</Bold></TextBlock>",
         L"CTkMarkupTextBlock\n  CTkMarkupInlineCollection\n    CTkMarkupRun Text=\"a \"\n"
         L"    CTkMarkupBold FontWeight=enum 700\n      CTkMarkupInlineCollection\n        CTkMarkupRun Text=\"b\"\n"},
        {L"<TextBlock Text='{}{x}'/>",
         L"CTkMarkupTextBlock Text=\"{x}\"\n  CTkMarkupInlineCollection\n    CTkMarkupRun Text=\"{x}\"\n"},
        {L"<Run/>", L"error: Root element have to be 'CTkMarkupUIElement' type"},
        {L"<TextBlock>\n  <Bold>a",
         L"error: Unexpected end of file has occurred. The following elements are not closed: "
         L"'Bold'. Line 2, position 10"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lpszExpected, Build(c.lpszMarkup));
}

// 8-bit markup is read byte by byte in the ANSI code page until it declares UTF-8.
TEST_F(Builder, EightBitTextSwitchesToUtf8WhenDeclared) {
    const char szUtf8[] = "<?xml version='1.0' encoding='utf-8'?><FrameworkElement Tag='\xC3\xA9'/>";
    CTkMarkupUIElement* pRoot = m_pContext->Parse(szUtf8, static_cast<int>(sizeof(szUtf8) - 1));
    ASSERT_NE(nullptr, pRoot) << m_pContext->GetLastParseError();
    EXPECT_EQ(std::wstring(L"CTkMarkupFrameworkElement Tag=\"\u00E9\"\n"), DumpMarkupTree(pRoot).GetString());
    ReleaseMarkupElement(pRoot);

    const char szAnsi[] = "<FrameworkElement Tag='\xC3\xA9'/>";
    pRoot = m_pContext->Parse(szAnsi, static_cast<int>(sizeof(szAnsi) - 1));
    ASSERT_NE(nullptr, pRoot);
    EXPECT_EQ(2u, DumpMarkupTree(pRoot).GetLength() - wcslen(L"CTkMarkupFrameworkElement Tag=\"\"\n"))
        << "two characters, one per byte";
    ReleaseMarkupElement(pRoot);
}

}  // namespace
