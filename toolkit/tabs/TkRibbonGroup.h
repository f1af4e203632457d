#pragma once
#include "TkControlButton.h"
#include "TkControlPopup.h"

#include "mfc.h"

#include <vector>

// CTkRibbonGroup: a captioned box of controls in the ribbon's group strip. Its controls live in the
// displaying bar's controls (the bar draws, hit-tests and routes them); the group only arranges them in
// columns or in rows of blocks, shrinking them step by step when the strip is too narrow and finally
// collapsing into one popup button that shows the whole group. An option button may sit in its caption
// line. Reference counted; its collection holds it. UI thread.

class CTkCommandBar;
class CTkControl;
class CTkControls;
class CTkPropExchange;
class CTkRibbonBar;
class CTkRibbonGroupControlPopup;
class CTkRibbonGroupOption;
class CTkRibbonGroups;

// One control during a group layout.
struct TK_RIBBON_CONTROL_LAYOUT {
    CRect rcControl;
    CRect rcRow;
    int nWidth = 0;
    int nHeight = 0;
    BOOL bHidden = FALSE;
    BOOL bWrap = FALSE;              // starts a new column or row
    BOOL bBeginGroup = FALSE;        // the control's begin-group flag
    BOOL bBlockStart = FALSE;        // begins a group or carries kControlFlagNewRow
    BOOL bRowBreak = FALSE;          // carries kControlFlagNewRow: always starts a row when grouped
    BOOL bGallery = FALSE;           // a gallery: never part of a button run; shrinks on its own
    int nStyle = 0;                  // the style last measured
    CTkControl* pControl = nullptr;  // not referenced
    int nBlockWidth = 0;             // from this control to the end of its block
};

// The scratch of one group layout, alive from BeginLayout to EndLayout.
struct TK_RIBBON_GROUP_LAYOUT {
    std::vector<TK_RIBBON_CONTROL_LAYOUT> items;  // one per control visible under kHideWrap
    int nCaptionWidth = 0;
    int nContentWidth = 0;
    BOOL bReducedAtStart = FALSE;
};

class CTkRibbonGroup : public CCmdTarget {
    DECLARE_SERIAL(CTkRibbonGroup)
public:
    CTkRibbonGroup();
    // Releases the option and popup buttons and the layout scratch.
    ~CTkRibbonGroup() override;

    // ---- Virtual operations
    virtual void SetRect(CRect rc);
    virtual void Copy(CTkRibbonGroup* pSource);
    virtual void Draw(CDC* pDC, CRect rcClip);
    virtual void DoPropExchange(CTkPropExchange* pPX);
    // Places the visible controls side by side at their own sizes.
    virtual void ArrangeInRow(CDC* pDC);
    // Puts the option and popup buttons into the displaying bar's controls.
    virtual void OnAdded();
    // Removes the controls and the two buttons from the displaying bar.
    virtual void OnRemoved();
    virtual int GetCaptionWidth(CDC* pDC);
    virtual void BeginLayout(CDC* pDC);
    virtual void EndLayout(CDC* pDC);
    virtual int CalcWidth(CDC* pDC);
    // One reduction step (0..3) toward the excess; TRUE when something changed.
    virtual BOOL Reduce(CDC* pDC, int nStep, int nExcess);
    // Widens the last resizable gallery into the spare space; TRUE when it grew.
    virtual BOOL Expand(CDC* pDC, int nSpare);
    // Places the measured group at (x, y) in its strip with the width the strip gives it (at least what
    // CalcWidth answered): the controls move there and the group takes its rectangle (SetRect).
    void Reposition(int x, int y, int nWidth);

    // ---- Controls
    int GetCount() const { return static_cast<int>(m_controls.size()); }
    // NULL out of range.
    CTkControl* GetAt(int nIndex) const;
    // The position of the control in the group; -1 when it is not one of its controls.
    int IndexOf(const CTkControl* pControl) const;
    // A control of the type and id, appended (inserted at nBefore) to the group and the bar.
    CTkControl* Add(int nType, int nId, LPCWSTR pszParameter = nullptr, int nBefore = -1, BOOL bTemporary = FALSE);
    // A copy of the template inserted at the index (out of range: appended).
    CTkControl* InsertControl(CTkControl* pTemplate, int nIndex, BOOL bRecursive);
    void RemoveControl(int nIndex);
    void RemoveControl(CTkControl* pControl);
    void RemoveAll();

    // ---- State
    BOOL IsVisibleInRibbon() const;
    // The hot group of its displaying bar.
    BOOL IsHighlighted() const;
    // The caption line at the bottom of the rectangle.
    CRect GetCaptionRect() const;
    BOOL IsOptionButtonVisible() const;
    const CRect& GetRect() const { return m_rcGroup; }
    BOOL IsReduced() const { return m_bReduced; }
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR pszCaption) { m_strCaption = pszCaption; }
    int GetId() const { return m_nId; }
    void SetId(int nId) { m_nId = nId; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);
    BOOL IsShowOptionButton() const { return m_bShowOptionButton; }
    void ShowOptionButton(BOOL bShow) { m_bShowOptionButton = bShow; }
    BOOL IsControlsCentering() const { return m_bControlsCentering; }
    void SetControlsCentering(BOOL bCentering) { m_bControlsCentering = bCentering; }
    BOOL IsControlsGrouping() const { return m_bControlsGrouping; }
    void SetControlsGrouping(BOOL bGrouping) { m_bControlsGrouping = bGrouping; }
    int GetAllowedReductionSteps() const { return m_nAllowedReductionSteps; }
    void SetAllowedReductionSteps(int nSteps) { m_nAllowedReductionSteps = nSteps; }

    // ---- Relations
    CTkRibbonGroups* GetGroups() const { return m_pGroups; }
    void SetGroups(CTkRibbonGroups* pGroups) { m_pGroups = pGroups; }
    CTkRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CTkRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }
    CTkCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CTkCommandBar* pParent) { m_pParent = pParent; }
    CTkRibbonGroupOption* GetControlGroupOption() const { return m_pControlGroupOption; }
    CTkRibbonGroupControlPopup* GetControlGroupPopup() const { return m_pControlGroupPopup; }
    TK_RIBBON_GROUP_LAYOUT* GetLayoutInfo() const { return m_pLayoutInfo; }

protected:
    // The displaying bar's controls; NULL without a bar.
    CTkControls* GetBarControls() const;
    // Where the group's control at nIndex (the option button at the end) stands in the bar's controls;
    // -1 (append) when it is not there.
    int GetBarIndexAt(int nIndex) const;
    // Takes a control the bar's controls hold into the group at the index (one reference of its own).
    void AdoptControl(CTkControl* pControl, int nIndex);
    // The theme's caption line and control row heights; 0 without a ribbon theme.
    int GetGroupCaptionHeight() const;
    int GetControlRowHeight() const;
    // The height the controls of a column or the rows of a grouped arrangement may fill.
    int GetControlAreaHeight() const;
    // The "Controls" section, both ways; loading first joins the group to the owner collection's ribbon.
    void SaveControls(CTkPropExchange* pPX);
    void LoadControls(CTkPropExchange* pPX, CTkPropExchange* pSection);
    // Gives the items from nFirst the assigned style and measures them again; FALSE for nFirst -1.
    BOOL RestyleItems(CDC* pDC, int nFirst, int nCount, int nStyle);

    BOOL m_bControlsCentering = FALSE;  // "ControlsCentering"
    BOOL m_bControlsGrouping = FALSE;   // "ControlsGrouping"
    CString m_strCaption;               // "Caption"
    int m_nIndex = -1;
    CTkRibbonGroups* m_pGroups = nullptr;  // not referenced
    CRect m_rcGroup{0, 0, 0, 0};
    std::vector<CTkControl*> m_controls;               // one reference each, in display order
    CTkCommandBar* m_pParent = nullptr;                // the displaying bar (not referenced)
    CTkRibbonBar* m_pRibbonBar = nullptr;              // not referenced
    int m_nId = -1;                                    // "Id"
    int m_nIconId = -1;                                // "IconId"
    CTkRibbonGroupOption* m_pControlGroupOption;       // one reference
    CTkRibbonGroupControlPopup* m_pControlGroupPopup;  // one reference
    BOOL m_bReduced = FALSE;
    BOOL m_bShowOptionButton = FALSE;  // "ShowOptionButton"
    BOOL m_bVisible = TRUE;            // "Visible"
    int m_nAllowedReductionSteps = 4;
    int m_nRowMode = 2;
    TK_RIBBON_GROUP_LAYOUT* m_pLayoutInfo = nullptr;  // owned between BeginLayout and EndLayout
};

// The option button in a group's caption line.
class CTkRibbonGroupOption : public CTkControlButton {
    DECLARE_SERIAL(CTkRibbonGroupOption)
public:
    CTkRibbonGroupOption();
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
};

// The button a collapsed group becomes; its popup shows the whole group.
class CTkRibbonGroupControlPopup : public CTkControlPopup {
    DECLARE_SERIAL(CTkRibbonGroupControlPopup)
public:
    // pGroup: the group whose own button this is; NULL for a copy (in the quick-access toolbar, or on
    // another ribbon), which stands for the group of its id on its ribbon.
    explicit CTkRibbonGroupControlPopup(CTkRibbonGroup* pGroup = nullptr);

    // A group's own button: its group until the group lets it go. A copy looks the group of its id up on
    // its ribbon each time, so it never holds a group that has gone.
    CTkRibbonGroup* GetRibbonGroup() const;
    // The group is going: its own button stands for no group any more.
    void ReleaseGroup() { m_pGroup = nullptr; }
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    BOOL IsVisible(DWORD dwSkipHideFlags = 0) const override;
    BOOL SetPopupOpen(BOOL bOpen) override;
    // The ribbon behind the bar the button sits on.
    CTkRibbonBar* GetRibbonBar() const;

protected:
    CTkRibbonGroup* m_pGroup;  // the owning group (not referenced); NULL for a copy and once released
    BOOL m_bCopy;              // made without a group: finds its group by id
};
