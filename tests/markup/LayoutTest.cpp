#include "MarkupTestSupport.h"
#include "TkMarkup.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupValues.h"

namespace {

using Layout = MarkupTest;
using Fe = CTkMarkupFrameworkElement;

struct LayoutCase {
    const char* name;
    std::function<void(CTestElement*)> setUp;
    CSize content;
    CSize available;
    CSize desired;
    CRect arrangeInto;
    CPoint offset;
    CSize render;
};

TEST_F(Layout, MeasureAndArrangeByHand) {
    const CSize unbounded(kMarkupUnbounded, kMarkupUnbounded);
    const LayoutCase cases[] = {
        {"plain", [](CTestElement*) {}, {30, 20}, {100, 100}, {30, 20}, {0, 0, 100, 100}, {0, 0}, {100, 100}},
        {"margin",
         [](CTestElement* p) { p->SetValue(Fe::s_pMarginProperty, new CTkMarkupThickness(1, 2, 3, 4)); },
         {30, 20},
         {100, 100},
         {34, 26},
         {0, 0, 100, 100},
         {1, 2},
         {96, 94}},
        {"width above max",
         [](CTestElement* p) {
             SetInt(p, Fe::s_pWidthProperty, 100);
             SetInt(p, Fe::s_pMaxWidthProperty, 50);
         },
         {10, 10},
         {200, 200},
         {50, 10},
         {0, 0, 200, 200},
         {75, 0},
         {50, 200}},
        {"centred in 101",
         [](CTestElement* p) { SetEnum(p, Fe::s_pHorizontalAlignmentProperty, kMarkupAlignCenter); },
         {50, 10},
         {101, 10},
         {50, 10},
         {0, 0, 101, 10},
         {25, 0},
         {50, 10}},
        {"right and bottom",
         [](CTestElement* p) {
             SetEnum(p, Fe::s_pHorizontalAlignmentProperty, kMarkupAlignEnd);
             SetEnum(p, Fe::s_pVerticalAlignmentProperty, kMarkupAlignEnd);
         },
         {10, 10},
         {50, 40},
         {10, 10},
         {5, 5, 55, 45},
         {45, 35},
         {10, 10}},
        {"stretch larger than client starts at the edge",
         [](CTestElement*) {},
         {80, 60},
         {50, 40},
         {50, 40},
         {0, 0, 50, 40},
         {0, 0},
         {80, 60}},
        {"unbounded less margin stays unbounded",
         [](CTestElement* p) { p->SetValue(Fe::s_pMarginProperty, new CTkMarkupThickness(5, 5, 5, 5)); },
         {7, 7},
         unbounded,
         {17, 17},
         {0, 0, 17, 17},
         {5, 5},
         {7, 7}},
        {"huge margin saturates",
         [](CTestElement* p) {
             p->SetValue(Fe::s_pMarginProperty, new CTkMarkupThickness(0x7FFFFFFF, 0, 0x7FFFFFFF, 0));
         },
         {7, 7},
         unbounded,
         {0x7FFFFFFF, 7},
         {0, 0, 10, 7},
         {0x7FFFFFFF, 0},
         {7, 7}},
        {"min height",
         [](CTestElement* p) { SetInt(p, Fe::s_pMinHeightProperty, 30); },
         {7, 7},
         {100, 100},
         {7, 30},
         {0, 0, 7, 30},
         {0, 0},
         {7, 30}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto element = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr, c.content.cx, c.content.cy));
        c.setUp(element.Get());
        CTkMarkupDrawingContext dc;
        element->Measure(&dc, c.available.cx, c.available.cy);
        EXPECT_EQ(c.desired, element->GetDesiredSize());
        element->Arrange(c.arrangeInto);
        EXPECT_EQ(c.offset, element->GetVisualOffset());
        EXPECT_EQ(c.render, element->GetRenderSize());
    }
}

TEST_F(Layout, ClipsWhatDoesNotFit) {
    // Width 100 limited to 50: drawn and hit only within 50 once clipping is asked for.
    const auto element = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr, 10, 10));
    SetInt(element.Get(), Fe::s_pWidthProperty, 100);
    SetInt(element.Get(), Fe::s_pMaxWidthProperty, 50);
    element->SetValue(CTkMarkupUIElement::s_pClipToBoundsProperty, CTkMarkupBool::CreateValue(TRUE));
    element->Arrange(CRect(0, 0, 200, 20));
    CRect rcClip;
    ASSERT_TRUE(element->GetLayoutClip(rcClip));
    EXPECT_EQ(CRect(0, 0, 50, 20), rcClip);
    // Stretched in 200 and limited to 50, it stands in the middle.
    EXPECT_EQ(CPoint(75, 0), element->GetVisualOffset());
    EXPECT_EQ(element.Get(), element->HitTest(124, 5));
    EXPECT_EQ(nullptr, element->HitTest(125, 5));

    // Content wider than the space: clipped to the client area without ClipToBounds.
    const auto wide = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr, 80, 10));
    CTkMarkupDrawingContext dc;
    wide->Measure(&dc, 50, 10);
    wide->Arrange(CRect(0, 0, 50, 10));
    ASSERT_TRUE(wide->GetLayoutClip(rcClip));
    EXPECT_EQ(CRect(0, 0, 50, 10), rcClip);
}

TEST_F(Layout, CollapsedTakesNoRoomHiddenKeepsIt) {
    const auto root = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr, 40, 40));
    CTestElement* pCollapsed = root->AddChild(MakeTestElement(nullptr, 10, 10));
    CTestElement* pHidden = root->AddChild(MakeTestElement(nullptr, 10, 10));
    SetEnum(pCollapsed, CTkMarkupUIElement::s_pVisibilityProperty, kMarkupCollapsed);
    SetEnum(pHidden, CTkMarkupUIElement::s_pVisibilityProperty, kMarkupHidden);
    CTkMarkupDrawingContext dc;
    root->Measure(&dc, 100, 100);
    root->Arrange(CRect(0, 0, 40, 40));
    EXPECT_EQ(CSize(0, 0), pCollapsed->GetDesiredSize());
    EXPECT_EQ(0, pCollapsed->m_nMeasureCount);
    EXPECT_EQ(CSize(10, 10), pHidden->GetDesiredSize());
    EXPECT_EQ(root.Get(), root->HitTest(5, 5)) << "neither hidden nor collapsed children are hit";
}

TEST_F(Layout, MeasureIsCachedUntilSomethingChanges) {
    const auto element = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr, 10, 10));
    CTkMarkupDrawingContext dc;
    element->Measure(&dc, 100, 100);
    element->Measure(&dc, 100, 100);
    EXPECT_EQ(1, element->m_nMeasureCount);
    element->Measure(&dc, 90, 100);
    EXPECT_EQ(2, element->m_nMeasureCount);
    element->Arrange(CRect(0, 0, 90, 100));
    SetInt(element.Get(), Fe::s_pWidthProperty, 30);  // affects measure: measured again at once
    EXPECT_EQ(3, element->m_nMeasureCount);
    EXPECT_EQ(CSize(30, 10), element->GetDesiredSize());
}

TEST_F(Layout, HitTestPrefersTheChildDrawnLast) {
    const auto root = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(nullptr, 40, 40));
    CTestElement* pFirst = root->AddChild(MakeTestElement(nullptr, 20, 20));
    CTestElement* pSecond = root->AddChild(MakeTestElement(nullptr, 20, 20));
    root->Arrange(CRect(0, 0, 40, 40));
    EXPECT_EQ(pSecond, root->HitTest(5, 5));
    EXPECT_NE(pFirst, root->HitTest(5, 5));
    EXPECT_EQ(root.Get(), root->HitTest(30, 30));
    EXPECT_EQ(nullptr, root->HitTest(40, 40));
}

// A host window whose update region shows what the engine invalidated.
class HostWindow {
public:
    HostWindow() {
        m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                                   nullptr);
        ::ValidateRect(m_hWnd, nullptr);
    }
    ~HostWindow() { ::DestroyWindow(m_hWnd); }
    HWND Get() const { return m_hWnd; }
    CRect TakeUpdateRect() {
        CRect rc;
        ::GetUpdateRect(m_hWnd, &rc, FALSE);
        ::ValidateRect(m_hWnd, nullptr);
        return rc;
    }

private:
    HWND m_hWnd;
};

using LayoutHost = MarkupContextTest;

TEST_F(LayoutHost, ChangesReachTheHostsUpdateRegion) {
    HostWindow host;
    CTkMarkupContext* pContext = CreateMarkupContext(host.Get());
    const auto root = CTkMarkupPtr<CTestElement>::Adopt(MakeTestElement(pContext, 100, 100));
    CTestElement* pChild = root->AddChild(MakeTestElement(pContext, 10, 10));
    ReleaseMarkupContext(pContext);
    pChild->SetValue(Fe::s_pMarginProperty, new CTkMarkupThickness(20, 30, 0, 0));
    CTkMarkupDrawingContext dc;
    root->Measure(&dc, 200, 200);
    root->Arrange(CRect(0, 0, 100, 100));
    host.TakeUpdateRect();

    // Same desired size: only the child's own area.
    pChild->SetValue(CTkMarkupInputElement::s_pIsKeyboardFocusedProperty, CTkMarkupBool::CreateValue(TRUE));
    EXPECT_EQ(CRect(20, 30, 30, 40), host.TakeUpdateRect());
    // A new desired size goes up to the parent, whose own size stays: the parent's area.
    SetInt(pChild, Fe::s_pWidthProperty, 50);
    EXPECT_EQ(CRect(0, 0, 100, 100), host.TakeUpdateRect());
    // A root whose desired size changes repaints the whole host.
    SetInt(root.Get(), Fe::s_pWidthProperty, 150);
    EXPECT_EQ(CRect(0, 0, 200, 200), host.TakeUpdateRect());
}

}  // namespace
