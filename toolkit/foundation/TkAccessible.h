#pragma once
#include "TkModuleHandle.h"

#include <oleacc.h>

// The accessibility mixin of the command-bar window and of every command-bar control.
//
// The owner derives from a CCmdTarget and from CTkAccessible, lists IID_IAccessible in its interface
// map against m_xAccessible, and answers GetAccessibleOwner with itself: XAccessible's IUnknown then
// goes to the owner's External... members, so the owner's reference count is the object's. The
// IAccessible members reach the virtual operations below unchanged; the base answers E_NOTIMPL
// (S_FALSE for focus and selection), and controls override what they support.
//
// "oleacc.dll" is never linked: it is loaded on the first request for one of its functions, and freed
// with the object. NotifyWinEvent is bound from user32 by the constructor. UI thread.

class CTkAccessible {
public:
    CTkAccessible();
    virtual ~CTkAccessible();
    CTkAccessible(const CTkAccessible&) = delete;
    CTkAccessible& operator=(const CTkAccessible&) = delete;

    // ---- What the owner answers (one operation per IAccessible member)
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT GetAccessibleHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT GetAccessibleFocus(VARIANT* pvarChild);
    virtual HRESULT GetAccessibleSelection(VARIANT* pvarChildren);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT PutAccessibleName(VARIANT varChild, BSTR szName);
    virtual HRESULT PutAccessibleValue(VARIANT varChild, BSTR szValue);
    // The CCmdTarget that carries the COM identity; NULL in the base, which then answers
    // E_NOINTERFACE to QueryInterface and 0 to AddRef and Release.
    virtual CCmdTarget* GetAccessibleOwner();

    // ---- Bound system functions
    // Raises the event; nothing when user32 lacks NotifyWinEvent.
    void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
    // oleacc's functions; E_FAIL (0 for the LRESULT) when oleacc or the function is unavailable.
    HRESULT CallAccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectId, REFIID riid, void** ppvObject);
    LRESULT CallLresultFromObject(REFIID riid, WPARAM wParam, IUnknown* pUnknown);

    // IAccessible on this object: its IUnknown is the owner's.
    class XAccessible : public IAccessible {
    public:
        STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
        STDMETHOD(Invoke)
        (DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
         EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
        STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
        STDMETHOD(get_accChildCount)(long* pcountChildren) override;
        STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
        STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
        STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
        STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
        STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
        STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
        STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
        STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
        STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;

    private:
        CTkAccessible* Outer();
    } m_xAccessible;

private:
    // Loads oleacc on first use; TRUE when it is there.
    BOOL LoadOleAcc();

    void(WINAPI* m_pfnNotifyWinEvent)(DWORD, HWND, LONG, LONG) = nullptr;
    LRESULT(WINAPI* m_pfnLresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* m_pfnAccessibleObjectFromWindow)(HWND, DWORD, REFIID, void**) = nullptr;
    CTkModuleHandle m_user32;
    CTkModuleHandle m_oleacc;  // empty until the first oleacc request
};

// The child id of an accessibility request: 0 for VT_EMPTY (the object itself), the value of VT_I2 and
// VT_I4 and of their by-reference forms, a by-reference VARIANT followed; -1 for anything else. The
// VARIANT comes from another process: a chain of by-reference VARIANTs deeper than 8 (a cycle among
// them) answers -1.
int GetChildIdFromVariant(const VARIANT* pVar);
