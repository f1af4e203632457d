#pragma once
#include "mfc.h"

// The toolkit's tooltip service. A window that wants tooltips owns one context (or shares its command
// bars' one, reference counted) and hands it its mouse and keyboard messages (FilterToolTipMessage).
// The context asks the window which tool lies under the cursor (OnToolHitTest), creates the tip window
// of its style number on the first relayed mouse message, keeps that window's tool list in step with
// the hovered tool and cancels the tip on clicks and keys. It drives every tip window only through the
// tooltip-control messages (TTM_*), so the system tooltip control (CStandardToolTip) and the toolkit's
// owner-drawn tip windows (CTkToolTipContextToolTip and its nested kinds) are interchangeable behind it.
//
// Tool texts handed over by OnToolHitTest are calloc copies (FillToolInfo), freed here with free after
// each relay; callback texts (LPSTR_TEXTCALLBACK) and resource texts (hinst set) are not freed.
//
// The context owns its tip window and destroys it with itself, on a style change and when the owner's
// top-level window changes. UI thread only.

class CTkImageManager;

// ---- Toolkit messages of the tooltip protocol
// Sent to a child window found under the cursor; a window that answers 1 (an in-place edit inside a
// command-bar control) stands for its parent.
constexpr UINT kToolTipUseParentMessage = 10824;
// To a tip window: lParam is the CTkImageManagerIcon* to draw beside the title (NULL for none).
constexpr UINT kToolTipSetIconMessage = 10825;

// ---- Tool flags beyond the TTF_ ones (stripped before the tool reaches the tip window)
// Show the tip even while the owner's top-level window is not active.
constexpr UINT kToolTipShowInactive = 0x40000000;
constexpr UINT kToolTipToolkitFlags = 0xC0000000;

// ---- Tip style bits beyond the TTS_ ones (CTkToolTipContext::m_dwTipStyle)
constexpr DWORD kTipStyleFaceBorder = 0x1000;  // the owner-drawn tip's top and left border in 3D face
constexpr DWORD kTipStyleNoShadow = 0x2000;    // no drop shadow
constexpr DWORD kTipStyleOffice2007 = 0x4000;  // Office 2007 look: images, cut corners, text 0x4C4C4C
constexpr DWORD kTipStyleOffice = 0x3000;      // what style 2 sets
constexpr COLORREF kOffice2007TipText = 0x4C4C4C;

// The tooltip styles (SetStyle).
enum ToolTipStyle {
    kToolTipStandard = 0,
    kToolTipBalloon = 1,  // accepted with common controls 5.80 or later
    kToolTipOffice = 2,
    kToolTipRichText = 3,
    kToolTipLuna = 4,
    kToolTipOffice2007 = 5,
    kToolTipHTML = 6,
    kToolTipMarkup = 7,
};

// The extended tool record that lParam of a TOOLINFO of AFX_TOOLINFO_V2_SIZE points to, filled by
// FillToolInfoEx. The strings are calloc copies owned by whoever made the record.
struct ToolTipExtraInfo {
    LPWSTR pszDescription;
    LPWSTR pszTitle;
    CTkImageManager* pImageManager;  // not owned
    RECT rcExtended;                 // when not empty the owner-drawn tip is placed below its bottom edge
};

// Fills a TOOLINFO whose cbSize is at least AFX_TOOLINFO_V1_SIZE (nothing for NULL or a smaller one):
// hwnd, rect, uId and lpszText, a calloc copy of lpszText (NULL copies as empty; LPSTR_TEXTCALLBACK is
// stored as it is). uFlags is the caller's.
void FillToolInfo(TOOLINFO* pInfo, HWND hWnd, const RECT& rect, UINT_PTR nId, LPCWSTR lpszText);
// FillToolInfo, then, for a TOOLINFO of AFX_TOOLINFO_V2_SIZE whose lParam points to a
// ToolTipExtraInfo: calloc copies of the description and title when both are non-empty, and the image
// manager always.
void FillToolInfoEx(TOOLINFO* pInfo, HWND hWnd, const RECT& rect, UINT_PTR nId, LPCWSTR lpszText, LPCWSTR lpszTitle,
                    LPCWSTR lpszDescription, CTkImageManager* pImageManager);

class CTkToolTipContext : public CCmdTarget {
public:
    // The tip windows of the style numbers.
    class CStandardToolTip;
    class CLunaToolTip;
    class CRichEditToolTip;
    class CMarkupToolTip;
    class CHTMLToolTip;

    // Fonts from the system's status font (weights 400 and 700), half the screen as maximum width,
    // TTS_NOPREFIX as tip style. No tip window exists yet.
    CTkToolTipContext();
    ~CTkToolTipContext() override;
    CTkToolTipContext(const CTkToolTipContext&) = delete;
    CTkToolTipContext& operator=(const CTkToolTipContext&) = delete;

    // ---- Overridables
    // A new, not yet created tip-window object for the style number; the context owns it.
    virtual CWnd* CreateToolTipWindow(CWnd* pParentOwner);
    // The tool under point (owner's client coordinates): the owner's own CWnd::OnToolHitTest. -1 for no
    // tool, else a hit code; pInfo is filled with FillToolInfo or FillToolInfoEx.
    virtual INT_PTR OnToolHitTest(CWnd* pOwner, CPoint point, TOOLINFO* pInfo);

    // ---- Messages of the owner
    // RelayToolTipMessage for a MSG of the owner's window, the message and the cursor position.
    void FilterToolTipMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam);
    // Mouse moves and button-ups (no button held) show, move or hide the tip; clicks and keys cancel
    // it; anything else is ignored.
    void RelayToolTipMessage(CWnd* pOwner, MSG* pMsg);
    // Deactivates the tip window (hides the tip).
    void CancelToolTips();

    // ---- Style
    int GetStyle() const { return m_nStyle; }
    // Nothing for the same style, or for the balloon with common controls before 5.80. Otherwise the
    // tip window goes and the office bits follow the style: 0x3000 for 2, 0x4000 for 5.
    void SetStyle(int nStyle);
    // Tip style bits: removes dwRemove, adds dwAdd; a change drops the tip window, so the next relay
    // creates it with the new bits.
    void ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd);

    // ---- What the tip windows read
    CWnd* GetToolTipWindow() const { return m_pToolTip; }
    // -1 resolved: the info-background colour; the info-text colour (0x4C4C4C in the Office 2007 look).
    COLORREF GetBackColor() const;
    COLORREF GetTextColor() const;
    // The maximum tip width with -1 resolved to the screen width.
    int GetMaxTipWidth() const;
    CFont* GetFont() { return &m_font; }
    CFont* GetBoldFont() { return &m_fontBold; }

    // ---- Options (set before tips are shown; a change of the window's settings needs the next tip
    // window)
    BOOL m_bShowTitleAndDescription = FALSE;  // use the extended record's title and description
    BOOL m_bShowImage = FALSE;                // ask the extended record's image manager for an icon
    int m_nImageWidth = 1;                    // width passed to CTkImageManager::GetIcon (1: largest)
    int m_nImageIdOffset = 0;                 // added to the hit code to form the image's command id
    DWORD m_dwComCtlVersion;                  // major << 16 | minor
    int m_nTitleIcon = 1;                     // wParam of TTM_SETTITLE (TTI_INFO)
    int m_nMaxTipWidth;                       // pixels; -1: the screen width
    DWORD m_dwTipStyle = TTS_NOPREFIX;        // TTS_ bits and the kTipStyle bits
    CRect m_rcMargins;                        // TTM_SETMARGIN
    int m_nInitialDelay = -1;                 // ms, TTDT_INITIAL; -1 leaves the window's
    int m_nReshowDelay = -1;                  // ms, TTDT_RESHOW
    int m_nAutoPopDelay = -1;                 // ms, TTDT_AUTOPOP
    COLORREF m_clrBack = CLR_NONE;            // -1: colour-manager info background
    COLORREF m_clrText = CLR_NONE;            // -1: see GetTextColor

private:
    // Makes the tip window of the object (creating the object first when there is none) and sends it
    // the context's settings. FALSE when there is no window afterwards.
    BOOL EnsureToolTipWindow(CWnd* pParentOwner);
    void DestroyToolTipWindow();
    // Step of RelayToolTipMessage: the tool under the message's point, then the tip window's tools.
    void RelayMouseMessage(CWnd* pOwner, MSG* pMsg, BOOL bActive);
    // TTM_RELAYEVENT with the point in the client coordinates of the window under it.
    void RelayToTip(const MSG* pMsg);

    int m_nStyle = kToolTipStandard;
    CWnd* m_pToolTip = nullptr;  // owned: a CToolTipCtrl or a CTkToolTipContextToolTip
    TOOLINFO m_lastTool = {};    // the tool last added to the tip window (texts not kept)
    CFont m_font;
    CFont m_fontBold;
};

// The tip window of the standard and balloon styles: the system tooltip control, whose window-under-
// the-point answer also replaces an in-place edit by its parent.
class CTkToolTipContext::CStandardToolTip : public CToolTipCtrl {
protected:
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The window under a point for tooltips: hWnd itself, or its parent when hWnd is a child window of this
// process that answers kToolTipUseParentMessage with 1.
HWND ResolveToolTipWindow(HWND hWnd);
// TRUE while the left, right or middle button is down, by the thread's key state: no tips during drags.
BOOL IsMouseButtonHeld();
