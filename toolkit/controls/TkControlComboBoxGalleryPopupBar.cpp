#include "TkControlComboBoxGalleryPopupBar.h"

#include "TkCommandBarsDefs.h"
#include "TkControlComboBox.h"
#include "TkControlGallery.h"
#include "TkControls.h"

IMPLEMENT_SERIAL(CTkControlComboBoxGalleryPopupBar, CTkControlComboBoxPopupBar, VERSIONABLE_SCHEMA | 33)

BEGIN_MESSAGE_MAP(CTkControlComboBoxGalleryPopupBar, CTkControlComboBoxPopupBar)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

CTkControlComboBox* OwningCombo(const CTkPopupBar* pBar) {
    return DYNAMIC_DOWNCAST(CTkControlComboBox, pBar->GetControlPopup());
}

}  // namespace

CTkControlComboBoxGalleryPopupBar::CTkControlComboBoxGalleryPopupBar() = default;

CTkControlGallery* CTkControlComboBoxGalleryPopupBar::GetGallery() const {
    CTkControls* pControls = GetControls();
    if (pControls == nullptr || pControls->GetCount() == 0)
        return nullptr;
    return DYNAMIC_DOWNCAST(CTkControlGallery, pControls->GetAt(0));
}

int CTkControlComboBoxGalleryPopupBar::GetCurSel() const {
    CTkControlGallery* pGallery = GetGallery();
    return pGallery != nullptr ? pGallery->GetSelectedItem() : LB_ERR;
}

void CTkControlComboBoxGalleryPopupBar::SetCurSel(int nIndex) {
    if (CTkControlGallery* pGallery = GetGallery())
        pGallery->SetHotItemByKeyboard(nIndex);
}

int CTkControlComboBoxGalleryPopupBar::FindString(int nStart, LPCWSTR pszText) const {
    CTkControlGallery* pGallery = GetGallery();
    return pGallery != nullptr ? pGallery->FindItem(nStart, pszText, FALSE) : LB_ERR;
}

int CTkControlComboBoxGalleryPopupBar::FindStringExact(int nStart, LPCWSTR pszText) const {
    CTkControlGallery* pGallery = GetGallery();
    return pGallery != nullptr ? pGallery->FindItem(nStart, pszText, TRUE) : LB_ERR;
}

void CTkControlComboBoxGalleryPopupBar::SetTopIndex(int nIndex) {
    if (CTkControlGallery* pGallery = GetGallery())
        pGallery->ScrollToItem(nIndex);
}

CString CTkControlComboBoxGalleryPopupBar::GetLBText(int nIndex) const {
    CTkControlGallery* pGallery = GetGallery();
    return pGallery != nullptr ? pGallery->GetItemCaption(nIndex) : CString();
}

void CTkControlComboBoxGalleryPopupBar::OnLButtonUp(UINT nFlags, CPoint point) {
    CTkControlGallery* pGallery = GetGallery();
    CTkControlComboBox* pCombo = OwningCombo(this);
    CTkControls* pControls = GetControls();
    // A release anywhere over the gallery chooses, empty space included.
    if (pGallery != nullptr && pCombo != nullptr && pControls != nullptr && pControls->HitTest(point) == pGallery) {
        pCombo->OnSelChanged();
        pCombo->Execute();
        return;
    }
    CTkControlComboBoxPopupBar::OnLButtonUp(nFlags, point);
}

BOOL CTkControlComboBoxGalleryPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    // Closing forgets the owning control: it is taken first.
    CTkControlComboBox* pCombo = OwningCombo(this);
    CCmdTargetRef keepCombo(pCombo);
    if (!CTkControlComboBoxPopupBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (pCombo == nullptr)
        return TRUE;
    if (nMode == kTrackingNone) {
        pCombo->NotifySite(CBN_CLOSEUP);
        return TRUE;
    }
    // The gallery takes the keyboard selection, then the combo's text picks its item.
    SetSelected(0, 2);
    pCombo->SyncListFromText();
    pCombo->NotifySite(CBN_DROPDOWN);
    return TRUE;
}

int CTkControlComboBoxGalleryPopupBar::OnTrackingKeyDown(UINT nKey, LPARAM lParam) {
    CTkControlComboBox* pCombo = OwningCombo(this);
    if (pCombo == nullptr)
        return CTkControlComboBoxPopupBar::OnTrackingKeyDown(nKey, lParam);
    switch (nKey) {
        case VK_ESCAPE:
            // The focused combo closes its drop-down itself.
            return pCombo->IsFocused() ? 0 : CTkControlComboBoxPopupBar::OnTrackingKeyDown(nKey, lParam);
        case VK_TAB:
            return 0;
        case VK_RETURN: {
            CTkControlGallery* pGallery = GetGallery();
            if (pGallery != nullptr && GetSelectedIndex() == pGallery->GetIndex()) {
                pCombo->Execute();
                return 1;
            }
            break;
        }
        default:
            break;
    }
    // Navigation goes to the gallery through the bar; a changed item is the combo's new selection.
    const int nOld = GetCurSel();
    const int nResult = CTkControlComboBoxPopupBar::OnTrackingKeyDown(nKey, lParam);
    if (GetCurSel() != nOld)
        pCombo->OnSelChanged();
    return nResult;
}
