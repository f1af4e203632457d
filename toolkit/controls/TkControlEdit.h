#pragma once
#include "TkControl.h"
#include "TkControlField.h"
#include "TkEdit.h"

class CTkControlEdit;

// CTkControlEditCtrl: the edit window of a command-bar edit control, a child of the bar's window. It
// tells its control about typing and focus, and passes mouse moves to the bar so the bar keeps its hot
// control.
class CTkControlEditCtrl : public CTkEdit {
public:
    CTkControlEdit* m_pControl = nullptr;  // NULL once the control let go of the window

protected:
    afx_msg void OnChange();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// CTkControlEdit: a text field in a command bar (ControlType 6): an optional label drawn by the paint
// manager, a real edit window laid over the field, optional spin buttons that step a number, and a grey
// hint while the field is empty. The edit window is made at the first layout and destroyed when the
// control leaves its bar. While focused the control holds the thread mouse manager's lock once.
class CTkControlEdit : public CTkControl, public CTkControlField {
    DECLARE_SERIAL(CTkControlEdit)
public:
    // The spin loop's repeat timer, on the bar's window.
    static constexpr UINT_PTR kSpinTimer = 435;
    // The spin loop's clock (ms); tests replace it.
    static DWORD (*s_pfnTickCount)();

    CTkControlEdit();
    ~CTkControlEdit() override;

    // ---- Text and hint (without an edit window they work on the cached text)
    CString GetEditText();
    void SetEditText(const CString& strText);
    CString GetEditHint() const;
    void SetEditHint(const CString& strHint);
    // The text, or empty while the hint shows.
    CString GetEditTextNoHint();
    // The text, or the hint when the text is empty.
    void SetEditTextOrHint(const CString& strText);
    void SetReadOnly(BOOL bReadOnly);
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void SetShowSpinButtons(BOOL bShow) { m_bShowSpinButtons = bShow; }
    CTkControlEditCtrl* GetEditCtrl() const { return m_pEdit; }
    // Shows the edit window while the control is visible on a visible bar, hides it otherwise.
    void UpdateEditVisibility();

    // ---- Own operations
    virtual CTkControlEditCtrl* CreateEditWindow();
    virtual void OnEditFocusGained(HWND hwndPrevious);
    virtual void OnEditFocusLost();
    virtual void OnEditChanged();
    // The text colour (grey while the hint shows or disabled) and the theme's edit background.
    virtual void GetEditTextFormat(COLORREF& clrText, COLORREF& clrBack);
    // Asks the site (0x1010 up, 0x1011 down, the step times the direction after the record); unless it
    // answers, adds step x direction to the number in the field, snaps it to a multiple of step within
    // the int range, and reports 100.
    virtual void SpinStep(int nStep, int nDirection);

    // ---- CTkControl
    void SetRect(CRect rc) override;
    void SetEnabled(int nEnabled) override;
    void SetHideFlags(DWORD dwHideFlags) override;
    void SetParent(CTkCommandBar* pParent) override;
    BOOL SetSelected(int nSelected) override;
    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override { return m_bFocused; }
    BOOL TakesFocusOnTab() const override { return m_pEdit != nullptr; }
    void ActivateByKey() override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    int HandleFocusedKey(UINT nKey) override;
    void HandleMouseMove(CPoint pt) override;
    void HandleHoverDelay() override;
    void OnRemoved() override;
    void OnMetricsChanged() override { m_bLayoutStale = TRUE; }
    void OnActionChanged(int nProperty) override;
    void OnActionChanging(int nProperty) override;
    BOOL IsCaptionVisible() const override;
    BOOL IsSameAs(CTkControl* pOther) const override;
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;
    int GetCustomizeMinWidth() const override { return m_nLabelWidth + 10; }
    int CanCustomizeResize() const override { return 1; }
    void PrepareForLayout(DWORD dwLayoutMode) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;

    // ---- CTkControlField
    int GetLabelWidth() const override { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) override;
    int GetDropButtonWidth() const override { return 0; }
    void SetDropButtonWidth(int) override {}
    BOOL IsEditable() const override { return TRUE; }
    BOOL IsEditFocused() const override;
    BOOL IsDropped() const override { return FALSE; }
    CRect GetSpinButtonsRect() const override;
    void AddEditIconWidth(int& x) const override {}
    void DrawEditIcon(CDC* pDC, const CRect& rc) override {}
    void DrawFieldText(CDC* pDC, const CRect& rc) override;

protected:
    friend class CTkControlEditCtrl;

    void DestroyEditWindow();
    void ApplyTextFormat();
    BOOL IsHintShowing();
    void RemoveShownHint();
    void ShowHintIfEmpty();
    BOOL IsSpinnable() const { return GetEnabled() && !m_bReadOnly && m_bShowSpinButtons; }
    // The pressed-spin loop from a press at pt on the spin buttons.
    void TrackSpin(CPoint pt);

    CTkControlEditCtrl* m_pEdit = nullptr;  // owned
    BOOL m_bHasLabel = FALSE;
    BOOL m_bReadOnly = FALSE;
    int m_nLabelWidth = 0;
    BOOL m_bLayoutStale = FALSE;
    BOOL m_bRecreateEdit = FALSE;
    CString m_strEditHint;
    BOOL m_bFocused = FALSE;
    CString m_strSavedText;  // the text when the focus came, restored by Escape
    CString m_strText;
    BOOL m_bTextStale = TRUE;
    DWORD m_dwShellAutoCompleteFlags = 0;
    DWORD m_dwEditStyle = 0;
    BOOL m_bShowSpinButtons = FALSE;
};
