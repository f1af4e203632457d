#pragma once
#include "TkEdit.h"

// CTkControlComboBoxEditCtrl: the edit window over an editable combo box's field. It tells the combo of
// focus changes and typed changes, executes the combo on Enter, and keeps its text in the combo when it
// goes. UI thread.

class CTkControlComboBox;

class CTkControlComboBoxEditCtrl : public CTkEdit {
    DECLARE_DYNAMIC(CTkControlComboBoxEditCtrl)
public:
    explicit CTkControlComboBoxEditCtrl(CTkControlComboBox* pComboBox) : m_pComboBox(pComboBox) {}

    CTkControlComboBox* GetComboBox() const { return m_pComboBox; }

protected:
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChange();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnAutoSuggestShown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CTkControlComboBox* m_pComboBox;  // the owner
};
