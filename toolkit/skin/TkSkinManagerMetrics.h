#pragma once
#include "mfc.h"

// CTkSkinManagerMetrics: the system-wide look of the loaded skin: the 31 system colours with a solid brush
// each, the caption, small-caption and menu fonts, border, edge and scroll-bar sizes and the caption
// heights. The system-function replacements hand these out in place of the system's values.
//
// The skin manager owns one for its whole life and refreshes it after every skin load and option change,
// on the UI thread; painting threads read it.

class CTkSkinManager;

class CTkSkinManagerMetrics {
public:
    static constexpr int kColorCount = 31;  // COLOR_SCROLLBAR .. COLOR_MENUBAR

    explicit CTkSkinManagerMetrics(CTkSkinManager* pManager);
    virtual ~CTkSkinManagerMetrics();
    CTkSkinManagerMetrics(const CTkSkinManagerMetrics&) = delete;
    CTkSkinManagerMetrics& operator=(const CTkSkinManagerMetrics&) = delete;

    // Reads the system's values and the skin's SYSMETRICS class over them; without a skin only the system
    // colours are copied.
    virtual void RefreshMetrics();

    // ---- Colours and brushes
    // The skin colour of a system colour index 0..30; 0 for any other index.
    COLORREF GetColor(int nIndex) const;
    // The skin brush of a system colour index 0..30; NULL for any other index or a brush not made.
    HBRUSH GetBrush(int nIndex) const;
    // Whether the object is one of the 31 colour brushes (which nobody but these metrics may delete).
    BOOL IsSkinBrush(HGDIOBJ hObject) const;
    HBRUSH GetFaceBrush() const { return m_hFaceBrush; }
    // The brush of property-sheet pages, made by their frames on demand; dropped at every refresh.
    HBRUSH GetPageBrush() const { return m_hPageBrush; }
    void SetPageBrush(HBRUSH hBrush);
    COLORREF GetEdgeLightColor() const { return m_clrEdgeLight; }
    COLORREF GetEdgeHighlightColor() const { return m_clrEdgeHighlight; }
    COLORREF GetEdgeShadowColor() const { return m_clrEdgeShadow; }
    COLORREF GetEdgeDkShadowColor() const { return m_clrEdgeDkShadow; }

    // ---- Fonts
    CFont* GetCaptionFont() { return &m_fntCaption; }
    CFont* GetSmallCaptionFont() { return &m_fntSmallCaption; }
    CFont* GetMenuFont() { return &m_fntMenu; }

    // ---- Sizes
    int GetBorderMultiplier() const { return m_nBorderMultiplier; }
    int GetBorderWidth() const { return m_cxBorder; }
    int GetBorderHeight() const { return m_cyBorder; }
    int GetEdgeWidth() const { return m_cxEdge; }
    int GetEdgeHeight() const { return m_cyEdge; }
    int GetHScrollArrowWidth() const { return m_cxHScroll; }
    int GetHScrollHeight() const { return m_cyHScroll; }
    int GetVScrollWidth() const { return m_cxVScroll; }
    int GetVScrollArrowHeight() const { return m_cyVScroll; }
    int GetCaptionHeight() const { return m_cyCaption; }
    int GetSmallCaptionHeight() const { return m_cySmallCaption; }
    int GetSystemCaptionHeight() const { return m_cyOsCaption; }
    int GetSystemSmallCaptionHeight() const { return m_cyOsSmallCaption; }
    // Set while RefreshMetrics reads the system's values, so the replacements answer with those.
    BOOL IsRefreshing() const { return m_bRefreshing; }

private:
    void ReadSkinSizesAndFonts(int nSysMetricsClass);
    void ReadColors(int nSysMetricsClass);
    // Deletes brush nIndex. It leaves the table first, so the DeleteObject replacement, which refuses
    // skin brushes, lets this one go.
    void DeleteBrush(int nIndex);

    CFont m_fntCaption;
    CFont m_fntMenu;
    CFont m_fntSmallCaption;
    CTkSkinManager* m_pManager;     // not owned
    HBRUSH m_hFaceBrush = nullptr;  // owned
    HBRUSH m_hPageBrush = nullptr;  // owned
    COLORREF m_clrEdgeLight = 0;
    COLORREF m_clrEdgeHighlight = 0;
    COLORREF m_clrEdgeShadow = 0;
    COLORREF m_clrEdgeDkShadow = 0;
    COLORREF m_clrColors[kColorCount];
    HBRUSH m_hBrushes[kColorCount] = {};  // owned
    int m_nBorderMultiplier = 1;
    int m_cxBorder = 0;
    int m_cyBorder = 0;
    int m_cxEdge = 0;
    int m_cyEdge = 0;
    int m_cxHScroll = 0;
    int m_cyHScroll = 0;
    int m_cxVScroll = 0;
    int m_cyVScroll = 0;
    int m_cyCaption = 0;
    int m_cySmallCaption = 0;
    int m_cyOsCaption = 0;
    int m_cyOsSmallCaption = 0;
    BOOL m_bRefreshing = FALSE;
};
