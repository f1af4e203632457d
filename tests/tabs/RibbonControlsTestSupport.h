#pragma once
#include "BarFixtures.h"
#include "DibPixels.h"
#include "RibbonTestSupport.h"

#include "mfc.h"

// The control images of the ribbon look (the last block of fixtures/RibbonLook.rc): image number n is
// solid RGB(4 n, 16 s + 8, 100 + n) in state s, with a magenta top-left pixel in every state.
enum RibbonControlImage {
    kImageButtons22 = 1,
    kImageButtons50 = 2,
    kImageMenuChecked = 3,
    kImageMenuSelected22 = 4,
    kImageMenuSelected54 = 5,
    kImageMenuSelectedDisabled22 = 6,
    kImageMenuSelectedDisabled54 = 7,
    kImageSplit22 = 8,
    kImageSplitDropDown22 = 9,
    kImageSplit50 = 10,
    kImageSplitDropDown50 = 11,
    kImageComboDropDown = 12,
    kImageSpinButtons = 13,
    kImageSpinGlyphs = 14,
    kImageScrollGlyphs = 15,
    kImageCheckBox = 16,
    kImageRadioButton = 17,
    kImageDropDownGlyph = 18,
    kImageExpandHorizontal = 19,
    kImageExpandVertical = 20,
    kImagePopupFrame = 21,
    kImageFaceHorizontal = 22,
    kImageFaceVertical = 23,
    kImageTooltipFrame = 24,  // a one-pixel ring, magenta inside
    kImageStatusSeparator = 25,
    kImageStatusGripper = 26,
    kImageStatusLight = 27,
    kImageStatusDivider = 28,
    kImageStatusDark = 29,
    kImageStatusSwitches = 30,  // see SwitchCellColor
    kImageMenuMark = 31,
    kImageMenuSplitItem = 32,
    kImageMenuSplitDropDown = 33,
    kImageMenuPopupGlyph = 34,
    kImageResizeFace = 35,
    kImageResizeHeight = 36,
    kImageResizeWidth = 37,
};

inline COLORREF LookColor(int nImage, int nState) {
    return RGB(4 * nImage, 16 * nState + 8, 100 + nImage);
}

// The switches image has four columns (first, middle, last, only switch) of their own colours.
inline COLORREF SwitchCellColor(int nState, int nColumn) {
    const int n = 4 * nState + nColumn;
    return n < 16 ? LookColor(kImageStatusSwitches, n) : LookColor(38, n - 16);
}

// Colours of the look's named keys that the control painting reads.
constexpr COLORREF kLookEditFace = RGB(7, 60, 0);
constexpr COLORREF kLookRibbonText = RGB(5, 60, 0);
constexpr COLORREF kLookRibbonGrayText = RGB(6, 60, 0);
constexpr COLORREF kLookMenuGripper = RGB(11, 60, 0);
constexpr COLORREF kLookFieldBorder = RGB(30, 61, 0);
constexpr COLORREF kLookMenuBarText = RGB(31, 61, 0);
constexpr COLORREF kLookLabelRow = RGB(32, 61, 0);
constexpr COLORREF kLookTooltipLight = RGB(250, 250, 250);
constexpr COLORREF kLookTooltipDark = RGB(150, 150, 150);
constexpr COLORREF kLookTooltipBorder = RGB(33, 61, 0);
constexpr COLORREF kLookHotFill = RGB(34, 61, 0);
constexpr COLORREF kLookHotFrame = RGB(35, 61, 0);

constexpr COLORREF kControlSentinel = RGB(1, 254, 3);

// A control whose selected, pressed and popup-open states the test sets.
class CStateControl : public CTkControl {
public:
    int GetSelected() const override { return m_nTestSelected; }
    int GetPressed() const override { return m_nTestPressed; }
    BOOL IsPopupOpen() const override { return m_bTestPopuped; }
    // The states at once (enabled as the control's Enabled value, 4 and 5 included).
    void SetStates(int nEnabled, int nSelected, int nPressed, BOOL bPopuped, int nChecked);

    int m_nTestSelected = 0;
    int m_nTestPressed = 0;
    BOOL m_bTestPopuped = FALSE;
};

// A bar that reports itself a ribbon.
class CRibbonTestBar : public CTestBar {
public:
    BOOL IsRibbonBar() const override { return TRUE; }
};

// The hub, site and test bar of the bar tests, the ribbon look and a refreshed ribbon theme, and a
// sentinel-filled DC.
class RibbonControls : public BarFixture {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new state control of the type (a reference the fixture releases) in rc, on no bar.
    CStateControl* MakeControl(int nType, const CRect& rc);
    // Fills the DC with the sentinel again.
    void Clear();
    COLORREF At(int x, int y) const { return PixelAt(m_dc, x, y); }

    CRibbonLook m_look;
    CRibbonThemeRef m_theme;
    CScopedMemDC m_dc{240, 120};
    std::vector<CTkControl*> m_controls;
};
