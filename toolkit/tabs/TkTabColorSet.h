#pragma once
#include "TkTabPaintManager.h"

#include "TkPaintManagerColor.h"
#include "TkWinThemeWrapper.h"

// The colours of the tab rows of one paint manager: header, tab faces by state, texts, frame and client,
// and the look of the navigate buttons. Every colour has a standard value that RefreshMetrics computes
// from the colour manager (or the Windows theme, or the Office 2007 look) and a custom value that wins
// and survives refreshes. Owned by its paint manager, which refreshes it when installed and on its own
// refresh; UI thread.

// The first colour of a gradient that stands for the 8 x 8 checker of button face and highlight.
constexpr COLORREF kCheckeredColor = 0xFFFFFFFE;

class CTkTabPaintManager::CColorSet {
public:
    CColorSet() = default;
    virtual ~CColorSet() = default;
    CColorSet(const CColorSet&) = delete;
    CColorSet& operator=(const CColorSet&) = delete;

    // ---- Virtual operations
    virtual void RefreshMetrics();
    virtual void SetTextColor(CDC* pDC, CTkTabManagerItem* pItem);
    virtual void FillHeader(CDC* pDC, CRect rc, CTkTabManager* pManager);
    // Fills with the selected tab's colour (the selected-tab colour without one); answers the colour.
    virtual COLORREF FillClient(CDC* pDC, CRect rc, CTkTabManager* pManager);
    virtual void FillStateButton(CDC* pDC, CRect rc, CTkTabManagerItem* pItem);
    // Answers the colour used, -1 when the visual style drew the tab.
    virtual COLORREF FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem);
    virtual void AdjustHeaderClip(CDC* pDC, CRect rc, CTkTabManager* pManager);
    // The button's background for its state; sets the text colour its glyph is drawn in. May move rc.
    virtual void FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc) = 0;
    virtual COLORREF GetItemColor(const CTkTabManagerItem* pItem);
    virtual BOOL IsAppThemed() { return FALSE; }

    // A two-colour gradient across the row, first colour at the row's outer side (exchanged with the
    // paint manager's invert setting); a first colour of -2 paints the 8 x 8 checker instead.
    void FillGradientByPosition(CDC* pDC, CRect rc, COLORREF clrFirst, COLORREF clrSecond, int nPosition);

    // A standard value from a colour-manager slot (0..62) or a literal colour.
    static void SetStandard(CTkPaintManagerColor& color, COLORREF clrSlotOrValue);

    // ---- Colours
    CTkPaintManagerColorGradient m_clrHeaderFace;
    CTkPaintManagerColor m_clrFrameBorder;
    CTkPaintManagerColor m_clrControlFace;
    CTkPaintManagerColor m_clrTabHighlight;
    CTkPaintManagerColor m_clrSelectedTab;
    CTkPaintManagerColor m_clrHighlightTab;
    CTkPaintManagerColor m_clrPressedTab;
    CTkPaintManagerColor m_clrNormalTab;
    CTkPaintManagerColor m_clrNormalText;
    CTkPaintManagerColor m_clrInactiveText;
    CTkPaintManagerColor m_clrSelectedText;
    CTkPaintManagerColor m_clrHighlightText;
    CTkPaintManagerColor m_clrDisabledText;
    CTkPaintManagerColorGradient m_clrStateButtonFace;
    CTkPaintManagerColorGradient m_clrStateButtonBorder;
    CTkPaintManagerColor m_clrPageLight;
    CTkPaintManagerColor m_clrPageShadow;
    CTkPaintManagerColor m_clrPageDarkShadow;
    CTkPaintManagerColor m_clrTabBorder;
    CTkPaintManagerColor m_clrSelectedTabBorder;
    CTkPaintManagerColor m_clrTabFaceStart;
    CTkPaintManagerColor m_clrTabFaceEnd;
    CTkPaintManagerColor m_clrExcelSelectedTab[6];
    CTkPaintManagerColor m_clrExcelTab[6];
    CTkTabPaintManager* m_pPaintManager = nullptr;  // the owner

protected:
    // The Default set's navigate-button look (sunken when pressed, raised when hot).
    void FillDefaultNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc, COLORREF clrHot,
                                   COLORREF clrShadow);
    // The Excel tab colours become a full copy of the selected ones.
    void CopyExcelSelectedToTabs();
    int GetPosition() const;
    int GetAppearanceId() const;
};

class CTkTabPaintManager::CColorSetDefault : public CColorSet {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc) override;
};

class CTkTabPaintManager::CColorSetVisualStudio : public CColorSetDefault {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc) override;
};

class CTkTabPaintManager::CColorSetOffice2003 : public CColorSet {
public:
    void RefreshMetrics() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc) override;

    CTkPaintManagerColor m_clrButtonFrame;
    BOOL m_bThemedPalette = FALSE;

protected:
    // The face of a tab by its state, filled from a lighter blend at the outer side.
    COLORREF FillGradientTab(CDC* pDC, const CRect& rc, CTkTabManagerItem* pItem, BOOL bPressedCase);
    // The palette of a Windows theme kind (1..5) for the faces, borders and header.
    void ApplyThemePalette(int nTheme);
};

class CTkTabPaintManager::CColorSetWhidbey : public CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) override;

    BOOL m_bGradientTabs = FALSE;
};

class CTkTabPaintManager::CColorSetVisualStudio2008 : public CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) override;

    BOOL m_bGradientTabs = FALSE;
};

class CTkTabPaintManager::CColorSetOffice2007 : public CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc) override;

    CTkPaintManagerColor m_clrNavigateButtonText;  // the glyph colour of the row's own buttons
};

class CTkTabPaintManager::CColorSetAccess2007 : public CColorSetOffice2007 {
public:
    void RefreshMetrics() override;
};

class CTkTabPaintManager::CColorSetWinXP : public CColorSetDefault {
public:
    void RefreshMetrics() override;
    COLORREF FillClient(CDC* pDC, CRect rc, CTkTabManager* pManager) override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) override;
    void FillStateButton(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) override;
    void AdjustHeaderClip(CDC* pDC, CRect rc, CTkTabManager* pManager) override;
    void FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc) override;
    BOOL IsAppThemed() override;

    // The turn from a top-row picture P (the tab's length x thickness) to the tab's own picture Q of
    // w x h for the position: Q(x, y) = P(SourceX, SourceY).
    static CPoint RotatedSourcePixel(int nPosition, int x, int y, int w, int h);

    CTkWinThemeWrapper m_themeTab{TRUE};
    CTkWinThemeWrapper m_themeToolBar{TRUE};
    CTkPaintManagerColor m_clrPaneFill;  // the pane's fill-colour hint

private:
    // The tab part drawn upright into P, turned into Q and painted at rc.
    void DrawRotatedTabPart(CDC* pDC, const CRect& rc, int nPart, int nState, int nPosition);
};
