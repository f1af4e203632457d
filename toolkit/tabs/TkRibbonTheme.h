#pragma once
#include "TkOffice2007Theme.h"

#include <vector>

// CTkRibbonTheme: theme 6, the paint manager of the ribbon. It keeps the Office 2007 look and adds what
// a ribbon needs: metrics derived from the menu font (tab strip, group captions, control heights), a
// font of its own for ribbon texts, the ribbon colours of the look's "Ribbon" section, and a tab paint
// manager for the ribbon's tab strip with the ribbon's own appearance and colour sets. Made by the
// theme factory (RegisterRibbonTheme registers it) and released by reference count. UI thread only.

class CTkControl;
class CTkRibbonBar;
class CTkRibbonGroup;
class CTkRibbonGroupControlPopup;
class CTkRibbonTab;
class CTkRibbonTabContextHeader;
class CTkTabPaintManager;
class CTkTabManagerItem;

// The ribbon's sizes, all following from one menu-font height.
struct RibbonFontSource {
    int nMenuFontHeight = 0;      // the system menu font's lfHeight (either sign)
    int nExplicitFontHeight = 0;  // set by the host; counts only above 11
};
struct RibbonMetrics {
    int nFontBase = 0;          // a: the menu-font height the rest derive from (at least 11)
    int nFontHeight = 0;        // cell height of the ribbon font
    int nControlHeight = 0;     // a control of a ribbon group
    int nControlRowHeight = 0;  // a row of controls
    int nTabStripHeight = 0;
    int nGroupCaptionHeight = 0;
    int nSplitDropDownWidth = 0;
};

class CTkRibbonTheme : public CTkOffice2007Theme {
public:
    class CRibbonAppearanceSet;
    class CRibbonColorSet;

    CTkRibbonTheme();
    ~CTkRibbonTheme() override;
    CTkRibbonTheme(const CTkRibbonTheme&) = delete;
    CTkRibbonTheme& operator=(const CTkRibbonTheme&) = delete;
    static CTkPaintManager* Create() { return new CTkRibbonTheme; }

    // ---- Overrides of the paint manager
    void RefreshMetrics() override;
    void RefreshFonts() override;
    // Popups (position 5) get the cut-corner window region; other bars stay rectangular.
    void ShapePopupWindow(CTkPopupBar* pPopupBar) override;
    int GetThemeNumber() const override { return kThemeRibbon; }

    // ---- Control painting of the command bars on the ribbon's look
    // Faces, marks and glyphs come from the look's images; where the look lacks an image, the part is not
    // drawn unless a fallback is named below.

    // Buttons (TkRibbonThemeButtons.cpp). A button of a toolbar-like bar takes the 22 or 50 pixel face
    // by its height; popup items take the menu faces, else the Office 2003 face.
    void PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                             BOOL bPopuped, int nBarType, int nBarPosition) override;
    // The faces of a ribbon group's grouped blocks (single, left, centre, right by the control's place in
    // its block); other controls the base's.
    void PaintControlBackground(CDC* pDC, CTkControl* pControl) override;
    // The command and drop-down cells of the split images (a grouped block's own split images in one);
    // leaves the split text colour and TRANSPARENT on the DC.
    void PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) override;
    CSize PaintCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                            int nChecked) override;
    CSize PaintRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                               int nChecked) override;
    // The popup check and radio marks; clr is the disabled-icon entry (40) for a disabled item.
    void PaintCheckMark(CDC* pDC, CRect rc, COLORREF clr) override;
    void PaintRadioMark(CDC* pDC, CRect rc, COLORREF clr) override;
    void PaintDropDownGlyph(CDC* pDC, CTkControl* pControl, CPoint pt, BOOL bSelected, BOOL bPopuped, BOOL bEnabled,
                            BOOL bVertical) override;
    // Measuring moves the docked expand button onto the bar's last 12 pixels.
    CSize PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                            BOOL bHiddenControls) override;
    void PaintSplitDivider(CDC* pDC, CTkControl* pControl) override;
    void PaintSubmenuArrow(CDC* pDC, CTkControl* pControl) override;
    // Control rectangles are used as laid out.
    void AdjustControlRect(CRect&, CTkControl*, BOOL) override {}

    // The cells of the split images for a split button's states (kSplitCellNone: nothing): E the enabled
    // value (4 and 5 name the disabled half), S selected, P pressed, U its popup open.
    static constexpr int kSplitCellNone = -1;
    struct SplitButtonCells {
        int nCommand;
        int nDropDown;
    };
    static SplitButtonCells GetSplitButtonCells(int nEnabled, int nSelected, int nPressed, BOOL bPopuped, int nChecked);

    // Fields (TkRibbonThemeFields.cpp): edit and combo-box fields, and the text colours.
    COLORREF GetEditBackColor(CTkControl* pEdit) override;
    CSize PaintComboBoxControl(CDC* pDC, CTkControl* pComboBox, BOOL bDraw) override;
    CSize PaintEditControl(CDC* pDC, CTkControl* pEdit, BOOL bDraw) override;
    // Controls outside groups on a ribbon take the ribbon's text colours.
    COLORREF GetControlTextColor(CTkControl* pControl) override;
    COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int nBarType,
                               int nBarPosition) override;

    // Bars (TkRibbonThemeBars.cpp): faces, separators, popup rows, the popup gripper and keyboard tips.
    void FillBarBackground(CDC* pDC, CTkCommandBar* pBar) override;
    CSize PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) override;
    void FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) override;
    void FillLabelRow(CDC* pDC, CRect rc) override;
    void PaintPopupResizeGripper(CDC* pDC, CRect rc, int nWhere) override;
    // With bSetRegion only the tip's cut-corner region.
    void PaintKeyboardTip(CDC* pDC, CWnd* pTip, BOOL bSetRegion) override;

    // Status-bar parts (TkRibbonThemeStatus.cpp), drawn to the DC on the rectangles given.
    int PaintStatusSwitches(CDC* pDC, CRect rc, CTkStatusBarPane* pPane) override;
    void PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL bGripperPane) override;
    void PaintStatusPaneSeparator(CDC* pDC, int x, int nTop, int nBottom) override;
    void PaintSizeGripper(CDC* pDC, CRect rc) override;
    void FillStatusBar(CDC* pDC, CTkStatusBar* pStatusBar) override;

    // ---- The ribbon's own operations
    // A ribbon tab's background by its state (nothing for a tab neither selected nor hot; a contextual tab
    // in its colour), the separator column of a tab the layout squeezed and the columns that close a run
    // of contextual tabs. Under a minimised ribbon the selected tab looks selected only while its popup is
    // open.
    virtual void DrawRibbonTab(CDC* pDC, CTkTabManagerItem* pItem);
    // A new tab paint manager with the ribbon's appearance and colour sets (one reference, the caller's).
    virtual CTkTabPaintManager* CreateTabPaintManager();

    // ---- Ribbon elements (TkRibbonThemeElements.cpp)
    // The group strip of a tab (or of no tab) in the rectangle.
    virtual void FillGroupsArea(CDC* pDC, CTkRibbonTab* pTab, CRect rc);
    // The ribbon's background, the quick-access row below the groups and a minimised ribbon's edge.
    virtual void FillRibbonBar(CDC* pDC, CTkRibbonBar* pRibbonBar);
    virtual void DrawGroup(CDC* pDC, CTkRibbonGroup* pGroup);
    // The button of a collapsed group; its size, drawn only when bDraw.
    virtual CSize DrawGroupPopupButton(CDC* pDC, CTkRibbonGroupControlPopup* pControl, BOOL bDraw);
    // The option button in a group's caption line; its size, drawn only when bDraw.
    virtual CSize DrawGroupOptionButton(CDC* pDC, CTkControl* pControl, BOOL bDraw);
    // The client area of the popup that shows a tab's groups under a minimised ribbon.
    virtual void FillTabPopupArea(CDC* pDC, CTkRibbonTab* pTab, CTkPopupBar* pPopupBar);
    // The part of the frame's caption that the ribbon draws (its frame hook is attached).
    virtual void DrawFrameCaption(CDC* pDC, CTkRibbonBar* pRibbonBar, BOOL bActive);
    // The caption strip of a ribbon without frame hook.
    virtual void FillCaptionBar(CDC* pDC, CTkRibbonBar* pRibbonBar);
    virtual void DrawSystemButton(CDC* pDC, CTkControl* pControl, CRect rc);
    virtual void DrawContextHeaders(CDC* pDC, CTkRibbonBar* pRibbonBar,
                                    const std::vector<CTkRibbonTabContextHeader*>& headers);
    virtual void DrawQuickAccessCustomizeButton(CDC* pDC, CTkControl* pControl);
    virtual void DrawQuickAccessMoreButton(CDC* pDC, CTkControl* pControl);
    virtual void DrawGroupsScrollButton(CDC* pDC, CTkControl* pControl, BOOL bScrollLeft);
    // The frame of a ribbon popup (the quick-access more popup).
    virtual void FillPopupFrame(CDC* pDC, CTkPopupBar* pPopupBar);
    // The background of the popup that shows a tab's groups.
    void FillTabPopupBar(CDC* pDC, CTkPopupBar* pPopupBar);

    // ---- Shared with the ribbon's windows
    // The window region without its four corner pixels (set without redraw).
    static void ApplyCutCornerRegion(CWnd* pWnd);
    // "BLUE", "YELLOW", "GREEN", "RED", "PURPLE", "CYAN", "ORANGE" for 1..7; empty otherwise.
    static CString GetContextColorName(int nColor);
    // A caption text on a glass caption: white on a maximised frame, else glowing black text through the
    // visual style, else plain black text.
    void DrawGlassCaptionText(CDC* pDC, CRect rc, const CString& strText, CWnd* pFrame, BOOL bActive);
    // The sizes for a menu font: a pure function, so that the table is testable without a display.
    static RibbonMetrics CalcRibbonMetrics(const RibbonFontSource& source);
    // The tab strip: two above a control row taller than 22, else 23.
    static int CalcTabStripHeight(int nControlRowHeight);

    CTkTabPaintManager* GetTabPaintManager() const { return m_pTabPaintManager; }
    CFont* GetRibbonFont() { return &m_fntRibbon; }

    // ---- Fields
    BOOL m_bGroupHighlight = TRUE;  // the bar and its popups highlight the group under the mouse
    int m_nTabStripHeight = 23;
    CTkPaintManagerFont m_fntRibbon;  // group captions and the other ribbon texts
    int m_nGroupCaptionHeight = 17;
    int m_nExplicitFontHeight = 0;                     // set by the host; 0 follows the menu font
    CTkTabPaintManager* m_pTabPaintManager = nullptr;  // one reference
    COLORREF m_clrRibbonFace = kColorUnset;            // the ribbon bar and tab popups
    COLORREF m_clrRibbonText = kColorUnset;            // enabled controls in groups
    COLORREF m_clrRibbonGrayText = kColorUnset;        // disabled controls in groups
    COLORREF m_clrGroupCaptionText = kColorUnset;
    COLORREF m_clrEditFace = kColorUnset;  // edit and combo-box fields
    COLORREF m_clrMinimizedEdgeHighlight = kColorUnset;
    COLORREF m_clrMinimizedEdgeShadow = kColorUnset;
    CTkPaintManagerColorGradient m_grcMenuGripper;  // the icon band of popup menus

private:
    // The look's colours of the "Ribbon" section and the fixed ones of the ribbon.
    void RefreshRibbonColors();
};

// Registers the ribbon theme as theme 6 with the theme factory.
void RegisterRibbonTheme();
