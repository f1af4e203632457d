// The automation client: how arguments, property puts and failures reach and leave IDispatch::Invoke.

#include "FrameTestSupport.h"

#include <string>
#include <vector>

namespace {

// An automation object that records the last call and answers with m_hrAnswer.
class CFakeDispatch : public IDispatch {
public:
    DISPID m_dispid = 0;
    WORD m_wFlags = 0;
    std::vector<std::wstring> m_args;  // as Invoke saw them (rgvarg order)
    std::vector<DISPID> m_named;
    bool m_bResultAsked = false;
    HRESULT m_hrAnswer = S_OK;

    STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
        *ppv = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override {
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                        EXCEPINFO* pExcepInfo, UINT*) override {
        m_dispid = dispid;
        m_wFlags = wFlags;
        m_args.clear();
        for (UINT i = 0; i < pParams->cArgs; ++i) {
            const VARIANT& arg = pParams->rgvarg[i];
            if (arg.vt == VT_BSTR)
                m_args.push_back(arg.bstrVal);
            else if (arg.vt == VT_ERROR)
                m_args.push_back(arg.scode == DISP_E_PARAMNOTFOUND ? L"<missing>" : L"<error>");
            else if (arg.vt == VT_BOOL)
                m_args.push_back(arg.boolVal == VARIANT_TRUE ? L"<true>" : L"<false>");
            else
                m_args.push_back(std::to_wstring(arg.lVal));
        }
        m_named.assign(pParams->rgdispidNamedArgs, pParams->rgdispidNamedArgs + pParams->cNamedArgs);
        m_bResultAsked = pResult != nullptr;
        if (m_hrAnswer == DISP_E_EXCEPTION) {
            pExcepInfo->bstrSource = ::SysAllocString(L"server");
            pExcepInfo->bstrDescription = ::SysAllocString(L"it failed");
        } else if (pResult != nullptr && SUCCEEDED(m_hrAnswer)) {
            pResult->vt = VT_I4;
            pResult->lVal = 42;
        }
        return m_hrAnswer;
    }
};

}  // namespace

TEST(Ole, DispInvokePassesArgumentsReversedAndPutsWithTheNamedArgument) {
    CFakeDispatch server;
    const COleVariant cells[] = {COleVariant(L"A1"), COleVariant(L"B2")};
    COleVariant result;
    EXPECT_EQ(AfxDispInvoke(&server, 197, DISPATCH_PROPERTYGET, &result, cells, 2), S_OK);
    EXPECT_EQ(server.m_dispid, 197);
    EXPECT_EQ(server.m_args, (std::vector<std::wstring>{L"B2", L"A1"}));
    EXPECT_TRUE(server.m_named.empty());
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 42);

    const COleVariant visible(1L, VT_BOOL);
    EXPECT_EQ(AfxDispInvoke(&server, 558, DISPATCH_PROPERTYPUT, nullptr, &visible, 1), S_OK);
    EXPECT_EQ(server.m_args, (std::vector<std::wstring>{L"<true>"}));
    EXPECT_EQ(server.m_named, (std::vector<DISPID>{DISPID_PROPERTYPUT}));
    EXPECT_FALSE(server.m_bResultAsked);

    const COleVariant withOptional[] = {COleVariant(L"x"), COleVariant(DISP_E_PARAMNOTFOUND, VT_ERROR)};
    EXPECT_EQ(AfxDispInvoke(&server, 170, DISPATCH_METHOD, nullptr, withOptional, 2), S_OK);
    EXPECT_EQ(server.m_args, (std::vector<std::wstring>{L"<missing>", L"x"}));
}

TEST(Ole, DispInvokeAnswersFailuresInsteadOfThrowing) {
    CFakeDispatch server;
    COleVariant result(7L);
    server.m_hrAnswer = DISP_E_EXCEPTION;
    EXPECT_EQ(AfxDispInvoke(&server, 6, DISPATCH_PROPERTYGET, &result, nullptr, 0), DISP_E_EXCEPTION);
    EXPECT_EQ(result.vt, VT_EMPTY);
    server.m_hrAnswer = DISP_E_MEMBERNOTFOUND;
    EXPECT_EQ(AfxDispInvoke(&server, 6, DISPATCH_PROPERTYGET, nullptr, nullptr, 0), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(AfxDispInvoke(nullptr, 6, DISPATCH_PROPERTYGET, &result, nullptr, 0), E_POINTER);
}

TEST(Ole, OleStartsOnTheUiThread) {
    EXPECT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleInit());
    // The apartment is the single-threaded one OLE needs: a second OleInitialize only counts.
    EXPECT_EQ(::OleInitialize(nullptr), S_FALSE);
    ::OleUninitialize();
}
