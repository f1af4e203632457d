#pragma once
#include "TkPaintManager.h"
#include "TkWinThemeWrapper.h"

#include "mfc.h"

class CTkScrollBase;

// CTkScrollBarPaintManager: draws a window-less scroll bar (CTkScrollBase) in one of its looks: the
// visual style's scroll-bar parts, flat raised frames, or the platform's frame-control arrows. It keeps
// the arrow metrics the scroll base lays its bar out with. Owned by a paint manager, which makes it with
// itself as the owner, refreshes it and deletes it. UI thread only.
class CTkScrollBarPaintManager : public CTkSubPaintManager {
public:
    explicit CTkScrollBarPaintManager(CTkPaintManager* pOwner);

    virtual void DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar);
    // Re-reads the arrow metrics and reopens the "SCROLLBAR" style.
    void RefreshMetrics() override;

    // A Marlett arrow centred in rc (offset two pixels right and down); nothing below 6 pixels.
    static void DrawArrowGlyph(CDC* pDC, CRect rc, BOOL bHorizontal, BOOL bFirst, BOOL bEnabled);

    CTkPaintManager* m_pOwner;  // not referenced: it owns this painter
    CTkWinThemeWrapper m_themeScrollBar;
    int m_nHorzArrowWidth = 0;
    int m_nHorzArrowHeight = 0;
    int m_nVertArrowWidth = 0;
    int m_nVertArrowHeight = 0;
    int m_nFixedThumbSize = 0;  // 0: the thumb is as long as the page

protected:
    // The parts of a bar as drawn: its five rectangles and which of them is hot or pressed.
    struct BarParts {
        CRect rcFirstArrow;
        CRect rcSecondArrow;
        CRect rcTrackBefore;
        CRect rcThumb;
        CRect rcTrackAfter;
        int nPressed = 0;  // a ScrollBarPart, or 0
        int nHot = 0;
        BOOL bEnabled = FALSE;
        BOOL bThumb = FALSE;  // the thumb is drawn
    };
    static BarParts GetBarParts(CTkScrollBase* pScrollBar);

private:
    void DrawThemed(CDC* pDC, const BarParts& parts, BOOL bVertical);
    void DrawClassic(CDC* pDC, CTkScrollBase* pScrollBar, const BarParts& parts, BOOL bFlat);
};
