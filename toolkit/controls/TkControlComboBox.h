#pragma once
#include "TkControlField.h"
#include "TkControlPopup.h"

#include <memory>

// CTkControlComboBox: a combo box in a command bar (type 5): a field with an optional label, a drop-down
// button and a drop-down list. Its sub bar is a CTkControlComboBoxList, a popup bar whose window is a list
// box; the popup-open state is the drop-down state. When editable (DropDown) a CTkControlComboBoxEditCtrl
// lies over the field. It keeps the edit text, the selection, a grey hint for the empty field, type-ahead
// completion from the list and optional shell auto-completion, and tells the site what happens with the
// combo-box notification codes (CBN_*). UI thread.
//
// Focus: SetFocused(TRUE) raises the thread mouse manager's lock once, SetFocused(FALSE) lowers it once;
// removal and destruction drop the focus first so the lock never stays raised.

class CTkControlComboBoxAutoCompleteWnd;
class CTkControlComboBoxEditCtrl;
class CTkControlComboBoxList;

class CTkControlComboBox : public CTkControlPopup, public CTkControlField {
    DECLARE_SERIAL(CTkControlComboBox)
public:
    CTkControlComboBox();
    // Drops the focus, destroys the edit window and the auto-suggest tracker.
    ~CTkControlComboBox() override;

    // ---- Editable field
    // On: an edit window object, made at the next layout. Off: the edit window goes.
    void SetDropDown(BOOL bDropDown);
    BOOL GetDropDown() const { return m_pEdit != nullptr; }
    CTkControlComboBoxEditCtrl* GetEditCtrl() const { return m_pEdit.get(); }
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; }
    int GetComboStyle() const { return m_nComboStyle; }
    void SetComboStyle(int nStyle) { m_nComboStyle = nStyle; }

    // ---- List (forwarded to the list bar; the cached selection without one)
    CTkControlComboBoxList* GetList() const;
    int GetCurSel() const;
    // Nothing when unchanged; otherwise selects the row and runs the selection-changed step.
    void SetCurSel(int nIndex);
    int FindString(int nStart, LPCWSTR pszText) const;
    int FindStringExact(int nStart, LPCWSTR pszText) const;
    void SetTopIndex(int nIndex);
    // The row's text, however long; empty out of range.
    CString GetLBText(int nIndex) const;
    int GetCount() const;
    int AddString(LPCWSTR pszText);
    int DeleteString(int nIndex);
    void ResetContent();
    int GetDropDownItemCount() const { return m_nDropDownItemCount; }
    void SetDropDownItemCount(int nCount) { m_nDropDownItemCount = nCount; }

    // ---- Text
    // Re-read from the edit window when stale.
    CString GetEditText() const;
    // Changes the window text only when it differs, emptying it first under the setting-text switch so that
    // only the final change counts.
    void SetEditText(const CString& strText);
    CString GetEditHint() const;
    void SetEditHint(LPCWSTR pszHint);
    BOOL GetAutoComplete() const { return m_bAutoComplete; }
    void SetAutoComplete(BOOL bAutoComplete) { m_bAutoComplete = bAutoComplete; }
    int GetEditIconId() const { return m_nEditIconId; }
    void SetEditIconId(int nId) { m_nEditIconId = nId; }

    // ---- Shell auto-completion: flags for SHAutoComplete, 0 none. A missing library or entry point leaves
    // the combo without it.
    void SetShellAutoComplete(DWORD dwFlags);
    DWORD GetShellAutoCompleteFlags() const { return m_dwShellAutoCompleteFlags; }
    CTkControlComboBoxAutoCompleteWnd* GetAutoCompleteWnd() const { return m_pAutoComplete.get(); }

    // ---- Steps the edit window and the list run
    virtual void OnEditChanged();
    virtual void OnSelChanged();
    // hwndOld: the window that had the focus (NULL: none).
    virtual void OnEditFocusGained(HWND hwndOld);
    virtual void OnEditFocusLost();
    // The list's owner-drawn rows.
    virtual void DrawItem(LPDRAWITEMSTRUCT pDrawItem);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem);
    // The text colour of the edit window now (grey while it shows the hint or is disabled).
    virtual void UpdateEditTextFormat();
    BOOL IsComposing() const;
    // The last change was made by the list or by SetEditText.
    BOOL IsSettingText() const { return m_bSettingText; }
    void SetTextStale() { m_bTextStale = TRUE; }
    // The text of an edit window that goes, kept for the next one.
    void StoreEditText(const CString& strText);
    // The list selects the text's exact match, or scrolls the first row starting with it to the top.
    void SyncListFromText();
    // The drop-down or focus period ended with an accepted selection.
    BOOL IsExecuted() const { return m_bExecuted; }
    // The window the focus returns to.
    HWND GetFocusReturnWindow() const { return m_hwndFocusReturn; }

    // ---- CTkControlField
    int GetLabelWidth() const override { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) override;
    int GetDropButtonWidth() const override { return m_nDropButtonWidth; }
    void SetDropButtonWidth(int nWidth) override;
    BOOL IsEditable() const override { return m_pEdit != nullptr; }
    BOOL IsEditFocused() const override;
    BOOL IsDropped() const override { return m_bPopupOpen; }
    CRect GetSpinButtonsRect() const override { return CRect(); }
    void AddEditIconWidth(int& x) const override;
    void DrawEditIcon(CDC* pDC, const CRect& rc) override;
    void DrawFieldText(CDC* pDC, const CRect& rc) override;

    // ---- CTkControl and CTkControlPopup
    BOOL IsFocused() const override { return m_bFocused; }
    void SetFocused(BOOL bFocused) override;
    BOOL SetPopupOpen(BOOL bOpen) override;
    void Execute() override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    int HandleFocusedKey(UINT nKey) override;
    BOOL HandleMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void HandleMouseMove(CPoint pt) override;
    void SetRect(CRect rc) override;
    void SetEnabled(int nEnabled) override;
    BOOL SetSelected(int nSelected) override;
    void SetHideFlags(DWORD dwHideFlags) override;
    void SetParent(CTkCommandBar* pParent) override;
    void OnRemoved() override;
    BOOL IsCaptionVisible() const override;
    BOOL IsSameAs(CTkControl* pOther) const override;
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;
    void PrepareForLayout(DWORD dwLayoutMode) override;
    void OnMetricsChanged() override;
    int GetCustomizeMinWidth() const override;
    void OnActionChanged(int nProperty) override;
    void OnActionChanging(int nProperty) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;

protected:
    // The edit window: made as a child of the bar, placed over the field, shown with the control.
    virtual void CreateEditWindow();
    void DestroyEditWindow();
    void PlaceEditWindow();
    // The field is empty, unfocused and has a hint: the edit window shows the hint.
    BOOL ShowsHint() const;
    // The hint in or out of the edit window.
    void ShowHint(BOOL bShow);
    // Passes a key to the list box (type-ahead included); TRUE when the selection changed.
    BOOL ForwardKeyToList(UINT nKey);
    // The saved selection back without the selection-changed step (a cancelled choice).
    void RestoreSavedSelection();
    // The list's selection is the field's: its text, a repaint, CBN_SELCHANGE, the text selected.
    void OnListKeySelChanged();
    int GetEditIconWidth() const;

    std::unique_ptr<CTkControlComboBoxEditCtrl> m_pEdit;
    int m_nComboStyle = 0;
    int m_nSavedSelection = -1;
    CString m_strSavedText;
    BOOL m_bRecreateEdit = FALSE;
    BOOL m_bLayoutStale = FALSE;
    int m_nLabelWidth = 0;
    int m_nDropButtonWidth = 0;
    CString m_strEditHint;
    BOOL m_bAutoComplete = FALSE;
    BOOL m_bCompletionSuppressed = FALSE;
    DWORD m_dwShellAutoCompleteFlags = 0;
    BOOL m_bFocused = FALSE;
    int m_nEditIconId = 0;
    BOOL m_bExecuted = FALSE;
    int m_nDropDownItemCount = 12;
    mutable CString m_strEditText;
    mutable BOOL m_bTextStale = TRUE;
    std::unique_ptr<CTkControlComboBoxAutoCompleteWnd> m_pAutoComplete;
    DWORD m_dwEditStyle = 0;
    int m_nCachedSelection = -1;
    BOOL m_bSettingText = FALSE;
    BOOL m_bHintShown = FALSE;  // the edit window holds the hint, not text
    HWND m_hwndFocusReturn = nullptr;
    CRect m_rcEdit{0, 0, 0, 0};  // where the edit window was placed for
};
