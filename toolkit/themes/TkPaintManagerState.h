#pragma once
#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkImageManagerIcon.h"

// Layout distances shared by the control painters.
constexpr int kCaptionIndent = 4;  // a caption without an image starts this far into its rectangle
constexpr int kGlyphGap = 5;       // a drop-down glyph's centre follows its caption by this much
constexpr int kIconInset = 3;      // an icon (or check glyph) starts this far into its control

// The state a paint operation reads from a control and its bar, read once. A split-button popup carries
// two halves in its enabled value: 5 disables its command half, which draws the whole control disabled
// but for its drop-down glyph; 4 disables the drop-down half, whose glyph is then drawn disabled. The
// caption belongs to the command half, except on a large button (style 4), where it sits in the
// drop-down strip.
struct ControlPaintState {
    explicit ControlPaintState(CTkControl* pControl)
        : nType(pControl->GetType()),
          nStyle(pControl->GetStyle()),
          nSelected(pControl->GetSelected()),
          nPressed(pControl->GetPressed()),
          nEnabled(pControl->GetEnabled()),
          nChecked(pControl->GetChecked()),
          bPopuped(pControl->IsPopupOpen()) {
        const BOOL bSplit = nType == kControlSplitButtonPopup;
        bEnabled = nEnabled != 0 && !(bSplit && nEnabled == 5);
        bGlyphEnabled = nEnabled != 0 && !(bSplit && nEnabled == 4);
        bCaptionEnabled = nEnabled != 0 && !(bSplit && nEnabled == (nStyle == kButtonIconAndCaptionBelow ? 4 : 5));
        if (CTkCommandBar* pBar = pControl->GetParent()) {
            nBarType = pBar->GetType();
            nBarPosition = pBar->GetPosition();
        }
    }

    int nType;
    int nStyle;
    int nSelected;  // 0 none, 1 mouse, 2 or 3 keyboard, 4 or 5 a half of a split control
    int nPressed;
    int nEnabled;  // as the control answers it
    int nChecked;  // 0, 1, 2 (indeterminate)
    BOOL bPopuped;
    BOOL bEnabled;         // faces and marks
    BOOL bGlyphEnabled;    // the drop-down glyph
    BOOL bCaptionEnabled;  // the caption
    int nBarType = kBarTypeNormal;
    int nBarPosition = kBarTop;
};

// The size an image is drawn at: the icon width, and the height in the image's proportions.
inline CSize ImageDrawSize(CTkImageManagerIcon* pImage, CSize szIcon) {
    const CSize szImage = pImage->GetNormalImageSize();
    return CSize(szIcon.cx, szImage.cx > 0 ? ::MulDiv(szIcon.cx, szImage.cy, szImage.cx) : szIcon.cy);
}
