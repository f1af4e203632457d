#pragma once
#include "TkToolTipContext.h"

#include <memory>
#include <vector>

// The toolkit's owner-drawn tip window, made by a CTkToolTipContext for its office styles and, through
// the nested kinds, for the Luna, rich-text, markup and HTML styles. It answers the part of the
// tooltip-control messages (W forms) that the context sends, keeps its own tool list, decides itself
// when to show (500 ms after the cursor rests on a tool, at once within 200 ms of the last tip) and
// draws itself with the context's fonts, colours, margins, maximum width and style bits.
//
//   CreateTipWindow   a popup tool window owned by the context's owner window, hidden
//   TTM_RELAYEVENT    the tool under the cursor becomes pending (timer 1) or is shown at once
//   ShowToolTip       places, shows and hides; while a tip shows, a thread mouse hook hides it when the
//                     cursor leaves the tool's window (one tip window holds the hook at a time)
//   WM_DESTROY        forgets the tools and gives the hook back
//
// The kinds change only measuring (CalcContentSize) and drawing (DrawContent, DrawBackground). The
// context owns the object; the window never activates. UI thread only.

class CTkImageManagerIcon;

class CTkToolTipContextToolTip : public CWnd {
public:
    // One tool of the list. Two tools are the same when window and id are equal.
    struct TOOLITEM {
        CString strText;
        BOOL bTextCallback = FALSE;  // added with LPSTR_TEXTCALLBACK: the text is asked for when shown
        UINT uFlags = 0;
        CRect rect;  // the tool window's client coordinates
        HINSTANCE hInstance = nullptr;
        HWND hWnd = nullptr;
        UINT_PTR nId = 0;
        CRect rcExtended;  // from the extended tool record; when not empty the tip goes below it
    };
    // A NULL tool equals a tool without window.
    static BOOL IsSameTool(const TOOLITEM* pFirst, const TOOLITEM* pSecond);

    explicit CTkToolTipContextToolTip(CTkToolTipContext* pContext);  // pContext not owned
    ~CTkToolTipContextToolTip() override;

    // A hidden popup with dwStyle | WS_POPUP, owned by pOwner's window; with a drop shadow unless
    // dwStyle has kTipStyleNoShadow.
    BOOL CreateTipWindow(CWnd* pOwner, DWORD dwStyle);

    // ---- Showing. pTool NULL hides the tip; a tool that measures 0 x 0 counts as NULL. pTool is an
    // item of this window's list.
    void ShowToolTip(TOOLITEM* pTool);
    const TOOLITEM* GetShownTool() const { return m_pShownTool; }

    // ---- Measuring and drawing
    // The window size for the tool; 0 x 0: nothing to show. The tool's text is final (callbacks were
    // asked). The base measures the text word-wrapped, with the title and the title icon.
    virtual CSize CalcContentSize(TOOLITEM& tool);
    // The content in rc (the client rectangle); the DC holds the normal font, the text colour and a
    // transparent background mode. The base draws the title icon, the title and the text.
    virtual void DrawContent(CDC* pDC, TOOLITEM& tool, CRect rc);
    // The base: the Office 2007 look's gradient and frame image (kTipStyleOffice2007), else the
    // background colour in a one-pixel frame.
    virtual void DrawBackground(CDC* pDC, TOOLITEM& tool, CRect rc);
    // After every show (TRUE) or hide (FALSE).
    virtual void OnShow(BOOL bShown) {}
    // The whole tip for the tool into rc: what WM_PAINT and WM_PRINTCLIENT draw for the shown tool.
    void DrawTip(CDC* pDC, TOOLITEM& tool, const CRect& rc);

    // The width text may take: the context's maximum width less its margins and the 3-pixel frames.
    int GetAvailableWidth() const;
    // rc less each margin and 3 pixels.
    CRect GetContentRect(const CRect& rc) const;
    // The window size around content of that size: the margins and 3 pixels on each side added.
    CSize GetWindowSize(CSize content) const;

    // How far the cursor's visible part reaches below its hot spot, in pixels; 21 when it cannot be
    // read. From its mask: the mask bits (at most kCursorMaskWords words, rows of nWidth bits; a
    // cursor without colour bitmap has the AND half above the XOR half), bHasColor, the hot spot.
    static int GetCursorHeightBelowHotSpot(HCURSOR hCursor);
    static int CursorHeightFromMask(const WORD* pWords, int nWords, int nWidth, int nHeight, BOOL bHasColor,
                                    int nHotSpotY);
    static constexpr int kCursorMaskWords = 128;
    static constexpr int kUnknownCursorHeight = 21;

protected:
    afx_msg LRESULT OnAddTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDelTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateTipText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTitle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetDelayTime(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRelayEvent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CTkToolTipContext* m_pContext;  // not owned
    CString m_strTitle;
    CTkImageManagerIcon* m_pTitleIcon = nullptr;  // not owned

private:
    // The item of the list with the record's window and id, or NULL.
    TOOLITEM* FindTool(const TOOLINFO* pInfo) const;
    // The tool under ptScreen: the first of the list whose window exists and whose rectangle (the
    // window's for TTF_IDISHWND) holds the point and, for a rectangle tool, whose window is the window
    // under the point.
    TOOLITEM* ToolFromPoint(POINT ptScreen) const;
    // The text of a callback tool, asked of its window once.
    void ResolveText(TOOLITEM& tool);
    void KillPendingTimer();
    // Where the tip of that size goes for the tool (screen).
    CPoint CalcTipPosition(const TOOLITEM& tool, CSize size) const;
    void SetCutCornerRegion(CSize size);
    void InstallMouseHook();
    void RemoveMouseHook();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    std::vector<std::unique_ptr<TOOLITEM>> m_tools;
    BOOL m_bActive = FALSE;
    TOOLITEM* m_pShownTool = nullptr;    // items of m_tools (or the caller's, see ShowToolTip)
    TOOLITEM* m_pClickedTool = nullptr;  // under the last WM_LBUTTONDOWN; shows no tip until left
    TOOLITEM* m_pPendingTool = nullptr;  // waiting for the delay timer
    UINT_PTR m_nPendingTimer = 0;
    DWORD m_dwLastShowTick = 0;  // GetTickCount of the last show or hide
    int m_nInitialDelay = 500;   // ms
    int m_nReshowDelay = 200;    // ms
    BOOL m_bHasRegion = FALSE;
    BOOL m_bInShowToolTip = FALSE;  // measuring inside ShowToolTip
};
