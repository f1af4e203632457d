// The customisation drag of a control from bar to bar on a visible frame, driven by posted mouse and key
// messages. The bars under the pointer are found on the screen (WindowFromPoint): these cases run alone.

#include "BarFixtures.h"
#include "TkControlDragTracker.h"

namespace {

class BarInputDrag : public ::testing::Test {
protected:
    // One frame for every case: showing and hiding windows costs Wine time.
    static void SetUpTestSuite() {
        s_pFrame = new CFrameWnd;
        s_pFrame->CreateEx(0, AfxRegisterWndClass(0), L"drag", WS_OVERLAPPEDWINDOW, 100, 100, 500, 300, nullptr,
                           nullptr);
        // Above every other window, which would take the pointer's point from the bars.
        ::SetWindowPos(s_pFrame->GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::GetCursorPos(&s_ptPointer);
    }
    // The pointer goes back where it was: the other cases under real input expect it there.
    static void TearDownTestSuite() {
        s_pFrame->DestroyWindow();
        ::SetCursorPos(s_ptPointer.x, s_ptPointer.y);
    }

    void SetUp() override {
        m_pCommandBars = new CTestCommandBars;
        m_pCommandBars->AttachToSite(s_pFrame);
        m_pCommandBars->SetCustomizeMode(TRUE);
        m_pTop = MakeBar(CRect(0, 0, 300, 30));
        m_pLower = MakeBar(CRect(0, 60, 300, 90));
        // a 10..40, b 40..70 (starts a group), c 70..100.
        for (int i = 0; i < 3; ++i)
            m_pTop->GetControls()->Add(kControlButton, i + 1)->SetRect(CRect(10 + 30 * i, 4, 40 + 30 * i, 26));
        m_pDragged = m_pTop->GetControl(1);
        m_pDragged->SetBeginGroup(TRUE);
        // The drag starts where the pointer presses the control.
        const CPoint ptStart = ScreenPoint(m_pTop, CPoint(55, 15));
        ::SetCursorPos(ptStart.x, ptStart.y);
        // The moves the pointer made reach the windows now, not inside a drag.
        for (int i = 0; i < 5; ++i) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
        }
        BarLog().clear();
    }
    void TearDown() override {
        m_pCommandBars->SetCustomizeSelection(nullptr);
        // The frame stays for the next case; the bars' windows go with the case.
        for (CTkCommandBar* pBar : m_bars) {
            pBar->DestroyWindow();
            pBar->InternalRelease();
        }
        m_pCommandBars->InternalRelease();
    }
    // A shown child bar of the frame at the client rectangle.
    CTkCommandBar* MakeBar(const CRect& rc, CWnd* pParent = nullptr, int nPosition = kBarTop) {
        auto* pBar = new CTestBar;
        SetBarKind(pBar, kBarTypeNormal, nPosition);
        pBar->SetCommandBars(m_pCommandBars);
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.Width(),
                       rc.Height(), (pParent != nullptr ? pParent : s_pFrame)->GetSafeHwnd(), nullptr);
        m_bars.push_back(pBar);
        return pBar;
    }
    static CPoint ScreenPoint(CWnd* pWnd, CPoint pt) {
        pWnd->ClientToScreen(&pt);
        return pt;
    }
    static void Post(CWnd* pWnd, UINT nMessage, WPARAM wParam, CPoint pt) {
        ::PostMessageW(pWnd->GetSafeHwnd(), nMessage, wParam, MAKELPARAM(pt.x, pt.y));
    }
    // The pointer moved with the left button down to the client point of the window.
    static void MoveTo(CWnd* pWnd, CPoint pt, WPARAM wKeys = 0) { Post(pWnd, WM_MOUSEMOVE, MK_LBUTTON | wKeys, pt); }
    static void ReleaseAt(CWnd* pWnd, CPoint pt) { Post(pWnd, WM_LBUTTONUP, 0, pt); }
    int Drag(BOOL bCopyOnly = FALSE) {
        const int nResult = m_pCommandBars->GetDragTracker()->DragControl(m_pDragged, bCopyOnly);
        EXPECT_EQ(::GetCapture(), nullptr);
        return nResult;
    }

    static CFrameWnd* s_pFrame;  // deletes itself with its window
    static CPoint s_ptPointer;
    CTestCommandBars* m_pCommandBars = nullptr;
    std::vector<CTkCommandBar*> m_bars;
    CTkCommandBar* m_pTop = nullptr;
    CTkCommandBar* m_pLower = nullptr;
    CTkControl* m_pDragged = nullptr;
};

CFrameWnd* BarInputDrag::s_pFrame = nullptr;
CPoint BarInputDrag::s_ptPointer;

TEST_F(BarInputDrag, ADragAnswersWhereAndHowTheControlWasReleased) {
    // Released without a move: cancelled, and no bar was asked anything.
    ReleaseAt(m_pTop, CPoint(55, 15));
    EXPECT_EQ(Drag(), kDragCancelled);
    EXPECT_TRUE(BarLog().empty());

    // Released over the frame outside every bar.
    MoveTo(s_pFrame, CPoint(350, 200));
    ReleaseAt(s_pFrame, CPoint(350, 200));
    EXPECT_EQ(Drag(), kDragNone);
    EXPECT_EQ(m_pLower->GetControlCount(), 0);

    // Over the lower bar with Ctrl held: a copy lands there.
    MoveTo(m_pLower, CPoint(150, 15), MK_CONTROL);
    ReleaseAt(m_pLower, CPoint(150, 15));
    EXPECT_EQ(Drag(), kDragCopied);
    ASSERT_EQ(m_pLower->GetControlCount(), 1);
    EXPECT_EQ(m_pLower->GetControl(0)->GetId(), 2);
    EXPECT_TRUE(m_pLower->GetInsertionMarker().IsRectEmpty());

    // Without Ctrl a move, also when the drag only shows the copy cursor.
    MoveTo(m_pLower, CPoint(150, 15));
    ReleaseAt(m_pLower, CPoint(150, 15));
    EXPECT_EQ(Drag(TRUE), kDragMoved);
    EXPECT_EQ(m_pLower->GetControlCount(), 2);

    // A move without the left button is a release where it happened.
    Post(m_pLower, WM_MOUSEMOVE, 0, CPoint(150, 15));
    EXPECT_EQ(Drag(), kDragMoved);
    EXPECT_EQ(m_pLower->GetControlCount(), 3);

    // The right button and Esc cancel, leaving the bar that showed the marker without it.
    for (UINT nMessage : {WM_RBUTTONDOWN, WM_KEYDOWN}) {
        MoveTo(m_pLower, CPoint(150, 15));
        if (nMessage == WM_KEYDOWN)
            ::PostMessageW(m_pLower->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        else
            Post(m_pLower, WM_RBUTTONDOWN, MK_RBUTTON, CPoint(150, 15));
        EXPECT_EQ(Drag(), kDragCancelled) << nMessage;
        EXPECT_EQ(m_pLower->GetControlCount(), 3);
        EXPECT_TRUE(m_pLower->GetInsertionMarker().IsRectEmpty());
    }
    EXPECT_EQ(m_pTop->GetControlCount(), 3) << "the caller removes a moved control";
}

TEST_F(BarInputDrag, AQuitOrALostCaptureCancelsAndLeavesNoTargetEntered) {
    MoveTo(m_pLower, CPoint(150, 15));
    Post(m_pLower, WM_MOUSEMOVE, MK_LBUTTON, CPoint(160, 15));
    ::PostQuitMessage(7);
    EXPECT_EQ(Drag(), kDragCancelled);
    EXPECT_TRUE(m_pLower->GetInsertionMarker().IsRectEmpty());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    std::function<void()> steal = [this] { m_pLower->SetCapture(); };
    MoveTo(m_pLower, CPoint(150, 15));
    RunLater(s_pFrame, 30, steal);
    EXPECT_EQ(m_pCommandBars->GetDragTracker()->DragControl(m_pDragged, FALSE), kDragCancelled);
    ::ReleaseCapture();
    EXPECT_TRUE(m_pLower->GetInsertionMarker().IsRectEmpty());
    EXPECT_EQ(m_pLower->GetControlCount(), 0);
}

TEST_F(BarInputDrag, OfTheBarsUnderThePointerTheOneRegisteredLastTakesTheDrop) {
    // An inner bar inside the lower one: both are under a point of the inner one.
    CTkCommandBar* pInner = MakeBar(CRect(200, 0, 300, 30), m_pLower);
    const CPoint ptInner = CPoint(250, 15);
    MoveTo(m_pLower, ptInner);
    ReleaseAt(m_pLower, ptInner);
    EXPECT_EQ(Drag(), kDragMoved);
    EXPECT_EQ(pInner->GetControlCount(), 1);
    EXPECT_EQ(m_pLower->GetControlCount(), 0);

    CTkControlDragTracker* pTracker = m_pCommandBars->GetDragTracker();
    pTracker->UnregisterBar(m_pLower);
    pTracker->RegisterBar(m_pLower);
    MoveTo(m_pLower, ptInner);
    ReleaseAt(m_pLower, ptInner);
    EXPECT_EQ(Drag(), kDragMoved);
    EXPECT_EQ(pInner->GetControlCount(), 1);
    EXPECT_EQ(m_pLower->GetControlCount(), 1);

    // A combo box's list never registers; a destroyed bar has left.
    CTkCommandBar* pList = MakeBar(CRect(0, 120, 300, 150), nullptr, kBarList);
    MoveTo(pList, CPoint(50, 15));
    ReleaseAt(pList, CPoint(50, 15));
    EXPECT_EQ(Drag(), kDragNone);
    EXPECT_EQ(pList->GetControlCount(), 0);
    pInner->DestroyWindow();
    MoveTo(m_pLower, ptInner);
    ReleaseAt(m_pLower, ptInner);
    EXPECT_EQ(Drag(), kDragMoved);
    EXPECT_EQ(m_pLower->GetControlCount(), 2);
}

TEST_F(BarInputDrag, TheCursorTellsNoDropMoveOrCopy) {
    std::vector<HCURSOR> seen;
    // Each step records the cursor the last move set, then moves on.
    std::vector<std::function<void()>> steps;
    size_t nStep = 0;
    std::function<void()> next = [&] {
        seen.push_back(::GetCursor());
        steps[nStep++]();
    };
    steps = {
        [&] {
            MoveTo(m_pLower, CPoint(150, 15));
            RunLater(s_pFrame, 20, next);
        },
        [&] {
            MoveTo(m_pLower, CPoint(150, 15), MK_CONTROL);
            RunLater(s_pFrame, 20, next);
        },
        [&] { ReleaseAt(m_pLower, CPoint(150, 15)); },
    };
    MoveTo(s_pFrame, CPoint(350, 200));
    RunLater(s_pFrame, 20, next);
    EXPECT_EQ(Drag(), kDragCopied);
    ASSERT_EQ(seen.size(), 3u);
    const HCURSOR hNoDropCursor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIdNoDropCursor));
    const HCURSOR hMoveCursor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIdMoveCursor));
    const HCURSOR hCopyCursor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIdCopyCursor));
    ASSERT_NE(hNoDropCursor, nullptr);
    EXPECT_EQ(seen[0], hNoDropCursor);
    EXPECT_EQ(seen[1], hMoveCursor);
    EXPECT_EQ(seen[2], hCopyCursor);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(BarInputDrag, AMovedControlLeavesItsBarForTheCopyOnAnotherBar) {
    MoveTo(m_pLower, CPoint(150, 15));
    ReleaseAt(m_pLower, CPoint(150, 15));
    m_pDragged->StartCustomizeDrag(CPoint(55, 15));
    EXPECT_EQ(m_pTop->GetControlCount(), 2);
    EXPECT_TRUE(m_pTop->GetControl(1)->GetBeginGroup()) << "the group start passes on";
    ASSERT_EQ(m_pLower->GetControlCount(), 1);
    EXPECT_EQ(m_pCommandBars->GetCustomizeSelection(), m_pLower->GetControl(0));

    // Dropped on itself it stays, and a real move past its middle makes it start a group.
    m_pDragged = m_pTop->GetControl(1);
    m_pDragged->SetBeginGroup(FALSE);
    MoveTo(m_pTop, CPoint(85, 15));
    ReleaseAt(m_pTop, CPoint(92, 15));
    m_pDragged->StartCustomizeDrag(CPoint(55, 15));
    EXPECT_EQ(m_pTop->GetControlCount(), 2);
    EXPECT_TRUE(m_pDragged->GetBeginGroup());
}

}  // namespace
