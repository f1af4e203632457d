#pragma once
#include "TkCommandBar.h"
#include "TkCommandBarsDefs.h"
#include "TkControl.h"
#include "TkPaintManagerColor.h"
#include "TkWinThemeWrapper.h"

#include "mfc.h"

#include <algorithm>

// CTkPaintManager: the abstract painter of the command bars. Every bar, control, dock bar, popup and
// keyboard tip draws and measures itself through one paint manager; nothing else paints a pixel of a
// bar. The base holds what every theme shares (63 theme colours, eight fonts, the control height, two
// visual-style handles, three sub-painters, a shadow manager) and the operations that are the same in
// every theme; the themes derive from it and supply the look-specific ones (the pure virtuals).
//
// A paint manager keeps no per-bar or per-control state: every operation is a function of its
// arguments, the control's and bar's state and its own settings. Painting operations that return a
// CSize measure when bDraw is FALSE and draw (returning the same size) when it is TRUE. Colour arguments
// are indexes 0..62 into the colour table; a value above 62 is a literal RGB colour.
//
// Reference counted: a new paint manager starts with one reference; the process-wide current paint
// manager, hubs and bars that hold one take a reference each. UI thread only.

class CTkCommandBar;
class CTkCommandBars;
class CTkControl;
class CTkDockBar;
class CTkImageManagerIcon;
class CTkPaintManager;
class CTkPopupBar;
class CTkShadowManager;
class CTkStatusBar;
class CTkThemedFrameHook;
struct CTkStatusBarPane;
struct CTkSmallButton;

// The look of a paint manager, by number (what ActivateTheme takes and each manager records).
enum PaintThemeNumber {
    kThemeDefault = 0,
    kThemeOffice = 1,
    kThemeOffice2003 = 2,
    kThemeNativeXP = 3,
    kThemeWhidbey = 4,
    kThemeOffice2007 = 5,
    kThemeRibbon = 6,
    kThemeVisualStudio2008 = 7,
    kThemeCustom = 8,  // an object installed directly
};

// Makes a paint manager of one theme number (one reference, the caller's). The code of each theme
// registers its creator; the factory falls back to the default look for a number without one.
using PaintThemeCreator = CTkPaintManager* (*)();

// A painter that a paint manager owns for the controls that draw through a painter of their own: the
// gallery, the slider and the progress bar. The paint manager makes one of each kind whose creator is
// registered when it is built, refreshes it with itself and deletes it with itself; a kind without a
// creator stays NULL, and every use tests for that.
class CTkSubPaintManager {
public:
    virtual ~CTkSubPaintManager() = default;
    virtual void RefreshMetrics() = 0;
};

enum SubPaintManagerKind {
    kSubPaintGallery = 0,
    kSubPaintSlider = 1,
    kSubPaintProgress = 2,
    kSubPaintKindCount = 3,
};
using SubPaintManagerCreator = CTkSubPaintManager* (*)(CTkPaintManager* pOwner);

// A font that follows the system metrics (re-created by every RefreshFonts) until an application sets it.
class CTkPaintManagerFont : public CFont {
public:
    BOOL m_bFollowSystem = TRUE;
};

class CTkPaintManager : public CCmdTarget {
public:
    static constexpr int kColorCount = 63;

    CTkPaintManager();
    ~CTkPaintManager() override;

    // ---- Controls
    // The text part of a popup-bar item; themes paint the face and icon first.
    virtual CSize PaintPopupControl(CDC* pDC, CTkControl* pControl, BOOL bDraw);
    // A control on a toolbar or the menu bar.
    virtual CSize PaintBarControl(CDC* pDC, CTkControl* pControl, BOOL bDraw);
    virtual void PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) = 0;
    // Measuring and the label of a combo box (the control is a combo-box control); themes draw the field.
    virtual CSize PaintComboBoxControl(CDC* pDC, CTkControl* pComboBox, BOOL bDraw);
    virtual COLORREF GetEditBackColor(CTkControl* pEdit);
    // Measuring and the label of an edit (the control is an edit control); themes draw the field.
    virtual CSize PaintEditControl(CDC* pDC, CTkControl* pEdit, BOOL bDraw);
    // A control drawn as one row of a list.
    virtual CSize PaintPopupItemRow(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                    CTkCommandBars* pCommandBars) = 0;
    virtual void FillBarBackground(CDC* pDC, CTkCommandBar* pBar) = 0;
    virtual void PaintControlBackground(CDC* pDC, CTkControl* pControl);
    virtual COLORREF GetControlTextColor(CTkControl* pControl);
    virtual COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                       int nBarType, int nBarPosition) = 0;
    virtual void PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                     BOOL bPopuped, int nBarType, int nBarPosition) = 0;
    // Only floating bars: the caption strip; (0, 0) otherwise. pDC may be NULL when measuring.
    virtual CSize PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw);
    virtual CSize PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) = 0;
    // Decides where a sub bar pops up from the control's rectangle.
    virtual void AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL bVertical) = 0;

    // ---- Status bar, dock bars, frames of information
    virtual void PaintStatusPane(CDC* pDC, CRect rc, CTkStatusBarPane* pPane);
    virtual void PaintStatusPaneButton(CDC* pDC, CRect rc, CTkStatusBarPane* pPane);
    virtual int PaintStatusSwitches(CDC* pDC, CRect rc, CTkStatusBarPane* pPane);
    virtual void PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL bGripperPane);
    virtual void PaintStatusPaneSeparator(CDC* pDC, int x, int nTop, int nBottom);
    virtual void PaintSizeGripper(CDC* pDC, CRect rc);
    virtual void FillDockBarBackground(CDC* pDC, CTkDockBar* pDockBar);
    virtual void PaintFramedInfoArea(CDC* pDC, CWnd* pWnd);
    virtual void PaintSmallButton(CDC* pDC, CTkSmallButton* pButton);
    virtual void FillStatusBar(CDC* pDC, CTkStatusBar* pStatusBar);

    // ---- Refresh, chrome, glyphs
    virtual void RefreshMetrics();
    // nKind 0 docked expand button, 1 popup expand button, 2 floating hide button, 3 floating expand button.
    virtual CSize PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                                    BOOL bHiddenControls);
    virtual CRect GetBarBorders(CTkCommandBar* pBar);
    virtual CSize PaintTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) = 0;
    virtual void PaintPopupResizeGripper(CDC* pDC, CRect rc, int nWhere) = 0;
    virtual void PaintControlIcon(CDC* pDC, CPoint pt, CSize sz, CTkImageManagerIcon* pImage, BOOL bSelected,
                                  BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBar) = 0;
    virtual CSize PaintShortGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) = 0;
    // The control's rectangle without its drop-down part.
    virtual CRect GetSplitCommandRect(CTkControl* pControl);
    virtual void OnPopupBarShowing(CTkPopupBar* pPopupBar);
    // 13 x 13, whether or not it draws.
    virtual CSize PaintCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                    int nChecked);
    virtual CSize PaintRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                       int nChecked);
    virtual void FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed);
    // The class's own number.
    virtual int GetThemeNumber() const = 0;
    virtual CFont* GetControlFont(CTkControl* pControl);
    virtual CFont* GetBarFont(CTkCommandBar* pBar);
    // 1 vertical, 2 horizontal.
    virtual int GetTextOrientation(CTkControl* pControl);
    virtual void RefreshFonts();
    virtual void RefreshColors();
    virtual void PaintCheckMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual void PaintRadioMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual void PaintDownArrow(CDC* pDC, CRect rc, COLORREF clr);
    virtual void PaintDropDownGlyph(CDC* pDC, CTkControl* pControl, CPoint pt, BOOL bSelected, BOOL bPopuped,
                                    BOOL bEnabled, BOOL bVertical);
    // nKind 2 unfold, 3 slide, 4 fade; others do nothing.
    virtual void AnimatePopup(CDC* pWindowDC, CDC* pImageDC, CRect rc, int nKind);
    virtual void AnimateMenuExpand(CTkPopupBar* pPopupBar, CDC* pWindowDC, CDC* pImageDC, BOOL bDown);
    virtual void AdjustRightToLeftCaption(CString& strCaption);
    virtual int GetPopupIconColumnWidth(CTkCommandBar* pBar);
    virtual void FillWorkspace(CDC* pDC, CRect rc);
    virtual void PaintKeyboardTip(CDC* pDC, CWnd* pTip, BOOL bSetRegion);
    virtual BOOL IsFlatBar(CTkCommandBar* pBar);
    virtual CSize GetButtonSize(CTkCommandBar* pBar);
    // The height of the text; measures (DT_CALCRECT) when not drawing.
    virtual int PaintControlText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw, BOOL bSelected,
                                 BOOL bEnabled);

    // ---- Frames and popup windows (neutral here; the Office 2007 and ribbon themes override)
    // Called after a popup is placed: the ribbon theme cuts its corners.
    virtual void ShapePopupWindow(CTkPopupBar* pPopupBar) {}
    virtual void PaintFrame(CDC* pDC, CTkThemedFrameHook* pFrameHook) {}
    // The region of a themed frame; NULL keeps the frame rectangular.
    virtual HRGN GetFrameRegion(CTkThemedFrameHook* pFrameHook, int cx, int cy) { return nullptr; }
    virtual void PaintFrameCaptionButton(CDC* pDC, CRect rc, UINT nCommand, BOOL bSelected, BOOL bPressed,
                                         BOOL bActive) {}
    virtual void PaintFrameCaptionText(CDC* pDC, CRect rc, CTkThemedFrameHook* pFrameHook, BOOL bActive) {}
    virtual int GetFrameCaptionHeight() const { return ::GetSystemMetrics(SM_CYCAPTION); }

    // ---- Shared measuring (inline: the controls reach them without a theme)
    // The entry point of the controls: an edit to PaintEditControl, a combo box to PaintComboBoxControl,
    // anything else to PaintPopupControl on a popup bar and to PaintBarControl elsewhere.
    inline CSize DrawControl(CDC* pDC, CTkControl* pControl, BOOL bDraw);
    int GetControlHeight() const { return std::max(m_nControlHeight, 22); }
    int GetSplitDropDownExtent() const {
        if (m_nExplicitControlHeight > 0)
            return 2 * m_nExplicitControlHeight - 17;
        int nHeight = m_nControlHeight >= 19 ? m_nControlHeight + 3 : 22;
        return 2 * nHeight - 17;
    }
    // The custom value of entry nIndex unless unset, else its standard value; above 62 the value itself.
    COLORREF LookupColor(int nIndex) const;
    void SetRegularFont(const LOGFONTW* pLogFont, BOOL bUseStandardFont);
    CSize GetIconSize(BOOL bLarge) const;
    BOOL* GetIconEffects() { return m_bIconEffects; }
    int GetColorSchemeIndex() const;
    void SetStandardColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    CTkShadowManager* GetShadowManager() const { return m_pShadowManager; }
    // The keyboard tips are drawn in the status font.
    CFont* GetKeyboardTipFont() { return &m_fntStatus; }
    // Removes the four corner pixels of the rectangle from the DC's clip region.
    static void ExcludeRectCorners(CDC* pDC, const CRect& rc);
    // The control's image size: the bar's large icon size for a large button (style 4) outside popups,
    // else the control's icon size.
    CSize GetControlBoxSize(CTkControl* pControl) const;
    // The keyboard-cue override when set, else whether the bar shows its keyboard cues.
    BOOL IsKeyboardCuesShown(CTkCommandBar* pBar) const;
    // Fonts are made with ClearType quality: the switch is on and the system is XP or later.
    BOOL IsClearTypeApplied() const;

    // ---- Captions (the ribbon draws its large buttons with them too)
    // The caption of a control (mnemonics removed for the extent), with room for a drop-down glyph of
    // 10 (8 with narrow spacing) pixels; vertical captions swap width and height. Drawing starts at the
    // rectangle's left (centred when asked); the glyph is drawn unless the bar is the menu bar.
    CSize PaintControlCaption(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bDraw, BOOL bDropDown, BOOL bCentered);
    // The caption of a large button on two lines (see SplitTwoLineCaption), with a drop-down glyph when
    // the control has a sub bar: width max(line one, line two + 8 with a glyph), height 24 (swapped when
    // vertical).
    CSize PaintTwoLineCaption(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bDraw);
    // Caption text in the DC's text colour: an embossed copy first for a disabled control, mnemonics as
    // the cues say, vertical text top-down and centred across.
    void PaintCaptionText(CDC* pDC, CTkControl* pControl, const CString& strCaption, CRect rc, UINT nFormat,
                          BOOL bVertical, BOOL bEnabled);
    // DrawText, or on a glass caption the visual style's composited text.
    void DrawGlowText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bGlass);
    // Splits at the space nearest the middle (outward from the middle, towards the start first); one line
    // when there is no space after the first character or fewer than 2 characters.
    static void SplitTwoLineCaption(const CString& strCaption, CString& strFirst, CString& strSecond);

    // ---- Shared drawing routines (colours are table indexes, or literal colours above 62)
    void FillTriangle(CDC* pDC, CPoint pt1, CPoint pt2, CPoint pt3, COLORREF clr) const;
    // Fills unless clrFill is -1, then frames unless clrFrame is -1 or equal to clrFill.
    void PaintFramedRect(CDC* pDC, const CRect& rc, COLORREF clrFrame, COLORREF clrFill) const;
    void Paint3dFrame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight) const;
    void PaintHorizontalLine(CDC* pDC, int x1, int y, int x2, COLORREF clr) const;
    void PaintVerticalLine(CDC* pDC, int x, int y1, int y2, COLORREF clr) const;
    // With the DC's current pen.
    static void PaintLine(CDC* pDC, int x1, int y1, int x2, int y2);
    void PaintColoredLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr) const;
    void PaintSmoothCircle(CDC* pDC, const CRect& rc, COLORREF clrEdge, COLORREF clrFill) const;
    // One step of the fade: each colour channel (new x nAlpha + old x (255 - nAlpha)) / 256; alpha 0.
    static void BlendImageRows(const DWORD* pNew, const DWORD* pOld, DWORD* pOut, int nCount, int nAlpha);
    // A negative menu-font height of -1..-10 becomes -11; others stay.
    static int NormalizeMenuFontHeight(int nHeight) { return nHeight <= -1 && nHeight >= -10 ? -11 : nHeight; }

    // ---- The process-wide current paint manager
    // A new paint manager of the number (outside 1..7 the default look), its number recorded; one
    // reference, the caller's.
    static CTkPaintManager* CreateThemeByNumber(int nTheme);
    // Makes the object current (taking over the caller's reference), records 8 and refreshes it.
    static void InstallPaintManager(CTkPaintManager* pPaintManager);
    // InstallPaintManager(CreateThemeByNumber(nTheme)), recording nTheme.
    static void ActivateTheme(int nTheme);
    // The current paint manager; theme 0 is activated first when there is none.
    static CTkPaintManager* GetCurrentPaintManager();
    static void ReleaseCurrent();
    // The creator of a theme number 1..7 (NULL removes it).
    static void RegisterThemeCreator(int nTheme, PaintThemeCreator pfnCreate);
    // The creator of a kind of sub painter (NULL removes it); paint managers made later own one.
    static void RegisterSubPaintManagerCreator(SubPaintManagerKind nKind, SubPaintManagerCreator pfnCreate);

    // ---- Settings the themes and the bars read and write
    COLORREF m_clrStatusText = 0;
    COLORREF m_clrInfoText = 0;
    CTkPaintManagerColorGradient m_grcDisabledIcon;
    CTkPaintManagerColor m_clrFloatingCaption;
    CTkPaintManagerColor m_clrFloatingCaptionText;
    BOOL m_bBoldCheckMarks = FALSE;
    BOOL m_bReserved1 = TRUE;
    BOOL m_bStatusVisualStyle = FALSE;
    BOOL m_bButtonVisualStyle = FALSE;
    BOOL m_bClearType = FALSE;
    BOOL m_bResourceCharset = FALSE;
    BOOL m_bFlatToolBar = FALSE;
    BOOL m_bFlatMenuBar = FALSE;
    int m_nPopupTextGap = 4;
    BOOL m_bFullRowPopupHighlight = FALSE;
    int m_nReserved2 = 0;
    BOOL m_bNarrowDropDownSpacing = FALSE;
    BOOL m_bLabelIcons = TRUE;
    BOOL m_bSplitLargeCaptions = TRUE;
    CTkPaintManagerFont m_fntSmallCaption;
    CTkPaintManagerFont m_fntIconTitle;
    CTkPaintManagerFont m_fntIconTitleBold;
    CTkPaintManagerFont m_fntStatus;
    int m_nSplitButtonDropDownWidth = 11;  // toolbars
    int m_nPopupSplitWidth = 20;           // popup bars
    BOOL m_bAutoResizeIcons = FALSE;
    int m_nReserved3 = 20;
    CTkSubPaintManager* m_pGalleryPaintManager = nullptr;   // owned; NULL without a creator
    CTkSubPaintManager* m_pSliderPaintManager = nullptr;    // owned; NULL without a creator
    CTkSubPaintManager* m_pProgressPaintManager = nullptr;  // owned; NULL without a creator
    BOOL(WINAPI* m_pfnSetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD) = nullptr;
    CRect m_rcExtraMargins{0, 0, 0, 0};  // the ribbon theme's
    CFont m_fntRegular;
    CFont m_fntRegularBold;
    CFont m_fntVertical;
    CFont m_fntVerticalBold;
    int m_nControlHeight = 0;          // " " in the regular font plus 6
    int m_nExplicitControlHeight = 0;  // set by an application; 0 or less means automatic
    int m_nControlRowHeight = 0;       // the height of a row of controls: the control height
    BOOL m_bRegularIsVerticalFace = FALSE;
    CString m_strVerticalFaceName = L"Tahoma";
    BOOL m_bUseStandardFont = TRUE;
    BOOL m_bEmbossedDisabledText = TRUE;
    CTkWinThemeWrapper m_themeStatusBar{TRUE};
    CTkWinThemeWrapper m_themeButton{TRUE};
    int m_nThemeNumber = kThemeDefault;              // the number activated as (kThemeCustom when installed directly)
    BOOL m_bIconEffects[3] = {FALSE, FALSE, FALSE};  // faded, disabled, with shadow
    BOOL m_bGeneratedDisabledIcons = FALSE;
    int m_nAnimationSteps = 10;
    int m_nAnimationTime = 100;  // ms
    int m_nKeyboardCueOverride = -1;
    CTkPaintManagerColor m_colors[kColorCount];
    int m_nColorScheme = 7;
    CTkShadowManager* m_pShadowManager = nullptr;  // referenced
    // Frame settings of the Office 2007 and ribbon themes.
    BOOL m_bThemedStatusBar = FALSE;      // the theme draws the frame's status-bar edge
    BOOL m_bMergeFrameStatusBar = FALSE;  // the frame's bottom edge merges with the status bar
    // Popups animate their first appearance; the bar's own animation flag decides first.
    BOOL m_bEnableAnimation = FALSE;
    // Popups and opened controls may cast shadows; the shadow manager's options decide the rest.
    BOOL m_bShowShadow = TRUE;

protected:
    // A caption beside the icon cell of a toolbar control (szButton the cell), drawn and measured.
    CSize PaintCaptionLayout(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bDraw, BOOL bImage, CSize szButton,
                             BOOL bDropDown);
    // The control's explicit width and height, each when positive (swapped for vertical text).
    static CSize ApplyExplicitSize(CTkControl* pControl, CSize size, BOOL bVertical);
    // The shared measuring and label of PaintEditControl and PaintComboBoxControl.
    CSize PaintFieldControl(CDC* pDC, CTkControl* pControl, BOOL bDraw, BOOL bComboBox);
};

inline CSize CTkPaintManager::DrawControl(CDC* pDC, CTkControl* pControl, BOOL bDraw) {
    if (pControl->GetType() == kControlEdit)
        return PaintEditControl(pDC, pControl, bDraw);
    if (pControl->GetType() == kControlComboBox)
        return PaintComboBoxControl(pDC, pControl, bDraw);
    CTkCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup)
        return PaintPopupControl(pDC, pControl, bDraw);
    return PaintBarControl(pDC, pControl, bDraw);
}
