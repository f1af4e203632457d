#include "TkAccessible.h"

namespace {

constexpr int kMaxVariantDepth = 8;

}  // namespace

CTkAccessible::CTkAccessible() : m_user32(L"user32.dll") {
    m_user32.GetProcAddress(&m_pfnNotifyWinEvent, "NotifyWinEvent");
}

CTkAccessible::~CTkAccessible() = default;

HRESULT CTkAccessible::GetAccessibleParent(IDispatch**) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleChildCount(long*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleChild(VARIANT, IDispatch**) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleName(VARIANT, BSTR*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleValue(VARIANT, BSTR*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleDescription(VARIANT, BSTR*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleRole(VARIANT, VARIANT*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleState(VARIANT, VARIANT*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleHelp(VARIANT, BSTR*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleHelpTopic(BSTR*, VARIANT, long*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleKeyboardShortcut(VARIANT, BSTR*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::GetAccessibleFocus(VARIANT*) {
    return S_FALSE;
}
HRESULT CTkAccessible::GetAccessibleSelection(VARIANT*) {
    return S_FALSE;
}
HRESULT CTkAccessible::GetAccessibleDefaultAction(VARIANT, BSTR*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::AccessibleSelect(long, VARIANT) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::AccessibleNavigate(long, VARIANT, VARIANT*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::AccessibleHitTest(long, long, VARIANT*) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::AccessibleDoDefaultAction(VARIANT) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::PutAccessibleName(VARIANT, BSTR) {
    return E_NOTIMPL;
}
HRESULT CTkAccessible::PutAccessibleValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}
CCmdTarget* CTkAccessible::GetAccessibleOwner() {
    return nullptr;
}

void CTkAccessible::NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild) {
    if (m_pfnNotifyWinEvent != nullptr)
        m_pfnNotifyWinEvent(event, hWnd, idObject, idChild);
}

BOOL CTkAccessible::LoadOleAcc() {
    if (m_oleacc.GetHandle() == nullptr && m_oleacc.Init(L"oleacc.dll")) {
        m_oleacc.GetProcAddress(&m_pfnAccessibleObjectFromWindow, "AccessibleObjectFromWindow");
        m_oleacc.GetProcAddress(&m_pfnLresultFromObject, "LresultFromObject");
    }
    return m_oleacc.GetHandle() != nullptr;
}

HRESULT CTkAccessible::CallAccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectId, REFIID riid, void** ppvObject) {
    if (!LoadOleAcc() || m_pfnAccessibleObjectFromWindow == nullptr)
        return E_FAIL;
    return m_pfnAccessibleObjectFromWindow(hWnd, dwObjectId, riid, ppvObject);
}

LRESULT CTkAccessible::CallLresultFromObject(REFIID riid, WPARAM wParam, IUnknown* pUnknown) {
    if (!LoadOleAcc() || m_pfnLresultFromObject == nullptr)
        return E_FAIL;
    return m_pfnLresultFromObject(riid, wParam, pUnknown);
}

// ---- XAccessible

CTkAccessible* CTkAccessible::XAccessible::Outer() {
    METHOD_PROLOGUE(CTkAccessible, Accessible)
    return pThis;
}

STDMETHODIMP CTkAccessible::XAccessible::QueryInterface(REFIID riid, void** ppvObject) {
    CCmdTarget* pOwner = Outer()->GetAccessibleOwner();
    if (pOwner == nullptr) {
        if (ppvObject != nullptr)
            *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    return static_cast<HRESULT>(pOwner->ExternalQueryInterface(&riid, ppvObject));
}

STDMETHODIMP_(ULONG) CTkAccessible::XAccessible::AddRef() {
    CCmdTarget* pOwner = Outer()->GetAccessibleOwner();
    return pOwner != nullptr ? pOwner->ExternalAddRef() : 0;
}

STDMETHODIMP_(ULONG) CTkAccessible::XAccessible::Release() {
    CCmdTarget* pOwner = Outer()->GetAccessibleOwner();
    return pOwner != nullptr ? pOwner->ExternalRelease() : 0;
}

STDMETHODIMP CTkAccessible::XAccessible::GetTypeInfoCount(UINT*) {
    return E_NOTIMPL;
}
STDMETHODIMP CTkAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
STDMETHODIMP CTkAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
STDMETHODIMP CTkAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}
STDMETHODIMP CTkAccessible::XAccessible::get_accParent(IDispatch** ppdispParent) {
    return Outer()->GetAccessibleParent(ppdispParent);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accChildCount(long* pcountChildren) {
    return Outer()->GetAccessibleChildCount(pcountChildren);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild) {
    return Outer()->GetAccessibleChild(varChild, ppdispChild);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accName(VARIANT varChild, BSTR* pszName) {
    return Outer()->GetAccessibleName(varChild, pszName);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accValue(VARIANT varChild, BSTR* pszValue) {
    return Outer()->GetAccessibleValue(varChild, pszValue);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
    return Outer()->GetAccessibleDescription(varChild, pszDescription);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
    return Outer()->GetAccessibleRole(varChild, pvarRole);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accState(VARIANT varChild, VARIANT* pvarState) {
    return Outer()->GetAccessibleState(varChild, pvarState);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp) {
    return Outer()->GetAccessibleHelp(varChild, pszHelp);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) {
    return Outer()->GetAccessibleHelpTopic(pszHelpFile, varChild, pidTopic);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) {
    return Outer()->GetAccessibleKeyboardShortcut(varChild, pszKeyboardShortcut);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accFocus(VARIANT* pvarChild) {
    return Outer()->GetAccessibleFocus(pvarChild);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accSelection(VARIANT* pvarChildren) {
    return Outer()->GetAccessibleSelection(pvarChildren);
}
STDMETHODIMP CTkAccessible::XAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
    return Outer()->GetAccessibleDefaultAction(varChild, pszDefaultAction);
}
STDMETHODIMP CTkAccessible::XAccessible::accSelect(long flagsSelect, VARIANT varChild) {
    return Outer()->AccessibleSelect(flagsSelect, varChild);
}
STDMETHODIMP CTkAccessible::XAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                     VARIANT varChild) {
    return Outer()->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}
STDMETHODIMP CTkAccessible::XAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) {
    return Outer()->AccessibleNavigate(navDir, varStart, pvarEndUpAt);
}
STDMETHODIMP CTkAccessible::XAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
    return Outer()->AccessibleHitTest(xLeft, yTop, pvarChild);
}
STDMETHODIMP CTkAccessible::XAccessible::accDoDefaultAction(VARIANT varChild) {
    return Outer()->AccessibleDoDefaultAction(varChild);
}
STDMETHODIMP CTkAccessible::XAccessible::put_accName(VARIANT varChild, BSTR szName) {
    return Outer()->PutAccessibleName(varChild, szName);
}
STDMETHODIMP CTkAccessible::XAccessible::put_accValue(VARIANT varChild, BSTR szValue) {
    return Outer()->PutAccessibleValue(varChild, szValue);
}

int GetChildIdFromVariant(const VARIANT* pVar) {
    for (int nDepth = 0; pVar != nullptr && nDepth <= kMaxVariantDepth; ++nDepth) {
        switch (pVar->vt) {
            case VT_EMPTY:
                return 0;
            case VT_I2:
                return pVar->iVal;
            case VT_I4:
                return pVar->lVal;
            case VT_BYREF | VT_I2:
                return pVar->piVal != nullptr ? *pVar->piVal : -1;
            case VT_BYREF | VT_I4:
                return pVar->plVal != nullptr ? *pVar->plVal : -1;
            case VT_BYREF | VT_VARIANT:
                pVar = pVar->pvarVal;
                break;
            default:
                return -1;
        }
    }
    return -1;
}
