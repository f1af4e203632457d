#include "BarFixtures.h"
#include "TkControlButton.h"
#include "TkResourceManager.h"

#include <cstring>
#include <functional>

namespace {

// A resizable control that may not get narrower than 40.
class CResizableButton : public CTkControlButton {
public:
    int CanCustomizeResize() const override { return 1; }
    int GetCustomizeMinWidth() const override { return 40; }
};

class CFixedResultTracker : public CTkControlDragTracker {
public:
    explicit CFixedResultTracker(int nResult) : m_nResult(nResult) {}
    int DragControl(CTkControl*, BOOL) override { return m_nResult; }
    int m_nResult;
};

class CustomizeFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pCommandBars->SetCustomizeMode(TRUE);
        m_pControl = new CResizableButton;
        Controls()->InitAddedControl(m_pControl, 1002, nullptr, -1, FALSE);
        m_pControl->SetRect(CRect(10, 0, 60, 22));
        m_pCommandBars->SetCustomizeSelection(m_pControl);
    }
    void Post(UINT nMessage, WPARAM wParam, int x, int y) {
        ::PostMessageW(m_pBar->GetSafeHwnd(), nMessage, wParam, MAKELPARAM(x, y));
    }
    // Whether the desktop's update lock is free again: a window may take it.
    BOOL UpdateLockIsFree() {
        if (!::LockWindowUpdate(m_pSite->GetSafeHwnd()))
            return FALSE;
        ::LockWindowUpdate(nullptr);
        return TRUE;
    }
    CResizableButton* m_pControl = nullptr;
};

TEST_F(CustomizeFixture, TheResizeEdgesAreFewerThanThreePixelsInOnTheLeftAndTwoOnTheRight) {
    struct Row {
        int x;
        BOOL bStarts;
    };
    // The rectangle spans x = 10 .. 59.
    const Row rows[] = {{9, FALSE},  {10, TRUE}, {12, TRUE}, {13, FALSE},
                        {57, FALSE}, {58, TRUE}, {59, TRUE}, {60, FALSE}};
    for (const Row& row : rows) {
        Post(WM_LBUTTONUP, 0, row.x, 5);
        EXPECT_EQ(m_pControl->TrackCustomizeResize(CPoint(row.x, 5)), row.bStarts) << row.x;
        MSG msg;
        // A loop that did not start leaves the release in the queue.
        EXPECT_EQ(::PeekMessageW(&msg, m_pBar->GetSafeHwnd(), WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE), !row.bStarts)
            << row.x;
    }
}

TEST_F(CustomizeFixture, OverAResizableEdgeTheCursorIsTheToolkitsResizeCursor) {
    const HCURSOR hResize = GetResourceManager()->LoadCursor(kIdResizeCursor);
    ASSERT_NE(hResize, nullptr);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    m_pControl->UpdateResizeCursor(CPoint(30, 5));  // the middle: no change
    EXPECT_NE(::GetCursor(), hResize);
    m_pControl->UpdateResizeCursor(CPoint(59, 5));
    EXPECT_EQ(::GetCursor(), hResize);
}

TEST_F(CustomizeFixture, AReleaseAcceptsTheDraggedEdgeAndEscapeCancels) {
    // The right edge, gripped one pixel in, follows the mouse.
    Post(WM_MOUSEMOVE, MK_LBUTTON, 80, 5);
    Post(WM_LBUTTONUP, 0, 80, 5);
    BarLog().clear();
    EXPECT_TRUE(m_pControl->TrackCustomizeResize(CPoint(58, 5)));
    EXPECT_EQ(m_pControl->GetWidth(), 72);
    EXPECT_EQ(CountInBarLog("RecalcLayout"), 1);
    EXPECT_EQ(m_pCommandBars->GetCustomizeSelection(), m_pControl);  // restored
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(UpdateLockIsFree());

    // The left edge dragged past the right one stops at the minimum width.
    Post(WM_MOUSEMOVE, MK_LBUTTON, 200, 5);
    Post(WM_LBUTTONUP, 0, 200, 5);
    EXPECT_TRUE(m_pControl->TrackCustomizeResize(CPoint(11, 5)));
    EXPECT_EQ(m_pControl->GetWidth(), 40);

    Post(WM_MOUSEMOVE, MK_LBUTTON, 120, 5);
    Post(WM_KEYDOWN, VK_ESCAPE, 0, 0);
    EXPECT_TRUE(m_pControl->TrackCustomizeResize(CPoint(58, 5)));
    EXPECT_EQ(m_pControl->GetWidth(), 40);
}

TEST_F(CustomizeFixture, ALostCaptureOrAQuitCancelsAndReleasesTheLock) {
    std::function<void()> steal = [this] { m_pSite->SetCapture(); };
    RunLater(m_pSite, 30, steal);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 100, 5);
    EXPECT_TRUE(m_pControl->TrackCustomizeResize(CPoint(58, 5)));
    EXPECT_EQ(m_pControl->GetWidth(), 0);
    EXPECT_TRUE(UpdateLockIsFree());
    ::ReleaseCapture();

    ::PostQuitMessage(4);
    EXPECT_TRUE(m_pControl->TrackCustomizeResize(CPoint(58, 5)));
    EXPECT_EQ(m_pControl->GetWidth(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(UpdateLockIsFree());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(CustomizeFixture, ADraggedControlLeavesItsBarWhenMovedOrDroppedOff) {
    // Three controls: a, b (starts a group), c; b is dragged.
    Controls()->RemoveAll();
    Add(kControlButton, 1);
    auto* pDragged = new CPoisonedButton;
    Controls()->InitAddedControl(pDragged, 2, nullptr, -1, FALSE);
    pDragged->SetBeginGroup(TRUE);
    CTkControl* pLast = Add(kControlButton, 3);
    CPoisonedButton::s_nDestroyed = 0;

    m_pCommandBars->SetDragTracker(new CFixedResultTracker(kDragCancelled));
    pDragged->StartCustomizeDrag(CPoint(0, 0));
    EXPECT_EQ(Controls()->GetCount(), 3);
    EXPECT_EQ(m_pCommandBars->GetCustomizeSelection(), pDragged);

    m_pCommandBars->SetDragTracker(new CFixedResultTracker(kDragMoved));
    BarLog().clear();
    pDragged->StartCustomizeDrag(CPoint(0, 0));
    // The drag released the last reference: it lived until the drag was over.
    EXPECT_EQ(CPoisonedButton::s_nDestroyed, 1);
    EXPECT_EQ(Controls()->GetCount(), 2);
    EXPECT_TRUE(pLast->GetBeginGroup());  // the group start passes on
    EXPECT_EQ(m_pCommandBars->GetCustomizeSelection(), nullptr);
    EXPECT_EQ(CountInBarLog("RecalcLayout"), 1);

    // Dropped off the bars, the first control goes and the new first loses its group start.
    m_pCommandBars->SetDragTracker(new CFixedResultTracker(kDragNone));
    Controls()->GetAt(0)->StartCustomizeDrag(CPoint(0, 0));
    ASSERT_EQ(Controls()->GetCount(), 1);
    EXPECT_FALSE(Controls()->GetAt(0)->GetBeginGroup());

    // Without a tracker nothing is dragged: the control only becomes the selection.
    m_pCommandBars->SetDragTracker(nullptr);
    CTkControl* pOnly = Controls()->GetAt(0);
    pOnly->StartCustomizeDrag(CPoint(0, 0));
    EXPECT_EQ(Controls()->GetCount(), 1);
    EXPECT_EQ(m_pCommandBars->GetCustomizeSelection(), pOnly);
    m_pCommandBars->SetCustomizeSelection(nullptr);
}

TEST_F(CustomizeFixture, AClickInCustomisationStartsADragInsteadOfACommand) {
    m_pCommandBars->SetDragTracker(new CFixedResultTracker(kDragCancelled));
    m_pCommandBars->SetCustomizeSelection(nullptr);
    m_pControl->HandleClick(FALSE, CPoint(30, 5));
    EXPECT_TRUE(m_pSite->m_commands.empty());
    EXPECT_EQ(m_pCommandBars->GetCustomizeSelection(), m_pControl);
    m_pCommandBars->SetCustomizeSelection(nullptr);
}

}  // namespace
