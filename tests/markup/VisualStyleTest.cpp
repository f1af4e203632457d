// The controls under Wine's visual style ("Light"), drawn by the child cases that the parent case runs with the
// style switched on (VisualStyleChild.h).

#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupBrush.h"
#include "TkMarkupControls.h"
#include "TkMarkupScrollBar.h"
#include "TkMarkupScrollViewer.h"
#include "TkMarkupValues.h"
#include "TkWinThemeWrapper.h"
#include "VisualStyleChild.h"

#include <vsstyle.h>

namespace {

constexpr char kChildVariable[] = "TESS_MARKUP_VISUAL_STYLE_ON";

TEST(MarkupVisualStyleOn, ControlsDrawThroughTheLightStyle) {
    DWORD exitCode = 1;
    ASSERT_TRUE(RunVisualStyleChild(kChildVariable, L"MarkupVisualStyleChild.*", exitCode));
    EXPECT_EQ(exitCode, 0u) << "the child cases failed; their output is above";
}

class MarkupVisualStyleChild : public MarkupContextTest {
protected:
    void SetUp() override {
        if (!IsVisualStyleChild(kChildVariable))
            GTEST_SKIP() << "runs as the child of MarkupVisualStyleOn";
        MarkupContextTest::SetUp();
        m_pContext = CreateMarkupContext(nullptr);
    }
    void TearDown() override {
        if (m_pContext == nullptr)
            return;
        m_root.Reset();
        ReleaseMarkupContext(m_pContext);
        MarkupContextTest::TearDown();
    }
    // Renders the markup over a 60 x 30 surface.
    void Render(LPCWSTR lpszMarkup, CScopedMemDC& mem) {
        std::fill(mem.GetBits(), mem.GetBits() + mem.GetWidth() * mem.GetHeight(), 0x123456u);
        m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszMarkup));
        ASSERT_TRUE(m_root) << m_pContext->GetLastParseError();
        MeasureMarkupElement(m_root.Get(), mem.GetWidth(), mem.GetHeight());
        RenderMarkupElement(m_root.Get(), mem.GetSafeHdc(), CRect(0, 0, mem.GetWidth(), mem.GetHeight()));
        ::GdiFlush();
    }
    // Whether the surface holds, over rc, what the style draws for the part and state alone.
    static bool MatchesStyle(const CScopedMemDC& mem, LPCWSTR lpszClass, int nPart, int nState, const CRect& rc) {
        CScopedMemDC reference(mem.GetWidth(), mem.GetHeight());
        std::fill(reference.GetBits(), reference.GetBits() + mem.GetWidth() * mem.GetHeight(), 0x123456u);
        CTkWinThemeWrapper theme(TRUE);
        theme.OpenTheme(nullptr, lpszClass);
        if (theme.DrawBackground(reference.GetSafeHdc(), nPart, nState, &rc, nullptr) != S_OK)
            return false;
        ::GdiFlush();
        for (int y = rc.top; y < rc.bottom; y++) {
            for (int x = rc.left; x < rc.right; x++) {
                if ((reference.GetBits()[y * mem.GetWidth() + x] & 0xFFFFFF) !=
                    (mem.GetBits()[y * mem.GetWidth() + x] & 0xFFFFFF))
                    return false;
            }
        }
        return true;
    }

    CTkMarkupContext* m_pContext = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
};

TEST_F(MarkupVisualStyleChild, ButtonsAndGlyphsAreTheStylesParts) {
    CTkWinThemeWrapper theme(TRUE);
    theme.OpenTheme(nullptr, L"BUTTON");
    ASSERT_TRUE(theme.IsAppThemed());
    CScopedMemDC mem(60, 30);
    Render(L"<Button/>", mem);
    EXPECT_TRUE(MatchesStyle(mem, L"BUTTON", BP_PUSHBUTTON, PBS_NORMAL, CRect(0, 0, 60, 30)));
    Render(L"<Button IsPressed='True'/>", mem);
    EXPECT_TRUE(MatchesStyle(mem, L"BUTTON", BP_PUSHBUTTON, PBS_PRESSED, CRect(0, 0, 60, 30)));
    Render(L"<CheckBox IsChecked='True'/>", mem);
    EXPECT_TRUE(MatchesStyle(mem, L"BUTTON", BP_CHECKBOX, CBS_CHECKEDNORMAL, CRect(0, 9, 13, 22)));
    Render(L"<CheckBox IsChecked=''/>", mem);
    EXPECT_TRUE(MatchesStyle(mem, L"BUTTON", BP_CHECKBOX, CBS_MIXEDNORMAL, CRect(0, 9, 13, 22)));
    Render(L"<RadioButton IsChecked='True' IsPressed='True'/>", mem);
    EXPECT_TRUE(MatchesStyle(mem, L"BUTTON", BP_RADIOBUTTON, RBS_CHECKEDPRESSED, CRect(0, 9, 13, 22)));
}

TEST_F(MarkupVisualStyleChild, AThemedButtonShiftsOnlyWithABackground) {
    const LPCWSTR lpszPlain =
        L"<Button><Rectangle x:Name='r' Width='5' Height='5' HorizontalAlignment='Left' "
        L"VerticalAlignment='Top'/></Button>";
    m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(m_pContext, lpszPlain));
    ASSERT_TRUE(m_root);
    MeasureMarkupElement(m_root.Get(), 60, 30);
    m_root->Arrange(CRect(0, 0, 60, 30));
    auto* pContent = static_cast<CTkMarkupUIElement*>(FindNamed(m_root.Get(), L"r"));
    m_root->SetValue(CTkMarkupButtonBase::s_pIsPressedProperty, CTkMarkupBool::CreateValue(TRUE));
    EXPECT_EQ(CPoint(4, 4), pContent->GetVisualOffset()) << "themed without a background: no shift";
    m_root->SetValue(CTkMarkupControl::s_pBackgroundProperty, new CTkMarkupSolidColorBrush(RGB(200, 200, 200)));
    m_root->InvalidateArrange();
    EXPECT_EQ(CPoint(5, 5), pContent->GetVisualOffset()) << "with a background it shifts even themed";
}

TEST_F(MarkupVisualStyleChild, ScrollBarPartsAreTheStyles) {
    CScopedMemDC mem(60, 100);
    Render(L"<ScrollViewer><Rectangle Height='400'/></ScrollViewer>", mem);
    const auto* pBar = static_cast<CTkMarkupScrollViewer*>(m_root.Get())->GetScrollBar(1);
    ASSERT_NE(nullptr, pBar);
    const ScrollBarGeometry& g = pBar->GetGeometry();
    const int x = 60 - (g.nCrossEnd - g.nCrossStart);
    EXPECT_TRUE(MatchesStyle(mem, L"SCROLLBAR", SBP_ARROWBTN, ABS_UPNORMAL, CRect(x, 0, 60, g.nFirstArrowEnd)));
    EXPECT_TRUE(MatchesStyle(mem, L"SCROLLBAR", SBP_ARROWBTN, ABS_DOWNNORMAL, CRect(x, g.nSecondArrowStart, 60, 100)));
    EXPECT_TRUE(MatchesStyle(mem, L"SCROLLBAR", SBP_UPPERTRACKVERT, SCRBS_NORMAL,
                             CRect(x, g.nThumbEnd, 60, g.nSecondArrowStart)));
    EXPECT_TRUE(
        MatchesStyle(mem, L"SCROLLBAR", SBP_THUMBBTNVERT, SCRBS_NORMAL, CRect(x, g.nThumbStart, 60, g.nThumbEnd)) ||
        g.nThumbEnd - g.nThumbStart > 13)
        << "a thumb longer than 13 carries its gripper over the part";
}

}  // namespace
