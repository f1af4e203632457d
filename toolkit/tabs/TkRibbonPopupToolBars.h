#pragma once
#include "TkPopupBar.h"
#include "TkRibbonScrollableBar.h"

#include "mfc.h"

// The popups that show ribbon groups or quick-access commands: the tab popup (the selected tab's groups
// under a minimised ribbon), the group popup (the whole of a collapsed group) and the more popup (the
// quick-access commands that did not fit). Reference counted like every bar; UI thread.

class CTkRibbonBar;
class CTkRibbonGroup;
class CTkRibbonTab;

// The tab popup: made by the tab strip of a minimised ribbon for its selected tab, owned by the ribbon's hub
// and released by the tab strip. It stands exactly where CalcDynamicSize put it: under the tab (above it
// near the bottom of the work area), as wide as the ribbon within the work area.
class CTkRibbonTabPopupToolBar : public CTkPopupToolBar, public CTkRibbonScrollableBar {
    DECLARE_DYNAMIC(CTkRibbonTabPopupToolBar)
public:
    // Shows a copy of the tab (the tab of a minimised ribbon), made at once.
    explicit CTkRibbonTabPopupToolBar(CTkRibbonTab* pRibbonTab);
    // Removes the copy's groups and releases it.
    ~CTkRibbonTabPopupToolBar() override;

    CTkRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    CTkRibbonTab* GetRibbonTab() const { return m_pRibbonTab; }

    // ---- Mixin
    void ScrollGroups(BOOL bBack) override;
    CRect GetGroupsRect() const override { return m_rcGroups; }
    CTkRibbonGroup* HitTestGroup(CPoint pt) const override;

    // ---- Bar overrides
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) const override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    CSize GetIconSize() const override;
    CSize GetButtonSize() const override;
    BOOL IsKeyboardCuesVisible() const override;
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    void EnsureVisible(CTkControl* pControl) override;
    void CreateKeyboardTips() override;
    void OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip) override;
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;
    BOOL NavigateByCode(int nCode) override;
    CRect CalcPopupRect(CPoint ptAnchor, CSize size) override;

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    CTkRibbonTab* m_pRibbonTab;            // the copy (one reference)
    CTkRibbonBar* m_pRibbonBar = nullptr;  // not referenced
    CRect m_rcGroups{0, 0, 0, 0};
    CRect m_rcPopup{0, 0, 0, 0};  // screen; from the last CalcDynamicSize
};

// The group popup: made by a collapsed group's button, it shows a copy of the group at its full width.
class CTkRibbonGroupPopupToolBar : public CTkPopupToolBar, public CTkRibbonScrollableBar {
    DECLARE_SERIAL(CTkRibbonGroupPopupToolBar)
public:
    // Shows a copy of the group, made at once (NULL: empty, for Clone).
    explicit CTkRibbonGroupPopupToolBar(CTkRibbonGroup* pRibbonGroup = nullptr);
    // Removes the copy and releases it.
    ~CTkRibbonGroupPopupToolBar() override;

    CTkRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    CTkRibbonGroup* GetRibbonGroup() const { return m_pRibbonGroup; }
    CTkRibbonGroup* GetSourceGroup() const { return m_pSourceGroup; }

    // ---- Mixin
    // The client area.
    CRect GetGroupsRect() const override;
    // The copy, under a point inside it.
    CTkRibbonGroup* HitTestGroup(CPoint pt) const override;

    // ---- Bar overrides
    CSize GetIconSize() const override;
    CSize GetButtonSize() const override;
    // The copy's full width (no reductions) within the borders, the ribbon's group height less 7.
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    // The tips of the source group's tab, the copy in place of the source.
    void CreateKeyboardTips() override;
    BOOL NavigateByCode(int nCode) override;

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    CTkRibbonGroup* m_pRibbonGroup = nullptr;  // the copy (one reference)
    CTkRibbonBar* m_pRibbonBar = nullptr;      // not referenced
    CTkRibbonGroup* m_pSourceGroup = nullptr;  // not referenced
};

// The more popup: the quick-access commands that did not fit, in the ribbon's sizes on the popup frame.
class CTkRibbonBarMorePopupToolBar : public CTkPopupToolBar {
public:
    // Borders 3 on every side.
    explicit CTkRibbonBarMorePopupToolBar(CTkRibbonBar* pRibbonBar);

    CTkRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    CSize GetIconSize() const override;
    CSize GetButtonSize() const override;
    void FillBackground(CDC* pDC) override;

protected:
    CTkRibbonBar* m_pRibbonBar;  // not referenced
};

// The ribbon behind a bar: the bar itself when it is the ribbon, else the ribbon of a tab, group or more
// popup; NULL for other bars.
CTkRibbonBar* GetRibbonOfBar(CTkCommandBar* pBar);
