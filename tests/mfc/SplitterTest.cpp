// Static splitters: column layout, dragging the bar (and the ways a drag ends), and views that fail.

#include "FrameTestSupport.h"

#include <vector>

namespace {

class CSplitPane : public CView {
    DECLARE_DYNCREATE(CSplitPane)

protected:
    void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(CSplitPane, CView)

// A view that refuses its creation; counts its deletions.
class CRefusingPane : public CView {
    DECLARE_DYNCREATE(CRefusingPane)
public:
    ~CRefusingPane() override { ++s_nDeleted; }
    static int s_nDeleted;

protected:
    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

int CRefusingPane::s_nDeleted = 0;
IMPLEMENT_DYNCREATE(CRefusingPane, CView)
BEGIN_MESSAGE_MAP(CRefusingPane, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CFlatSplitter : public CSplitterWnd {
public:
    CFlatSplitter() {
        m_cxSplitter = m_cySplitter = 5;
        m_cxSplitterGap = m_cySplitterGap = 5;
        m_cxBorder = m_cyBorder = 1;
    }
};

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateTopLevel(&m_host));
        m_host.SetWindowPos(nullptr, 0, 0, 600, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(m_splitter.CreateStatic(&m_host, 1, 2));
        ASSERT_TRUE(m_splitter.CreateView(0, 0, RUNTIME_CLASS(CSplitPane), CSize(0, 0), nullptr));
        ASSERT_TRUE(m_splitter.CreateView(0, 1, RUNTIME_CLASS(CSplitPane), CSize(0, 0), nullptr));
        Layout(400, 150, 100);
    }
    void Layout(int cx, int cxIdeal, int cxMin) {
        m_splitter.SetColumnInfo(0, cxIdeal, cxMin);
        m_splitter.MoveWindow(0, 0, cx, 100);
        m_splitter.RecalcLayout();
    }
    // The pane's rectangle in the splitter, or an empty one when it is hidden.
    CRect Pane(int col) {
        CWnd* pPane = m_splitter.GetPane(0, col);
        return (pPane->GetStyle() & WS_VISIBLE) ? RectIn(&m_splitter, pPane) : CRect(0, 0, 0, 0);
    }
    // Posts the mouse messages to the splitter and lets the first (the button going down) run the drag.
    void Drag(const std::vector<MSG>& messages) {
        for (const MSG& msg : messages)
            m_splitter.PostMessage(msg.message, msg.wParam, msg.lParam);
        MSG msg;
        ASSERT_TRUE(::PeekMessageW(&msg, m_splitter, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
        ::DispatchMessageW(&msg);
    }
    static MSG Mouse(UINT message, int x) { return MSG{nullptr, message, 0, MAKELPARAM(x, 50), 0, {}}; }
    int WidthOfColumn0() {
        int cxCur = 0;
        int cxMin = 0;
        m_splitter.GetColumnInfo(0, cxCur, cxMin);
        return cxCur;
    }

    CWinApp m_app{L"test"};
    CWnd m_host;
    CFlatSplitter m_splitter;
};

}  // namespace

TEST_F(SplitterTest, ColumnsTakeTheirIdealWidthAndTheLastTheRest) {
    struct Case {
        int cx, cxIdeal, cxMin;
        CRect left, right;
    };
    const Case cases[] = {
        {400, 150, 100, CRect(1, 1, 151, 99), CRect(156, 1, 399, 99)},
        {400, 248, 100, CRect(1, 1, 249, 99), CRect(254, 1, 399, 99)},
        {400, 0, 0, CRect(0, 0, 0, 0), CRect(1, 1, 399, 99)},      // collapsed by the toggle
        {400, 80, 100, CRect(0, 0, 0, 0), CRect(1, 1, 399, 99)},   // below its minimum
        {120, 150, 100, CRect(1, 1, 119, 99), CRect(0, 0, 0, 0)},  // no room: the last column goes
    };
    for (const Case& c : cases) {
        Layout(c.cx, c.cxIdeal, c.cxMin);
        EXPECT_EQ(Pane(0), c.left) << c.cx << " " << c.cxIdeal << " " << c.cxMin;
        EXPECT_EQ(Pane(1), c.right) << c.cx << " " << c.cxIdeal << " " << c.cxMin;
    }
}

TEST_F(SplitterTest, DraggingTheBarSetsTheIdealWidthOfTheColumnBeforeIt) {
    // Grabbed 2 pixels into the gap behind column 0 (x 151..155), released 50 pixels further right.
    Drag({Mouse(WM_LBUTTONDOWN, 153), Mouse(WM_MOUSEMOVE, 180), Mouse(WM_LBUTTONUP, 203)});
    EXPECT_EQ(WidthOfColumn0(), 200);
    EXPECT_EQ(Pane(0), CRect(1, 1, 201, 99));
    EXPECT_EQ(Pane(1), CRect(206, 1, 399, 99));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SplitterTest, EscapeOrAQuitMessageCancelsTheDragAndTheQuitIsPostedAgain) {
    Drag({Mouse(WM_LBUTTONDOWN, 153), Mouse(WM_MOUSEMOVE, 250), MSG{nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}}});
    EXPECT_EQ(WidthOfColumn0(), 150);
    EXPECT_EQ(::GetCapture(), nullptr);

    m_splitter.PostMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(153, 50));
    m_splitter.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(250, 50));
    ::PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, m_splitter, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    ::DispatchMessageW(&msg);
    EXPECT_EQ(WidthOfColumn0(), 150);
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(SplitterTest, AViewThatCannotBeCreatedIsDeletedAndLeavesNoPane) {
    CFlatSplitter other;
    ASSERT_TRUE(other.CreateStatic(&m_host, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST + 1));
    CRefusingPane::s_nDeleted = 0;
    EXPECT_FALSE(other.CreateView(0, 0, RUNTIME_CLASS(CRefusingPane), CSize(10, 10), nullptr));
    EXPECT_EQ(CRefusingPane::s_nDeleted, 1);
    EXPECT_EQ(other.GetPane(0, 0), nullptr);
    // A pane that exists already is not made twice.
    EXPECT_FALSE(m_splitter.CreateView(0, 0, RUNTIME_CLASS(CSplitPane), CSize(0, 0), nullptr));
}
