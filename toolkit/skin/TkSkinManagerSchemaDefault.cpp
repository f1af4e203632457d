// CTkSkinManagerSchemaDefault: part backgrounds, border fills, glyphs and the frame's border widths. The
// frame, its outline and the scroll bars are drawn in the files beside this one.
#include "TkSkinManagerSchemaDefault.h"

#include "TkSkinDrawEdge.h"
#include "TkSkinImage.h"
#include "TkSkinManager.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinSchemaNames.h"

#include <algorithm>
#include <uxtheme.h>
#include <vssym32.h>

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr COLORREF kDefaultKey = RGB(255, 0, 255);

// The cell a state draws: cell s - 1 for state s; the first for state 0 and for states past the count.
RECT StateCell(const CTkSkinImage* pImage, int nCount, BOOL bHorizontal, int nStateId) {
    const int nIndex = nStateId >= 1 && nStateId - 1 < nCount ? nStateId - 1 : 0;
    return GetSkinImageCell(pImage->GetExtent(), nCount, bHorizontal, nIndex);
}

bool IsEmpty(const RECT& rc) {
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

}  // namespace

CTkSkinManagerSchemaDefault::CTkSkinManagerSchemaDefault(CTkSkinManager* pManager)
    : CTkSkinManagerSchema(pManager), m_nWindowClassId(SchemaClassId(L"WINDOW")) {
    m_strSchemaName = L"Default";
}

CTkSkinManagerSchemaDefault::~CTkSkinManagerSchemaDefault() = default;

CTkSkinImage* CTkSkinManagerSchemaDefault::GetPartImage(CTkSkinManagerClass* pClass, int nPartId, int nStateId) {
    const CString strImage = pClass->GetBackgroundImageFile(nPartId, nStateId);
    if (strImage.IsEmpty())
        return nullptr;
    return pClass->GetImages()->GetImage(m_pManager->GetResourceFile(), strImage);
}

BOOL CTkSkinManagerSchemaDefault::DrawThemeBackground(CDC* pDC, CTkSkinManagerClass* pClass, int nPartId, int nStateId,
                                                      const RECT* pRect) {
    const int nBackground = pClass->GetEnumProperty(nPartId, nStateId, TMT_BGTYPE, BT_IMAGEFILE);
    if (nBackground == BT_BORDERFILL)
        return DrawBorderFill(pDC, pClass, nPartId, nStateId, pRect);
    if (nBackground != BT_IMAGEFILE)
        return TRUE;
    CTkSkinImage* pImage = GetPartImage(pClass, nPartId, nStateId);
    if (pImage == nullptr)
        return FALSE;
    RECT rcMargins = pClass->GetRectProperty(nPartId, nStateId, TMT_SIZINGMARGINS, 0, 0, 0, 0);
    const int nCount = std::max(1, pClass->GetIntProperty(nPartId, nStateId, TMT_IMAGECOUNT, 1));
    const BOOL bHorizontal =
        pClass->GetEnumProperty(nPartId, nStateId, TMT_IMAGELAYOUT, IL_HORIZONTAL) == IL_HORIZONTAL;
    const RECT rcCell = StateCell(pImage, nCount, bHorizontal, nStateId);
    // An image with more cells than pixels has nothing to draw a cell from.
    if (IsEmpty(rcCell))
        return FALSE;
    const COLORREF clrTransparent =
        !pImage->IsAlphaImage() && pClass->GetBoolProperty(nPartId, nStateId, TMT_TRANSPARENT, FALSE)
            ? pClass->GetColorProperty(nPartId, nStateId, TMT_TRANSPARENTCOLOR, kDefaultKey)
            : kNoColor;

    const int nSizing = pClass->GetEnumProperty(nPartId, nStateId, TMT_SIZINGTYPE, ST_STRETCH);
    RECT rcDest = *pRect;
    if (nSizing == ST_TRUESIZE) {
        int cx = rcCell.right - rcCell.left;
        int cy = rcCell.bottom - rcCell.top;
        if (pClass->GetIntProperty(nPartId, nStateId, TMT_TRUESIZESTRETCHMARK, 0) > 0) {
            cx = std::min<int>(cx, pRect->right - pRect->left);
            cy = std::min<int>(cy, pRect->bottom - pRect->top);
        }
        rcDest.left = std::max<int>(pRect->left, (pRect->left + pRect->right - cx) / 2);
        rcDest.top = std::max<int>(pRect->top, (pRect->top + pRect->bottom - cy) / 2);
        if (pClass->GetEnumProperty(nPartId, nStateId, TMT_VALIGN, VA_TOP) == VA_BOTTOM)
            rcDest.top = pRect->bottom - cy;
        rcDest.right = rcDest.left + cx;
        rcDest.bottom = rcDest.top + cy;
        rcMargins = {};
    }
    // A frame side drawn as a border only would leave the window's own frame showing through it.
    BOOL bBorderOnly = pClass->GetBoolProperty(nPartId, nStateId, TMT_BORDERONLY, FALSE);
    if (pClass->GetClassId() == m_nWindowClassId && nPartId >= WP_FRAMELEFT && nPartId <= WP_SMALLFRAMEBOTTOM)
        bBorderOnly = FALSE;

    pImage->SetMirrorAllowed(pClass->GetBoolProperty(nPartId, nStateId, TMT_MIRRORIMAGE, TRUE));
    pImage->CreateSolidRectArray(nCount, bHorizontal, rcMargins);
    pImage->DrawImage(pDC, rcDest, rcCell, rcMargins, clrTransparent, nSizing, bBorderOnly);
    if (pClass->GetEnumProperty(nPartId, nStateId, TMT_GLYPHTYPE, GT_NONE) == GT_IMAGEGLYPH)
        DrawGlyph(pDC, pClass, nPartId, nStateId, pRect, nCount, bHorizontal);
    return TRUE;
}

BOOL CTkSkinManagerSchemaDefault::DrawBorderFill(CDC* pDC, CTkSkinManagerClass* pClass, int nPartId, int nStateId,
                                                 const RECT* pRect) {
    const int nSize = pClass->GetIntProperty(nPartId, nStateId, TMT_BORDERSIZE, 1);
    const COLORREF clrBorder = pClass->GetColorProperty(nPartId, nStateId, TMT_BORDERCOLOR, kNoColor);
    const COLORREF clrFill = pClass->GetColorProperty(nPartId, nStateId, TMT_FILLCOLOR, kNoColor);
    RECT rc = *pRect;
    if (nSize > 0 && clrBorder != kNoColor) {
        const RECT strips[] = {{rc.left, rc.top, rc.right, rc.top + nSize},
                               {rc.left, rc.bottom - nSize, rc.right, rc.bottom},
                               {rc.left, rc.top + nSize, rc.left + nSize, rc.bottom - nSize},
                               {rc.right - nSize, rc.top + nSize, rc.right, rc.bottom - nSize}};
        for (const RECT& rcStrip : strips)
            FillSolidColor(pDC, &rcStrip, clrBorder);
        ::InflateRect(&rc, -nSize, -nSize);
    }
    if (clrFill != kNoColor && !pClass->GetBoolProperty(nPartId, nStateId, TMT_BORDERONLY, FALSE))
        FillSolidColor(pDC, &rc, clrFill);
    return TRUE;
}

BOOL CTkSkinManagerSchemaDefault::DrawGlyph(CDC* pDC, CTkSkinManagerClass* pClass, int nPartId, int nStateId,
                                            const RECT* pRect, int nImageCount, BOOL bHorizontal) {
    const RECT rcMargins = pClass->GetRectProperty(nPartId, nStateId, TMT_CONTENTMARGINS, 0, 0, 0, 0);
    const RECT rcContent = {pRect->left + rcMargins.left, pRect->top + rcMargins.top, pRect->right - rcMargins.right,
                            pRect->bottom - rcMargins.bottom};
    int nPropertyId = TMT_GLYPHIMAGEFILE;
    if (pClass->GetEnumProperty(nPartId, nStateId, TMT_IMAGESELECTTYPE, IST_NONE) == IST_SIZE &&
        (nPropertyId = SelectGlyphImage(pClass, nPartId, nStateId, &rcContent, nImageCount, bHorizontal)) == -1)
        return FALSE;
    const CString strImage = pClass->GetStringProperty(nPartId, nStateId, nPropertyId);
    CTkSkinImage* pImage =
        strImage.IsEmpty() ? nullptr : pClass->GetImages()->GetImage(m_pManager->GetResourceFile(), strImage);
    if (pImage == nullptr)
        return FALSE;
    const RECT rcCell = StateCell(pImage, nImageCount, bHorizontal, nStateId);
    if (IsEmpty(rcCell))
        return FALSE;
    const int cx = rcCell.right - rcCell.left;
    const int cy = rcCell.bottom - rcCell.top;
    const int x = (rcContent.left + rcContent.right - cx) / 2;
    const int y = std::max<int>(rcContent.top, (rcContent.top + rcContent.bottom - cy) / 2);
    const COLORREF clrTransparent =
        !pImage->IsAlphaImage() && pClass->GetBoolProperty(nPartId, nStateId, TMT_GLYPHTRANSPARENT, FALSE)
            ? pClass->GetColorProperty(nPartId, nStateId, TMT_TRANSPARENTCOLOR, kDefaultKey)
            : kNoColor;
    pImage->DrawImage(pDC, {x, y, x + cx, y + cy}, rcCell, {}, clrTransparent, ST_TRUESIZE, FALSE);
    return TRUE;
}

int CTkSkinManagerSchemaDefault::SelectGlyphImage(CTkSkinManagerClass* pClass, int nPartId, int nStateId,
                                                  const RECT* pContent, int nImageCount, BOOL bHorizontal) {
    for (int nPropertyId = TMT_IMAGEFILE5; nPropertyId >= TMT_IMAGEFILE1; --nPropertyId) {
        const CString strImage = pClass->GetStringProperty(nPartId, nStateId, nPropertyId);
        if (strImage.IsEmpty())
            continue;
        const CSize sizeImage = pClass->GetImages()->GetExtent(m_pManager->GetResourceFile(), strImage);
        if (sizeImage.cx == 0 && sizeImage.cy == 0)
            return -1;
        const RECT rcCell = GetSkinImageCell(sizeImage, nImageCount, bHorizontal, 0);
        if ((rcCell.right - rcCell.left <= pContent->right - pContent->left &&
             rcCell.bottom - rcCell.top <= pContent->bottom - pContent->top) ||
            nPropertyId == TMT_IMAGEFILE1)
            return nPropertyId;
    }
    return TMT_IMAGEFILE;
}

int CTkSkinManagerSchemaDefault::GetWindowBorders(DWORD dwStyle, DWORD dwExStyle, BOOL bWindow, BOOL bClient) const {
    int nCount = 0;
    if (bWindow) {
        if (dwExStyle & WS_EX_WINDOWEDGE)
            nCount = 2;
        else if (dwExStyle & WS_EX_STATICEDGE)
            nCount = 1;
        if ((dwStyle & (WS_BORDER | WS_DLGFRAME)) || (dwExStyle & WS_EX_DLGMODALFRAME))
            ++nCount;
        if (dwStyle & WS_THICKFRAME)
            nCount += m_pManager->GetMetrics()->GetBorderMultiplier();
    }
    if (bClient && (dwExStyle & WS_EX_CLIENTEDGE))
        nCount += 2;
    return nCount;
}

RECT* CTkSkinManagerSchemaDefault::CalcFrameBorders(RECT* pBorders, DWORD dwStyle, DWORD dwExStyle) {
    const CTkSkinManagerMetrics* pMetrics = m_pManager->GetMetrics();
    const int nCaption =
        dwExStyle & WS_EX_TOOLWINDOW ? pMetrics->GetSmallCaptionHeight() : pMetrics->GetCaptionHeight();
    constexpr DWORD kMaximizedCaption = WS_CAPTION | WS_MAXIMIZE;
    if ((dwStyle & kMaximizedCaption) == kMaximizedCaption && !(dwStyle & WS_CHILD)) {
        // A maximized window keeps the system's frame widths, which lie off the screen.
        RECT rc = {0, 0, 100, 100};
        ::AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
        const int b = -rc.left;
        *pBorders = {b, nCaption + b, b, b};
        return pBorders;
    }
    *pBorders = {};
    if ((dwStyle & WS_CAPTION) == WS_CAPTION)
        pBorders->top = nCaption;
    const int n = GetWindowBorders(dwStyle, dwExStyle, TRUE, FALSE);
    int cx = n * pMetrics->GetBorderWidth();
    int cy = n * pMetrics->GetBorderHeight();
    if (dwExStyle & WS_EX_CLIENTEDGE) {
        cx += pMetrics->GetEdgeWidth();
        cy += pMetrics->GetEdgeHeight();
    }
    pBorders->left += cx;
    pBorders->right += cx;
    pBorders->top += cy;
    pBorders->bottom += cy;
    return pBorders;
}

RECT* CTkSkinManagerSchemaDefault::GetFrameBorders(RECT* pBorders, CWnd* pWnd) {
    return CalcFrameBorders(pBorders, pWnd->GetStyle(), pWnd->GetExStyle());
}
