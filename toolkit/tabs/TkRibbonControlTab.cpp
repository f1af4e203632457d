#include "TkRibbonControlTab.h"

#include "TkControlDefs.h"
#include "TkRibbonBar.h"
#include "TkRibbonTab.h"

IMPLEMENT_SERIAL(CTkRibbonControlTab, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

CTkRibbonControlTab::CTkRibbonControlTab() {
    m_dwFlags |= kControlFlagNoMove;
    SetTemporary(TRUE);
}

CTkRibbonControlTab::~CTkRibbonControlTab() = default;

CTkRibbonBar* CTkRibbonControlTab::GetRibbonBar() const {
    return static_cast<CTkRibbonBar*>(GetParent());
}

CTkRibbonTab* CTkRibbonControlTab::GetTab(int nIndex) const {
    return static_cast<CTkRibbonTab*>(GetItem(nIndex));
}

CTkRibbonTab* CTkRibbonControlTab::GetSelectedTab() const {
    return static_cast<CTkRibbonTab*>(GetSelectedItem());
}

void CTkRibbonControlTab::PopupSelectedTab(BOOL) {}

// ---- Control side

void CTkRibbonControlTab::SetEnabled(int) {}

void CTkRibbonControlTab::Draw(CDC*) {}

void CTkRibbonControlTab::HandleClick(BOOL, CPoint) {}

BOOL CTkRibbonControlTab::TakesFocusOnTab() const {
    return TRUE;
}

void CTkRibbonControlTab::SetFocused(BOOL bFocused) {
    m_bFocused = bFocused;
}

BOOL CTkRibbonControlTab::IsFocused() const {
    return m_bFocused;
}

void CTkRibbonControlTab::ActivateByKey() {}

BOOL CTkRibbonControlTab::SetSelected(int nSelected) {
    return CTkControlPopup::SetSelected(nSelected);
}

int CTkRibbonControlTab::HandleFocusedKey(UINT) {
    return FALSE;
}

BOOL CTkRibbonControlTab::SetPopupOpen(BOOL) {
    return FALSE;
}

void CTkRibbonControlTab::AdjustPopupRect(CRect& rc, BOOL bVertical) {
    CTkControlPopup::AdjustPopupRect(rc, bVertical);
}

void CTkRibbonControlTab::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControlPopup::CopyFrom(pSource, bRecursive);
}

void CTkRibbonControlTab::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControlPopup::ExchangeProperties(pPX);
}

CTkControl* CTkRibbonControlTab::Clone(BOOL bRecursive) {
    return CTkControlPopup::Clone(bRecursive);
}

// ---- Tab-manager side

void CTkRibbonControlTab::Reposition() {}

CString CTkRibbonControlTab::GetItemTooltip(const CTkTabManagerItem* pItem) const {
    return CTkTabManager::GetItemTooltip(pItem);
}

void CTkRibbonControlTab::SelectItem(CTkTabManagerItem* pItem) {
    CTkTabManager::SelectItem(pItem);
}

CTkTabPaintManager* CTkRibbonControlTab::GetPaintManager() const {
    return nullptr;
}

void CTkRibbonControlTab::RedrawControl(const RECT*, BOOL) {}

BOOL CTkRibbonControlTab::DrawIcon(CDC*, CPoint, CTkTabManagerItem*, BOOL, CSize&) {
    return FALSE;
}

BOOL CTkRibbonControlTab::IsMouseLocked() const {
    return FALSE;
}

BOOL CTkRibbonControlTab::HasFocus() const {
    return FALSE;
}

// ---- Accessibility

HRESULT CTkRibbonControlTab::GetAccessibleChildCount(long* pcountChildren) {
    return CTkControlPopup::GetAccessibleChildCount(pcountChildren);
}

HRESULT CTkRibbonControlTab::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) {
    return CTkControlPopup::GetAccessibleChild(varChild, ppdispChild);
}

HRESULT CTkRibbonControlTab::GetAccessibleName(VARIANT varChild, BSTR* pszName) {
    return CTkControlPopup::GetAccessibleName(varChild, pszName);
}

HRESULT CTkRibbonControlTab::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) {
    return CTkControlPopup::GetAccessibleRole(varChild, pvarRole);
}

HRESULT CTkRibbonControlTab::GetAccessibleState(VARIANT varChild, VARIANT* pvarState) {
    return CTkControlPopup::GetAccessibleState(varChild, pvarState);
}

HRESULT CTkRibbonControlTab::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    return CTkControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction);
}

HRESULT CTkRibbonControlTab::AccessibleSelect(long flagsSelect, VARIANT varChild) {
    return CTkControlPopup::AccessibleSelect(flagsSelect, varChild);
}

HRESULT CTkRibbonControlTab::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                VARIANT varChild) {
    return CTkControlPopup::AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}

HRESULT CTkRibbonControlTab::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
    return CTkControlPopup::AccessibleHitTest(xLeft, yTop, pvarChild);
}

HRESULT CTkRibbonControlTab::AccessibleDoDefaultAction(VARIANT varChild) {
    return CTkControlPopup::AccessibleDoDefaultAction(varChild);
}
