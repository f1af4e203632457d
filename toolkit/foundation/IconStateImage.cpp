#include "IconStateImage.h"

#include "TkBitmapFunctions.h"
#include "TkImageManager.h"
#include "TkImageManagerResource.h"

#include <cstdlib>

IconStateImage::IconStateImage(const IconStateImage& source)
    : m_hIcon(source.m_hIcon),
      m_hBitmap(source.m_hBitmap),
      m_pPremultipliedBits(source.m_pPremultipliedBits),
      m_pManager(source.m_pManager),
      m_pSlot(source.m_pSlot),
      m_cx(source.m_cx),
      m_cy(source.m_cy),
      m_bPackable(source.m_bPackable) {}

void IconStateImage::Start(HICON hIcon, HBITMAP hBitmap, BOOL bOwns) {
    Clear();
    m_hIcon = hIcon;
    m_hBitmap = hBitmap;
    m_bOwnsHandles = bOwns;
    const CSize size = GetSize();
    m_cx = size.cx;
    m_cy = size.cy;
}

void IconStateImage::WrapIcon(HICON hIcon, BOOL bPackable) {
    Start(hIcon, nullptr, FALSE);
    m_bPackable = bPackable;
}

void IconStateImage::WrapBitmap(HBITMAP hBitmap) {
    Start(nullptr, hBitmap, FALSE);
    m_bPackable = TRUE;
}

void IconStateImage::AttachIcon(HICON hIcon) {
    Start(hIcon, nullptr, TRUE);
}

void IconStateImage::AttachBitmap(HBITMAP hBitmap) {
    Start(nullptr, hBitmap, TRUE);
}

void IconStateImage::Clear() {
    if (m_bOwnsHandles) {
        if (m_hIcon != nullptr)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
        if (m_pSlot != nullptr)
            m_pSlot->pResource->FreeSlot(m_pSlot);
    }
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_pPremultipliedBits = nullptr;
    m_pSlot = nullptr;
    m_bOwnsHandles = FALSE;
}

void IconStateImage::CopyFrom(const IconStateImage& source) {
    if (&source == this)
        return;
    Clear();
    if (m_pManager != nullptr && !source.IsEmpty() && m_pManager->m_bPackImages && source.m_bPackable) {
        const CSize size = source.GetSize();
        CTkImageManagerResource* pStrip = m_pManager->GetResource(size.cx, size.cy);
        if (source.m_pSlot != nullptr) {
            // A strip takes only images of their own: take the pixels out of the other slot first.
            IconStateImage own;
            own.CopyFrom(source);
            m_pSlot = pStrip->AddImage(own);
        } else {
            m_pSlot = pStrip->AddImage(source);
        }
    } else if (source.m_pSlot != nullptr) {
        source.m_pSlot->pResource->ExtractImage(*this, source.m_pSlot);
    } else {
        if (source.m_hIcon != nullptr)
            m_hIcon = ::CopyIcon(source.m_hIcon);
        if (source.m_hBitmap != nullptr) {
            void* pBits = nullptr;
            m_hBitmap = CopyDib32(source.m_hBitmap, &pBits);
            if (m_hBitmap != nullptr && source.m_pPremultipliedBits != nullptr)
                m_pPremultipliedBits = static_cast<BYTE*>(pBits);
        }
    }
    m_bOwnsHandles = TRUE;
    m_bPackable = source.m_bPackable;
    m_cx = source.m_cx;
    m_cy = source.m_cy;
}

BOOL IconStateImage::IsEmpty() const {
    return (m_hIcon == nullptr && m_hBitmap == nullptr && m_pSlot == nullptr) || (m_cx == 0 && m_cy == 0);
}

BOOL IconStateImage::IsAlpha() const {
    return m_hBitmap != nullptr || (m_pSlot != nullptr && m_pSlot->bAlpha);
}

CSize IconStateImage::GetSize() const {
    if (m_pSlot != nullptr)
        return m_pSlot->pResource->GetImageSize();
    if (m_hIcon != nullptr)
        return GetIconSize(m_hIcon);
    BITMAP bm = {};
    if (m_hBitmap != nullptr && ::GetObjectW(m_hBitmap, sizeof(bm), &bm) != 0)
        return CSize(bm.bmWidth, std::abs(bm.bmHeight));
    return CSize(0, 0);
}

BYTE* IconStateImage::GetPremultipliedBits() {
    if (m_pPremultipliedBits != nullptr || m_hBitmap == nullptr)
        return m_pPremultipliedBits;
    void* pBits = nullptr;
    HBITMAP hPremultiplied = PremultiplyDib32(m_hBitmap, nullptr, &pBits);
    if (hPremultiplied == nullptr)
        return nullptr;
    // A wrapped bitmap stays its owner's; the record owns the converted copy from now on.
    if (m_bOwnsHandles)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hPremultiplied;
    m_pPremultipliedBits = static_cast<BYTE*>(pBits);
    m_bOwnsHandles = TRUE;
    return m_pPremultipliedBits;
}
