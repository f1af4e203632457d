// System helpers: the version record, the common-controls version in both test programs, module
// handles, monitor fallbacks, accessibility forwarding and child ids, and the fail-soft answers of the
// visual-styles and composition bindings.

#include "DwmApiFunctions.h"
#include "FoundationTestSupport.h"
#include "MultiMonitorHelper.h"
#include "OSVersionInfo.h"
#include "TkAccessible.h"
#include "TkModuleHandle.h"
#include "TkWinThemeWrapper.h"
#include "ToolkitCriticalSection.h"

namespace {

bool HasManifest() {
    return ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) != nullptr;
}

TEST(System, VersionRecordAndNamedTests) {
    const OSVersionInfo* pInfo = GetOSVersionInfo();
    EXPECT_EQ(pInfo, GetOSVersionInfo());
    EXPECT_EQ(pInfo->dwOSVersionInfoSize, 276u);
    EXPECT_FALSE(pInfo->IsWin9x());
    EXPECT_TRUE(pInfo->IsWin2000OrLater());
    EXPECT_TRUE(pInfo->IsWinXPOrLaterBool());
    EXPECT_TRUE(pInfo->IsVersionAtLeast(pInfo->dwMajorVersion, pInfo->dwMinorVersion));
    EXPECT_FALSE(pInfo->IsVersionAtLeast(pInfo->dwMajorVersion + 1, 0));
}

// Wine 8 loads the side-by-side common controls for the manifest, but that library's DllGetVersion
// still answers 5.81, as the plain one does: both programs see 5.81.
TEST(System, ComCtlVersionIsTheLoadedLibrarysInBothPrograms) {
    CTkModuleHandle comctl(L"COMCTL32.DLL");
    const DWORD dwLoaded = comctl.GetDllVersion();
    EXPECT_EQ(OSVersionInfo::GetComCtlVersion(), dwLoaded);
    EXPECT_EQ(dwLoaded, 0x50051u) << (HasManifest() ? "with" : "without") << " the manifest";
}

TEST(System, ModuleHandleFreesOnlyWhatItLoaded) {
    HMODULE hUser32 = ::GetModuleHandleW(L"user32.dll");
    {
        CTkModuleHandle looked(L"user32.dll");
        EXPECT_EQ(looked.GetState(), CTkModuleHandle::kAttached);
        EXPECT_EQ(looked.GetHandle(), hUser32);
        EXPECT_TRUE(looked.FreeModule());
        EXPECT_EQ(looked.GetHandle(), nullptr);
    }
    EXPECT_EQ(::GetModuleHandleW(L"user32.dll"), hUser32);

    CTkModuleHandle loaded;
    ASSERT_TRUE(loaded.LoadModule(L"shlwapi.dll"));
    EXPECT_EQ(loaded.GetState(), CTkModuleHandle::kLoaded);
    void (*pfnEntry)() = nullptr;
    EXPECT_TRUE(loaded.GetProcAddress(&pfnEntry, "PathFileExistsW"));
    EXPECT_NE(pfnEntry, nullptr);
    EXPECT_FALSE(loaded.GetProcAddress(&pfnEntry, "PathFileExistsW", 0x7FFF0000)) << "older than asked";
    EXPECT_EQ(pfnEntry, nullptr);
    EXPECT_FALSE(loaded.GetProcAddress(&pfnEntry, "NoSuchEntryPoint"));

    CTkModuleHandle missing;
    EXPECT_FALSE(missing.Init(L"no-such-library.dll"));
    EXPECT_FALSE(missing.GetProcAddress(&pfnEntry, "Anything"));
    EXPECT_EQ(missing.GetDllVersion(), 0u);

    ToolkitCriticalSection section;
    ToolkitLockGuard guard(section);
    EXPECT_TRUE(::TryEnterCriticalSection(section)) << "held by this thread, re-entered";
    ::LeaveCriticalSection(section);
}

TEST(System, MonitorQueriesFallBackToThePrimaryScreen) {
    const MultiMonitorHelper* pHelper = GetMultiMonitorHelper();
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    const CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const POINT ptNowhere = {-100000, -100000};  // on no monitor
    EXPECT_EQ(pHelper->GetWorkAreaAtPoint(ptNowhere), rcWork);
    EXPECT_EQ(pHelper->GetScreenAreaAtPoint(ptNowhere), rcScreen);
    EXPECT_EQ(pHelper->GetWorkAreaOfWnd(nullptr), rcWork);
    const CRect rcOnScreen(10, 10, 20, 20);
    EXPECT_EQ(pHelper->GetScreenAreaOfRect(&rcOnScreen), rcScreen);
    EXPECT_TRUE(pHelper->IsBound());
}

}  // namespace

// A command target that carries the accessibility interface, as bars and controls do.
class CAccessibleTarget : public CCmdTarget, public CTkAccessible {
public:
    CCmdTarget* GetAccessibleOwner() override { return this; }
    HRESULT GetAccessibleChildCount(long* pcountChildren) override {
        *pcountChildren = 7;
        return S_OK;
    }
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CAccessibleTarget, CCmdTarget)
    INTERFACE_PART(CAccessibleTarget, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

namespace {

TEST(Accessible, IUnknownIsTheOwnersAndMembersReachTheOperations) {
    CAccessibleTarget* pTarget = new CAccessibleTarget;
    IAccessible* pAccessible = &pTarget->m_xAccessible;
    EXPECT_EQ(pAccessible->AddRef(), 2u);
    EXPECT_EQ(pTarget->m_dwRef, 2);
    IAccessible* pQueried = nullptr;
    EXPECT_EQ(pAccessible->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pQueried)), S_OK);
    EXPECT_EQ(pQueried, pAccessible);
    pQueried->Release();
    long nChildren = 0;
    EXPECT_EQ(pAccessible->get_accChildCount(&nChildren), S_OK);
    EXPECT_EQ(nChildren, 7);
    VARIANT var;
    ::VariantInit(&var);
    EXPECT_EQ(pAccessible->get_accFocus(&var), S_FALSE);
    BSTR name = nullptr;
    EXPECT_EQ(pAccessible->get_accName(var, &name), E_NOTIMPL);
    EXPECT_EQ(pAccessible->Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
    pAccessible->Release();
    pTarget->InternalRelease();
}

TEST(Accessible, WithoutOwnerThereIsNoInterface) {
    CTkAccessible accessible;
    void* pvObject = &accessible;
    EXPECT_EQ(accessible.m_xAccessible.QueryInterface(IID_IUnknown, &pvObject), E_NOINTERFACE);
    EXPECT_EQ(pvObject, nullptr);
    EXPECT_EQ(accessible.m_xAccessible.AddRef(), 0u);
    EXPECT_EQ(accessible.m_xAccessible.Release(), 0u);
    accessible.NotifyWinEvent(EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, 0);
    if (!IsLibraryAvailable(L"oleacc.dll")) {
        IUnknown* pUnknown = nullptr;
        EXPECT_EQ(
            accessible.CallAccessibleObjectFromWindow(nullptr, 0, IID_IAccessible, reinterpret_cast<void**>(&pUnknown)),
            E_FAIL);
        EXPECT_EQ(accessible.CallLresultFromObject(IID_IAccessible, 0, nullptr), E_FAIL);
    }
}

TEST(Accessible, ChildIdFromVariants) {
    VARIANT empty, i2, i4, byRefI4, byRefVariant, bstr, selfRef, nullRef;
    ::VariantInit(&empty);
    i2.vt = VT_I2;
    i2.iVal = 3;
    i4.vt = VT_I4;
    i4.lVal = 5;
    LONG lFive = 5;
    byRefI4.vt = VT_BYREF | VT_I4;
    byRefI4.plVal = &lFive;
    byRefVariant.vt = VT_BYREF | VT_VARIANT;
    byRefVariant.pvarVal = &i2;
    bstr.vt = VT_BSTR;
    bstr.bstrVal = nullptr;
    selfRef.vt = VT_BYREF | VT_VARIANT;
    selfRef.pvarVal = &selfRef;  // a cycle sent by another process
    nullRef.vt = VT_BYREF | VT_I4;
    nullRef.plVal = nullptr;
    const struct {
        const VARIANT* pVar;
        int expected;
    } rows[] = {{&empty, 0}, {&i2, 3},       {&i4, 5},       {&byRefI4, 5}, {&byRefVariant, 3},
                {&bstr, -1}, {&selfRef, -1}, {&nullRef, -1}, {nullptr, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(GetChildIdFromVariant(row.pVar), row.expected);
}

TEST(VisualStyles, ClassicOrMissingLibraryFailsSoft) {
    CTkWinThemeWrapper wrapper(TRUE);
    wrapper.OpenTheme(nullptr, L"BUTTON");
    EXPECT_FALSE(wrapper.IsThemeActive()) << "the test prefix runs without a visual style";
    EXPECT_FALSE(wrapper.IsThemeActiveForControls());
    EXPECT_FALSE(wrapper.IsAppThemed());
    wrapper.CloseTheme();
    wrapper.CloseTheme();
    EXPECT_FALSE(wrapper.IsThemeOpen());
    // Without a theme handle the library answers a failure of its own; without the library the
    // wrapper answers E_FAIL.
    const bool bLibrary = IsLibraryAvailable(L"uxtheme.dll");
    COLORREF color = 0;
    int nValue = 0;
    CScopedMemDC dc(4, 4);
    const CRect rc(0, 0, 4, 4);
    for (const HRESULT hr : {wrapper.GetColor(0, 0, 3801, &color), wrapper.GetInt(0, 0, 0, &nValue),
                             wrapper.DrawBackground(dc, 1, 1, &rc, nullptr)}) {
        EXPECT_TRUE(FAILED(hr));
        if (!bLibrary) {
            EXPECT_EQ(hr, E_FAIL);
        }
    }
    EXPECT_EQ(wrapper.GetSysBool(0), FALSE);
    if (!bLibrary) {
        HDC hPaint = nullptr;
        EXPECT_EQ(wrapper.BeginBufferedPaint(dc, &rc, BPBF_TOPDOWNDIB, nullptr, &hPaint), nullptr);
        wchar_t szName[MAX_PATH] = {};
        EXPECT_EQ(wrapper.GetCurrentThemeName(szName, MAX_PATH, nullptr, 0, nullptr, 0), E_FAIL);
        EXPECT_EQ(GetUxThemeFunctionTable(FALSE)->m_hModule, nullptr);
    }
}

TEST(VisualStyles, FollowingTableNoticesAChangedModule) {
    UxThemeFunctionTable* pTable = GetUxThemeFunctionTable(TRUE);
    pTable->Rebind();
    const HMODULE hCurrent = pTable->m_hModule;
    pTable->m_hModule = SkinnedUxThemeHandle;  // as if a skin had answered its own module
    pTable->m_entries[UxThemeFunctionTable::kIsThemeActive] = reinterpret_cast<FARPROC>(&::GetLastError);
    pTable->Rebind();
    EXPECT_EQ(pTable->m_hModule, hCurrent);
    EXPECT_EQ(pTable->m_entries[UxThemeFunctionTable::kIsThemeActive], nullptr) << "old entries are forgotten";
}

TEST(Dwm, UnavailableCompositionAnswersEFail) {
    if (IsLibraryAvailable(L"dwmapi.dll"))
        GTEST_SKIP() << "only without dwmapi";
    LRESULT lResult = 0;
    EXPECT_EQ(CallDwmDefWindowProc(nullptr, WM_NCHITTEST, 0, 0, &lResult), E_FAIL);
    EXPECT_EQ(CallDwmExtendFrameIntoClientArea(nullptr, 1, 2, 3, 4), E_FAIL);
}

}  // namespace
