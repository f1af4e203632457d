#include "TkRibbonControlTab.h"

#include "TkCommandBars.h"
#include "TkCommandBarsDefs.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkHookManager.h"
#include "TkImageManager.h"
#include "TkMouseManager.h"
#include "TkPropExchange.h"
#include "TkPropExchangeItems.h"
#include "TkRibbonBar.h"
#include "TkRibbonPopupToolBars.h"
#include "TkRibbonTab.h"
#include "TkRibbonTheme.h"
#include "TkTabPaintManager.h"
#include "TkTextFunctions.h"

#include <memory>

IMPLEMENT_SERIAL(CTkRibbonControlTab, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

namespace {

// The site hears of a new selection with the control's execute code.
constexpr UINT kTabSelectedNotify = kControlNotifyExecute;

HRESULT ReturnText(const CString& str, BSTR* pbstr) {
    if (pbstr == nullptr)
        return E_POINTER;
    *pbstr = ::SysAllocString(str.GetString());
    return S_OK;
}

HRESULT ReturnLong(long nValue, VARIANT* pvar) {
    if (pvar == nullptr)
        return E_POINTER;
    ::VariantInit(pvar);
    pvar->vt = VT_I4;
    pvar->lVal = nValue;
    return S_OK;
}

}  // namespace

CTkRibbonControlTab::CTkRibbonControlTab() {
    m_dwFlags |= kControlFlagNoMove;
    SetTemporary(TRUE);
}

CTkRibbonControlTab::~CTkRibbonControlTab() = default;

CTkRibbonBar* CTkRibbonControlTab::GetRibbonBar() const {
    return GetParent() != nullptr && GetParent()->IsRibbonBar() ? static_cast<CTkRibbonBar*>(GetParent()) : nullptr;
}

HWND CTkRibbonControlTab::GetBarHwnd() const {
    return GetParent() != nullptr ? GetParent()->GetSafeHwnd() : nullptr;
}

CTkRibbonTab* CTkRibbonControlTab::GetTab(int nIndex) const {
    return static_cast<CTkRibbonTab*>(GetItem(nIndex));
}

CTkRibbonTab* CTkRibbonControlTab::GetSelectedTab() const {
    return static_cast<CTkRibbonTab*>(GetSelectedItem());
}

void CTkRibbonControlTab::PopupSelectedTab(BOOL bKeyboard) {
    CTkRibbonBar* pRibbon = GetRibbonBar();
    if (GetSelectedTab() == nullptr || pRibbon == nullptr || !pRibbon->IsMinimized())
        return;
    if (m_bPopupOpen)
        pRibbon->PopupControl(-1);
    pRibbon->SetTrackingMode(kTrackingMenu, FALSE, bKeyboard);
    pRibbon->PopupControl(m_nIndex, bKeyboard);
}

// ---- Control side

void CTkRibbonControlTab::SetEnabled(int) {}

// The ribbon paints the tab strip through the tab paint manager.
void CTkRibbonControlTab::Draw(CDC*) {}

void CTkRibbonControlTab::HandleClick(BOOL, CPoint) {}

BOOL CTkRibbonControlTab::TakesFocusOnTab() const {
    return TRUE;
}

void CTkRibbonControlTab::SetFocused(BOOL bFocused) {
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    if (bFocused && GetSelectedItem() == nullptr)
        SelectItem(FindNextItem(-1, 1));
    RedrawParent(TRUE);
}

BOOL CTkRibbonControlTab::IsFocused() const {
    return m_bFocused;
}

void CTkRibbonControlTab::ActivateByKey() {
    SetFocused(TRUE);
}

BOOL CTkRibbonControlTab::SetSelected(int nSelected) {
    if (nSelected == m_nSelected)
        return FALSE;
    const BOOL bKeyboard = nSelected == kSelectForward || nSelected == kSelectBackward;
    CTkRibbonBar* pRibbon = GetRibbonBar();
    if (bKeyboard && pRibbon != nullptr && !pRibbon->IsMinimized())
        pRibbon->PopupControl(-1);
    m_nSelected = nSelected;
    if (m_pParent != nullptr)
        m_pParent->OnControlSelected(nSelected != 0, this);
    if (bKeyboard)
        SetFocused(TRUE);
    RedrawParent(TRUE);
    if (nSelected != 0) {
        CTkTabManagerItem* pSelected = GetSelectedItem();
        NotifyWinEvent(EVENT_OBJECT_FOCUS, GetBarHwnd(), m_nId, pSelected != nullptr ? pSelected->GetIndex() + 1 : 0);
    } else {
        SetFocused(FALSE);
        m_pHighlighted = nullptr;
    }
    return TRUE;
}

int CTkRibbonControlTab::HandleFocusedKey(UINT nKey) {
    CTkRibbonBar* pRibbon = GetRibbonBar();
    if (!m_bFocused || pRibbon == nullptr)
        return kHookNotHandled;
    if (nKey == VK_LEFT || nKey == VK_RIGHT || nKey == VK_UP || nKey == VK_DOWN)
        pRibbon->HideKeyboardTips();
    // Which way the key goes on the screen; the tab manager mirrors the key itself.
    UINT nVisualKey = nKey;
    if (pRibbon->IsLayoutRTL() && (nKey == VK_LEFT || nKey == VK_RIGHT))
        nVisualKey = nKey == VK_LEFT ? VK_RIGHT : VK_LEFT;
    switch (nVisualKey) {
        case VK_LEFT:
        case VK_RIGHT: {
            // At the last tab the key is the bar's: its navigation goes on to the next control.
            const CTkTabManagerItem* pSelected = GetSelectedItem();
            const int nFrom = pSelected != nullptr ? pSelected->GetIndex() : -1;
            if (FindNextItem(nFrom, nVisualKey == VK_LEFT ? -1 : 1) == nullptr)
                return kHookNotHandled;
            return PerformKeyDown(GetBarHwnd(), nKey) ? kHookHandled : kHookNotHandled;
        }
        case VK_DOWN:
            pRibbon->SetSelected(pRibbon->GetControls()->GetNext(m_nIndex, 1), kSelectForward);
            return kHookHandled;
        case VK_RETURN:
            PopupSelectedTab(TRUE);
            return kHookHandled;
        case VK_SPACE:
            if (!pRibbon->IsMinimized())
                return kHookNotHandled;
            PopupSelectedTab(TRUE);
            return kHookHandled;
        default:
            return kHookNotHandled;
    }
}

// Only a minimised ribbon pops a tab up: a new tab popup each time, for the selected tab.
BOOL CTkRibbonControlTab::SetPopupOpen(BOOL bOpen) {
    if (!bOpen)
        return CTkControlPopup::SetPopupOpen(FALSE);
    CTkRibbonBar* pRibbon = GetRibbonBar();
    CTkRibbonTab* pTab = GetSelectedTab();
    if (pRibbon == nullptr || !pRibbon->IsMinimized() || pTab == nullptr || pRibbon->GetSafeHwnd() == nullptr)
        return FALSE;
    auto* pPopup = new CTkRibbonTabPopupToolBar(pTab);
    pPopup->SetCustomizable(FALSE);
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
    return CTkControlPopup::SetPopupOpen(TRUE);
}

void CTkRibbonControlTab::AdjustPopupRect(CRect& rc, BOOL) {
    rc.bottom -= 1;
}

void CTkRibbonControlTab::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControl::CopyFrom(pSource, bRecursive);
    auto* pOther = DYNAMIC_DOWNCAST(CTkRibbonControlTab, pSource);
    if (pOther == nullptr)
        return;
    DeleteAllItems();
    for (int i = 0; i < pOther->GetItemCount(); ++i) {
        CTkRibbonTab* pSourceTab = pOther->GetTab(i);
        auto* pTab = static_cast<CTkRibbonTab*>(pSourceTab->GetRuntimeClass()->CreateObject());
        pTab->SetRibbonBar(GetRibbonBar());
        pTab->SetParent(m_pParent);
        InsertItem(GetItemCount(), pTab);
        pTab->Copy(pSourceTab);
    }
}

void CTkRibbonControlTab::ExchangeProperties(CTkPropExchange* pPX) {
    if (!pPX->IsLoading()) {
        std::unique_ptr<CTkPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Tab"));
        DWORD nPosition = pEnumerator->GetPosition(static_cast<DWORD>(GetItemCount()), FALSE);
        for (int i = 0; i < GetItemCount(); ++i) {
            std::unique_ptr<CTkPropExchange> pSection(pEnumerator->GetNext(nPosition));
            CObject* pObject = GetTab(i);
            pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CTkRibbonTab));
            GetTab(i)->DoPropExchange(pSection.get());
        }
        return;
    }

    DeleteAllItems();
    LoadPropExchangeItems<CTkRibbonTab>(
        pPX, L"Tab", RUNTIME_CLASS(CTkRibbonTab), this,
        [this](CTkRibbonTab* pTab, CTkPropExchange* pSection) {
            pTab->SetRibbonBar(GetRibbonBar());
            pTab->SetParent(m_pParent);
            pTab->DoPropExchange(pSection);
            InsertItem(GetItemCount(), pTab);
            // Read before the tab was in the strip: its stored selection takes effect now.
            if (pTab->IsSelectedWhenLoaded())
                SelectItem(pTab);
        },
        [](CTkRibbonTab* pTab) {
            // A tab that did not load whole takes its groups with it.
            pTab->OnRemoved();
            pTab->InternalRelease();
        });
}

// ---- Tab-manager side

void CTkRibbonControlTab::Reposition() {
    CTkRibbonBar* pRibbon = GetRibbonBar();
    if (pRibbon != nullptr && pRibbon->GetSafeHwnd() != nullptr)
        pRibbon->RecalcLayout();
}

CString CTkRibbonControlTab::GetItemTooltip(const CTkTabManagerItem* pItem) const {
    const CString strTip = CTkTabManager::GetItemTooltip(pItem);
    return strTip.IsEmpty() ? GetItemCaption(pItem) : strTip;
}

void CTkRibbonControlTab::SelectItem(CTkTabManagerItem* pItem) {
    CTkRibbonBar* pRibbon = GetRibbonBar();
    if (pRibbon == nullptr || pRibbon->GetSafeHwnd() == nullptr) {
        CTkTabManager::SelectItem(pItem);
        return;
    }
    CTkCommandBars* pCommandBars = pRibbon->GetCommandBars();
    // A tab chosen with the mouse closes what is open; under a minimised ribbon its popup follows.
    if (!m_bFocused && pItem != nullptr && !pRibbon->IsMinimized() && pCommandBars != nullptr)
        pCommandBars->ClosePopups();
    if (pItem == GetSelectedItem())
        return;
    if (pCommandBars != nullptr && pCommandBars->GetKeyboardTipOwner() != nullptr &&
        pCommandBars->GetKeyboardTipLevel() >= 2)
        pCommandBars->DestroyKeyboardTips();
    auto* pTab = static_cast<CTkRibbonTab*>(pItem);
    if (pRibbon->OnTabChanging(pTab))
        return;

    pRibbon->LockRedraw(TRUE);
    pRibbon->RefreshGroupHideFlags(pTab);
    CTkTabManager::SelectItem(pItem);
    pRibbon->OnIdleUpdate(
        TRUE, pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->m_bDisableCommandIfNoHandler);
    pRibbon->LockRedraw(FALSE);
    // Everything changes with the tab: the strip, the groups and the controls they show.
    pRibbon->Redraw();

    pRibbon->OnTabChanged(pTab);
    NotifySite(kTabSelectedNotify);
    if (pItem != nullptr)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, GetBarHwnd(), m_nId, pItem->GetIndex() + 1);
}

CTkTabPaintManager* CTkRibbonControlTab::GetPaintManager() const {
    CTkRibbonBar* pRibbon = GetRibbonBar();
    CTkRibbonTheme* pTheme = pRibbon != nullptr ? pRibbon->GetRibbonTheme() : nullptr;
    return pTheme != nullptr ? pTheme->GetTabPaintManager() : nullptr;
}

void CTkRibbonControlTab::RedrawControl(const RECT* pRect, BOOL bAnimate) {
    if (m_pParent != nullptr)
        m_pParent->Redraw(pRect, bAnimate);
}

BOOL CTkRibbonControlTab::DrawIcon(CDC* pDC, CPoint pt, CTkTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) {
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    const BOOL bShowIcons = pPaintManager != nullptr && pPaintManager->m_bShowIcons;
    if (pItem == nullptr)
        return bShowIcons;
    CTkImageManager* pImageManager = CTkControl::GetImageManager();
    if (pItem->m_nImage == -1 || !bShowIcons || pImageManager == nullptr)
        return FALSE;
    CTkImageManagerIcon* pIcon = pImageManager->GetIcon(static_cast<UINT>(pItem->m_nImage), szIcon.cx);
    if (pIcon == nullptr)
        return FALSE;
    if (bDraw)
        pItem->DrawImage(pDC, CRect(pt, szIcon), pIcon);
    return TRUE;
}

BOOL CTkRibbonControlTab::IsMouseLocked() const {
    return CreateMouseManager()->IsTrackingOtherBar(nullptr);
}

BOOL CTkRibbonControlTab::HasFocus() const {
    return m_bFocused && m_pParent != nullptr && m_pParent->GetTrackingMode() != kTrackingNone;
}

// ---- Accessibility

CTkRibbonTab* CTkRibbonControlTab::GetAccessibleTab(const VARIANT& varChild) const {
    const int nChild = GetChildIdFromVariant(&varChild);
    return nChild >= 1 ? GetTab(nChild - 1) : nullptr;
}

HRESULT CTkRibbonControlTab::GetAccessibleChildCount(long* pcountChildren) {
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = GetItemCount();
    return S_OK;
}

HRESULT CTkRibbonControlTab::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) {
    if (ppdispChild == nullptr)
        return E_POINTER;
    *ppdispChild = nullptr;
    // The tabs are simple elements of the strip, not objects of their own.
    return GetAccessibleTab(varChild) != nullptr ? S_FALSE : E_INVALIDARG;
}

HRESULT CTkRibbonControlTab::GetAccessibleName(VARIANT varChild, BSTR* pszName) {
    if (GetChildIdFromVariant(&varChild) == 0)
        return CTkControlPopup::GetAccessibleName(varChild, pszName);
    CTkRibbonTab* pTab = GetAccessibleTab(varChild);
    if (pTab == nullptr)
        return E_INVALIDARG;
    CString strName = GetItemCaption(pTab);
    RemoveMnemonicMarkers(strName);
    return ReturnText(strName, pszName);
}

HRESULT CTkRibbonControlTab::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) {
    if (GetChildIdFromVariant(&varChild) == 0)
        return ReturnLong(ROLE_SYSTEM_PAGETABLIST, pvarRole);
    return GetAccessibleTab(varChild) != nullptr ? ReturnLong(ROLE_SYSTEM_PAGETAB, pvarRole) : E_INVALIDARG;
}

HRESULT CTkRibbonControlTab::GetAccessibleState(VARIANT varChild, VARIANT* pvarState) {
    if (GetChildIdFromVariant(&varChild) == 0) {
        long nState = STATE_SYSTEM_FOCUSABLE;
        if (m_pParent == nullptr || !m_pParent->IsVisible() || !IsVisible())
            nState |= STATE_SYSTEM_INVISIBLE;
        return ReturnLong(nState, pvarState);
    }
    CTkRibbonTab* pTab = GetAccessibleTab(varChild);
    if (pTab == nullptr)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (pTab->IsSelected())
        nState |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
    if (!pTab->IsVisible())
        nState |= STATE_SYSTEM_INVISIBLE;
    return ReturnLong(nState, pvarState);
}

HRESULT CTkRibbonControlTab::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    if (GetChildIdFromVariant(&varChild) == 0)
        return CTkControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction);
    return GetAccessibleTab(varChild) != nullptr ? ReturnText(L"Switch", pszDefaultAction) : E_INVALIDARG;
}

HRESULT CTkRibbonControlTab::AccessibleSelect(long flagsSelect, VARIANT varChild) {
    if (GetChildIdFromVariant(&varChild) == 0)
        return CTkControlPopup::AccessibleSelect(flagsSelect, varChild);
    CTkRibbonTab* pTab = GetAccessibleTab(varChild);
    if (pTab == nullptr)
        return E_INVALIDARG;
    SelectItem(pTab);
    return S_OK;
}

HRESULT CTkRibbonControlTab::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                VARIANT varChild) {
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    CRect rc = CTkControl::m_rcControl;
    if (GetChildIdFromVariant(&varChild) != 0) {
        CTkRibbonTab* pTab = GetAccessibleTab(varChild);
        if (pTab == nullptr)
            return E_INVALIDARG;
        rc = pTab->GetRect();
    }
    const HWND hwndBar = GetBarHwnd();
    if (hwndBar == nullptr || !IsVisible())
        rc.SetRectEmpty();
    else
        ::MapWindowPoints(hwndBar, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CTkRibbonControlTab::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
    if (pvarChild == nullptr)
        return E_POINTER;
    ::VariantInit(pvarChild);
    const HWND hwndBar = GetBarHwnd();
    if (hwndBar == nullptr)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ::ScreenToClient(hwndBar, &pt);
    CRect rcClient;
    ::GetClientRect(hwndBar, &rcClient);
    if (!rcClient.PtInRect(pt) || !CTkControl::m_rcControl.PtInRect(pt))
        return S_FALSE;
    const CTkTabManagerItem* pItem = HitTest(pt);
    return ReturnLong(pItem != nullptr ? pItem->GetIndex() + 1 : 0, pvarChild);
}

HRESULT CTkRibbonControlTab::AccessibleDoDefaultAction(VARIANT varChild) {
    if (GetChildIdFromVariant(&varChild) == 0)
        return CTkControlPopup::AccessibleDoDefaultAction(varChild);
    CTkRibbonTab* pTab = GetAccessibleTab(varChild);
    if (pTab == nullptr)
        return E_INVALIDARG;
    SelectItem(pTab);
    return S_OK;
}
