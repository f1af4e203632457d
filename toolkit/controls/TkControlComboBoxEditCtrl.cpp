#include "TkControlComboBoxEditCtrl.h"

#include "TkCommandBar.h"
#include "TkCommandBarsDefs.h"
#include "TkControlComboBox.h"
#include "TkControlComboBoxList.h"

IMPLEMENT_DYNAMIC(CTkControlComboBoxEditCtrl, CTkEdit)

BEGIN_MESSAGE_MAP(CTkControlComboBoxEditCtrl, CTkEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_KEYDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_DESTROY()
    ON_MESSAGE(AutoSuggestShownMessage, OnAutoSuggestShown)
END_MESSAGE_MAP()

void CTkControlComboBoxEditCtrl::OnSetFocus(CWnd* pOldWnd) {
    CTkEdit::OnSetFocus(pOldWnd);
    m_pComboBox->OnEditFocusGained(pOldWnd != nullptr ? pOldWnd->GetSafeHwnd() : nullptr);
    // Caret home first so a long text shows its start, then everything selected once the focus settled.
    SetSel(0, 0);
    SendMessage(EM_SCROLLCARET);
    PostMessage(EM_SETSEL, 0, -1);
}

void CTkControlComboBoxEditCtrl::OnKillFocus(CWnd* pNewWnd) {
    CTkEdit::OnKillFocus(pNewWnd);
    m_pComboBox->OnEditFocusLost();
}

void CTkControlComboBoxEditCtrl::OnChange() {
    m_pComboBox->SetTextStale();
    if (::GetFocus() == m_hWnd && !IsSettingText() && !m_pComboBox->IsSettingText())
        m_pComboBox->OnEditChanged();
    SetMargins(0, 0);
    m_pComboBox->UpdateEditTextFormat();
}

void CTkControlComboBoxEditCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_RETURN && ::GetFocus() == m_hWnd) {
        m_pComboBox->Execute();
        return;
    }
    CTkEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTkControlComboBoxEditCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
    CTkCommandBar* pBar = m_pComboBox->GetParent();
    if (m_pComboBox->IsCustomizeMode() && pBar != nullptr) {
        // In customisation the field is part of the bar: the bar takes the click.
        MapWindowPoints(pBar, &point, 1);
        pBar->SendMessage(WM_RBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        return;
    }
    if (m_pComboBox->IsPopupOpen() && pBar != nullptr)
        pBar->ClearSelection();
    SetFocus();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    ShowContextMenu(ptScreen);
}

void CTkControlComboBoxEditCtrl::OnDestroy() {
    m_pComboBox->StoreEditText(GetEditText());
    CTkEdit::OnDestroy();
}

LRESULT CTkControlComboBoxEditCtrl::OnAutoSuggestShown(WPARAM, LPARAM) {
    // The shell's suggestions replace the combo's own list.
    if (CTkControlComboBoxList* pList = m_pComboBox->GetList(); pList != nullptr && m_pComboBox->IsPopupOpen())
        pList->SetTrackingMode(kTrackingNone);
    return 0;
}
