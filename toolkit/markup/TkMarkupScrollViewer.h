#pragma once
#include "TkMarkupControls.h"

// CTkMarkupScrollViewer: one content element shown through a viewport, scrolled by its scroll bars and
// the mouse wheel. The bars (TkMarkupScrollBar.h) and the gripper in the corner between them are made,
// owned and released by the viewer as each measure decides from the visibility properties and the
// content's size; a bar that goes takes its offset back to 0. Offsets stay within the content: an
// arrangement that finds the content shorter than viewport and offset together moves the offset back.
// The viewer clips its content to its bounds. UI thread only.

class CTkMarkupScrollBar;
class CTkMarkupScrollBarGripper;

// "VerticalScrollBarVisibility" and "HorizontalScrollBarVisibility".
enum MarkupScrollBarVisibility { kMarkupScrollDisabled = 0, kMarkupScrollAuto = 1, kMarkupScrollVisible = 2 };

// The offset a scroll command leads to, from the current offset, the page and the largest offset: a line
// is 16 pixels, a page the page; the thumb commands go to nPosition.
int MarkupScrollTarget(int nCommand, int nCurrent, int nPage, int nLargest, int nPosition);
// The largest offset a bar's range allows: its maximum less the page beyond its first pixel, at least 0.
int MarkupLargestScrollOffset(const SCROLLINFO& info);

class CTkMarkupScrollViewer : public CTkMarkupContentControl {
    DECLARE_MARKUP_TYPE()
public:
    // Pixels a wheel notch scrolls.
    static constexpr int kWheelStep = 48;

    CTkMarkupScrollViewer();

    // ---- What its bars use (orientation 1 vertical, 0 horizontal)
    CTkMarkupScrollBar* GetScrollBar(int nOrientation) const;             // borrowed; NULL while none is shown
    CTkMarkupScrollBarGripper* GetGripper() const { return m_pGripper; }  // borrowed
    int GetOffset(int nOrientation) const;
    // 0 without that bar.
    int GetLargestOffset(int nOrientation) const;
    // Clamped to [0, largest offset]; a new offset arranges the viewer again.
    void SetOffset(int nOrientation, int nOffset);
    // A scroll command (SB_LINEUP .. SB_ENDSCROLL) from the bar's current position; nothing without it.
    void Scroll(int nOrientation, int nCommand, int nPosition);

    // ---- Overrides
    // Scrolls 48 pixels down for a negative delta, up for a positive one; handled.
    void OnMouseWheel(CTkMarkupMouseWheelEventArgs* pArgs) override;
    // The content, the vertical bar, the horizontal bar and the gripper, those that exist.
    int GetVisualChildrenCount() const override;
    CTkMarkupVisual* GetVisualChild(int nIndex) const override;
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    // Visible by default.
    static CTkMarkupDependencyProperty* s_pVerticalScrollBarVisibilityProperty;
    // Disabled by default.
    static CTkMarkupDependencyProperty* s_pHorizontalScrollBarVisibilityProperty;

protected:
    ~CTkMarkupScrollViewer() override;

private:
    // The bar of that orientation, made when missing.
    CTkMarkupScrollBar* ShowBar(int nOrientation);
    // Lets the bar of that orientation go; its offset returns to 0.
    void HideBar(int nOrientation);
    void UpdateGripper();
    CTkMarkupScrollBar*& BarSlot(int nOrientation) { return nOrientation == 1 ? m_pVerticalBar : m_pHorizontalBar; }

    CTkMarkupScrollBar* m_pVerticalBar = nullptr;     // owned; its logical parent is the viewer
    CTkMarkupScrollBar* m_pHorizontalBar = nullptr;   // owned
    CTkMarkupScrollBarGripper* m_pGripper = nullptr;  // owned; exactly while both bars exist
    int m_nHorizontalOffset = 0;                      // pixels the content is scrolled by
    int m_nVerticalOffset = 0;
};
