// The gallery's items to accessibility clients (child n is item n - 1, a simple element) and to the
// bar's tooltips.

#include "TkControlGallery.h"

#include "TkCommandBar.h"
#include "TkGalleryItem.h"
#include "TkTextFunctions.h"
#include "TkToolTipContext.h"

namespace {

HRESULT ReturnItemText(const CString& str, BSTR* pszOut) {
    if (pszOut == nullptr)
        return E_POINTER;
    *pszOut = ::SysAllocString(str);
    if (*pszOut == nullptr)
        AfxThrowMemoryException();
    return S_OK;
}

}  // namespace

HRESULT CTkControlGallery::GetAccessibleChildCount(long* pcountChildren) {
    if (pcountChildren == nullptr)
        return E_INVALIDARG;
    *pcountChildren = GetItemCount();
    return S_OK;
}

HRESULT CTkControlGallery::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) {
    // Items are simple elements, and the sub bar is not exposed.
    if (ppdispChild != nullptr)
        *ppdispChild = nullptr;
    return S_FALSE;
}

HRESULT CTkControlGallery::GetAccessibleName(VARIANT varChild, BSTR* pszName) {
    const int nChild = GetChildIdFromVariant(&varChild);
    if (nChild == CHILDID_SELF)
        return CTkControlPopup::GetAccessibleName(varChild, pszName);
    CTkGalleryItem* pItem = GetItem(nChild - 1);
    if (pItem == nullptr)
        return E_INVALIDARG;
    CString strName = pItem->m_strCaption;
    RemoveMnemonicMarkers(strName);
    if (strName.IsEmpty())
        strName = pItem->m_strTooltipText;
    return ReturnItemText(strName, pszName);
}

HRESULT CTkControlGallery::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) {
    if (pvarRole == nullptr)
        return E_POINTER;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = GetChildIdFromVariant(&varChild) == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT CTkControlGallery::GetAccessibleState(VARIANT varChild, VARIANT* pvarState) {
    const int nChild = GetChildIdFromVariant(&varChild);
    if (nChild == CHILDID_SELF)
        return CTkControlPopup::GetAccessibleState(varChild, pvarState);
    if (pvarState == nullptr)
        return E_POINTER;
    CTkGalleryItem* pItem = GetItem(nChild - 1);
    if (pItem == nullptr)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (pItem->m_nIndex == m_nSelectedItem)
        nState |= STATE_SYSTEM_FOCUSED;
    if (pItem->m_nId == m_nCheckedId)
        nState |= STATE_SYSTEM_SELECTED;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CTkControlGallery::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    if (GetChildIdFromVariant(&varChild) == CHILDID_SELF)
        return CTkControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction);
    return ReturnItemText(L"Click", pszDefaultAction);
}

HRESULT CTkControlGallery::AccessibleSelect(long flagsSelect, VARIANT varChild) {
    const int nChild = GetChildIdFromVariant(&varChild);
    if (nChild == CHILDID_SELF)
        return CTkControlPopup::AccessibleSelect(flagsSelect, varChild);
    SetHotItemByKeyboard(nChild - 1);
    return S_OK;
}

HRESULT CTkControlGallery::AccessibleDoDefaultAction(VARIANT varChild) {
    const int nChild = GetChildIdFromVariant(&varChild);
    if (nChild == CHILDID_SELF)
        return CTkControlPopup::AccessibleDoDefaultAction(varChild);
    if (GetItem(nChild - 1) == nullptr)
        return E_INVALIDARG;
    SetHotItemByKeyboard(nChild - 1);
    return S_OK;
}

HRESULT CTkControlGallery::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                              VARIANT varChild) {
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr || !IsVisible())
        return S_OK;
    const int nChild = GetChildIdFromVariant(&varChild);
    CRect rc = nChild == CHILDID_SELF ? m_rcControl : GetItemRect(nChild - 1);
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CTkControlGallery::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
    // The base tells whether the point is on the gallery; there the item under it is the child.
    const HRESULT hr = CTkControlPopup::AccessibleHitTest(xLeft, yTop, pvarChild);
    if (hr != S_OK)
        return hr;
    CPoint pt(xLeft, yTop);
    m_pParent->ScreenToClient(&pt);
    pvarChild->lVal = HitTestItem(pt) + 1;
    return S_OK;
}

INT_PTR CTkControlGallery::HitTestToolTip(CPoint pt, TOOLINFO* pToolInfo) {
    CTkGalleryItemCollection* pItems = GetItems();
    if (IsShownAsButton() || pItems == nullptr)
        return -1;
    CRect rc;
    const int nHit = HitTestItem(pt, &rc);
    CTkGalleryItem* pItem = GetItem(nHit);
    if (pItem == nullptr)
        return 0;
    const INT_PTR nId = pItem->m_nImageId >= 0 ? pItem->m_nImageId : pItem->m_nId;
    FillToolInfoEx(pToolInfo, m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr, rc, static_cast<UINT_PTR>(nId),
                   pItem->m_strTooltipText, pItem->m_strTooltipText, pItem->m_strDescriptionText,
                   pItems->m_pImageManager);
    return nId;
}
