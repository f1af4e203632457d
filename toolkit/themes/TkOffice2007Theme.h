#pragma once
#include "TkOffice2003Theme.h"

// CTkOffice2007Theme: theme 5. It keeps the Office 2003 theme's drawing and takes its colours and
// bitmaps from the look resources (GetOffice2007Images): named colours replace the gradients and table
// entries, named bitmaps paint a themed frame (border, caption, caption buttons, status-bar edge),
// the workspace and the gallery, slider and progress painters. Without a look module every named
// colour is -1 and every image missing, so those parts draw nothing. The ribbon theme derives from it.
// UI thread only.

class CTkOffice2007Images;
class CTkOffice2007Image;

class CTkOffice2007Theme : public CTkOffice2003Theme {
public:
    CTkOffice2007Theme();
    ~CTkOffice2007Theme() override;
    static CTkPaintManager* Create() { return new CTkOffice2007Theme; }

    COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int nBarType,
                               int nBarPosition) override;
    void PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL bGripperPane) override;
    void PaintSizeGripper(CDC* pDC, CRect rc) override;
    void PaintFramedInfoArea(CDC* pDC, CWnd* pWnd) override;
    void PaintSmallButton(CDC* pDC, CTkSmallButton* pButton) override;
    void FillStatusBar(CDC* pDC, CTkStatusBar* pStatusBar) override;
    void RefreshMetrics() override;
    int GetThemeNumber() const override { return kThemeOffice2007; }
    // "WORKSPACETOPLEFT" across the top, then the workspace colours downwards.
    void FillWorkspace(CDC* pDC, CRect rc) override;

    // ---- The themed frame (window coordinates of the hook's frame)
    void PaintFrame(CDC* pDC, CTkThemedFrameHook* pFrameHook) override;
    HRGN GetFrameRegion(CTkThemedFrameHook* pFrameHook, int cx, int cy) override;
    // bSelected is the hot state, bActive the enabled-and-active state.
    void PaintFrameCaptionButton(CDC* pDC, CRect rc, UINT nCommand, BOOL bSelected, BOOL bPressed,
                                 BOOL bActive) override;
    void PaintFrameCaptionText(CDC* pDC, CRect rc, CTkThemedFrameHook* pFrameHook, BOOL bActive) override;
    int GetFrameCaptionHeight() const override { return m_nCaptionHeight; }

    // The state (of 5) of a caption button's glyph: 3 disabled, 2 pressed and hot, 1 either, 0 neither.
    static int GetCaptionButtonState(BOOL bHot, BOOL bPressed, BOOL bEnabled);
    // "FRAMECAPTION" + CLOSE, MINIMIZE, MAXIMIZE or RESTORE by the command + 13, 17 or 23 by the width.
    static CString GetCaptionGlyphName(UINT nCommand, int nWidth);
    // The icon a frame's caption shows: its own or its class's small icon, the answer to
    // WM_QUERYDRAGICON within 100 ms, else the Windows logo; NULL without a system menu, for a tool
    // window and for a dialog frame whose class has no small icon.
    static HICON GetFrameSmallIcon(HWND hwndFrame);
    // The frame's large icon, else its class's; NULL without a frame.
    static HICON GetFrameLargeIcon(HWND hwndFrame);

    CTkOffice2007Images* GetImages() const { return m_pImages; }
    // The look's image of that name (owned by the images' cache); NULL when missing.
    CTkOffice2007Image* LoadImage(LPCTSTR lpszName) const;

    int m_nReserved4 = 0;
    CTkPaintManagerFont m_fntCaption;  // frame captions
    int m_nCaptionHeight = 18;         // max(SM_CYCAPTION + 1, 18)
    int m_nSmallCaptionHeight = 17;    // max(SM_CYCAPTION, 17)
    COLORREF m_clrFrameBorderActive[4] = {kColorUnset, kColorUnset, kColorUnset, kColorUnset};  // 0 outermost
    COLORREF m_clrFrameBorderInactive[4] = {kColorUnset, kColorUnset, kColorUnset, kColorUnset};
    COLORREF m_clrCaptionTextActive = kColorUnset;
    COLORREF m_clrCaptionTextInactive = kColorUnset;
    COLORREF m_clrCaptionTextDocument = kColorUnset;  // the active document-title part
    COLORREF m_clrMenuBarText = kColorUnset;
    COLORREF m_clrStatusBarLine = kColorUnset;
    CTkPaintManagerColorGradient m_grcStatusBarTop;
    CTkPaintManagerColorGradient m_grcStatusBarBottom;
    COLORREF m_clrWorkspaceTop = kColorUnset;
    COLORREF m_clrWorkspaceMiddle = kColorUnset;
    COLORREF m_clrWorkspaceBottom = kColorUnset;
    CTkPaintManagerColorGradient m_grcMessageBar;
    COLORREF m_clrMessageBarFrame = kColorUnset;
    COLORREF m_clrMessageBarFace = kColorUnset;

protected:
    void RefreshCaptionFont();
    void RefreshNamedColors();

private:
    void PaintFrameBorders(CDC* pDC, CTkThemedFrameHook* pFrameHook, const CRect& rc, int b, int h, int nCaption,
                           int nStatus);
    void PaintFrameCaption(CDC* pDC, CTkThemedFrameHook* pFrameHook, const CRect& rc, int b, int nCaption);
    void PaintFrameStatusEdge(CDC* pDC, CTkThemedFrameHook* pFrameHook, const CRect& rc, int b, int h, int nStatus);

    CTkOffice2007Images* m_pImages = nullptr;  // process-wide, not owned
};
