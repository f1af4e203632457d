#pragma once
#include "TkControlComboBoxList.h"

class CTkControlGallery;

// CTkControlComboBoxGalleryPopupBar: a combo box's drop-down that shows a gallery (its control 0) instead
// of a list box. The gallery answers the combo's list operations, and choosing an item in it executes the
// combo. Built with its gallery in place before use; without one the list operations answer -1, do
// nothing or answer an empty text. UI thread only.
class CTkControlComboBoxGalleryPopupBar : public CTkControlComboBoxPopupBar {
    DECLARE_SERIAL(CTkControlComboBoxGalleryPopupBar)
public:
    CTkControlComboBoxGalleryPopupBar();

    // Control 0 when it is a gallery, else NULL.
    CTkControlGallery* GetGallery() const;

    int GetCurSel() const override;
    void SetCurSel(int nIndex) override;
    int FindString(int nStart, LPCWSTR pszText) const override;
    int FindStringExact(int nStart, LPCWSTR pszText) const override;
    void SetTopIndex(int nIndex) override;
    CString GetLBText(int nIndex) const override;

    // Opening highlights the combo's item by keyboard and sends CBN_DROPDOWN; closing sends CBN_CLOSEUP.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    int OnTrackingKeyDown(UINT nKey, LPARAM lParam) override;

protected:
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
