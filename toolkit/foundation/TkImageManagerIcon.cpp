#include "TkImageManagerIcon.h"

CTkImageManagerIcon::CTkImageManagerIcon(UINT nId, int nWidth, int nHeight, CTkImageManagerIconSet* pIconSet)
    : m_nId(nId), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet) {
    CTkImageManager* pManager = pIconSet != nullptr ? pIconSet->GetManager() : nullptr;
    for (IconStateImage* pImage :
         {&m_normal, &m_faded, &m_shadow, &m_hot, &m_checked, &m_pressed, &m_disabled, &m_generatedDisabled})
        pImage->m_pManager = pManager;
}

CTkImageManagerIcon::~CTkImageManagerIcon() {
    ClearImages(TRUE);
}

IconStateImage* CTkImageManagerIcon::GetHotImage() {
    return !m_hot.IsEmpty() ? &m_hot : &m_normal;
}

IconStateImage* CTkImageManagerIcon::GetCheckedImage() {
    return !m_checked.IsEmpty() ? &m_checked : GetHotImage();
}

IconStateImage* CTkImageManagerIcon::GetPressedImage() {
    return !m_pressed.IsEmpty() ? &m_pressed : GetHotImage();
}

IconStateImage* CTkImageManagerIcon::GetDisabledImage(BOOL bGenerate) {
    if (!m_disabled.IsEmpty())
        return &m_disabled;
    if (m_generatedDisabled.IsEmpty() && bGenerate)
        CreateDisabledImage();
    return &m_generatedDisabled;
}

IconStateImage* CTkImageManagerIcon::GetFadedImage() {
    if (m_faded.IsEmpty())
        CreateFadedImage();
    return !m_faded.IsEmpty() ? &m_faded : &m_normal;
}

IconStateImage* CTkImageManagerIcon::GetShadowImage() {
    if (m_shadow.IsEmpty())
        CreateShadowImage();
    return &m_shadow;
}

IconStateImage* CTkImageManagerIcon::GetStateImage(int nState) {
    switch (nState) {
        case ImageStateDisabled:
            return GetDisabledImage(TRUE);
        case ImageStateHot:
            return GetHotImage();
        case ImageStateChecked:
            return GetCheckedImage();
        case ImageStatePressed:
            return GetPressedImage();
        default:
            return &m_normal;
    }
}

void CTkImageManagerIcon::SetNormalImage(const IconStateImage& image) {
    ClearImages(TRUE);
    m_normal.CopyFrom(image);
    const CSize size = m_normal.GetSize();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    if (m_pIconSet != nullptr)
        m_pIconSet->RefreshAll();
}

void CTkImageManagerIcon::StoreImage(IconStateImage& slot, const IconStateImage& image) {
    ClearGeneratedImages();
    slot.CopyFrom(image);
}

void CTkImageManagerIcon::SetHotImage(const IconStateImage& image) {
    StoreImage(m_hot, image);
}

void CTkImageManagerIcon::SetCheckedImage(const IconStateImage& image) {
    StoreImage(m_checked, image);
}

void CTkImageManagerIcon::SetPressedImage(const IconStateImage& image) {
    StoreImage(m_pressed, image);
}

void CTkImageManagerIcon::SetDisabledImage(const IconStateImage& image) {
    StoreImage(m_disabled, image);
}

void CTkImageManagerIcon::ClearImages(BOOL bIncludeNormal) {
    for (IconStateImage* pImage :
         {&m_faded, &m_shadow, &m_hot, &m_checked, &m_pressed, &m_disabled, &m_generatedDisabled})
        pImage->Clear();
    if (bIncludeNormal)
        m_normal.Clear();
}

void CTkImageManagerIcon::ClearGeneratedImages() {
    m_faded.Clear();
    m_shadow.Clear();
    m_generatedDisabled.Clear();
}
