#pragma once
#include "mfc.h"

#include "TkSkinManagerSchema.h"
#include "ToolkitCriticalSection.h"

#include <memory>
#include <vector>

// CTkSkinManagerSchemaDefault: the schema every skin draws with. On top of the property store it draws
// part backgrounds (images cut into cells and nine pieces, or border fills) and glyphs, the non-client frame
// of a skinned window (sides, caption, icon, caption buttons and text), the frame's border widths, the
// window region that cuts a caption image's transparent corners off, and the parts of a scroll bar.
//
// The skin manager owns it (the resource file creates it). Any painting thread: the caption is composed
// under the drawing lock, the cached frame outlines under their own lock; everything else is computed per
// call from the skin, which does not change while it is loaded.

class CTkSkinImage;
struct SCROLLBARTRACKING;

// One caption button as the frame object asks for it; the schema lays it out.
struct SKINCAPTIONBUTTON {
    int nPartId = 0;   // WINDOW part: CLOSEBUTTON, MAXBUTTON, ...
    int nStateId = 1;  // 1 normal, 2 hot, 3 pushed, 4 disabled; 5 to 8 the same on an inactive frame
    RECT rc = {};      // window coordinates, set by DrawCaptionButtons
};

// What the schema reads of a skinned window's frame object to draw it; the frame object describes itself
// with one before each paint.
struct SKINFRAMEINFO {
    CWnd* pWnd = nullptr;                          // the skinned window; not owned
    RECT rcBorders = {};                           // left, top (caption included), right and bottom widths
    BOOL bActive = FALSE;                          // the caption is drawn active
    std::vector<SKINCAPTIONBUTTON> buttons;        // in caption order, the rightmost first
    CString strClassName;                          // the frame object's visual-style class ("WINDOW", "EDIT", ...)
    HBRUSH hClientBackground = nullptr;            // not owned: under client edges and scroll bars
    const SCROLLBARTRACKING* pTracking = nullptr;  // the bar being tracked on this window, or NULL
};

// One cached outline of a caption image: the transparent pixels at its two ends and the fully transparent
// rows over its middle, for one caption height and window kind.
struct FRAMEREGION {
    int nCaptionHeight = 0;
    int nToolWindow = 0;  // the window's WS_EX_TOOLWINDOW bit
    CRgn rgnLeft;         // window coordinates
    CRgn rgnRight;        // relative to the start of the right margin
    RECT rcMargins = {};  // the caption image's sizing margins as used for the scan (widths)
    int nTopRows = 0;
    BOOL bTemporary = FALSE;  // built for a window narrower than the margins: used once, never cached
};

class CTkSkinManagerSchemaDefault : public CTkSkinManagerSchema {
public:
    explicit CTkSkinManagerSchemaDefault(CTkSkinManager* pManager);
    ~CTkSkinManagerSchemaDefault() override;

    // The frame-object forms of the drawing operations are answered by the forms below.
    using CTkSkinManagerSchema::DrawFrame;
    using CTkSkinManagerSchema::DrawScrollBar;
    using CTkSkinManagerSchema::GetFrameRegion;

    // ---- Backgrounds and glyphs
    // Cell s - 1 of the part's image for state s (the first cell for 0 or a state past the count); TRUE
    // with nothing drawn for BGTYPE NONE; FALSE when the image is missing or has no room for a cell.
    BOOL DrawThemeBackground(CDC* pDC, CTkSkinManagerClass* pClass, int nPartId, int nStateId,
                             const RECT* pRect) override;
    // A border of BORDERSIZE in BORDERCOLOR, then FILLCOLOR inside it unless BORDERONLY; always TRUE.
    BOOL DrawBorderFill(CDC* pDC, CTkSkinManagerClass* pClass, int nPartId, int nStateId, const RECT* pRect);
    // The glyph image's cell, centred in the content margins; FALSE without an image.
    BOOL DrawGlyph(CDC* pDC, CTkSkinManagerClass* pClass, int nPartId, int nStateId, const RECT* pRect, int nImageCount,
                   BOOL bHorizontal);
    // The largest of IMAGEFILE5 .. IMAGEFILE1 whose cell fits the content (IMAGEFILE1 whatever its size,
    // IMAGEFILE when IMAGEFILE1 is empty); -1 for a named image that cannot be had.
    int SelectGlyphImage(CTkSkinManagerClass* pClass, int nPartId, int nStateId, const RECT* pContent, int nImageCount,
                         BOOL bHorizontal);

    // ---- Frame borders
    // A count of border widths: the window's edges and frames (bWindow), its client edge (bClient).
    int GetWindowBorders(DWORD dwStyle, DWORD dwExStyle, BOOL bWindow, BOOL bClient) const;
    RECT* CalcFrameBorders(RECT* pBorders, DWORD dwStyle, DWORD dwExStyle) override;
    RECT* GetFrameBorders(RECT* pBorders, CWnd* pWnd) override;

    // ---- Frames
    // The whole non-client area; the caption buttons' rectangles are written back into pFrame.
    void DrawFrame(CDC* pDC, SKINFRAMEINFO* pFrame);
    // Edges and frames of a window without a caption, inside the rectangle.
    void DrawNonClientBorders(CDC* pDC, RECT rc, const SKINFRAMEINFO& frame);
    // Two pixels inside the rectangle, which shrinks by them.
    void DrawClientEdge(CDC* pDC, RECT* pRect, const SKINFRAMEINFO& frame);
    // The size of a caption button of that height: the close button's image keeps its proportions.
    SIZE GetCaptionButtonSize(CTkSkinManagerClass* pWindowClass, int nHeight);
    // The rightmost caption button of a window nWidth wide with that top border (caption included); the
    // others follow leftwards, 2 pixels apart. Tool windows get square buttons.
    RECT CalcCaptionButtonRect(DWORD dwStyle, DWORD dwExStyle, int nWidth, int nTopBorder);
    // Lays out and draws the buttons from the right; answers where the caption text must end.
    int DrawCaptionButtons(CDC* pDC, SKINFRAMEINFO* pFrame);
    // The small icon of the caption, or NULL for windows that show none.
    HICON GetFrameIcon(CWnd* pWnd);
    // The window region of a frame of that size, owned by the caller.
    HRGN GetFrameRegion(const SKINFRAMEINFO& frame, int nWidth, int nHeight);
    void FreeFrameRegions() override;

    // ---- Scroll bars
    // Arrows, tracks, thumb and gripper of a laid-out bar, over the frame's client background.
    void DrawScrollBar(CDC* pDC, const SKINFRAMEINFO& frame, const SCROLLBARPOSITION* pBar);

private:
    // The part's background image (IMAGEFILE, or IMAGEFILE1 when images are chosen by size), or NULL.
    CTkSkinImage* GetPartImage(CTkSkinManagerClass* pClass, int nPartId, int nStateId);
    // The cached outline for the frame's caption height and kind, built when missing; a temporary one for
    // a window narrower than the margins, which the caller deletes. NULL when the caption has no image.
    FRAMEREGION* GetFrameRegionData(const SKINFRAMEINFO& frame, int nWidth);
    std::unique_ptr<FRAMEREGION> BuildFrameRegion(int nCaptionHeight, BOOL bToolWindow, int nWidth);
    void DrawCaption(CDC* pDC, SKINFRAMEINFO* pFrame, const RECT& rcBorders, int nWidth);

    int m_nWindowClassId;
    ToolkitCriticalSection m_drawingLock;  // one caption composed at a time
    ToolkitCriticalSection m_regionLock;   // guards m_frameRegions
    std::vector<std::unique_ptr<FRAMEREGION>> m_frameRegions;
};
