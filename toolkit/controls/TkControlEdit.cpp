#include "TkControlEdit.h"

#include "TkColorManager.h"
#include "TkControlAction.h"
#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControlComboBoxAutoCompleteWnd.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cwchar>

IMPLEMENT_SERIAL(CTkControlEdit, CTkControl, VERSIONABLE_SCHEMA | 33)

namespace {

// What the edit reports to its site.
constexpr UINT kNotifyFocusGained = 0x100;
constexpr UINT kNotifyFocusLost = 0x200;
constexpr UINT kNotifyChanged = 0x300;
constexpr UINT kNotifySpinned = 100;
constexpr UINT kNotifySpinUp = 0x1010;
constexpr UINT kNotifySpinDown = 0x1011;
// The selected and pressed values of the spin halves.
constexpr int kSpinUp = 4;
constexpr int kSpinDown = 5;
// The spin loop: the first repeat, the following ones, and the elapsed units of 1024 ms after which the
// step grows to 5 and to 20.
constexpr UINT kSpinFirstDelay = 530;
constexpr UINT kSpinDelay = 100;
constexpr DWORD kSpinUnitShift = 10;
constexpr DWORD kSpinFiveAfterUnits = 2;
constexpr DWORD kSpinTwentyAfterUnits = 5;
// The edit window's insets in the field, and the gap after the edit icon.
constexpr int kEditInsetLeft = 4;
constexpr int kEditInset = 3;
constexpr int kEditInsetSpin = 20;
constexpr int kEditIconGap = 2;
constexpr DWORD kLayoutVertical = 0x10;
constexpr DWORD kHideVerticalLayout = 0x4;

// The notification of a spin step: the record followed by step x direction.
struct SpinNotifyRecord {
    ControlNotifyRecord record;
    int nDelta = 0;
};

BOOL IsKeyDown(int nKey) {
    return ::GetKeyState(nKey) < 0;
}

DWORD SystemTickCount() {
    return ::GetTickCount();
}

// The number at the start of a text (after blanks, with a sign), saturated to the int range; 0 without one.
long long ParseSpinNumber(const CString& strText) {
    const wchar_t* psz = strText.GetString();
    wchar_t* pEnd = nullptr;
    const long long nValue = std::wcstoll(psz, &pEnd, 10);
    if (pEnd == psz)
        return 0;
    return std::clamp<long long>(nValue, INT_MIN, INT_MAX);
}

}  // namespace

DWORD (*CTkControlEdit::s_pfnTickCount)() = SystemTickCount;

// ---- The edit window

BEGIN_MESSAGE_MAP(CTkControlEditCtrl, CTkEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CTkControlEditCtrl::OnChange() {
    if (m_pControl == nullptr)
        return;
    m_pControl->m_bTextStale = TRUE;
    if (::GetFocus() == m_hWnd && !IsSettingText())
        m_pControl->OnEditChanged();
    if (m_pControl != nullptr)
        m_pControl->ApplyTextFormat();
}

void CTkControlEditCtrl::OnSetFocus(CWnd* pOldWnd) {
    CTkEdit::OnSetFocus(pOldWnd);
    if (m_pControl == nullptr || m_pControl->IsCustomizeMode())
        return;
    m_pControl->OnEditFocusGained(pOldWnd != nullptr ? pOldWnd->GetSafeHwnd() : nullptr);
    // Everything selected, shown from its start; the final selection after the click that focused it.
    SendMessage(EM_SETSEL, 0, 0);
    SendMessage(EM_SCROLLCARET);
    PostMessage(EM_SETSEL, 0, -1);
}

void CTkControlEditCtrl::OnKillFocus(CWnd* pNewWnd) {
    CTkEdit::OnKillFocus(pNewWnd);
    if (m_pControl != nullptr)
        m_pControl->OnEditFocusLost();
}

void CTkControlEditCtrl::OnMouseMove(UINT nFlags, CPoint pt) {
    CTkEdit::OnMouseMove(nFlags, pt);
    CTkCommandBar* pBar = m_pControl != nullptr ? m_pControl->GetParent() : nullptr;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    MapWindowPoints(pBar, &pt, 1);
    pBar->SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(pt.x, pt.y));
}

void CTkControlEditCtrl::OnRButtonDown(UINT nFlags, CPoint pt) {
    CTkCommandBar* pBar = m_pControl != nullptr ? m_pControl->GetParent() : nullptr;
    if (pBar == nullptr) {
        CTkEdit::OnRButtonDown(nFlags, pt);
        return;
    }
    if (m_pControl->IsCustomizeMode()) {
        MapWindowPoints(pBar, &pt, 1);
        pBar->SendMessage(WM_RBUTTONDOWN, nFlags, MAKELPARAM(pt.x, pt.y));
        return;
    }
    SetFocus();
    ClientToScreen(&pt);
    ShowContextMenu(pt);
}

void CTkControlEditCtrl::OnDestroy() {
    if (m_pControl != nullptr) {
        m_pControl->m_strText = GetEditText();
        m_pControl->m_bTextStale = FALSE;
    }
    CTkEdit::OnDestroy();
}

// ---- The control

CTkControlEdit::CTkControlEdit() {
    m_nType = kControlEdit;
    m_nWidth = 100;
}

CTkControlEdit::~CTkControlEdit() {
    // A focused edit going away would leave every bar ignoring the mouse.
    SetFocused(FALSE);
    DestroyEditWindow();
}

void CTkControlEdit::DestroyEditWindow() {
    // The tracker serves this window only.
    m_pAutoComplete.reset();
    if (m_pEdit == nullptr)
        return;
    CTkControlEditCtrl* pEdit = m_pEdit;
    if (pEdit->GetSafeHwnd() != nullptr)
        pEdit->DestroyWindow();
    pEdit->m_pControl = nullptr;
    m_pEdit = nullptr;
    delete pEdit;
}

CTkControlEditCtrl* CTkControlEdit::CreateEditWindow() {
    return new CTkControlEditCtrl;
}

// ---- Text and hint

CString CTkControlEdit::GetEditText() {
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && m_bTextStale) {
        m_strText = m_pEdit->GetEditText();
        m_bTextStale = FALSE;
    }
    return m_strText;
}

void CTkControlEdit::SetEditText(const CString& strText) {
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && m_pEdit->GetEditText() != strText)
        m_pEdit->SetEditText(strText);
    m_strText = strText;
    m_bTextStale = FALSE;
}

CString CTkControlEdit::GetEditHint() const {
    if (!m_strEditHint.IsEmpty())
        return m_strEditHint;
    return GetAction() != nullptr ? GetAction()->GetEditHint() : CString();
}

void CTkControlEdit::SetEditHint(const CString& strHint) {
    RemoveShownHint();
    m_strEditHint = strHint;
    ShowHintIfEmpty();
}

BOOL CTkControlEdit::IsHintShowing() {
    const CString strHint = GetEditHint();
    return !strHint.IsEmpty() && GetEditText() == strHint;
}

CString CTkControlEdit::GetEditTextNoHint() {
    return IsHintShowing() ? CString() : GetEditText();
}

void CTkControlEdit::SetEditTextOrHint(const CString& strText) {
    SetEditText(strText.IsEmpty() ? GetEditHint() : strText);
    ApplyTextFormat();
}

void CTkControlEdit::RemoveShownHint() {
    if (IsHintShowing()) {
        SetEditText(CString());
        ApplyTextFormat();
    }
}

void CTkControlEdit::ShowHintIfEmpty() {
    if (GetEditText().IsEmpty() && !GetEditHint().IsEmpty())
        SetEditTextOrHint(CString());
}

void CTkControlEdit::SetReadOnly(BOOL bReadOnly) {
    m_bReadOnly = bReadOnly;
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
        m_pEdit->SetReadOnly(bReadOnly);
}

void CTkControlEdit::SetEditIconId(int nId) {
    if (nId == m_nEditIconId)
        return;
    m_nEditIconId = nId;
    m_bLayoutStale = TRUE;
}

void CTkControlEdit::SetShellAutoComplete(DWORD dwFlags) {
    m_dwShellAutoCompleteFlags = dwFlags;
    m_pAutoComplete.reset();
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr || dwFlags == 0)
        return;
    m_pAutoComplete = AttachShellAutoComplete(m_pEdit->m_hWnd, dwFlags);
}

void CTkControlEdit::GetEditTextFormat(COLORREF& clrText, COLORREF& clrBack) {
    const BOOL bGrey = !GetEnabled() || IsHintShowing();
    clrText = GetColorManager()->GetColor(bGrey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    CTkPaintManager* pPaintManager = GetPaintManager();
    clrBack =
        pPaintManager != nullptr ? pPaintManager->GetEditBackColor(this) : GetColorManager()->GetColor(COLOR_WINDOW);
}

void CTkControlEdit::ApplyTextFormat() {
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr)
        return;
    COLORREF clrText = 0;
    COLORREF clrBack = 0;
    GetEditTextFormat(clrText, clrBack);
    m_pEdit->SetTextFormat(clrText, clrBack);
}

void CTkControlEdit::OnEditChanged() {
    NotifySite(kNotifyChanged);
}

// ---- Layout

CRect CTkControlEdit::GetSpinButtonsRect() const {
    if (!m_bShowSpinButtons)
        return CRect();
    const CRect& rc = m_rcControl;
    return CRect(rc.right - 18, rc.top + 1, rc.right - 1, rc.bottom - 1);
}

void CTkControlEdit::SetLabelWidth(int nWidth) {
    if (nWidth != m_nLabelWidth) {
        m_nLabelWidth = nWidth;
        m_bLayoutStale = TRUE;
    }
}

void CTkControlEdit::SetRect(CRect rc) {
    CTkCommandBar* pBar = m_pParent;
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        const BOOL bMirrored = (m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        const BOOL bMoved = pBar == nullptr || m_pEdit->GetParent() != pBar;
        if (m_bRecreateEdit || bMirrored || bMoved) {
            m_bRecreateEdit = FALSE;
            GetEditText();
            DestroyEditWindow();
        }
    }
    if (rc == m_rcControl && m_pEdit != nullptr && !m_bLayoutStale)
        return;
    m_rcControl = rc;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    if (m_pEdit == nullptr) {
        m_pEdit = CreateEditWindow();
        m_pEdit->m_pControl = this;
        DWORD dwStyle = m_dwEditStyle | WS_CHILD | ES_AUTOHSCROLL;
        if (!GetEnabled())
            dwStyle |= WS_DISABLED;
        if (!m_pEdit->CreateEdit(dwStyle, CRect(0, 0, 0, 0), pBar, 0)) {
            m_pEdit->m_pControl = nullptr;
            delete m_pEdit;
            m_pEdit = nullptr;
            return;
        }
        if (m_dwShellAutoCompleteFlags != 0)
            SetShellAutoComplete(m_dwShellAutoCompleteFlags);
    }
    if (CTkPaintManager* pPaintManager = GetPaintManager())
        m_pEdit->SetFont(&pPaintManager->m_fntIconTitle, FALSE);
    m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (::GetFocus() != m_pEdit->GetSafeHwnd())
        SetEditTextOrHint(GetEditTextNoHint());
    ApplyTextFormat();
    // Glass shows through GDI's text wherever the edit leaves alpha at 0.
    m_pEdit->SetOpaquePaint(IsInGlassCaption());
    m_pEdit->SetReadOnly(m_bReadOnly);
    int nLeft = rc.left + m_nLabelWidth + kEditInsetLeft;
    AddEditIconWidth(nLeft);
    const CRect rcEdit(nLeft, rc.top + kEditInset, rc.right - (m_bShowSpinButtons ? kEditInsetSpin : kEditInset),
                       rc.bottom - kEditInset);
    m_pEdit->MoveWindow(rcEdit, FALSE);
    UpdateEditVisibility();
    m_bLayoutStale = FALSE;
}

void CTkControlEdit::UpdateEditVisibility() {
    if (m_pEdit != nullptr)
        m_pEdit->FollowControlVisibility(*this);
}

void CTkControlEdit::SetEnabled(int nEnabled) {
    CTkControl::SetEnabled(nEnabled);
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        m_pEdit->EnableWindow(GetEnabled());
        ApplyTextFormat();
    }
}

void CTkControlEdit::SetHideFlags(DWORD dwHideFlags) {
    CTkControl::SetHideFlags(dwHideFlags);
    UpdateEditVisibility();
}

void CTkControlEdit::SetParent(CTkCommandBar* pParent) {
    if (pParent == nullptr) {
        SetFocused(FALSE);
        GetEditText();
        DestroyEditWindow();
    }
    CTkControl::SetParent(pParent);
}

void CTkControlEdit::OnRemoved() {
    SetFocused(FALSE);
    if (m_pControls == nullptr) {
        GetEditText();
        DestroyEditWindow();
    }
    CTkControl::OnRemoved();
}

void CTkControlEdit::PrepareForLayout(DWORD dwLayoutMode) {
    if (dwLayoutMode & kLayoutVertical)
        m_dwHideFlags |= kHideVerticalLayout;
    else
        m_dwHideFlags &= ~kHideVerticalLayout;
}

// ---- Focus

BOOL CTkControlEdit::IsEditFocused() const {
    return m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && ::GetFocus() == m_pEdit->GetSafeHwnd();
}

void CTkControlEdit::SetFocused(BOOL bFocused) {
    bFocused = bFocused != FALSE;
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    CTkCommandBar* pBar = m_pParent;
    if (bFocused) {
        if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && !IsEditFocused())
            m_pEdit->SetFocus();
        if (pBar != nullptr) {
            pBar->SetTrackingMode(1, FALSE);
            pBar->SetSelected(m_nIndex);
        }
        ++CreateMouseManager()->m_nLock;
        NotifySite(kNotifyFocusGained);
    } else {
        if (IsEditFocused() && pBar != nullptr && pBar->GetFocusReturnWindow() != nullptr)
            ::SetFocus(pBar->GetFocusReturnWindow());
        --CreateMouseManager()->m_nLock;
        NotifySite(kNotifyFocusLost);
    }
    RedrawParent(FALSE);
}

void CTkControlEdit::OnEditFocusGained(HWND hwndPrevious) {
    RemoveShownHint();
    m_strSavedText = GetEditTextNoHint();
    if (CTkCommandBar* pBar = m_pParent) {
        if (pBar->GetFocusReturnWindow() == nullptr) {
            CWnd* pSite = pBar->GetSite();
            pBar->SetFocusReturnWindow(hwndPrevious != nullptr ? hwndPrevious
                                       : pSite != nullptr      ? pSite->GetSafeHwnd()
                                                               : nullptr);
        }
        pBar->PopupControl(-1);
    }
    SetFocused(TRUE);
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->Activate();
}

void CTkControlEdit::OnEditFocusLost() {
    ShowHintIfEmpty();
    SetFocused(FALSE);
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->Deactivate();
}

BOOL CTkControlEdit::SetSelected(int nSelected) {
    const BOOL bChanged = CTkControl::SetSelected(nSelected);
    if (nSelected == 0)
        SetFocused(FALSE);
    ApplyTextFormat();
    return bChanged;
}

void CTkControlEdit::HandleHoverDelay() {
    if (CreateMouseManager()->m_nLock == 0)
        CTkControl::HandleHoverDelay();
}

void CTkControlEdit::ActivateByKey() {
    if (m_pParent != nullptr)
        m_pParent->HideKeyboardTips();
    SetFocused(TRUE);
}

// ---- Input

void CTkControlEdit::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (IsCustomizeMode()) {
        if (m_pParent != nullptr) {
            m_pParent->PopupControl(-1);
            m_pParent->SetSelected(-1);
        }
        StartCustomizeDrag(pt);
        return;
    }
    if (bKeyboard) {
        if (IsEditFocused())
            Execute();
        else if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
            m_pEdit->SetFocus();
        return;
    }
    if (IsSpinnable() && GetSpinButtonsRect().PtInRect(pt)) {
        TrackSpin(pt);
        return;
    }
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
        m_pEdit->SetFocus();
}

int CTkControlEdit::HandleFocusedKey(UINT nKey) {
    if (!m_bFocused || m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr)
        return 0;
    if (m_pEdit->IsComposing())
        return 2;
    switch (nKey) {
        case VK_TAB:
        case VK_RETURN:
            return 0;
        case VK_ESCAPE: {
            SetEditTextOrHint(m_strSavedText);
            SetFocused(FALSE);
            return m_pParent != nullptr && m_pParent->GetType() == kBarTypePopup ? 1 : 0;
        }
        default:
            break;
    }
    // Alt with a key reaches the bars' mnemonics before the edit sees it.
    if (IsKeyDown(VK_MENU) && !IsKeyDown(VK_CONTROL)) {
        CTkCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != nullptr && pCommandBars->ActivateByMnemonic(nKey))
            return 1;
    }
    if ((nKey == VK_UP || nKey == VK_DOWN) && IsSpinnable()) {
        SpinStep(1, nKey == VK_UP ? 1 : -1);
        if (IsEditFocused())
            m_pEdit->SetSel(0, -1);
        return 1;
    }
    // The shell's suggestions take their navigation keys through the tracker, a keyboard sink; the
    // rest is the edit window's own.
    return 2;
}

void CTkControlEdit::HandleMouseMove(CPoint pt) {
    if (!GetEnabled() || m_nSelected == 0 || !m_bShowSpinButtons)
        return;
    const CRect rcSpin = GetSpinButtonsRect();
    int nSelected = m_nSelected;
    if (rcSpin.PtInRect(pt))
        nSelected = pt.y < rcSpin.CenterPoint().y ? kSpinUp : kSpinDown;
    else if (nSelected == kSpinUp || nSelected == kSpinDown)
        nSelected = 1;
    if (nSelected != m_nSelected) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

void CTkControlEdit::TrackSpin(CPoint pt) {
    CTkCommandBar* pBar = m_pParent;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    const HWND hwndBar = pBar->GetSafeHwnd();
    CCmdTargetRef keepAlive(this);
    pBar->SetSelected(-1);
    pBar->SetSelected(m_nIndex);
    const CRect rcSpin = GetSpinButtonsRect();
    const BOOL bUp = pt.y < rcSpin.CenterPoint().y;
    const int nPressed = bUp ? kSpinUp : kSpinDown;
    const CRect rcHalf = bUp ? CRect(rcSpin.left, rcSpin.top, rcSpin.right, rcSpin.CenterPoint().y)
                             : CRect(rcSpin.left, rcSpin.CenterPoint().y, rcSpin.right, rcSpin.bottom);
    const int nDirection = bUp ? 1 : -1;
    m_nPressed = m_nSelected = nPressed;
    RedrawParent(FALSE);
    SpinStep(1, nDirection);
    ::SetCapture(hwndBar);
    ::SetTimer(hwndBar, kSpinTimer, kSpinFirstDelay, nullptr);
    BOOL bFirstTick = TRUE;
    DWORD dwStart = s_pfnTickCount();
    while (::GetCapture() == hwndBar && m_pParent == pBar) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            CPoint ptMove(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::MapWindowPoints(msg.hwnd, hwndBar, &ptMove, 1);
            const int nSelected = rcHalf.PtInRect(ptMove) ? nPressed : 1;
            if (nSelected != m_nSelected) {
                m_nSelected = nSelected;
                dwStart = s_pfnTickCount();
                RedrawParent(FALSE);
            }
        } else if (msg.message == WM_TIMER && msg.hwnd == hwndBar && msg.wParam == kSpinTimer) {
            if (m_nSelected == nPressed) {
                const DWORD dwUnits = (s_pfnTickCount() - dwStart) >> kSpinUnitShift;
                const int nStep = dwUnits < kSpinFiveAfterUnits ? 1 : dwUnits < kSpinTwentyAfterUnits ? 5 : 20;
                SpinStep(nStep, nDirection);
            }
            if (bFirstTick) {
                bFirstTick = FALSE;
                ::SetTimer(hwndBar, kSpinTimer, kSpinDelay, nullptr);
            }
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (::IsWindow(hwndBar))
        ::KillTimer(hwndBar, kSpinTimer);
    m_nPressed = 0;
    if (::GetCapture() == hwndBar)
        ::ReleaseCapture();
    RedrawParent(FALSE);
    if (m_pParent == pBar && pBar->GetType() != kBarTypePopup && pBar->GetTrackingMode() != 0)
        pBar->EndTracking();
}

void CTkControlEdit::SpinStep(int nStep, int nDirection) {
    SpinNotifyRecord notify;
    notify.nDelta = nStep * nDirection;
    if (NotifySiteWithData(nDirection > 0 ? kNotifySpinUp : kNotifySpinDown, &notify.record) != 0)
        return;
    const int nSign = nDirection > 0 ? 1 : -1;
    // In 64 bits, then saturated: a field at the end of the int range stays there.
    long long nValue = ParseSpinNumber(GetEditTextNoHint()) + static_cast<long long>(nStep) * nDirection;
    if (nStep != 0) {
        while (nValue % nStep != 0)
            nValue += nSign;
    }
    nValue = std::clamp<long long>(nValue, INT_MIN, INT_MAX);
    CString strValue;
    strValue.Format(L"%i", static_cast<int>(nValue));
    SetEditTextOrHint(strValue);
    NotifySite(kNotifySpinned);
}

// ---- Action, captions, copies, keys

void CTkControlEdit::OnActionChanging(int nProperty) {
    if (nProperty == 4)
        RemoveShownHint();
}

void CTkControlEdit::OnActionChanged(int nProperty) {
    if (nProperty == 2) {
        UpdateEditVisibility();
    } else if (nProperty == 0) {
        if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
            m_pEdit->EnableWindow(GetEnabled());
        ApplyTextFormat();
    } else if (nProperty == 4) {
        ShowHintIfEmpty();
    }
}

BOOL CTkControlEdit::IsCaptionVisible() const {
    if (m_pParent != nullptr && m_pParent->GetType() == kBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    const int nStyle = GetStyle();
    if (nStyle == kButtonCaption || nStyle == kButtonIconAndCaption || nStyle == kButtonIconAndCaptionBelow)
        return TRUE;
    return m_bHasLabel;
}

BOOL CTkControlEdit::IsSameAs(CTkControl* pOther) const {
    return CTkControl::IsSameAs(pOther) && DYNAMIC_DOWNCAST(CTkControlEdit, pOther) != nullptr;
}

void CTkControlEdit::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControl::CopyFrom(pSource, bRecursive);
    auto* pEdit = DYNAMIC_DOWNCAST(CTkControlEdit, pSource);
    if (pEdit == nullptr)
        return;
    m_dwEditStyle = pEdit->m_dwEditStyle;
    SetEditTextOrHint(pEdit->GetEditTextNoHint());
    m_bHasLabel = pEdit->m_bHasLabel;
    SetReadOnly(pEdit->m_bReadOnly);
    SetEditHint(pEdit->m_strEditHint);
    SetShellAutoComplete(pEdit->m_dwShellAutoCompleteFlags);
    m_bShowSpinButtons = pEdit->m_bShowSpinButtons;
}

void CTkControlEdit::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControl::ExchangeProperties(pPX);
    const int nSchema = pPX->m_nSchema;
    // The width is stored here as well as with the control's keys (from schema 19 on): the positional
    // format holds both.
    if (nSchema > 5) {
        ExchangeBool(pPX, L"HasLabel", m_bHasLabel, FALSE);
        ExchangeInt(pPX, L"Width", m_nWidth, 0);
    }
    if (nSchema > 7)
        ExchangeBool(pPX, L"ReadOnly", m_bReadOnly, FALSE);
    // The flag words are saved as 4-byte integers.
    const DWORD dwZero = 0;
    DWORD dwShellFlags = m_dwShellAutoCompleteFlags;
    if (nSchema > 8) {
        ExchangeString(pPX, L"EditHint", m_strEditHint, L"");
        pPX->ExchangeProp(L"ShellAutoCompleteFlags", VT_I4, &dwShellFlags, &dwZero);
    }
    if (nSchema > 16)
        pPX->ExchangeProp(L"EditStyle", VT_I4, &m_dwEditStyle, &dwZero);
    if (nSchema > 18)
        ExchangeBool(pPX, L"ShowSpinButtons", m_bShowSpinButtons, FALSE);
    if (pPX->IsLoading())
        SetShellAutoComplete(dwShellFlags);
}

// ---- The field's own drawing

CTkImageManagerIcon* CTkControlEdit::GetEditIcon() const {
    if (m_nEditIconId <= 0)
        return nullptr;
    CTkImageManager* pImageManager = GetImageManager();
    return pImageManager != nullptr ? pImageManager->GetIcon(static_cast<UINT>(m_nEditIconId), 0) : nullptr;
}

void CTkControlEdit::AddEditIconWidth(int& x) const {
    if (CTkImageManagerIcon* pIcon = GetEditIcon())
        x += pIcon->GetNormalImageSize().cx + kEditIconGap;
}

void CTkControlEdit::DrawEditIcon(CDC* pDC, const CRect& rc) {
    CTkImageManagerIcon* pIcon = GetEditIcon();
    if (pIcon == nullptr)
        return;
    const CSize size = pIcon->GetNormalImageSize();
    pIcon->Draw(pDC, rc.left, rc.top + (rc.Height() - size.cy) / 2,
                GetEnabled() ? pIcon->GetNormalImage() : pIcon->GetDisabledImage());
}

void CTkControlEdit::DrawFieldText(CDC* pDC, const CRect& rc) {
    // The themes hand over the field inset by 3; the edit window's inset is 4, with the icon at its start.
    const int xIcon = rc.left + (kEditInsetLeft - kEditInset);
    int xText = xIcon;
    AddEditIconWidth(xText);
    if (xText > xIcon)
        DrawEditIcon(pDC, CRect(xIcon, rc.top, xText, rc.bottom));
    // The edit window shows the text itself; without one (a bar drawn before its layout) it is drawn here.
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && m_pEdit->IsWindowVisible())
        return;
    COLORREF clrText = 0;
    COLORREF clrBack = 0;
    GetEditTextFormat(clrText, clrBack);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    CRect rcText(xText > xIcon ? xText : rc.left, rc.top, rc.right, rc.bottom);
    pDC->DrawText(GetEditText(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}
