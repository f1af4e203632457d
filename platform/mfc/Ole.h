#pragma once
#include "AfxBase.h"

#include <ole2.h>

// OLE on the layer: COM start-up for the UI thread, and an automation client that drives a server
// through its raw IDispatch with fixed dispatch ids (no type library, no dispatch-driver classes).
// Worker threads that automate call CoInitialize/CoUninitialize themselves.

// OleInitialize on the calling (UI) thread, undone at process exit; FALSE when COM cannot start there.
BOOL AfxOleInit();
// Control containment is not used; kept so start-up code reads as written.
inline void AfxEnableControlContainer() {}

// A VARIANT that owns its value (a BSTR is freed, an interface released, when it is cleared).
// A left-out optional argument is COleVariant(DISP_E_PARAMNOTFOUND, VT_ERROR).
class COleVariant : public tagVARIANT {
public:
    COleVariant() { ::VariantInit(this); }
    COleVariant(const COleVariant& varSrc) : COleVariant() { ::VariantCopy(this, const_cast<COleVariant*>(&varSrc)); }
    COleVariant(LPCTSTR lpszSrc);
    // vtSrc: VT_I4, VT_BOOL (non-zero is VARIANT_TRUE) or VT_ERROR (lSrc is the SCODE).
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    // A 16-bit integer (VT_I2), for the arguments a server takes as such.
    COleVariant(short nSrc) : COleVariant() {
        vt = VT_I2;
        iVal = nSrc;
    }
    COleVariant(double dblSrc) : COleVariant() {
        vt = VT_R8;
        dblVal = dblSrc;
    }
    ~COleVariant() { ::VariantClear(this); }

    COleVariant& operator=(const COleVariant& varSrc);
    void Clear() { ::VariantClear(this); }
    // Hands the value over to the caller, who clears it.
    VARIANT Detach();
};

// IDispatch::Invoke of dispid with nArgs arguments given in their natural order (they are passed
// reversed, as Invoke expects). A property put (DISPATCH_PROPERTYPUT/PUTREF) carries the named
// argument DISPID_PROPERTYPUT and no result. pvarResult, when given, is initialised first and holds
// the result on success. Answers Invoke's HRESULT (E_POINTER for no object); nothing is thrown and the
// texts of a server exception are freed.
HRESULT AfxDispInvoke(IDispatch* pDispatch, DISPID dispid, WORD wFlags, VARIANT* pvarResult, const VARIANT* pArgs,
                      UINT nArgs);
