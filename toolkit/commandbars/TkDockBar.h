#pragma once
#include "mfc.h"

#include <functional>
#include <vector>

// CTkDockBar: one of the four docking areas along the edges of a frame's client area. It holds the docked
// toolbars in rows, takes its place in the frame layout (WM_SIZEPARENT), lays out each row (keeping each
// bar near where it was dropped, shifting and shrinking bars that collide, wrapping what does not fit
// into extra rows on screen only), and tells the dock context where a dropped bar goes. UI thread.

class CTkCommandBars;
class CTkToolBar;
struct AFX_SIZEPARENTPARAMS;

// Dock styles of the four dock bars (creation style bits).
constexpr DWORD kDockStyleTop = 0x2000;
constexpr DWORD kDockStyleBottom = 0x8000;
constexpr DWORD kDockStyleLeft = 0x1000;
constexpr DWORD kDockStyleRight = 0x4000;
constexpr DWORD kDockStyleHorizontal = kDockStyleTop | kDockStyleBottom;
constexpr DWORD kDockStyleVertical = kDockStyleLeft | kDockStyleRight;

class CTkDockBar : public CWnd {
    DECLARE_DYNCREATE(CTkDockBar)
public:
    // One bar of a row while the row is laid out. Rectangles are in dock-bar client coordinates, x along
    // the row (a vertical row is inverted first).
    struct DOCK_INFO {
        CTkToolBar* pBar = nullptr;
        CRect rcBar;              // working rectangle
        CRect rcPreferred;        // where the bar wants to be
        int nIndex = 0;           // position in the row's input order
        int nMinLength = 0;       // the least length it can be shrunk to
        int nTotalMinLength = 0;  // the minimum lengths of the bars before it
    };
    class CDockInfoArray : public std::vector<DOCK_INFO> {
    public:
        // Swaps x and y of every working rectangle.
        void InvertRects();
    };

    CTkDockBar();
    ~CTkDockBar() override;

    // The dock style is style & 0x40FFFF; the window is a child of the parent with the style and id.
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nId);
    void SetCommandBars(CTkCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CTkCommandBars* GetCommandBars() const { return m_pCommandBars; }
    DWORD GetDockStyle() const { return m_dwDockStyle; }
    // 0 top, 1 bottom, 2 left, 3 right.
    int GetPosition() const;
    BOOL IsHorizontal() const { return GetPosition() <= 1; }

    // ---- The rows: entry 0 is a null; a null ends each row.
    const std::vector<CTkToolBar*>& GetBars() const { return m_bars; }
    // -1 when absent (skipping index nSkip).
    int FindBar(const CTkToolBar* pBar, int nSkip = -1) const;
    // Docks the bar: with a screen rectangle, at the row and place of its centre; without, in a new last
    // row.
    void InsertBar(CTkToolBar* pBar, LPCRECT pRect);
    // FALSE for a null or absent bar. Leaves no empty row behind.
    BOOL RemoveBar(CTkToolBar* pBar, int nSkip = -1);
    // The visible bars of the row holding the index, in screen order.
    void GetRowBars(int nIndex, std::vector<CTkToolBar*>& bars) const;
    // The index where the bar went: the row whose far edge lies beyond the centre, else a new last row.
    int InsertAtPoint(CTkToolBar* pBar, const CRect& rc, CPoint ptCenter);
    // A stretched bar always has a row of its own.
    void NormalizeRows();

    // ---- Layout
    // The size of the whole dock bar; places the bars when the layout record moves windows.
    CSize CalcDynamicLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout);
    // Lays out one row of the array and the visual rows its overflow makes; the total thickness.
    int LayoutRow(const std::vector<CTkToolBar*>& bars, int x, int y, int nLength, BOOL bHorizontal,
                  AFX_SIZEPARENTPARAMS* pLayout);
    // Lays out one visual row; -1 with *pnTooLong the input index of the bar that does not fit.
    int AdjustRow(const std::vector<CTkToolBar*>& bars, int x, int y, int nLength, BOOL bHorizontal,
                  AFX_SIZEPARENTPARAMS* pLayout, int* pnTooLong);
    // Steps of AdjustRow between measuring and placing, on entries with their rectangles (preferred =
    // working), input indexes set and x along the row: sorts by left, resolves overlaps (the entry
    // dropped later keeps its place), slides the row left into nLength and, when still too long, shrinks
    // the entries towards minLength. FALSE with *pnTooLong the input index of the right-most entry when
    // even that fails (never for a single entry).
    static BOOL ArrangeRow(CDockInfoArray& infos, int nLength, const std::function<int(const DOCK_INFO&)>& minLength,
                           int* pnTooLong);
    // The layout mode of a toolbar in this dock bar.
    DWORD GetBarLayoutMode(CTkToolBar* pBar) const;

    DECLARE_MESSAGE_MAP()

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);

    DWORD m_dwDockStyle = 0;
    std::vector<CTkToolBar*> m_bars{nullptr};  // not referenced (the hub holds the bars)
    CTkCommandBars* m_pCommandBars = nullptr;  // the owner
};
