#pragma once
#include "TkAccessible.h"
#include "TkControlDefs.h"

#include "mfc.h"

// CTkControl: the base of every item a command bar shows (menu items, toolbar buttons, popups, combo
// boxes, edits, galleries, labels). A control lives in the CTkControls collection of one bar, is laid out
// by that collection, drawn and measured through its bar's paint manager, driven by the bar's mouse and
// keyboard handling through its virtual operations, and reports what the user did to the bar's site
// window (ControlNotifyMessage, then WM_COMMAND). It may be bound to a shared CTkControlAction that
// supplies the texts and states it does not set itself. It has no window of its own.
//
// Reference counted: whoever keeps a control holds a reference (a collection one per control); the
// last release destroys it. Created by run-time class (the collection's factory, loading, Clone). UI
// thread only.

class CTkCommandBar;
class CTkCommandBarList;
class CTkCommandBars;
class CTkControlAction;
class CTkControls;
class CTkImageManager;
class CTkImageManagerIcon;
class CTkPaintManager;
class CTkPropExchange;

class CTkControl : public CCmdTarget, public CTkAccessible {
    DECLARE_SERIAL(CTkControl)
public:
    // A set of document-template ids (id -> TRUE).
    class CDocTemplateMap : public CMap<UINT, UINT, BOOL, BOOL> {
    public:
        CDocTemplateMap() : CMap(10) {}
        // Replaces the contents by those of another set.
        void CopyFrom(const CDocTemplateMap& other);
    };

    CTkControl();
    // Unbinds the action.
    ~CTkControl() override;

    // ---- Texts (virtual ones follow the action where the control's own text is empty)
    // CustomCaption, else Caption, else the action's caption.
    virtual CString GetCaption() const;
    virtual CString GetDescription() const;
    virtual CString GetTooltip() const;
    // A tab splits the text: the part after it becomes ShortcutTextAuto. Delays the parent layout on a
    // change.
    void SetCaption(LPCWSTR pszCaption);
    // The string resource id, applied with SetCaption when found.
    void SetCaptionFromResource(UINT nId);
    // "description\ntooltip\ncaption\nkeytip": fills what the control lacks (see the .cpp).
    void SetPrompt(LPCWSTR pszPrompt);
    const CString& GetCaptionText() const { return m_strCaption; }
    const CString& GetCustomCaption() const { return m_strCustomCaption; }
    void SetCustomCaption(LPCWSTR pszCaption) { m_strCustomCaption = pszCaption; }
    // ShortcutText, else the action's, else ShortcutTextAuto.
    CString GetShortcutText() const;
    void SetShortcutText(LPCWSTR pszText) { m_strShortcutText = pszText; }
    const CString& GetShortcutTextAuto() const { return m_strShortcutTextAuto; }
    void SetShortcutTextAuto(LPCWSTR pszText) { m_strShortcutTextAuto = pszText; }
    void SetTooltip(LPCWSTR pszText) { m_strTooltipText = pszText; }
    void SetDescription(LPCWSTR pszText) { m_strDescriptionText = pszText; }
    const CString& GetParameter() const { return m_strParameter; }
    void SetParameter(LPCWSTR pszParameter) { m_strParameter = pszParameter; }
    CString GetKeyboardTip() const;
    void SetKeyboardTip(LPCWSTR pszTip) { m_strKeyboardTip = pszTip; }
    const CString& GetCategory() const { return m_strCategory; }
    void SetCategory(LPCWSTR pszCategory) { m_strCategory = pszCategory; }

    // ---- Identity
    int GetType() const { return m_nType; }  // ControlType
    // Sets the type field only; CTkControls::SetControlType changes a control's kind.
    void SetType(int nType) { m_nType = nType; }
    int GetId() const { return m_nId; }
    // Loads the id's string resource into the texts (SetPrompt), then stores the id.
    void SetId(int nId);
    // CustomIconId, else IconId when positive, else the action's icon id (or id), else Id.
    int GetIconId() const;
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int nIconId) { m_nCustomIconId = nIconId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nHelpId) { m_nHelpId = nHelpId; }
    INT_PTR GetTag() const { return m_nTag; }
    void SetTag(INT_PTR nTag) { m_nTag = nTag; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }

    // ---- State
    // Enabled, or the action's when it is -1 (4 and 5 mark a split button's halves).
    int GetEnabled() const;
    int GetChecked() const;
    // Stores Checked; repaints (animated) on a change.
    void SetChecked(int nChecked);
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    // Clears or sets kHideGeneric; delays the parent layout when the hide flags changed.
    void SetVisible(BOOL bVisible);
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL IsRarelyUsed() const { return m_bRarelyUsed; }
    // Clearing it also clears kHideRarelyUsed.
    void SetRarelyUsed(BOOL bRarelyUsed);
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefaultItem);
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    void SetExecuteOnPressInterval(int nInterval) { m_nExecuteOnPressInterval = nInterval; }
    CDocTemplateMap& GetDocTemplatesAssigned() { return m_docTemplatesAssigned; }
    CDocTemplateMap& GetDocTemplatesExcluded() { return m_docTemplatesExcluded; }

    // ---- Style and size
    // CustomStyle unless -1, else Style, else AssignedStyle, else the parent bar's default style.
    int GetStyle() const;
    void SetStyle(int nStyle) { m_nStyle = nStyle; }
    int GetCustomStyle() const { return m_nCustomStyle; }
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    void SetAssignedStyle(int nStyle) { m_nAssignedStyle = nStyle; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetIconSize(CSize szIcon) { m_szIcon = szIcon; }

    // ---- Place (written by the layouts)
    const CRect& GetRect() const { return m_rcControl; }
    const CRect& GetRowRect() const { return m_rcRow; }
    void SetRowRect(const CRect& rc) { m_rcRow = rc; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }

    // ---- Relations
    int GetIndex() const { return m_nIndex; }
    CTkCommandBar* GetParent() const { return m_pParent; }
    CTkControls* GetControls() const { return m_pControls; }
    CTkControlAction* GetAction() const { return m_pAction; }  // not referenced
    void* GetRibbonGroup() const { return m_pRibbonGroup; }
    void SetRibbonGroup(void* pGroup) { m_pRibbonGroup = pGroup; }
    // The parent bar's hub, else the collection's.
    CTkCommandBars* GetCommandBars() const;
    CTkImageManager* GetImageManager() const;
    CTkPaintManager* GetPaintManager() const;
    // The customisation state of the parent bar's hub; FALSE without a parent bar.
    BOOL IsCustomizeMode() const;

    // ---- Bar requests (nothing without a parent bar)
    void DelayLayoutParent();
    // Repaints Rect in the parent bar when the control is visible.
    void RedrawParent(BOOL bAnimate = TRUE);
    // The cursor lies in Rect.
    BOOL IsCursorOver() const;
    // Rect lies in a glass frame caption of the bar's frame.
    BOOL IsInGlassCaption() const;

    // ---- Notifications to the site
    // ControlNotifyMessage to the site (NULL: the parent bar's owner window); when the site answers 0 and
    // the control has a parent bar, the notification as a WM_NOTIFY command. The first non-zero answer;
    // 0 without a site.
    LRESULT SendNotification(CWnd* pSite, UINT nCode, ControlNotifyRecord* pRecord);
    LRESULT NotifySite(UINT nCode);
    LRESULT NotifySiteWithData(UINT nCode, ControlNotifyRecord* pRecord);
    // The execute notification (code 100), then WM_COMMAND(Id, 0) when nobody took it.
    void SendCommand(CWnd* pSite);

    // ---- Customisation feedback
    // The resize cursor over a resizable edge.
    void UpdateResizeCursor(CPoint pt);
    // Inverts the four 2-pixel edges of the rectangle.
    static void DrawResizeTracker(CDC* pDC, const CRect& rc);

    // ---- Virtual operations
    virtual void SetBeginGroup(BOOL bBeginGroup);
    virtual void SetEnabled(int nEnabled);
    virtual int GetSelected() const;
    virtual void SetFocused(BOOL bFocused);
    virtual BOOL IsFocused() const;
    virtual int GetPressed() const;
    virtual void SetRect(CRect rc);
    // False for an invisible action; else true when HideFlags has no bit outside the mask.
    virtual BOOL IsVisible(DWORD dwSkipHideFlags = 0) const;
    virtual BOOL IsCaptionVisible() const;
    // Used to find what customisation changed.
    virtual BOOL IsSameAs(CTkControl* pOther) const;
    // The sub bar of popup classes; NULL here.
    virtual CTkCommandBar* GetCommandBar() const;
    virtual BOOL SuppressesButtonFace() const;
    virtual void SetHideFlags(DWORD dwHideFlags);
    virtual void Execute();
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    // Called for every control, last to first, before its bar is laid out.
    virtual void PrepareForLayout(DWORD dwLayoutMode);
    // The image of GetIconId at the width (0 the smallest, 1 the largest), or NULL.
    virtual CTkImageManagerIcon* GetImage(int nWidth) const;
    // The saved keys, positionally, in both directions.
    virtual void ExchangeProperties(CTkPropExchange* pPX);
    virtual void ActivateByKey();
    virtual BOOL IsPopupOpen() const;
    // Unbinds the current action and binds the new one (NULL: none); the binding's answer.
    virtual int SetAction(CTkControlAction* pAction);
    virtual void OnMetricsChanged();
    virtual void SetWidth(int nWidth);
    virtual void SetHeight(int nHeight);
    virtual CSize GetButtonSize() const;
    virtual CSize GetIconSize() const;
    virtual void CopyFrom(CTkControl* pSource, BOOL bRecursive);
    virtual void HandleClick(BOOL bKeyboard, CPoint pt);
    virtual BOOL TakesFocusOnTab() const;
    // 0 not handled, 1 handled, 2 pass on.
    virtual int HandleFocusedKey(UINT nKey);
    virtual BOOL HandleMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    virtual void SetParent(CTkCommandBar* pParent);
    // FALSE when refused.
    virtual BOOL SetPopupOpen(BOOL bOpen);
    virtual void HandleButtonUp(CPoint pt);
    virtual BOOL HandleRightButtonDown(CPoint pt);
    virtual BOOL HandleRightButtonUp(CPoint pt);
    virtual BOOL HandleDoubleClick(CPoint pt);
    // (-1, -1): the mouse left the control.
    virtual void HandleMouseMove(CPoint pt);
    virtual void HandleHoverDelay();
    // 0 when the state did not change, else 1.
    virtual BOOL SetSelected(int nSelected);
    virtual void StartCustomizeDrag(CPoint pt);
    virtual BOOL TrackCustomizeResize(CPoint pt);
    // nDropEffect starts as -1.
    virtual void HandleCustomizeDragOver(CTkControl* pDragged, CPoint pt, int& nDropEffect);
    virtual BOOL CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect);
    // 0 none; bit 0x1 the width, 0x2 the height.
    virtual int CanCustomizeResize() const;
    virtual int GetCustomizeMinWidth() const;
    virtual int GetCustomizeMinHeight() const;
    virtual void BeforeIdleUpdate();
    virtual void OnRemoved();
    // -1: the control's own id and tooltip.
    virtual INT_PTR HitTestToolTip(CPoint pt, TOOLINFO* pToolInfo);
    virtual BOOL CanCustomizeMove() const;
    // Turns a loaded sub-bar id back into the sub bar (popup classes).
    virtual void ResolveCommandBarId(CTkCommandBarList* pList);
    // Passes a save's bar collection to the sub bar.
    virtual void CollectSubBars(int& nCounter, CTkCommandBarList* pList, BarsExchangeParam* pParam);
    virtual void OnActionChanged(int nProperty);
    virtual void OnActionChanging(int nProperty);
    virtual void OnCaptionChanged();
    // A new object of this class filled by CopyFrom(this, bRecursive); one reference, the caller's.
    virtual CTkControl* Clone(BOOL bRecursive);

    // ---- CTkAccessible
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    CCmdTarget* GetAccessibleOwner() override { return this; }

    DECLARE_INTERFACE_MAP()

protected:
    friend class CTkControlAction;
    friend class CTkControls;

    // The customize resize loop behind TrackCustomizeResize (the edge was hit).
    void RunCustomizeResize(CPoint pt, BOOL bLeftEdge);

    INT_PTR m_nTag = 0;  // saved 32-bit
    int m_nIndex = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    int m_nCustomIconId = 0;
    BOOL m_bWrap = FALSE;  // begins a new row or column (the layouts write it)
    BOOL m_bBeginGroup = FALSE;
    int m_nEnabled = 1;  // 1, 0, -1 (the action's); a split button also 4 and 5
    int m_nChecked = 0;  // 0, 1, 2 (indeterminate), -1 (the action's)
    int m_nSelected = 0;
    int m_nPressed = 0;  // 1 held by the mouse, 2 shown pressed while the command runs
    BOOL m_bTemporary = FALSE;
    CRect m_rcRow;      // the row or column cell (LayoutRect)
    CRect m_rcControl;  // in the bar's client coordinates (Rect)
    DWORD m_dwHideFlags = 0;
    DWORD m_dwFlags = 0;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CString m_strKeyboardTip;
    CTkControls* m_pControls = nullptr;  // not referenced
    int m_nType = kControlNone;
    CTkCommandBar* m_pParent = nullptr;  // not referenced
    BOOL m_bRarelyUsed = FALSE;
    CString m_strCategory;
    BOOL m_bDefaultItem = FALSE;
    CDocTemplateMap m_docTemplatesAssigned;
    CDocTemplateMap m_docTemplatesExcluded;
    int m_nStyle = kButtonAutomatic;
    int m_nCustomStyle = -1;
    int m_nAssignedStyle = kButtonAutomatic;
    BOOL m_bCloseSubMenuOnClick = TRUE;
    void* m_pRibbonGroup = nullptr;         // the ribbon group holding the control (not referenced)
    CTkControlAction* m_pAction = nullptr;  // not referenced; the action lists the control
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nExecuteOnPressInterval = 0;  // ms
    CSize m_szIcon{0, 0};
};

// The test whether a rectangle of a bar lies in a glass frame caption. The ribbon registers it; without
// one, nothing is in a glass caption.
using GlassCaptionTest = BOOL (*)(CTkCommandBar* pBar, const CRect& rc);
void RegisterGlassCaptionTest(GlassCaptionTest pfnTest);
