#include "TkControlComboBox.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControlAction.h"
#include "TkControlComboBoxAutoCompleteWnd.h"
#include "TkControlComboBoxEditCtrl.h"
#include "TkControlComboBoxList.h"
#include "TkControls.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"

namespace {

// Colour-table slots of the field.
constexpr int kFocusedFieldColor = COLOR_HIGHLIGHT;
constexpr int kFocusedTextColor = COLOR_HIGHLIGHTTEXT;
constexpr int kTextColor = COLOR_WINDOWTEXT;
constexpr int kGrayTextColor = COLOR_GRAYTEXT;
// The edit window's inset in the field, and the gap after the edit icon.
constexpr int kEditInsetLeft = 4;
constexpr int kEditInset = 3;
constexpr int kEditIconGap = 2;
// SHAutoComplete's flag that makes Tab move through the suggestions.
constexpr DWORD kShellAutoCompleteUseTab = 0x8;
// The selected states of a combo whose drop-down button is hot, and of the plain selected combo.
constexpr int kSelectedButtonHot = 5;
constexpr int kSelectedPlain = 1;
constexpr UINT kFieldTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

BOOL IsKeyDown(int nKey) {
    return ::GetKeyState(nKey) < 0;
}

}  // namespace

IMPLEMENT_SERIAL(CTkControlComboBox, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

CTkControlComboBox::CTkControlComboBox() {
    m_nType = kControlComboBox;
    m_nWidth = 100;
    CTkControlComboBoxList* pList = CTkControlComboBoxList::CreateComboBoxList(nullptr);
    SetCommandBar(pList);
    pList->InternalRelease();
}

CTkControlComboBox::~CTkControlComboBox() {
    // A focused combo holds the mouse manager's lock: it must not go with it.
    SetFocused(FALSE);
    m_pAutoComplete.reset();
    DestroyEditWindow();
}

// ---- Editable field

void CTkControlComboBox::SetDropDown(BOOL bDropDown) {
    if (bDropDown == (m_pEdit != nullptr))
        return;
    if (bDropDown) {
        m_pEdit = std::make_unique<CTkControlComboBoxEditCtrl>(this);
    } else {
        DestroyEditWindow();
        m_pEdit.reset();
    }
    DelayLayoutParent();
}

void CTkControlComboBox::CreateEditWindow() {
    if (m_pEdit == nullptr || m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return;
    const DWORD dwStyle = m_dwEditStyle | WS_CHILD | ES_AUTOHSCROLL | (GetEnabled() ? 0 : WS_DISABLED);
    if (!m_pEdit->CreateEdit(dwStyle, CRect(0, 0, 0, 0), m_pParent, 0))
        return;
    if (m_dwShellAutoCompleteFlags != 0)
        SetShellAutoComplete(m_dwShellAutoCompleteFlags);
    if (CTkPaintManager* pPaintManager = GetPaintManager())
        m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pPaintManager->m_fntIconTitle.GetSafeHandle()));
    m_pEdit->SetMargins(0, 0);
    m_pEdit->SetEditText(m_strEditText);
    m_bTextStale = FALSE;
    ShowHint(ShowsHint());
    UpdateEditTextFormat();
    m_pEdit->SetOpaquePaint(IsInGlassCaption());
}

void CTkControlComboBox::DestroyEditWindow() {
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr)
        return;
    // The tracker serves this window only.
    m_pAutoComplete.reset();
    m_pEdit->DestroyWindow();
    m_bHintShown = FALSE;
    m_bTextStale = FALSE;
}

void CTkControlComboBox::PlaceEditWindow() {
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr)
        return;
    const CRect rc = m_rcControl;
    const int nLeft = rc.left + m_nLabelWidth + kEditInsetLeft + GetEditIconWidth();
    m_pEdit->SetWindowPos(nullptr, nLeft, rc.top + kEditInset, rc.right - m_nDropButtonWidth - kEditInset - nLeft,
                          rc.Height() - 2 * kEditInset, SWP_NOZORDER | SWP_NOACTIVATE);
}

int CTkControlComboBox::GetEditIconWidth() const {
    int x = 0;
    AddEditIconWidth(x);
    return x;
}

void CTkControlComboBox::SetRect(CRect rc) {
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr &&
        (m_bRecreateEdit || m_pParent == nullptr || ::GetParent(m_pEdit->m_hWnd) != m_pParent->GetSafeHwnd() ||
         (m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL))) {
        DestroyEditWindow();
    }
    m_bRecreateEdit = FALSE;
    const BOOL bMissing = m_pEdit != nullptr && m_pEdit->GetSafeHwnd() == nullptr;
    if (rc != m_rcControl || m_bLayoutStale || bMissing) {
        CTkControlPopup::SetRect(rc);
        if (bMissing)
            CreateEditWindow();
        PlaceEditWindow();
        m_bLayoutStale = FALSE;
    }
    if (m_pEdit != nullptr)
        m_pEdit->FollowControlVisibility(*this);
}

void CTkControlComboBox::SetHideFlags(DWORD dwHideFlags) {
    CTkControlPopup::SetHideFlags(dwHideFlags);
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && !IsVisible())
        m_pEdit->ShowWindow(SW_HIDE);
}

void CTkControlComboBox::SetParent(CTkCommandBar* pParent) {
    CTkControlPopup::SetParent(pParent);
    if (pParent == nullptr) {
        DestroyEditWindow();
        return;
    }
    // The list belongs to the new bar's hub and frame.
    CTkControlComboBoxList* pList = GetList();
    if (pList == nullptr)
        return;
    if (pParent->GetCommandBars() != nullptr)
        pList->SetCommandBars(pParent->GetCommandBars());
    CWnd* pSite = pParent->GetSite();
    if (pList->GetSafeHwnd() != nullptr && pSite != nullptr)
        ::SetWindowLongPtrW(pList->m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pSite->GetSafeHwnd()));
}

void CTkControlComboBox::OnRemoved() {
    SetFocused(FALSE);
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        m_pEdit->ShowWindow(SW_HIDE);
        if (m_pControls == nullptr)
            DestroyEditWindow();
    }
    CTkControlPopup::OnRemoved();
}

void CTkControlComboBox::SetEnabled(int nEnabled) {
    CTkControlPopup::SetEnabled(nEnabled);
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        m_pEdit->EnableWindow(GetEnabled() != 0);
        UpdateEditTextFormat();
    }
}

void CTkControlComboBox::UpdateEditTextFormat() {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr || pPaintManager == nullptr)
        return;
    const BOOL bNormal = GetEnabled() && !m_bHintShown;
    m_pEdit->SetTextFormat(pPaintManager->LookupColor(bNormal ? kTextColor : kGrayTextColor),
                           pPaintManager->GetEditBackColor(this));
}

BOOL CTkControlComboBox::IsComposing() const {
    return m_pEdit != nullptr && m_pEdit->IsComposing();
}

// ---- List

CTkControlComboBoxList* CTkControlComboBox::GetList() const {
    return DYNAMIC_DOWNCAST(CTkControlComboBoxList, m_pCommandBar);
}

CTkControlComboBoxPopupBar* CTkControlComboBox::GetDropDownBar() const {
    return DYNAMIC_DOWNCAST(CTkControlComboBoxPopupBar, m_pCommandBar);
}

int CTkControlComboBox::GetCurSel() const {
    CTkControlComboBoxPopupBar* pList = GetDropDownBar();
    return pList != nullptr ? pList->GetCurSel() : m_nCachedSelection;
}

void CTkControlComboBox::SetCurSel(int nIndex) {
    if (nIndex == GetCurSel())
        return;
    m_nCachedSelection = nIndex;
    if (CTkControlComboBoxPopupBar* pList = GetDropDownBar())
        pList->SetCurSel(nIndex);
    OnSelChanged();
}

void CTkControlComboBox::RestoreSavedSelection() {
    m_nCachedSelection = m_nSavedSelection;
    if (CTkControlComboBoxPopupBar* pList = GetDropDownBar())
        pList->SetCurSel(m_nSavedSelection);
}

int CTkControlComboBox::FindString(int nStart, LPCWSTR pszText) const {
    CTkControlComboBoxPopupBar* pList = GetDropDownBar();
    return pList != nullptr ? pList->FindString(nStart, pszText) : LB_ERR;
}

int CTkControlComboBox::FindStringExact(int nStart, LPCWSTR pszText) const {
    CTkControlComboBoxPopupBar* pList = GetDropDownBar();
    return pList != nullptr ? pList->FindStringExact(nStart, pszText) : LB_ERR;
}

void CTkControlComboBox::SetTopIndex(int nIndex) {
    if (CTkControlComboBoxPopupBar* pList = GetDropDownBar())
        pList->SetTopIndex(nIndex);
}

CString CTkControlComboBox::GetLBText(int nIndex) const {
    CTkControlComboBoxPopupBar* pList = GetDropDownBar();
    return pList != nullptr ? pList->GetLBText(nIndex) : CString();
}

int CTkControlComboBox::GetCount() const {
    CTkControlComboBoxList* pList = GetList();
    return pList != nullptr ? pList->GetCount() : 0;
}

int CTkControlComboBox::AddString(LPCWSTR pszText) {
    CTkControlComboBoxList* pList = GetList();
    return pList != nullptr ? pList->AddString(pszText) : LB_ERR;
}

int CTkControlComboBox::DeleteString(int nIndex) {
    CTkControlComboBoxList* pList = GetList();
    return pList != nullptr ? pList->DeleteString(nIndex) : LB_ERR;
}

void CTkControlComboBox::ResetContent() {
    if (CTkControlComboBoxList* pList = GetList())
        pList->ResetContent();
}

// ---- Text

CString CTkControlComboBox::GetEditText() const {
    if (m_bHintShown)
        return CString();
    if (m_bTextStale && m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        m_strEditText = m_pEdit->GetEditText();
        m_bTextStale = FALSE;
    }
    return m_strEditText;
}

void CTkControlComboBox::SetEditText(const CString& strText) {
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        if (m_bHintShown) {
            m_bHintShown = FALSE;
            m_pEdit->SetEditText(L"");
            UpdateEditTextFormat();
        }
        if (m_pEdit->GetEditText() != strText) {
            // Emptied quietly first, so only the final text counts as the change.
            m_pEdit->SetEditText(L"");
            m_pEdit->SetWindowText(strText);
        }
    }
    m_strEditText = strText;
    m_bTextStale = FALSE;
    if (strText.IsEmpty() && ShowsHint())
        ShowHint(TRUE);
}

void CTkControlComboBox::StoreEditText(const CString& strText) {
    if (!m_bHintShown)
        m_strEditText = strText;
    m_bTextStale = FALSE;
}

CString CTkControlComboBox::GetEditHint() const {
    if (!m_strEditHint.IsEmpty() || m_pAction == nullptr)
        return m_strEditHint;
    return m_pAction->GetEditHint();
}

void CTkControlComboBox::SetEditHint(LPCWSTR pszHint) {
    ShowHint(FALSE);
    m_strEditHint = pszHint;
    ShowHint(ShowsHint());
    RedrawParent(FALSE);
}

BOOL CTkControlComboBox::ShowsHint() const {
    return !m_bFocused && !IsEditFocused() && GetEditText().IsEmpty() && !GetEditHint().IsEmpty();
}

void CTkControlComboBox::ShowHint(BOOL bShow) {
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr || bShow == m_bHintShown)
        return;
    if (bShow) {
        const CString strHint = GetEditHint();
        if (strHint.IsEmpty() || !GetEditText().IsEmpty())
            return;
        m_bHintShown = TRUE;
        m_pEdit->SetEditText(strHint);
    } else {
        m_bHintShown = FALSE;
        m_pEdit->SetEditText(L"");
        m_strEditText.Empty();
        m_bTextStale = FALSE;
    }
    UpdateEditTextFormat();
}

void CTkControlComboBox::SyncListFromText() {
    CTkControlComboBoxPopupBar* pList = GetDropDownBar();
    if (pList == nullptr || m_bSettingText)
        return;
    const CString strText = GetEditText();
    const int nExact = pList->FindStringExact(-1, strText);
    if (nExact != LB_ERR) {
        pList->SetCurSel(nExact);
        return;
    }
    const int nPrefix = strText.IsEmpty() ? LB_ERR : pList->FindString(-1, strText);
    if (nPrefix != LB_ERR)
        pList->SetTopIndex(nPrefix);
    pList->SetCurSel(-1);
}

void CTkControlComboBox::OnEditChanged() {
    const BOOL bSuppressed = m_bCompletionSuppressed;
    m_bCompletionSuppressed = FALSE;
    const CString strText = GetEditText();
    if (m_bAutoComplete && !bSuppressed && !strText.IsEmpty() && m_pEdit != nullptr) {
        int nStart = 0;
        int nEnd = 0;
        m_pEdit->GetSel(nStart, nEnd);
        const int nRow = nStart == nEnd && nEnd == strText.GetLength() ? FindString(-1, strText) : LB_ERR;
        const CString strRow = nRow != LB_ERR ? GetLBText(nRow) : CString();
        if (strRow.GetLength() > strText.GetLength()) {
            m_bSettingText = TRUE;
            SetEditText(strRow);
            m_bSettingText = FALSE;
            m_pEdit->SetSel(strText.GetLength(), strRow.GetLength());
            m_pEdit->SendMessage(EM_SCROLLCARET);
        }
    }
    SyncListFromText();
    NotifySite(CBN_EDITCHANGE);
}

void CTkControlComboBox::OnSelChanged() {
    const int nIndex = GetCurSel();
    m_bSettingText = TRUE;
    if (nIndex != LB_ERR)
        SetEditText(GetLBText(nIndex));
    m_bSettingText = FALSE;
    RedrawParent(FALSE);
    NotifySite(CBN_SELCHANGE);
}

void CTkControlComboBox::OnListKeySelChanged() {
    OnSelChanged();
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
        m_pEdit->SetSel(0, -1);
}

// ---- Shell auto-completion

void CTkControlComboBox::SetShellAutoComplete(DWORD dwFlags) {
    m_dwShellAutoCompleteFlags = dwFlags;
    m_pAutoComplete.reset();
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr || dwFlags == 0)
        return;
    m_pAutoComplete = AttachShellAutoComplete(m_pEdit->m_hWnd, dwFlags);
}

// ---- Focus

BOOL CTkControlComboBox::IsEditFocused() const {
    return m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && ::GetFocus() == m_pEdit->m_hWnd;
}

void CTkControlComboBox::SetFocused(BOOL bFocused) {
    if (m_bFocused == bFocused)
        return;
    m_bFocused = bFocused;
    CTkMouseManager* pMouseManager = CreateMouseManager();
    if (bFocused) {
        m_nSavedSelection = GetCurSel();
        m_bExecuted = FALSE;
        if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && !IsEditFocused())
            m_pEdit->SetFocus();
        if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) {
            m_pParent->SetTrackingMode(kTrackingMenu, FALSE, FALSE);
            m_pParent->SetSelected(m_nIndex, kSelectByMouse);
        }
        ++pMouseManager->m_nLock;
        NotifySite(CBN_SETFOCUS);
    } else {
        if (!IsEditable() && !m_bExecuted && !m_bPopupOpen) {
            RestoreSavedSelection();
            NotifySite(CBN_SELENDCANCEL);
        }
        if (IsEditFocused()) {
            HWND hwndReturn = ::IsWindow(m_hwndFocusReturn) ? m_hwndFocusReturn : nullptr;
            if (hwndReturn == nullptr && m_pParent != nullptr && m_pParent->GetSite() != nullptr)
                hwndReturn = m_pParent->GetSite()->GetSafeHwnd();
            ::SetFocus(hwndReturn);
        }
        --pMouseManager->m_nLock;
        NotifySite(CBN_KILLFOCUS);
    }
    RedrawParent(FALSE);
}

void CTkControlComboBox::OnEditFocusGained(HWND hwndOld) {
    ShowHint(FALSE);
    m_strSavedText = GetEditText();
    m_bCompletionSuppressed = TRUE;
    SyncListFromText();
    m_hwndFocusReturn = hwndOld;
    if (m_hwndFocusReturn == nullptr && m_pParent != nullptr && m_pParent->GetSite() != nullptr)
        m_hwndFocusReturn = m_pParent->GetSite()->GetSafeHwnd();
    if (!m_bFocused) {
        if (!m_bPopupOpen && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
            m_pParent->ClearSelection();
        SetFocused(TRUE);
    }
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->Activate();
}

void CTkControlComboBox::OnEditFocusLost() {
    SetFocused(FALSE);
    ShowHint(ShowsHint());
    if (m_bPopupOpen) {
        if (CTkControlComboBoxList* pList = GetList())
            pList->SetTrackingMode(kTrackingNone);
    }
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->Deactivate();
}

// ---- Drop-down, clicks and keys

BOOL CTkControlComboBox::SetPopupOpen(BOOL bOpen) {
    if (bOpen) {
        m_bExecuted = FALSE;
        m_nSavedSelection = GetCurSel();
        if (m_pAutoComplete != nullptr)
            m_pAutoComplete->HideSuggestionWindow();
        if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && !IsEditFocused())
            m_pEdit->SetFocus();
        return CTkControlPopup::SetPopupOpen(TRUE);
    }
    if (m_bPopupOpen) {
        if (!IsEditable() && !m_bFocused && !m_bExecuted)
            RestoreSavedSelection();
        if (!m_bExecuted)
            NotifySite(CBN_SELENDCANCEL);
    }
    return CTkControlPopup::SetPopupOpen(FALSE);
}

void CTkControlComboBox::Execute() {
    if (GetCurSel() != LB_ERR && (m_bPopupOpen || IsEditFocused()))
        NotifySite(CBN_SELENDOK);
    m_bExecuted = TRUE;
    m_nSavedSelection = GetCurSel();
    CTkControlPopup::Execute();
}

void CTkControlComboBox::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (IsComposing())
        return;
    if (IsCustomizeMode()) {
        StartCustomizeDrag(pt);
        return;
    }
    if (bKeyboard) {
        if (!GetEnabled())
            return;
        if (m_bFocused)
            Execute();
        else
            SetFocused(TRUE);
        return;
    }
    if (m_bPopupOpen && m_bFocused && m_pParent != nullptr) {
        m_pParent->ClearSelection();
        return;
    }
    CTkControlPopup::HandleClick(bKeyboard, pt);
}

void CTkControlComboBox::HandleMouseMove(CPoint pt) {
    CTkControlPopup::HandleMouseMove(pt);
    if (!GetEnabled() || m_nSelected == 0)
        return;
    const BOOL bOverButton = m_rcControl.PtInRect(pt) && pt.x >= m_rcControl.right - m_nDropButtonWidth;
    const int nSelected = bOverButton ? kSelectedButtonHot : kSelectedPlain;
    if ((m_nSelected == kSelectedButtonHot) != bOverButton) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

BOOL CTkControlComboBox::SetSelected(int nSelected) {
    const BOOL bChanged = CTkControlPopup::SetSelected(nSelected);
    if (nSelected == 0 && m_bFocused)
        SetFocused(FALSE);
    return bChanged;
}

BOOL CTkControlComboBox::ForwardKeyToList(UINT nKey) {
    CTkControlComboBoxList* pList = GetList();
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return FALSE;
    const int nOld = pList->GetCurSel();
    pList->SendMessage(WM_KEYDOWN, nKey);
    // Type-ahead: the character the key types follows, as the message loop would have made it.
    const UINT nChar = ::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR);
    if (nChar >= L' ' && !(nChar & 0x80000000))
        pList->SendMessage(WM_CHAR,
                           IsKeyDown(VK_SHIFT) ? nChar : static_cast<UINT>(towlower(static_cast<wint_t>(nChar))));
    return pList->GetCurSel() != nOld;
}

int CTkControlComboBox::HandleFocusedKey(UINT nKey) {
    const BOOL bAlt = IsKeyDown(VK_MENU);
    const BOOL bCtrl = IsKeyDown(VK_CONTROL);
    if (nKey == VK_DELETE || nKey == VK_BACK)
        m_bCompletionSuppressed = TRUE;
    if (IsComposing())
        return kHookStop;
    switch (nKey) {
        case VK_TAB:
            return m_pAutoComplete != nullptr && (m_dwShellAutoCompleteFlags & kShellAutoCompleteUseTab)
                       ? kHookStop
                       : kHookNotHandled;
        case VK_RETURN:
            return kHookNotHandled;
        case VK_ESCAPE: {
            CCmdTargetRef keepAlive(this);
            if (m_bPopupOpen) {
                if (CTkControlComboBoxList* pList = GetList())
                    pList->SetTrackingMode(kTrackingNone);
            }
            RestoreSavedSelection();
            m_bSettingText = TRUE;
            SetEditText(m_strSavedText);
            m_bSettingText = FALSE;
            // The saved selection is the one of the drop-down's opening; the list follows the restored text.
            if (IsEditable())
                SyncListFromText();
            SetFocused(FALSE);
            return m_pParent != nullptr && m_pParent->GetPosition() == kBarPopup ? kHookHandled : kHookNotHandled;
        }
        default:
            break;
    }
    if (bAlt && !bCtrl && IsEditable() && nKey != VK_UP && nKey != VK_DOWN) {
        CTkCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != nullptr && pCommandBars->ActivateByMnemonic(nKey))
            return kHookHandled;
    }
    if ((bAlt && (nKey == VK_UP || nKey == VK_DOWN)) || (nKey == VK_F4 && !bAlt)) {
        if (m_pParent != nullptr)
            m_pParent->PopupControl(m_bPopupOpen ? -1 : m_nIndex, TRUE);
        return kHookHandled;
    }
    const BOOL bListKey = nKey == VK_PRIOR || nKey == VK_NEXT || nKey == VK_UP || nKey == VK_DOWN;
    // The shell's suggestions take their navigation keys through the tracker.
    if (bListKey && !bAlt && m_pAutoComplete != nullptr && m_pAutoComplete->GetSuggestionWindow() != nullptr)
        return kHookStop;
    if (!IsEditable() || (bListKey && !bAlt)) {
        if (ForwardKeyToList(nKey))
            OnListKeySelChanged();
        return kHookHandled;
    }
    // The edit's own keys (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z, Backspace, Page Up to Delete) and typing.
    return kHookStop;
}

BOOL CTkControlComboBox::HandleMouseWheel(UINT, short zDelta, CPoint) {
    if (!m_bFocused || GetList() == nullptr ||
        (m_pAutoComplete != nullptr && m_pAutoComplete->GetSuggestionWindow() != nullptr))
        return FALSE;
    if (ForwardKeyToList(zDelta < 0 ? VK_DOWN : VK_UP))
        OnListKeySelChanged();
    return TRUE;
}

// ---- Measuring and drawing

void CTkControlComboBox::SetLabelWidth(int nWidth) {
    if (nWidth != m_nLabelWidth)
        m_bLayoutStale = TRUE;
    m_nLabelWidth = nWidth;
}

void CTkControlComboBox::SetDropButtonWidth(int nWidth) {
    if (nWidth != m_nDropButtonWidth)
        m_bLayoutStale = TRUE;
    m_nDropButtonWidth = nWidth;
}

void CTkControlComboBox::AddEditIconWidth(int& x) const {
    if (m_nEditIconId <= 0)
        return;
    CTkImageManager* pImageManager = GetImageManager();
    CTkImageManagerIcon* pIcon =
        pImageManager != nullptr ? pImageManager->GetIcon(static_cast<UINT>(m_nEditIconId), 0) : nullptr;
    if (pIcon != nullptr)
        x += pIcon->GetNormalImageSize().cx + kEditIconGap;
}

void CTkControlComboBox::DrawEditIcon(CDC* pDC, const CRect& rc) {
    if (m_nEditIconId <= 0)
        return;
    CTkImageManager* pImageManager = GetImageManager();
    CTkImageManagerIcon* pIcon =
        pImageManager != nullptr ? pImageManager->GetIcon(static_cast<UINT>(m_nEditIconId), 0) : nullptr;
    if (pIcon == nullptr)
        return;
    const CSize size = pIcon->GetNormalImageSize();
    pIcon->Draw(pDC, rc.left, rc.top + (rc.Height() - size.cy) / 2,
                GetEnabled() ? pIcon->GetNormalImage() : pIcon->GetDisabledImage());
}

void CTkControlComboBox::DrawFieldText(CDC* pDC, const CRect& rc) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return;
    const BOOL bEnabled = GetEnabled() != 0;
    if (!IsEditable() && bEnabled && m_bFocused)
        pDC->FillSolidRect(CRect(rc.left - 1, rc.top + 1, rc.right - 1, rc.bottom - 1),
                           pPaintManager->LookupColor(kFocusedFieldColor));
    CRect rcText = rc;
    const int nIconWidth = GetEditIconWidth();
    if (nIconWidth > 0) {
        DrawEditIcon(pDC, rc);
        rcText.left += nIconWidth;
    }
    if (IsEditable())
        return;
    CString strText;
    int nColor = kTextColor;
    const int nSelection = GetCurSel();
    if (nSelection != LB_ERR) {
        strText = GetLBText(nSelection);
        nColor = m_bFocused ? kFocusedTextColor : bEnabled ? kTextColor : kGrayTextColor;
    } else if (!bEnabled || !m_bFocused) {
        strText = GetEditHint();
        nColor = kGrayTextColor;
    }
    if (strText.IsEmpty())
        return;
    pDC->SetTextColor(pPaintManager->LookupColor(nColor));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, rcText, kFieldTextFormat);
    pDC->SetBkMode(nOldMode);
}

void CTkControlComboBox::DrawItem(LPDRAWITEMSTRUCT pDrawItem) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    CTkControlComboBoxList* pList = GetList();
    if (pPaintManager == nullptr || pList == nullptr || pDrawItem->itemID == static_cast<UINT>(-1))
        return;
    CDC* pDC = CDC::FromHandle(pDrawItem->hDC);
    CRect rc(pDrawItem->rcItem);
    const BOOL bSelected = (pDrawItem->itemState & ODS_SELECTED) != 0;
    if (bSelected)
        pPaintManager->PaintStateRectangle(pDC, rc, TRUE, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup);
    else
        pDC->FillSolidRect(rc, pPaintManager->LookupColor(COLOR_WINDOW));
    rc.left += 3;
    if (pList->GetListIconId() != -1) {
        CTkImageManager* pImageManager = GetImageManager();
        const UINT nIconId = static_cast<UINT>(pList->GetListIconId() + static_cast<int>(pDrawItem->itemID));
        if (CTkImageManagerIcon* pIcon = pImageManager != nullptr ? pImageManager->GetIcon(nIconId, 0) : nullptr) {
            const CSize size = pIcon->GetNormalImageSize();
            pIcon->Draw(pDC, rc.left, rc.top + (rc.Height() - size.cy) / 2,
                        bSelected ? pIcon->GetHotImage() : pIcon->GetNormalImage());
            rc.left += size.cx + 3;
        }
    }
    CFont* pOldFont = pDC->SelectObject(&pPaintManager->m_fntIconTitle);
    pDC->SetTextColor(pPaintManager->GetStateTextColor(bSelected, FALSE, TRUE, FALSE, FALSE, kBarTypePopup, kBarPopup));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pList->GetText(static_cast<int>(pDrawItem->itemID)), rc, kFieldTextFormat);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CTkControlComboBox::MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return;
    CClientDC dc(nullptr);
    CFont* pOldFont = dc.SelectObject(&pPaintManager->m_fntIconTitle);
    pMeasureItem->itemHeight = static_cast<UINT>(dc.GetTextExtent(L" ", 1).cy + 2);
    dc.SelectObject(pOldFont);
}

BOOL CTkControlComboBox::IsCaptionVisible() const {
    if (m_pParent != nullptr && m_pParent->GetType() == kBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    const int nStyle = GetStyle();
    if (nStyle == kButtonCaption || nStyle == kButtonIconAndCaption || nStyle == kButtonIconAndCaptionBelow)
        return TRUE;
    return m_nComboStyle == 1;
}

int CTkControlComboBox::GetCustomizeMinWidth() const {
    return m_nDropButtonWidth + m_nLabelWidth + 5;
}

void CTkControlComboBox::PrepareForLayout(DWORD dwLayoutMode) {
    // A field does not fit across a vertical bar.
    const BOOL bVertical =
        m_pParent != nullptr && (m_pParent->GetPosition() == kBarLeft || m_pParent->GetPosition() == kBarRight);
    const DWORD dwHide = bVertical ? (m_dwHideFlags | kHideVertical) : (m_dwHideFlags & ~kHideVertical);
    if (dwHide != m_dwHideFlags)
        SetHideFlags(dwHide);
    CTkControlPopup::PrepareForLayout(dwLayoutMode);
}

void CTkControlComboBox::OnMetricsChanged() {
    CTkControlPopup::OnMetricsChanged();
    m_bLayoutStale = TRUE;
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        if (CTkPaintManager* pPaintManager = GetPaintManager())
            m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pPaintManager->m_fntIconTitle.GetSafeHandle()));
    }
}

void CTkControlComboBox::OnActionChanging(int nProperty) {
    CTkControlPopup::OnActionChanging(nProperty);
    if (nProperty == kActionPropertyEditHint)
        ShowHint(FALSE);
}

void CTkControlComboBox::OnActionChanged(int nProperty) {
    CTkControlPopup::OnActionChanged(nProperty);
    if (nProperty == kActionPropertyEditHint) {
        ShowHint(ShowsHint());
        RedrawParent(FALSE);
    }
    if (nProperty == kActionPropertyEnabled)
        SetEnabled(m_nEnabled);
}

// ---- Copies and saving

BOOL CTkControlComboBox::IsSameAs(CTkControl* pOther) const {
    return DYNAMIC_DOWNCAST(CTkControlComboBox, pOther) != nullptr && CTkControlPopup::IsSameAs(pOther);
}

void CTkControlComboBox::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    if (auto* pCombo = DYNAMIC_DOWNCAST(CTkControlComboBox, pSource)) {
        m_dwEditStyle = pCombo->m_dwEditStyle;
        m_nComboStyle = pCombo->m_nComboStyle;
        SetEditText(pCombo->GetEditText());
        m_strEditHint = pCombo->m_strEditHint;
        SetDropDown(pCombo->GetDropDown());
        m_bAutoComplete = pCombo->m_bAutoComplete;
        SetShellAutoComplete(pCombo->m_dwShellAutoCompleteFlags);
        m_nEditIconId = pCombo->m_nEditIconId;
        m_nDropDownItemCount = pCombo->m_nDropDownItemCount;
        // The sub bar is the combo's own list: its rows are copied, never shared.
        CTkControlComboBoxList* pList = GetList();
        CTkControlComboBoxList* pSourceList = pCombo->GetList();
        const BOOL bKeepList = pList != nullptr && pSourceList != nullptr;
        if (bKeepList)
            pList->InternalAddRef();
        CTkControlPopup::CopyFrom(pSource, FALSE);
        if (bKeepList) {
            SetCommandBar(pList);
            pList->InternalRelease();
            pList->Copy(pSourceList, bRecursive);
        }
        return;
    }
    CTkControlPopup::CopyFrom(pSource, bRecursive);
}

void CTkControlComboBox::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControlPopup::ExchangeProperties(pPX);
    BOOL bDropDown = GetDropDown();
    ExchangeBool(pPX, L"DropDown", bDropDown, TRUE);
    ExchangeInt(pPX, L"Width", m_nWidth, 0);
    ExchangeInt(pPX, L"ComboStyle", m_nComboStyle, 0);
    int nShellFlags = static_cast<int>(m_dwShellAutoCompleteFlags);
    if (pPX->m_nSchema > 8) {
        ExchangeString(pPX, L"EditHint", m_strEditHint, L"");
        ExchangeInt(pPX, L"ShellAutoCompleteFlags", nShellFlags, 0);
        ExchangeBool(pPX, L"AutoComplete", m_bAutoComplete, FALSE);
        ExchangeInt(pPX, L"EditIconId", m_nEditIconId, 0);
        ExchangeInt(pPX, L"DropDownItemCount", m_nDropDownItemCount, 12);
    }
    if (pPX->m_nSchema > 16) {
        int nEditStyle = static_cast<int>(m_dwEditStyle);
        ExchangeInt(pPX, L"EditStyle", nEditStyle, 0);
        m_dwEditStyle = static_cast<DWORD>(nEditStyle);
    }
    if (pPX->IsLoading()) {
        SetDropDown(bDropDown);
        SetShellAutoComplete(static_cast<DWORD>(nShellFlags));
    }
}
