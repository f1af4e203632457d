#include "TkControlBitmap.h"

#include "TkImageManager.h"
#include "TkImageManagerIcon.h"

IMPLEMENT_SERIAL(CTkControlBitmap, CTkControlLabel, VERSIONABLE_SCHEMA | 33)

namespace {

constexpr UINT kLargestImage = 1;

}  // namespace

CTkImageManagerIcon* CTkControlBitmap::GetLargestImage() const {
    CTkImageManager* pImageManager = GetImageManager();
    return pImageManager != nullptr && m_nId != 0 ? pImageManager->GetIcon(static_cast<UINT>(m_nId), kLargestImage)
                                                  : nullptr;
}

CSize CTkControlBitmap::GetSize(CDC* pDC) {
    CTkImageManagerIcon* pImage = GetLargestImage();
    return pImage != nullptr ? pImage->GetNormalImageSize() : CSize(0, 0);
}

void CTkControlBitmap::Draw(CDC* pDC) {
    if (CTkImageManagerIcon* pImage = GetLargestImage())
        pImage->DrawNormal(pDC, m_rcControl.left, m_rcControl.top);
}
