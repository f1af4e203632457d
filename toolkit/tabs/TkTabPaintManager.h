#pragma once
#include "TkTabManager.h"

#include "mfc.h"

#include <vector>

// The tab paint manager: lays out and draws the tab rows that use it. It holds the settings those rows
// share (position, layout, fonts, margins, tab lengths, tooltip mode, hot tracking), one appearance set
// (the shape and geometry of the tabs) and one colour set, both chosen by number or installed as
// objects, and it tells every attached row to re-lay out when its settings change.
//
// The default layout and painting routines live here; an appearance set calls back into them and only
// overrides what differs. Reference counted (each host holds one reference); UI thread.
//
// Tab-relative margins are four amounts (along-start, outer side, along-end, inner side) stated for a
// top row and turned to the other positions by InflateByPosition.

// The colour-set ids.
enum TabColorSetId {
    kTabColorSetDefault = 1,
    kTabColorSetVisualStudio = 2,
    kTabColorSetOffice2003 = 4,
    kTabColorSetWinXP = 8,
    kTabColorSetWhidbey = 16,
    kTabColorSetOffice2007 = 32,
    kTabColorSetVisualStudio2008 = 64,
    kTabColorSetAccess2007 = 128,
};

// The appearance ids (any other id makes the property-page look).
enum TabAppearanceId {
    kTabAppearancePropertyPage = 0,
    kTabAppearancePropertyPageSelected = 1,
    kTabAppearancePropertyPageFlat = 2,
    kTabAppearancePropertyPage2003 = 3,
    kTabAppearanceStateButtons = 4,
    kTabAppearanceVisualStudio = 5,
    kTabAppearanceFlat = 6,
    kTabAppearanceExcel = 7,
    kTabAppearanceVisio = 8,
    kTabAppearanceVisualStudio2005 = 9,
    kTabAppearancePropertyPage2007 = 10,
    kTabAppearancePropertyPageAccess2007 = 11,
};

class CTkTabPaintManager : public CCmdTarget {
public:
    class CAppearanceSet;
    class CColorSet;
    // The appearance sets by AppearanceId.
    class CAppearanceSetPropertyPage;
    class CAppearanceSetPropertyPageSelected;
    class CAppearanceSetFlat;
    class CAppearanceSetPropertyPageFlat;
    class CAppearanceSetPropertyPage2003;
    class CAppearanceSetStateButtons;
    class CAppearanceSetVisualStudio;
    class CAppearanceSetExcel;
    class CAppearanceSetVisio;
    class CAppearanceSetVisualStudio2005;
    class CAppearanceSetPropertyPage2007;
    class CAppearanceSetPropertyPageAccess2007;
    // The colour sets by ColorSetId.
    class CColorSetDefault;
    class CColorSetVisualStudio;
    class CColorSetOffice2003;
    class CColorSetWinXP;
    class CColorSetWhidbey;
    class CColorSetOffice2007;
    class CColorSetVisualStudio2008;
    class CColorSetAccess2007;

    // Installs look 0 with its preferred colour set and reads the system fonts.
    CTkTabPaintManager();
    ~CTkTabPaintManager() override;
    CTkTabPaintManager(const CTkTabPaintManager&) = delete;
    CTkTabPaintManager& operator=(const CTkTabPaintManager&) = delete;

    // ---- Virtual operations
    virtual void PaintTabControl(CTkTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual void AdjustClientRect(CTkTabManager* pManager, CRect& rcClient);
    // Lays the row out in the rectangle: control, header, client, tab and button rectangles.
    virtual void RepositionTabControl(CTkTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual void DrawNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect rc);
    // Draws a tab's icon, caption and own buttons into rc; with bDraw FALSE answers its length instead.
    virtual int DrawTabContent(CDC* pDC, CTkTabManagerItem* pItem, CRect rc, BOOL bDraw);
    virtual void RefreshMetrics();
    virtual void NotifyAttachedRows();
    virtual void DrawFocusRect(CDC* pDC, CTkTabManagerItem* pItem, CRect rc);

    // ---- Sets
    // The look of that id (0..11; any other id is 0), with its preferred colour set.
    CAppearanceSet* SetAppearance(int nAppearanceId);
    // Takes ownership of pSet (NULL only notifies).
    CAppearanceSet* SetAppearanceSet(CAppearanceSet* pSet);
    // The colour set of that id (2, 4, 8, 16, 32, 64, 128; anything else is the Default set).
    CColorSet* SetColor(int nColorSetId);
    CColorSet* SetColorSet(CColorSet* pSet);
    CAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    CColorSet* GetColorSet() const { return m_pColorSet; }
    int GetAppearance() const { return m_nAppearanceId; }
    int GetColor() const { return m_nColorSetId; }

    // ---- Settings with notification
    void SetLayout(int nLayout);
    int GetLayout() const { return m_nLayout; }
    void SetPosition(int nPosition);
    int GetPosition() const { return m_nPosition; }
    // Rebuilds the four fonts from the description (NULL keeps them).
    void SetFontIndirect(const LOGFONT* pLogFont, BOOL bUseSystemFont = FALSE);
    BOOL IsSystemThemeIgnored() const;
    // RGB of automatic colour number n (0..7).
    static COLORREF GetAutomaticColor(int n);
    // The next automatic colour number for a new tab; the counter is shared by all rows of this manager.
    COLORREF TakeNewTabColor();

    // ---- Fonts
    CFont* GetFont(BOOL bBold, BOOL bVertical);
    // The font of the tab's caption: bold for the selected tab of an active row with bold-selected on.
    CFont* GetItemFont(const CTkTabManagerItem* pItem, BOOL bVertical);

    // ---- Attached rows (not owned: a host adds its row and removes it before the row dies)
    void AttachRow(CTkTabManagerAtom* pRow);
    void DetachRow(CTkTabManagerAtom* pRow);
    int GetAttachedRowCount() const { return static_cast<int>(m_attachedRows.size()); }

    // ---- Default routines the appearance sets use
    void LayoutDefaultTabs(CTkTabManager* pManager, CDC* pDC, CRect rc);
    void PaintDefaultControl(CTkTabManager* pManager, CDC* pDC, CRect rc);
    // The header with its far end in by one pixel, the row's buttons placed at that end.
    CRect CalcHeaderRectWithButtons(CTkTabManager* pManager, const CRect& rc);
    void SizeToFit(CTkTabManager* pManager, int nAvailable);
    void LayoutMultiRow(CTkTabManager* pManager, CDC* pDC, CRect rc);
    void EnsureVisible(CTkTabManager* pManager, CTkTabManagerItem* pItem);
    void PaintRowTabs(CTkTabManager* pManager, CDC* pDC, const CRect& rcClip, int nRow);
    // The text shortened in the middle ("ab...ij") to fit the rectangle's width.
    static void DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat);
    // The text DrawTextMiddleEllipsis shows in nWidth: whole when it fits, "..." alone when nothing
    // else does, else both ends around "...".
    static CString MakeMiddleEllipsisText(CDC* pDC, const CString& strText, int nWidth, UINT nFormat);
    int ClampTabLength(int nLength) const;

    // ---- Tab-relative geometry
    // Grows rc by four amounts stated for a top row (start, near = outer side, end, far = inner side).
    static void InflateByPosition(CRect& rc, int nStart, int nNear, int nEnd, int nFar, int nPosition);
    static void DeflateByPosition(CRect& rc, int nStart, int nNear, int nEnd, int nFar, int nPosition) {
        InflateByPosition(rc, -nStart, -nNear, -nEnd, -nFar, nPosition);
    }
    static void DeflateByPosition(CRect& rc, const RECT& rcMargin, int nPosition) {
        DeflateByPosition(rc, rcMargin.left, rcMargin.top, rcMargin.right, rcMargin.bottom, nPosition);
    }

    // ---- Settings (assigned directly; callers then NotifyAttachedRows)
    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bBoldSelected = FALSE;
    BOOL m_bBoldNormal = FALSE;
    BOOL m_bIgnoreSystemTheme = FALSE;
    BOOL m_bColorByTab = FALSE;
    int m_nClientFrame = 0;  // 0 full frame, 1 edge line, 2 none
    BOOL m_bStaticFrame = FALSE;
    CRect m_rcClientMargin{0, 0, 0, 0};
    CRect m_rcControlMargin{0, 0, 0, 0};  // tab-relative
    CRect m_rcButtonMargin{0, 0, 0, 0};
    CRect m_rcTextMargin{6, 0, 6, 0};
    BOOL m_bInvertGradient = FALSE;
    BOOL m_bFillBackground = TRUE;
    CSize m_szIcon{16, 16};
    BOOL m_bDrawTextMiddleEllipsis = FALSE;
    BOOL m_bDrawTextEndEllipsis = TRUE;
    BOOL m_bDrawTextNoPrefix = TRUE;
    UINT m_nDrawTextFormat = DT_VCENTER;
    BOOL m_bStripMnemonics = FALSE;
    BOOL m_bFixedSelectedRow = FALSE;
    BOOL m_bBalanceRows = TRUE;
    BOOL m_bDrawFocusRect = TRUE;
    int m_nExtraTabLength = 0;
    BOOL m_bSelectOnButtonDown = TRUE;
    BOOL m_bClearType = FALSE;
    BOOL m_bRotateImages = FALSE;
    BOOL m_bClipHeader = TRUE;
    CSize m_szNavigateButton{14, 15};
    BOOL m_bShowTabs = TRUE;
    int m_nMinTabLength = 0;  // 0 = no bound
    int m_nMaxTabLength = 0;
    int m_nFixedTabLength = 70;
    int m_nToolTipMode = 2;  // 0 none, 1 always, 2 truncated tabs only
    BOOL m_bUseSystemFont = TRUE;

private:
    CAppearanceSet* m_pAppearanceSet = nullptr;      // owned
    CColorSet* m_pColorSet = nullptr;                // owned
    std::vector<CTkTabManagerAtom*> m_attachedRows;  // not owned
    int m_nAppearanceId = 0;
    int m_nColorSetId = 1;
    int m_nPosition = kTabPositionTop;
    int m_nLayout = kTabLayoutAutoSize;
    CFont m_fontNormal;
    CFont m_fontBold;
    CFont m_fontVerticalNormal;
    CFont m_fontVerticalBold;
    int m_nNewTabColor = 0;

    // Counts the rows of the multi-row layout over the measured tabs.
    int CalcRows(CTkTabManager* pManager, CDC* pDC, int nWidth);
    // The recursive fit of rows nRow.. into nWidth; FALSE when the tabs do not fit.
    BOOL FillRows(CTkTabManager* pManager, int nWidth, int nRow, int nRemaining);
    // Every item's length and content length from MeasureTab (0 for hidden ones).
    void MeasureItems(CTkTabManager* pManager, CDC* pDC, BOOL bExtraLength);
    // The content drawing of a horizontal or a vertical caption.
    void DrawHorizontalContent(CDC* pDC, CTkTabManagerItem* pItem, CRect rc, BOOL bHasIcon, const CSize& szIcon,
                               BOOL bShowCaption);
    void DrawVerticalContent(CDC* pDC, CTkTabManagerItem* pItem, CRect rc, BOOL bHasIcon, const CSize& szIcon,
                             BOOL bShowCaption);
};
