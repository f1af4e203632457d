#include "Ole.h"

#include <cstdlib>
#include <vector>

BOOL AfxOleInit() {
    static bool s_bInitialised = false;
    if (s_bInitialised)
        return TRUE;
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    s_bInitialised = true;
    std::atexit([] { ::OleUninitialize(); });
    return TRUE;
}

COleVariant::COleVariant(LPCTSTR lpszSrc) : COleVariant() {
    vt = VT_BSTR;
    bstrVal = ::SysAllocString(lpszSrc);
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc) : COleVariant() {
    vt = vtSrc;
    if (vtSrc == VT_BOOL) {
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_ERROR) {
        scode = lSrc;
    } else {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc) {
    if (this != &varSrc)
        ::VariantCopy(this, const_cast<COleVariant*>(&varSrc));
    return *this;
}

VARIANT COleVariant::Detach() {
    VARIANT value = *this;
    ::VariantInit(this);
    return value;
}

HRESULT AfxDispInvoke(IDispatch* pDispatch, DISPID dispid, WORD wFlags, VARIANT* pvarResult, const VARIANT* pArgs,
                      UINT nArgs) {
    if (pvarResult != nullptr)
        ::VariantInit(pvarResult);
    if (pDispatch == nullptr)
        return E_POINTER;

    // Shallow copies: the caller keeps owning the values.
    std::vector<VARIANT> reversed(nArgs);
    for (UINT i = 0; i < nArgs; ++i)
        reversed[nArgs - 1 - i] = pArgs[i];
    DISPPARAMS params = {};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = nArgs;
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    const bool bPut = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (bPut) {
        params.rgdispidNamedArgs = &dispidNamed;
        params.cNamedArgs = 1;
    }

    EXCEPINFO excepInfo = {};
    UINT nArgErr = 0;
    const HRESULT hr = pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                         bPut ? nullptr : pvarResult, &excepInfo, &nArgErr);
    if (hr == DISP_E_EXCEPTION) {
        ::SysFreeString(excepInfo.bstrSource);
        ::SysFreeString(excepInfo.bstrDescription);
        ::SysFreeString(excepInfo.bstrHelpFile);
    }
    return hr;
}
