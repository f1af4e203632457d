#pragma once
#include "TkImageManager.h"

// The icon of one command id at one width, with its state images. Callers store the normal, hot,
// checked, pressed and disabled images; the faded, shadow and generated disabled images are derived
// from them on first use and cached until RefreshAll or a new stored image drops them. A set-owned icon
// packs its images into its manager's strips; a free-standing icon (buttons build such) never does.
// Reference counted; UI thread.

class CTkImageManagerIcon : public CCmdTarget {
public:
    // An icon of a set (pIconSet NULL: free-standing).
    CTkImageManagerIcon(UINT nId, int nWidth, int nHeight, CTkImageManagerIconSet* pIconSet);
    ~CTkImageManagerIcon() override;

    // ---- State images by the choice rules
    IconStateImage* GetNormalImage() { return &m_normal; }
    // The hot image, else the normal one.
    IconStateImage* GetHotImage();
    // The checked (pressed) image, else the hot rule.
    IconStateImage* GetCheckedImage();
    IconStateImage* GetPressedImage();
    // The own disabled image; else the generated one (made in grey when empty and bGenerate), empty
    // or not.
    IconStateImage* GetDisabledImage(BOOL bGenerate = TRUE);
    // The faded image (made when empty), else the normal one.
    IconStateImage* GetFadedImage();
    // The shadow image, made when empty; empty or not.
    IconStateImage* GetShadowImage();
    // 1 disabled, 2 hot, 3 checked, 4 pressed, anything else normal.
    IconStateImage* GetStateImage(int nState);

    BOOL HasDisabledImage() const { return !m_disabled.IsEmpty() || !m_generatedDisabled.IsEmpty(); }
    BOOL IsAlphaIcon() const { return m_normal.IsAlpha(); }
    CSize GetNormalImageSize() const { return m_normal.GetSize(); }

    // ---- Storing
    // A new normal image drops every other image of this icon and the derived images of every icon of
    // the set; the icon takes the image's size.
    void SetNormalImage(const IconStateImage& image);
    // Each drops this icon's derived images first.
    void SetHotImage(const IconStateImage& image);
    void SetCheckedImage(const IconStateImage& image);
    void SetPressedImage(const IconStateImage& image);
    void SetDisabledImage(const IconStateImage& image);
    // Clears the seven images after the normal one, and the normal one too when asked.
    void ClearImages(BOOL bIncludeNormal);
    // Clears faded, shadow and generated disabled.
    void ClearGeneratedImages();

    // ---- Derived images (TkImageManagerIconStates.cpp)
    // Each fills its image from the normal one (the shadow from the hot rule); nothing for a normal
    // image that is not packable.
    void CreateFadedImage();
    void CreateShadowImage();
    // Fills the generated disabled image when it is empty: grey when either colour is -1, else each
    // pixel blended from dark to light by its luminance.
    void CreateDisabledImage(COLORREF clrLight = static_cast<COLORREF>(-1),
                             COLORREF clrDark = static_cast<COLORREF>(-1));

    // ---- Drawing (TkImageManagerIconStates.cpp)
    // The image at (x, y); cx 0 is the icon's width, cy 0 keeps the icon's proportions.
    void Draw(CDC* pDC, int x, int y, IconStateImage* pImage, int cx = 0, int cy = 0);
    void Draw(CDC* pDC, POINT pt, IconStateImage* pImage, int cx = 0, int cy = 0) {
        Draw(pDC, pt.x, pt.y, pImage, cx, cy);
    }
    // A one-colour silhouette of a non-alpha image; nothing for an alpha image.
    void DrawMono(CDC* pDC, int x, int y, IconStateImage* pImage, int cx, int cy, COLORREF clr);
    void DrawNormal(CDC* pDC, int x, int y) { Draw(pDC, x, y, &m_normal); }
    void DrawNormalSized(CDC* pDC, int x, int y, int cx, int cy) { Draw(pDC, x, y, &m_normal, cx, cy); }

    // ---- Saving and loading (TkImageManagerPersistence.cpp)
    // The height, schema 33 and the normal, disabled, hot, checked and pressed images (a stream of
    // schema 7 holds the first three images, of schema 16 four). The derived images are never stored.
    void Serialize(CArchive& ar) override;
    // One image as two bitmaps (WriteDib, ReadDib): the colour and mask of an icon, a premultiplied
    // DIB and none, or none and none for an empty image. Loading copies the result into image (which
    // may pack it); alpha bits of a stream above schema 24 are premultiplied already.
    static void SerializeImage(IconStateImage& image, CArchive& ar, int nSchema);

    // ---- Data
    BOOL m_bDrawComposited = FALSE;  // draw non-alpha images through a 32-bpp alpha buffer
    UINT m_nId;
    int m_nWidth;
    int m_nHeight;

private:
    // cx 0: the icon's width; cy 0: the height in the icon's proportions.
    CSize GetDrawSize(int cx, int cy) const;
    // Drops the derived images and copies the image into the slot.
    void StoreImage(IconStateImage& slot, const IconStateImage& image);

    // In the stored order: normal, faded, shadow, hot, checked, pressed, disabled, generated disabled.
    IconStateImage m_normal;
    IconStateImage m_faded;
    IconStateImage m_shadow;
    IconStateImage m_hot;
    IconStateImage m_checked;
    IconStateImage m_pressed;
    IconStateImage m_disabled;
    IconStateImage m_generatedDisabled;
    CTkImageManagerIconSet* m_pIconSet;  // owner (not referenced); NULL for a free-standing icon
};

// Each channel becomes 255 x factor + (1 - factor) x channel, truncated.
COLORREF LightenColor(COLORREF clr, double dFactor);
