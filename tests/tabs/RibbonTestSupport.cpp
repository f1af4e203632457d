#include "RibbonTestSupport.h"

#include "TkOffice2007Images.h"

namespace {

HMODULE RibbonLookModule() {
    static HMODULE s_hModule = ::LoadLibraryW(L"RibbonLook.dll");
    return s_hModule;
}

}  // namespace

CRibbonLook::CRibbonLook(BOOL bLook) {
    GetOffice2007Images()->SetResourceModule(bLook ? RibbonLookModule() : nullptr);
}

CRibbonLook::~CRibbonLook() {
    GetOffice2007Images()->SetResourceModule(nullptr);
}

BOOL CRibbonLook::IsLoaded() const {
    return GetOffice2007Images()->IsLoaded();
}

CRibbonThemeRef::CRibbonThemeRef() : m_pTheme(new CTkRibbonTheme) {
    m_pTheme->RefreshMetrics();
}
