#pragma once
#include "IconStateImage.h"
#include "TkThemeManager.h"

// A push button that paints itself through its theme style (CTkButtonTheme and the Office looks): an
// optional image (normal and hot state images) beside or above the text, hot tracking, flat and
// thin-frame looks, a checked pattern, and the system's visual style when asked. The system button keeps
// its behaviour (clicks, keyboard, BM_ messages); only its painting is replaced, and around the
// messages on which the system would paint (BM_SETSTATE, WM_SETTEXT) the window is briefly not
// WS_VISIBLE, so it paints nothing over the theme's drawing.
//
// Created by Create or subclassed from a dialog item. The button draws with the shared style of its
// factory class (CTkButtonThemeFactory unless a derived class names another) or with a private style
// (SetXButtonStyle, SetCustomStyle). It holds one reference to its image. UI thread only.

class CTkButtonTheme;
class CTkImageManagerIcon;

// Button style bits (SetXButtonStyle).
enum : DWORD {
    kButtonFlat = 0x01,            // a frame only while hot or pushed
    kButtonThinFrame = 0x02,       // one light/shadow frame instead of the 3D double frame
    kButtonImageAboveText = 0x04,  // the image centred above the text
    kButtonFocusRect = 0x10,       // draw the focus rectangle
    kButtonCheckerPushed = 0x20,   // the halftone checker while pushed
    kButtonOfficeXP = 0x40,        // a private Office XP style
    kButtonVisualStyle = 0x1000,   // the visual style "BUTTON" when styles are on
};

class CTkButton : public CButton, public CTkThemeManagerStyleHost {
    DECLARE_DYNAMIC(CTkButton)
public:
    // pFactoryClass: the factory of the shared style; NULL for CTkButtonThemeFactory.
    explicit CTkButton(CRuntimeClass* pFactoryClass = nullptr);
    // Clears the image's generated images and releases it.
    ~CTkButton() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // ---- Image
    // A new image of the normal and (when not empty) hot state images, at size (0 x 0: the normal
    // image's). The images are copied. TRUE.
    virtual BOOL SetIcon(CSize size, const IconStateImage& normal, const IconStateImage& hot, BOOL bRedraw = TRUE);
    // Icon resources of the resource module at size; hot id 0 for none. FALSE, the image unchanged,
    // when the normal or a given hot icon cannot be loaded.
    virtual BOOL SetIcon(CSize size, UINT nNormalId, UINT nHotId = 0, BOOL bRedraw = TRUE);
    // Copies of the icons; the handles stay the caller's.
    virtual BOOL SetIcon(CSize size, HICON hNormal, HICON hHot = nullptr, BOOL bRedraw = TRUE);
    // A bitmap resource as the normal image: a 32-bpp bitmap with alpha as it is, any other as an icon
    // whose top-left colour is transparent. FALSE, the image unchanged, when it cannot be loaded.
    virtual BOOL SetBitmap(CSize size, UINT nBitmapId, BOOL bRedraw = TRUE);
    // Places image and text at these client points instead of the computed ones.
    virtual void SetImagePositions(POINT ptImage, POINT ptText, BOOL bRedraw = TRUE);
    // Flips whether the style shows images.
    virtual void ToggleImages();
    // Drops the image's derived (faded, shadow, generated disabled) images.
    virtual void ClearImageCache();

    // ---- Style and colours
    // The kButton... bits. 0x40 installs a private Office XP style, else 0x01 a private default style;
    // other values keep the current style. Answers the old bits.
    virtual DWORD SetXButtonStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetXButtonStyle() const { return m_dwButtonStyle; }
    virtual BOOL HasThemeStyle() const { return GetThemeStyle() != nullptr; }
    // The style the button draws with, as a button theme; NULL without one.
    CTkButtonTheme* GetButtonTheme() const;
    // Custom colours of the theme style; nothing without one.
    virtual void SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clrFace);
    // The style's face colour; colour-manager slot 15 without a style.
    virtual COLORREF GetFaceColor() const;
    virtual void SetHiliteColor(COLORREF clrHilite);
    virtual void SetShadowColor(COLORREF clrShadow);
    virtual void SetTextColor(COLORREF clrText);
    // Only for a style of the Office XP theme (number 1): border is hilite and shadow.
    virtual void SetOfficeXPColors(COLORREF clrBorder, COLORREF clrHotFace, COLORREF clrPressedFace);
    // Sets the font and redraws; answers the previous one.
    virtual CFont* SetFontEx(CFont* pFont);

    // ---- Owner draw, text, painting
    // Owner-drawn = the window exists and is BS_OWNERDRAW; repaints.
    virtual void CheckOwnerDraw();
    // The window text, its mnemonic markers removed when asked.
    virtual CString GetButtonText(BOOL bStripMnemonics) const;
    // Draws the whole button into pDC through DrawItem, with the focus, pressed, disabled and keyboard-cue
    // states of the moment.
    virtual void DrawButton(CDC* pDC);

    // ---- What the themes read
    BOOL IsHot() const { return m_bHot; }
    BOOL IsChecked() const { return m_bChecked; }
    BOOL IsPressed() const { return m_bPressed; }
    int GetBorderGap() const { return m_nBorderGap; }
    int GetImageTextGap() const { return m_nImageTextGap; }
    CSize GetImageSize() const { return m_sizeImage; }
    CTkImageManagerIcon* GetImage() const { return m_pImage; }
    BOOL HasCustomPositions() const { return m_bCustomPositions; }
    CPoint GetCustomImagePoint() const { return m_ptCustomImage; }
    CPoint GetCustomTextPoint() const { return m_ptCustomText; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // Hot follows the point (client coordinates): a change repaints, and entering asks for WM_MOUSELEAVE.
    void UpdateHot(CPoint point);
    // Default() with WS_VISIBLE off for its duration, so the system draws nothing over the theme's drawing.
    LRESULT DefaultHidden();
    // Takes over one reference of pImage in place of the current image.
    void ReplaceImage(CTkImageManagerIcon* pImage, CSize size, BOOL bRedraw);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDefaultThenRepaint(WPARAM, LPARAM);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnEnable(BOOL) { Invalidate(FALSE); }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    int m_nBorderGap = 4;       // image or text from the left or right edge
    int m_nImageTextGap = 8;    // between image and text
    BOOL m_bSubclassed = TRUE;  // cleared when the class creates the window itself
    BOOL m_bCustomPositions = FALSE;
    BOOL m_bChecked = FALSE;  // drawn pushed; nothing in the system sets it
    DWORD m_dwButtonStyle = kButtonFlat | kButtonFocusRect;
    CSize m_sizeImage = CSize(0, 0);
    CPoint m_ptCustomImage = CPoint(0, 0);
    CPoint m_ptCustomText = CPoint(0, 0);
    CTkImageManagerIcon* m_pImage = nullptr;  // one reference held
    BOOL m_bHot = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bOwnerDrawn = FALSE;
};
