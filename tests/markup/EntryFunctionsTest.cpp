#include "TkMarkup.h"
#include "TkMarkupEntryFunctions.h"

#include <gtest/gtest.h>

TEST(MarkupEntryFunctions, NullArgumentsAnswerNothing) {
    CTkMarkupContext* pContext = nullptr;
    ReleaseMarkupContext(pContext);
    EXPECT_EQ(nullptr, ParseMarkupText(nullptr, L"<TextBlock/>"));
    CTkMarkupUIElement* pElement = nullptr;
    EXPECT_EQ(0u, ReleaseMarkupElement(pElement));
    EXPECT_EQ(nullptr, GetMarkupElementContext(nullptr));
    SetMarkupDefaultFont(nullptr, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    const SIZE size = MeasureMarkupElement(nullptr, 100, 100);
    EXPECT_EQ(0, size.cx);
    EXPECT_EQ(0, size.cy);
    CScopedMemDC dc(10, 10);
    const RECT rc = {0, 0, 10, 10};
    EXPECT_FALSE(RenderMarkupElement(nullptr, dc.GetSafeHdc(), &rc));
}

TEST(MarkupEntryFunctions, InstallFillsTheFoundationsTable) {
    InstallMarkupEntryFunctions();
    const MarkupEntryFunctions* pTable = GetMarkupEntryFunctions();
    ASSERT_NE(nullptr, pTable);
    EXPECT_EQ(&CreateMarkupContext, pTable->pfnCreateMarkupContext);
    EXPECT_EQ(&ReleaseMarkupContext, pTable->pfnReleaseMarkupContext);
    EXPECT_EQ(&ParseMarkupText, pTable->pfnParseMarkupText);
    EXPECT_EQ(&SetMarkupDefaultFont, pTable->pfnSetMarkupDefaultFont);
    EXPECT_EQ(&MeasureMarkupElement, pTable->pfnMeasureMarkupElement);
    EXPECT_EQ(&RenderMarkupElement, pTable->pfnRenderMarkupElement);
    EXPECT_EQ(&ReleaseMarkupElement, pTable->pfnReleaseMarkupElement);
}

#include "MarkupTestSupport.h"

using MarkupEntryContext = MarkupContextTest;

TEST_F(MarkupEntryContext, TreesKeepTheirContextAndFaultsStayInside) {
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    EXPECT_EQ(nullptr, ParseMarkupText(pContext, nullptr));
    CTkMarkupUIElement* pElement = MakeTestElement(pContext, 12, 8);
    ReleaseMarkupContext(pContext);
    EXPECT_EQ(nullptr, pContext);
    ASSERT_NE(nullptr, GetMarkupElementContext(pElement)) << "the element keeps its context";
    SetMarkupDefaultFont(GetMarkupElementContext(pElement), static_cast<HFONT>(::GetStockObject(SYSTEM_FONT)),
                         RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), GetMarkupElementContext(pElement)->GetDefaultTextColor());
    const SIZE size = MeasureMarkupElement(pElement, 0x7FFFFFFF, 0x7FFFFFFF);
    EXPECT_EQ(12, size.cx);
    EXPECT_EQ(8, size.cy);

    // A fault inside the engine reads as nothing to show.
    static_cast<CTestElement*>(pElement)->m_onMeasure = [] { AfxThrowInvalidArgException(); };
    const SIZE faulty = MeasureMarkupElement(pElement, 100, 100);
    EXPECT_EQ(0, faulty.cx);
    EXPECT_EQ(0u, ReleaseMarkupElement(pElement));
    EXPECT_EQ(nullptr, pElement);
}

namespace {

// Released by the static destructors at the end of the process, after the test runner is done: the element's
// types and properties must still be there then (the program's exit code tells whether it exits cleanly).
struct ElementHeldUntilExit {
    CTkMarkupContext* pContext = nullptr;
    CTkMarkupUIElement* pElement = nullptr;
    ~ElementHeldUntilExit() {
        ReleaseMarkupElement(pElement);
        ReleaseMarkupContext(pContext);
    }
};

}  // namespace

TEST(MarkupEntryFunctions, ElementHeldByAGlobalIsReleasedAtExit) {
    static ElementHeldUntilExit held;
    held.pContext = CreateMarkupContext(nullptr);
    held.pElement = ParseMarkupText(held.pContext, L"<Border Background='Red'><TextBlock>kept</TextBlock></Border>");
    ASSERT_NE(nullptr, held.pElement);
    EXPECT_GT(MeasureMarkupElement(held.pElement, 200, 50).cx, 0);
}
