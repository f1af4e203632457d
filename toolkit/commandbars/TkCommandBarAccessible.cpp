// The bar as an accessible object: the bar itself, and its controls as children 1..count.

#include "TkCommandBar.h"

#include "TkControl.h"
#include "TkControls.h"

namespace {

// A selected control: focusable, selectable, focused, selected and hot.
constexpr long kSelectedChildState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED |
                                     STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
constexpr long kChildState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
constexpr LONG kLastControlObjectId = 0xFFFFFE;

HRESULT ReturnText(const CString& strText, BSTR* pszOut) {
    if (pszOut == nullptr)
        return E_POINTER;
    *pszOut = ::SysAllocString(strText);
    return *pszOut != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

CTkControl* CTkCommandBar::GetAccessibleControl(const VARIANT& varChild) const {
    const int nChild = GetChildIdFromVariant(&varChild);
    return nChild > 0 ? GetControl(nChild - 1) : nullptr;
}

HRESULT CTkCommandBar::GetAccessibleChildCount(long* pcountChildren) {
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = GetControlCount();
    return S_OK;
}

HRESULT CTkCommandBar::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) {
    if (ppdispChild == nullptr)
        return E_POINTER;
    *ppdispChild = nullptr;
    CTkControl* pControl = GetAccessibleControl(varChild);
    if (pControl == nullptr)
        return E_INVALIDARG;
    *ppdispChild = &pControl->m_xAccessible;
    (*ppdispChild)->AddRef();
    return S_OK;
}

HRESULT CTkCommandBar::GetAccessibleName(VARIANT varChild, BSTR* pszName) {
    if (GetChildIdFromVariant(&varChild) == CHILDID_SELF)
        return ReturnText(m_strTitle, pszName);
    CTkControl* pControl = GetAccessibleControl(varChild);
    if (pControl == nullptr)
        return E_INVALIDARG;
    CString strName = pControl->GetCaption();
    strName.Remove(L'&');
    const CString strShortcut = pControl->GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    return ReturnText(strName, pszName);
}

HRESULT CTkCommandBar::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) {
    if (pvarRole == nullptr)
        return E_POINTER;
    ::VariantInit(pvarRole);
    pvarRole->vt = VT_I4;
    if (GetChildIdFromVariant(&varChild) == CHILDID_SELF) {
        pvarRole->lVal = m_nType == kBarTypeMenuBar ? ROLE_SYSTEM_MENUBAR
                         : m_nType == kBarTypePopup ? ROLE_SYSTEM_MENUPOPUP
                                                    : ROLE_SYSTEM_TOOLBAR;
        return S_OK;
    }
    if (GetAccessibleControl(varChild) == nullptr) {
        pvarRole->vt = VT_EMPTY;
        return E_INVALIDARG;
    }
    pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    return S_OK;
}

HRESULT CTkCommandBar::GetAccessibleState(VARIANT varChild, VARIANT* pvarState) {
    if (pvarState == nullptr)
        return E_POINTER;
    ::VariantInit(pvarState);
    pvarState->vt = VT_I4;
    if (GetChildIdFromVariant(&varChild) == CHILDID_SELF) {
        pvarState->lVal = IsVisible() ? 0 : STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    CTkControl* pControl = GetAccessibleControl(varChild);
    if (pControl == nullptr) {
        pvarState->vt = VT_EMPTY;
        return E_INVALIDARG;
    }
    pvarState->lVal = pControl->GetIndex() == m_nSelected ? kSelectedChildState : kChildState;
    return S_OK;
}

HRESULT CTkCommandBar::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                          VARIANT varChild) {
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    if (m_hWnd == nullptr)
        return E_FAIL;
    CRect rc;
    if (GetChildIdFromVariant(&varChild) == CHILDID_SELF) {
        GetWindowRect(&rc);
    } else {
        CTkControl* pControl = GetAccessibleControl(varChild);
        if (pControl == nullptr)
            return E_INVALIDARG;
        rc = pControl->GetRect();
        ClientToScreen(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CTkCommandBar::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
    if (pvarChild == nullptr)
        return E_POINTER;
    ::VariantInit(pvarChild);
    if (m_hWnd == nullptr)
        return S_FALSE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    CTkControl* pControl = m_pControls->HitTest(pt);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = pControl != nullptr ? pControl->GetIndex() + 1 : CHILDID_SELF;
    return S_OK;
}

// Ids are compared as LONG: lParam is wider than the object id on 64-bit Windows.
LRESULT CTkCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam) {
    const LONG nObjectId = static_cast<LONG>(lParam);
    if (nObjectId > 0 && nObjectId <= kLastControlObjectId) {
        if (CTkControl* pControl = m_pControls->FindById(nObjectId))
            return CallLresultFromObject(IID_IAccessible, wParam, &pControl->m_xAccessible);
        return Default();
    }
    if (nObjectId == OBJID_CLIENT || nObjectId == OBJID_MENU)
        return CallLresultFromObject(IID_IAccessible, wParam, &m_xAccessible);
    return Default();
}
