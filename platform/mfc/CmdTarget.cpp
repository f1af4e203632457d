#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_INTERFACEMAP_ENTRY kNoInterfaces[] = {{nullptr, nullptr}};
const AFX_INTERFACEMAP kEmptyInterfaceMap = {nullptr, kNoInterfaces};

}  // namespace

DWORD CCmdTarget::InternalAddRef() {
    return static_cast<DWORD>(::InterlockedIncrement(&m_dwRef));
}

DWORD CCmdTarget::InternalRelease() {
    LONG nRef = ::InterlockedDecrement(&m_dwRef);
    if (nRef == 0)
        OnFinalRelease();
    return static_cast<DWORD>(nRef);
}

void CCmdTarget::OnFinalRelease() {
    delete this;
}

const AFX_INTERFACEMAP* CCmdTarget::GetThisInterfaceMap() {
    return &kEmptyInterfaceMap;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const {
    return &kEmptyInterfaceMap;
}

LPUNKNOWN CCmdTarget::GetInterface(const IID* iid) {
    const bool bAny = IsEqualIID(*iid, IID_IUnknown);
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_INTERFACEMAP_ENTRY* pEntry = pMap->pEntry; pEntry->piid != nullptr; ++pEntry) {
            if (bAny || IsEqualIID(*iid, *pEntry->piid))
                return static_cast<LPUNKNOWN>(pEntry->pfnGetInterface(this));
        }
    }
    return nullptr;
}

DWORD CCmdTarget::InternalQueryInterface(const IID* iid, LPVOID* ppvObj) {
    LPUNKNOWN pUnknown = GetInterface(iid);
    *ppvObj = pUnknown;
    if (pUnknown == nullptr)
        return static_cast<DWORD>(E_NOINTERFACE);
    InternalAddRef();
    return S_OK;
}
