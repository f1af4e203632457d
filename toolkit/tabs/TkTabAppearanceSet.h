#pragma once
#include "TkTabColorSet.h"
#include "TkTabPaintManager.h"

// The appearance sets: the geometry and the shapes of a tab row (header thickness, client area, tab
// length and height, header and client frame, the outline of each tab). Colours come from the colour
// set of the same paint manager. Owned by the paint manager, which sets PaintManager when it installs
// the set and refreshes it then and on its own refresh; UI thread.
//
// Every margin called "turned" goes through InflateByPosition: amounts are stated for a top row.

class CTkTabPaintManager::CAppearanceSet {
public:
    CAppearanceSet() = default;
    virtual ~CAppearanceSet() = default;
    CAppearanceSet(const CAppearanceSet&) = delete;
    CAppearanceSet& operator=(const CAppearanceSet&) = delete;

    // ---- Virtual operations
    // TextRowHeight from the height of " " in the tab font.
    virtual void RefreshMetrics();
    virtual CRect CalcHeaderRect(CRect rc, CTkTabManager* pManager);
    virtual CRect CalcClientRect(CRect rc, CTkTabManager* pManager);
    virtual CRect GetHeaderInset() { return m_rcHeaderInset; }
    virtual CRect GetClientInset();
    virtual int MeasureTab(CDC* pDC, CTkTabManagerItem* pItem);
    virtual int GetRowHeight(CTkTabManager* pManager);
    virtual CRect GetTabPaintRect(CTkTabManagerItem* pItem);
    virtual void PaintControl(CTkTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual void LayoutTabs(CTkTabManager* pManager, CDC* pDC, CRect rc);
    virtual void DeflateToClient(CTkTabManager* pManager, CRect& rc);
    virtual void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {}
    // One of the four parts of an MDI tab workspace's frame (0 frame, 1 client, 2 vertical splitter, 3
    // horizontal splitter).
    virtual void PaintWorkspaceFrame(CDC* pDC, CRect& rc, int nPart);
    virtual int GetColorSetMask() const { return 95; }
    virtual int GetPreferredColorSet() const { return kTabColorSetDefault; }

    // ---- Shared primitives
    // Header thickness: insets plus the rows (rotated layout: at least the longest tab).
    int CalcHeaderThickness(CTkTabManager* pManager);
    static void HorizontalLine(CDC* pDC, int x, int y, int nLength, COLORREF clr);
    static void VerticalLine(CDC* pDC, int x, int y, int nLength, COLORREF clr);
    static void Pixel(CDC* pDC, int x, int y, COLORREF clr);
    static void PaintLine(CDC* pDC, COLORREF clr, int x1, int y1, int x2, int y2);
    // A polyline through absolute points.
    static void PaintPolyline(CDC* pDC, COLORREF clr, const POINT* pPoints, int nCount);
    // One client-frame edge: side 0 top and 1 left in clrFirst, 2 bottom and 3 right in clrSecond.
    static void PaintEdgeLine(CDC* pDC, const CRect& rc, int nSide, COLORREF clrFirst, COLORREF clrSecond);
    // The client edge on the header side of a position.
    static void PaintHeaderSideEdge(CDC* pDC, const CRect& rc, int nPosition, COLORREF clrFirst, COLORREF clrSecond);
    // Fills the polygon (absolute points) through the colour set's FillTab; answers the fill colour.
    COLORREF FillTabPolygon(CDC* pDC, CTkTabManagerItem* pItem, const POINT* pPoints, int nCount);
    // The effective colour of a colour-set entry.
    static COLORREF Effective(const CTkPaintManagerColor& color) { return color.GetEffective(); }

    CColorSet* GetColorSet() const;
    int GetPosition() const;

    // ---- Fields
    CRect m_rcHeaderInset{0, 0, 0, 0};
    int m_nRowSpacing = -2;
    int m_nTextRowHeight = 0;
    CTkTabPaintManager* m_pPaintManager = nullptr;  // the owner
    BOOL m_bPaintTowardSelected = FALSE;
};

// 0: 3-D property-page tabs.
class CTkTabPaintManager::CAppearanceSetPropertyPage : public CAppearanceSet {
public:
    CAppearanceSetPropertyPage() { m_rcHeaderInset.SetRect(2, 3, 6, 0); }
    CRect GetClientInset() override;
    CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetColorSetMask() const override { return 13; }

protected:
    // The 3-D edges of a tab (grown when selected) and its content.
    void PaintPropertyPageTab(CDC* pDC, CTkTabManagerItem* pItem);
};

// 1: only the selected and the hot tab are drawn as pages; the others show their content.
class CTkTabPaintManager::CAppearanceSetPropertyPageSelected : public CAppearanceSetPropertyPage {
public:
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
};

// 6: flat framed tabs.
class CTkTabPaintManager::CAppearanceSetFlat : public CAppearanceSet {
public:
    CAppearanceSetFlat() { m_rcHeaderInset.SetRect(2, 2, 4, 0); }
    CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetColorSetMask() const override { return 7; }
    int GetPreferredColorSet() const override { return kTabColorSetVisualStudio; }
};

// 2: flat tabs with softened corners, separators or rounded tabs.
class CTkTabPaintManager::CAppearanceSetPropertyPageFlat : public CAppearanceSetFlat {
public:
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetPreferredColorSet() const override { return kTabColorSetDefault; }

    BOOL m_bFramedTabs = TRUE;
    BOOL m_bTabSeparators = FALSE;
};

// 3: slanted Office 2003 tabs.
class CTkTabPaintManager::CAppearanceSetPropertyPage2003 : public CAppearanceSet {
public:
    CAppearanceSetPropertyPage2003() { m_rcHeaderInset.SetRect(2, 3, 6, 0); }
    CRect GetHeaderInset() override;
    CRect GetTabPaintRect(CTkTabManagerItem* pItem) override;
    CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetColorSetMask() const override { return 85; }
    int GetPreferredColorSet() const override { return kTabColorSetOffice2003; }

    BOOL m_bHotBorder = FALSE;
};

// 4: tabs as state buttons.
class CTkTabPaintManager::CAppearanceSetStateButtons : public CAppearanceSet {
public:
    CAppearanceSetStateButtons() {
        m_rcHeaderInset.SetRect(2, 2, 4, 2);
        m_nRowSpacing = 0;
    }
    CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetPreferredColorSet() const override { return kTabColorSetVisualStudio; }
};

// 5: flat tabs with separators.
class CTkTabPaintManager::CAppearanceSetVisualStudio : public CAppearanceSet {
public:
    CAppearanceSetVisualStudio() { m_rcHeaderInset.SetRect(4, 2, 4, 0); }
    CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetColorSetMask() const override { return 7; }
    int GetPreferredColorSet() const override { return kTabColorSetVisualStudio; }
};

// 7: trapezoid sheet tabs.
class CTkTabPaintManager::CAppearanceSetExcel : public CAppearanceSetFlat {
public:
    CAppearanceSetExcel() { m_rcHeaderInset.SetRect(2, 3, 2, 0); }
    CRect GetHeaderInset() override;
    CRect GetTabPaintRect(CTkTabManagerItem* pItem) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
};

// 8: full-width bars stacked down the control, the client between the selected bar and the rest.
class CTkTabPaintManager::CAppearanceSetVisio : public CAppearanceSet {
public:
    CRect CalcHeaderRect(CRect rc, CTkTabManager* pManager) override;
    CRect CalcClientRect(CRect rc, CTkTabManager* pManager) override;
    void PaintControl(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void LayoutTabs(CTkTabManager* pManager, CDC* pDC, CRect rc) override;
    void DeflateToClient(CTkTabManager* pManager, CRect& rc) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetColorSetMask() const override { return 5; }
};

// 9: overlapping slanted tabs with rounded tops.
class CTkTabPaintManager::CAppearanceSetVisualStudio2005 : public CAppearanceSetPropertyPage2003 {
public:
    CAppearanceSetVisualStudio2005() { m_bPaintTowardSelected = TRUE; }
    CRect GetHeaderInset() override;
    CRect GetTabPaintRect(CTkTabManagerItem* pItem) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
};

// 10: the Office 2007 look's "RIBBONTAB" images.
class CTkTabPaintManager::CAppearanceSetPropertyPage2007 : public CAppearanceSet {
public:
    CAppearanceSetPropertyPage2007() { m_rcHeaderInset.SetRect(4, 1, 0, 0); }
    CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    int GetColorSetMask() const override { return kTabColorSetOffice2007; }
    int GetPreferredColorSet() const override { return kTabColorSetOffice2007; }
    // The tab's image into rc, as for a top row.
    virtual void PaintTabImage(CDC* pDC, CTkTabManagerItem* pItem, CRect rc);

protected:
    // The image of a row that is not on top, through a bitmap turned to top-row orientation.
    void PaintRotatedTabImage(CDC* pDC, CTkTabManagerItem* pItem, const CRect& rc, BOOL bCopyBackground);
    // The image (and content) of one tab in the 2007 family.
    void PaintImageTab(CDC* pDC, CTkTabManagerItem* pItem, CRect rcImage, BOOL bCopyBackground);
};

// 11: the Office 2007 look's "ACCESSTAB" images.
class CTkTabPaintManager::CAppearanceSetPropertyPageAccess2007 : public CAppearanceSetPropertyPage2007 {
public:
    void RefreshMetrics() override;
    CRect GetHeaderInset() override;
    CRect GetTabPaintRect(CTkTabManagerItem* pItem) override;
    CRect PaintHeaderAndClient(CTkTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void PaintTab(CDC* pDC, CTkTabManagerItem* pItem) override;
    void PaintTabImage(CDC* pDC, CTkTabManagerItem* pItem, CRect rc) override;
    int GetColorSetMask() const override { return kTabColorSetAccess2007; }
    int GetPreferredColorSet() const override { return kTabColorSetAccess2007; }
};
