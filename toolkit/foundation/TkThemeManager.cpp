#include "TkThemeManager.h"

#include <algorithm>

namespace {

CProcessLocal<CTkThemeManager> g_themeManager;

// A new factory of pFactoryClass; NULL for NULL, a class that is not a factory or cannot be created.
CTkThemeManagerStyleFactory* CreateFactory(CRuntimeClass* pFactoryClass) {
    if (pFactoryClass == nullptr || !pFactoryClass->IsDerivedFrom(RUNTIME_CLASS(CTkThemeManagerStyleFactory)))
        return nullptr;
    return static_cast<CTkThemeManagerStyleFactory*>(pFactoryClass->CreateObject());
}

}  // namespace

// ---- CTkThemeManagerStyleFactory

IMPLEMENT_DYNCREATE(CTkThemeManagerStyleFactory, CObject)

CTkThemeManagerStyleFactory::~CTkThemeManagerStyleFactory() {
    delete m_pStyle;
    // Only the manager's shared factories can die under their hosts (at exit); a private factory's host
    // leaves it before deleting it.
    for (CTkThemeManagerStyleHost* pHost : m_hosts) {
        if (pHost->m_pSharedFactory == this)
            pHost->m_pSharedFactory = nullptr;
    }
}

CTkThemeManagerStyle* CTkThemeManagerStyleFactory::CreateStyle(int) {
    return nullptr;
}

void CTkThemeManagerStyleFactory::RefreshStyle() {
    if (m_pStyle != nullptr)
        m_pStyle->Refresh();
}

CTkThemeManagerStyle* CTkThemeManagerStyleFactory::GetStyle() {
    if (m_pStyle == nullptr) {
        CTkThemeManagerStyle* pStyle = CreateStyle(GetThemeManager()->GetThemeNumber());
        if (pStyle != nullptr)
            InstallStyle(pStyle);
    }
    return m_pStyle;
}

void CTkThemeManagerStyleFactory::ReplaceStyle(CTkThemeManagerStyle* pStyle) {
    if (pStyle == nullptr)
        return;
    ASSERT(pStyle->m_pFactory == nullptr || pStyle->m_pFactory == this);
    if (pStyle != m_pStyle)
        delete m_pStyle;
    InstallStyle(pStyle);
    // A host may change its style from the notification: visit the hosts as they were.
    const std::vector<CTkThemeManagerStyleHost*> hosts = m_hosts;
    for (CTkThemeManagerStyleHost* pHost : hosts)
        pHost->OnStyleChanged();
}

void CTkThemeManagerStyleFactory::InstallStyle(CTkThemeManagerStyle* pStyle) {
    m_pStyle = pStyle;
    pStyle->m_pFactory = this;
    pStyle->Refresh();
}

void CTkThemeManagerStyleFactory::AddHost(CTkThemeManagerStyleHost* pHost) {
    if (std::find(m_hosts.begin(), m_hosts.end(), pHost) == m_hosts.end())
        m_hosts.push_back(pHost);
}

void CTkThemeManagerStyleFactory::RemoveHost(CTkThemeManagerStyleHost* pHost) {
    m_hosts.erase(std::remove(m_hosts.begin(), m_hosts.end(), pHost), m_hosts.end());
}

// ---- CTkThemeManager

CTkThemeManager::~CTkThemeManager() {
    POSITION pos = m_sharedFactories.GetStartPosition();
    while (pos != nullptr) {
        void* pClass = nullptr;
        void* pFactory = nullptr;
        m_sharedFactories.GetNextAssoc(pos, pClass, pFactory);
        delete static_cast<CTkThemeManagerStyleFactory*>(pFactory);
    }
}

CTkThemeManagerStyleFactory* CTkThemeManager::GetSharedFactory(CRuntimeClass* pFactoryClass) {
    if (pFactoryClass == nullptr)
        return nullptr;
    void* pFactory = nullptr;
    if (!m_sharedFactories.Lookup(pFactoryClass, pFactory)) {
        pFactory = CreateFactory(pFactoryClass);
        if (pFactory != nullptr)
            m_sharedFactories.SetAt(pFactoryClass, pFactory);
    }
    return static_cast<CTkThemeManagerStyleFactory*>(pFactory);
}

CTkThemeManager* GetThemeManager() {
    return g_themeManager.GetData();
}

// ---- CTkThemeManagerStyleHost

CTkThemeManagerStyleHost::CTkThemeManagerStyleHost(CRuntimeClass* pFactoryClass) {
    if (pFactoryClass != nullptr)
        AttachFactoryClass(pFactoryClass);
}

CTkThemeManagerStyleHost::~CTkThemeManagerStyleHost() {
    if (CTkThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->RemoveHost(this);
}

void CTkThemeManagerStyleHost::AttachFactoryClass(CRuntimeClass* pFactoryClass) {
    // A host is in the list of the factory it draws with; with a private style that stays the private one.
    const bool bDrawsShared = m_pPrivateFactory == nullptr;
    if (bDrawsShared && m_pSharedFactory != nullptr)
        m_pSharedFactory->RemoveHost(this);
    m_pFactoryClass = pFactoryClass;
    m_pSharedFactory = GetThemeManager()->GetSharedFactory(pFactoryClass);
    if (bDrawsShared && m_pSharedFactory != nullptr)
        m_pSharedFactory->AddHost(this);
}

CTkThemeManagerStyleFactory* CTkThemeManagerStyleHost::GetFactory() const {
    return m_pPrivateFactory != nullptr ? m_pPrivateFactory.get() : m_pSharedFactory;
}

CTkThemeManagerStyle* CTkThemeManagerStyleHost::GetThemeStyle() const {
    CTkThemeManagerStyleFactory* pFactory = GetFactory();
    return pFactory != nullptr ? pFactory->GetStyle() : nullptr;
}

void CTkThemeManagerStyleHost::SetCustomStyle(CTkThemeManagerStyle* pStyle) {
    if (m_pPrivateFactory == nullptr && pStyle == nullptr)
        return;
    std::unique_ptr<CTkThemeManagerStyleFactory> pNewFactory;
    if (pStyle != nullptr) {
        pNewFactory.reset(CreatePrivateFactory());
        // The style was handed over: with no factory to keep it, it is deleted rather than leaked.
        if (pNewFactory == nullptr) {
            delete pStyle;
            return;
        }
    }
    if (CTkThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->RemoveHost(this);
    m_pPrivateFactory = std::move(pNewFactory);
    if (m_pPrivateFactory != nullptr)
        m_pPrivateFactory->ReplaceStyle(pStyle);
    OnStyleChanged();
    if (CTkThemeManagerStyleFactory* pFactory = GetFactory())
        pFactory->AddHost(this);
}

CTkThemeManagerStyleFactory* CTkThemeManagerStyleHost::CreatePrivateFactory() {
    return CreateFactory(m_pFactoryClass);
}
