#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectComboBox: combo boxes ("ComboBox") let the control paint its text or selected item into
// the skin's buffer on the parent's background, then get the skin's frame and drop-down button from the
// skin class "COMBOBOX" in their state: hot under the mouse or while holding the capture, pressed only
// while the list is dropped and the left button is held, disabled. The button is on the right, on the left
// for right-aligned (WS_EX_RIGHT) combos. A simple combo (CBS_SIMPLE) gets only a border around its edit
// field. The system's own borders are taken off at creation.
//
// Runs on the thread that owns the control.

class CTkSkinObjectComboBox : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectComboBox)
public:
    CTkSkinObjectComboBox();

    // Read-only (its edit child is ES_READONLY) or disabled combos ask the parent as static texts.
    UINT GetCtlColorMessage() const override;
    // The whole control into the DC.
    virtual void DrawComboBox(CDC* pDC);
    // COMBOBOX part state: CBXS_DISABLED, CBXS_PRESSED (dropped with the button held), CBXS_HOT, CBXS_NORMAL.
    int GetComboState() const;
    BOOL IsHot() const { return m_bHot; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDefaultThenInvalidate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Hot under the mouse or while holding the capture.
    BOOL IsHotOrCapturing() const;

    BOOL m_bHot = FALSE;
    BOOL m_bPainting = FALSE;  // the control is painting into the skin's buffer

private:
    void DrawSimpleComboBox(CDC* pDC);
};
