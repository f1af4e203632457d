#pragma once
#include "TkPopupBar.h"

// CTkControlComboBoxPopupBar: a popup bar that serves as a combo box's drop-down (the gallery drop-down
// derives from it too).
//
// CTkControlComboBoxList: the combo box's list drop-down, a popup bar whose window is itself a list box
// ("LISTBOX"). Owner-drawn lists are made as children of the frame and then turned into popups, so the
// list box keeps the frame as the window its WM_DRAWITEM and WM_MEASUREITEM go to, and the frame reflects
// them back here; the combo draws the rows. Its bar position is 6 (not a drop target). UI thread.

class CTkControlComboBox;

class CTkControlComboBoxPopupBar : public CTkPopupBar {
    DECLARE_SERIAL(CTkControlComboBoxPopupBar)
public:
    CTkControlComboBoxPopupBar();
};

class CTkControlComboBoxList : public CTkControlComboBoxPopupBar {
    DECLARE_SERIAL(CTkControlComboBoxList)
public:
    // The position a combo list has: not a dock place, not a popup menu.
    static constexpr int kComboListPosition = 6;

    CTkControlComboBoxList();
    // A new list for a combo (one reference, the caller's), its window made at once; icons per row when
    // asked and ListIconId is set.
    static CTkControlComboBoxList* CreateComboBoxList(CTkCommandBars* pCommandBars, DWORD dwListStyle = 0,
                                                      BOOL bShowIcons = FALSE);

    // ---- The list box (raw list-box messages; nothing without a window)
    int GetCurSel() const;
    void SetCurSel(int nIndex);
    int GetCount() const;
    // The row's text sized by LB_GETTEXTLEN, however long; empty out of range.
    CString GetText(int nIndex) const;
    int AddString(LPCWSTR pszText);
    int DeleteString(int nIndex);
    void ResetContent();
    int FindString(int nStart, LPCWSTR pszText) const;
    int FindStringExact(int nStart, LPCWSTR pszText) const;
    void SetTopIndex(int nIndex);
    int GetItemHeight() const;

    int GetListIconId() const { return m_nListIconId; }
    void SetListIconId(int nId) { m_nListIconId = nId; }
    int GetListWidth() const { return m_nListWidth; }
    void SetListWidth(int nWidth) { m_nListWidth = nWidth; }
    DWORD GetListStyle() const { return m_dwListStyle; }
    BOOL IsOwnerDrawn() const { return (m_dwListStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    // The combo the list serves while shown, else NULL.
    CTkControlComboBox* GetComboBox() const { return m_pComboBox; }
    // The rows shown at once: min(DropDownItemCount, count), at least 1.
    static int GetVisibleRows(int nDropDownItemCount, int nCount);

    // ---- The popup bar's operations
    BOOL CreatePopupWindow() override;
    BOOL Popup(CTkControl* pControl, BOOL bSelectFirst) override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    int OnTrackingKeyDown(UINT nKey, LPARAM lParam) override;
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    void Copy(CTkCommandBar* pSource, BOOL bRecursive) override;
    void DoPropExchange(CTkPropExchange* pPX) override;
    // The list's size for the combo: (ListWidth or the combo's width) x (rows x row height + 4).
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;

protected:
    // The list box draws and handles itself: the bar's own handlers stay out.
    // Owner-drawn rows, reflected by the frame: the combo draws them.
    afx_msg void DrawItem(LPDRAWITEMSTRUCT pDrawItem);
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CTkControlComboBox* m_pComboBox = nullptr;  // not referenced; set while shown
    int m_nListWidth = 0;                       // 0: the combo's width
    DWORD m_dwListStyle = 0;
    BOOL m_bShowIcons = FALSE;
    int m_nListIconId = -1;
};
