#pragma once
#include "TkControlButton.h"

#include "mfc.h"

#include <vector>

// CTkRibbonScrollableBar: what the three bars that show ribbon groups share (the ribbon, the tab popup and
// the group popup): the horizontal scroll of the group strip with its two scroll buttons, the hot group,
// the keyboard tips of group controls and arrow-key navigation between controls by their position. A
// mixin, the second base of those bars; the owning bar keeps its own rectangles. UI thread.

class CTkCommandBar;
class CTkControl;
class CTkRibbonBar;
class CTkRibbonGroup;
class CTkRibbonGroups;
class CTkRibbonTab;

class CTkRibbonScrollableBar {
public:
    class CControlGroupsScroll;

    CTkRibbonScrollableBar() = default;
    virtual ~CTkRibbonScrollableBar() = default;
    CTkRibbonScrollableBar(const CTkRibbonScrollableBar&) = delete;
    CTkRibbonScrollableBar& operator=(const CTkRibbonScrollableBar&) = delete;

    // Creates the two scroll buttons (forward, then back), appends them to the owner's controls and
    // starts at offset 0.
    void InitScrollableBar(CTkCommandBar* pParent);

    // ---- The bar kind's answers
    // Scrolls the groups 40 pixels back or forward and relayouts the bar when the offset changed; nothing
    // here (a group popup shows its group whole).
    virtual void ScrollGroups(BOOL bBack);
    // The group strip in the bar's client coordinates.
    virtual CRect GetGroupsRect() const = 0;
    // The group under the client point; NULL when none.
    virtual CTkRibbonGroup* HitTestGroup(CPoint pt) const = 0;

    // ---- Scroll state
    // The offset the next layout starts from (clamped by the layout).
    int GetScrollOffset() const { return m_nScrollOffset; }
    void SetScrollOffset(int nOffset) { m_nScrollOffset = nOffset; }
    // Shows or hides the scroll buttons at the ends of the group strip (asked by the groups layout).
    void ShowScrollButtons(BOOL bBack, BOOL bForward);
    // Scrolls the groups so that a control rectangle is wholly visible.
    void EnsureControlVisible(CTkRibbonGroups* pGroups, const CRect& rcControl);
    CControlGroupsScroll* GetScrollButtonLeft() const { return m_pControlScrollLeft; }
    CControlGroupsScroll* GetScrollButtonRight() const { return m_pControlScrollRight; }

    // ---- The hot group
    CTkRibbonGroup* GetHotGroup() const { return m_pHotGroup; }
    // Repaints the old and the new hot group.
    void SetHotGroup(CTkRibbonGroup* pGroup);
    // The group under the client point becomes the hot group while the theme highlights groups; the bar
    // then hears when the mouse leaves.
    void TrackHotGroup(CPoint pt);

    // ---- Keyboard
    // The level-2 tips of the groups of a tab (pReplaced stands for pReplacement in that tab's groups).
    void CreateGroupKeyboardTips(CTkRibbonTab* pTab, CTkRibbonGroup* pReplaced = nullptr,
                                 CTkRibbonGroup* pReplacement = nullptr);
    // Navigation by position for the codes up, down, left, right, Enter and Space; TRUE when handled.
    BOOL NavigateByPosition(int nCode);

    CTkCommandBar* GetScrollableParent() const { return m_pParent; }

    // The bar behind a group-strip scroll button or a navigation: the mixin of the bar, NULL for other bars.
    static CTkRibbonScrollableBar* FromBar(CTkCommandBar* pBar);

protected:
    // The step of ScrollGroups shared by the ribbon and the tab popup: 40 pixels from the groups' offset
    // of the last layout (never below 0 going back); a new offset is requested and the bar relayouts.
    void ScrollGroupsBy(CTkRibbonGroups* pGroups, BOOL bBack);
    // The rectangle a control stands for in navigation: an option button stands for its group's caption
    // line, and going up the tab strip stands for its selected tab.
    CRect GetNavigationRect(CTkControl* pControl, int nCode) const;

    int m_nScrollOffset = 0;                               // requested offset
    CTkCommandBar* m_pParent = nullptr;                    // the owning bar (this object)
    CControlGroupsScroll* m_pControlScrollLeft = nullptr;  // in the owner's controls (not referenced)
    CControlGroupsScroll* m_pControlScrollRight = nullptr;
    CTkRibbonGroup* m_pHotGroup = nullptr;  // not referenced
};

// A scroll button at one end of the group strip; holding it down scrolls repeatedly.
class CTkRibbonScrollableBar::CControlGroupsScroll : public CTkControlButton {
public:
    explicit CControlGroupsScroll(BOOL bScrollLeft);

    BOOL IsScrollLeft() const { return m_bScrollLeft; }
    void Draw(CDC* pDC) override;
    // The press loop: scrolls at once, then on the repeat timer until the button is released.
    void HandleClick(BOOL bKeyboard, CPoint pt) override;

private:
    BOOL m_bScrollLeft;  // back (left) or forward (right)
};

// ---- Navigation by position (pure geometry, so that it is testable without windows)

// A control the arrow keys may move to: its index in the bar and the rectangle it counts with.
struct RibbonNavigationCandidate {
    int nIndex;
    CRect rc;
};

// The candidate an arrow goes to from the reference rectangle, for kNavigateUp, kNavigateDown,
// kNavigatePreviousHorizontal (left) and kNavigateNextHorizontal (right); -1 when none. Left and right
// take the nearest candidate beside the reference that overlaps it vertically (by more than a pixel) and
// wrap around to the far end of that band; up and down take the nearest one above or below that overlaps
// it horizontally and do not wrap. Ties go to the candidate whose centre is nearer across.
int FindRibbonNavigationTarget(const CRect& rcReference, const std::vector<RibbonNavigationCandidate>& candidates,
                               int nCode);
