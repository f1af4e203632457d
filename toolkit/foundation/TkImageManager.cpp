#include "TkImageManager.h"

#include "TkImageManagerResource.h"
#include "TkWindowFunctions.h"

namespace {

constexpr UINT kIconSetBuckets = 127;

DWORD ResourceKey(int cx, int cy) {
    return static_cast<DWORD>(cy) << 16 | (static_cast<DWORD>(cx) & 0xFFFF);
}

}  // namespace

CTkImageManager::CTkImageManager() {
    m_mapIconSets.InitHashTable(kIconSetBuckets);
}

CTkImageManager::~CTkImageManager() {
    RemoveAll();
}

void CTkImageManager::RemoveAll() {
    POSITION pos = m_mapResources.GetStartPosition();
    while (pos != nullptr) {
        DWORD dwKey = 0;
        CTkImageManagerResource* pResource = nullptr;
        m_mapResources.GetNextAssoc(pos, dwKey, pResource);
        delete pResource;
    }
    m_mapResources.RemoveAll();
}

CTkImageManagerResource* CTkImageManager::GetResource(int cx, int cy) {
    CTkImageManagerResource*& pResource = m_mapResources[ResourceKey(cx, cy)];
    if (pResource == nullptr)
        pResource = new CTkImageManagerResource(this, cx, cy);
    return pResource;
}

BOOL CTkImageManager::IsMirrored(CDC* pDC) const {
    return m_nMirrorMode == 1 || (m_nMirrorMode == 2 && IsDCRightToLeft(pDC));
}

CTkImageManager* GetImageManager() {
    // Built on first use, destroyed at exit; its creator's reference is never released, so holders'
    // releases cannot delete it. No lock: the UI thread makes the first call.
    static CTkImageManager s_manager;
    return &s_manager;
}
