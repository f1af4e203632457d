#pragma once
#include "TkCaptionButton.h"
#include "TkIconHandle.h"
#include "TkThemeManager.h"

#include <memory>
#include <vector>

// A caption strip: a static control that paints a border, a background, a text and an optional icon at
// its right end through its theme style (CTkCaptionTheme), with one embedded caption button (id 100).
//
// The button is either
//   - a close button (caption flag kCaptionCloseButton): a 16 x 15 glyph at the right end whose click
//     reaches the caption's owner as WM_COMMAND with the caption's id; or
//   - a text drop button: the caption's text drawn as a button, hidden until a child window is
//     registered (SetPopupChild); its click opens that child in a CTkCaptionPopupWnd, which borrows
//     the child until it is closed by its own close button (the owner then gets
//     kCaptionPopupClosedMessage and the child is put back in its place) or by the focus leaving it
//     (kCaptionPopupFocusLostMessage).
//
// The caption owns its button, the close glyph and the popup window. The popup calls back into the
// caption from inside its own message handlers, so a closed popup's window is destroyed at once and
// the object deleted later from a posted message. The style is shared by every caption unless a
// private one was given (SetCustomStyle). UI thread only.

class CTkCaptionPopupWnd;
class CTkCaptionTheme;

// Caption flags (the low three bits of CreateCaption's flags; the rest go to the extended style).
constexpr DWORD kCaptionDoubleEdge = 0x01;  // sunken outside, raised inside
constexpr DWORD kCaptionRaisedEdge = 0x02;
constexpr DWORD kCaptionCloseButton = 0x04;
constexpr DWORD kCaptionFlagMask = 0x07;

// What a popup tells its caption, and the caption then its owner: closed by its close button, and left
// by the keyboard focus.
constexpr UINT kCaptionPopupClosedMessage = 10046;
constexpr UINT kCaptionPopupFocusLostMessage = 10047;

// The id of the caption's button.
constexpr UINT kCaptionButtonId = 100;

// The toolkit bitmap of the close glyphs (of captions and caption popups): 16 x 15 images, magenta
// transparent.
constexpr UINT kCloseGlyphsBitmap = 9302;
constexpr int kCloseGlyphWidth = 16;
constexpr int kCloseGlyphHeight = 15;
constexpr COLORREF kCloseGlyphMask = RGB(0xFF, 0x00, 0xFF);

class CTkCaption : public CStatic, public CTkThemeManagerStyleHost {
    DECLARE_DYNAMIC(CTkCaption)
public:
    CTkCaption();
    ~CTkCaption() override;

    // Border, background and text colours of the caption's style (they then survive system colour
    // changes); the button takes the background, the text and the style's shadow. Nothing is redrawn.
    virtual void SetCaptionColors(COLORREF clrBorder, COLORREF clrBackground, COLORREF clrText);
    // Each argument only when non-zero: border width, font (for the button too), text, icon (not
    // owned). The whole caption is then invalidated.
    virtual void SetCaptionStyle(int nBorderWidth, CFont* pFont, LPCWSTR pszText, HICON hIcon);
    // The window a text-button caption shows in its popup, and the window told of the popup closing
    // (the caption's owner; NULL: the parent). Records the child's place and shows the button.
    virtual void SetPopupChild(CWnd* pChild, CWnd* pNotify);
    // Hides and releases the button and closes the popup window.
    virtual void HidePopup();
    // Opens the popup over the child's parent; FALSE when it cannot be made or the child's parent or
    // grandparent is gone. TRUE at once when it is already open.
    virtual BOOL ShowPopup();
    // Paints at once: the background, then a new text (and the button) and a new icon when given.
    virtual void UpdateCaption(LPCWSTR pszText, HICON hIcon);
    // Creates the caption window (with style | WS_CLIPCHILDREN), its button and glyph; FALSE when the
    // window or the button cannot be made.
    virtual BOOL CreateCaption(CWnd* pParent, LPCWSTR pszText, DWORD dwCaptionFlags, DWORD dwStyle, const RECT& rect,
                               UINT nID);
    // Where the text goes: empty without text; from the border inwards, as wide as the text needs
    // (plus an average character and 12) but no wider than the room inside the border (less 18 for an
    // icon).
    virtual CRect GetTextRect();

    // The three layers of painting, through the theme style.
    virtual void DrawBackground(CDC* pDC, CRect& rect);
    virtual void DrawCaptionText(CDC* pDC);
    virtual void DrawCaptionIcon(CDC* pDC, CRect& rect);
    // Gives the button the caption's text and place, then draws the text.
    virtual void UpdateButtonAndText(CDC* pDC);
    // Empty without a button window; the close button 16 x 15, centred vertically and as far from the
    // right edge as from the top; the text button over the text rectangle.
    virtual CRect GetButtonRect();

    // ---- What the theme styles read
    CTkCaptionTheme* GetCaptionTheme() const;
    int GetBorderWidth() const { return m_nBorderWidth; }
    DWORD GetCaptionFlags() const { return m_dwCaptionFlags; }
    BOOL IsTextButton() const { return m_bTextButton; }
    const CString& GetCaptionText() const { return m_strText; }
    HICON GetCaptionIcon() const { return m_hIcon; }
    CSize GetIconSize() const { return m_iconSize; }
    CTkCaptionButton& GetButton() { return m_button; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pWndPos);
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnButtonClicked();
    afx_msg LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopupFocusLost(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteClosedPopups(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CTkCaptionPopupWnd;  // clears the text-button flag of its title caption

    void Draw(CDC* pDC, const CRect& rcClient);
    // The button's face, text and shadow from the style's effective colours.
    void PassColorsToButton();
    // Destroys the popup's window now; the object goes when the posted message arrives, since the popup
    // may be inside one of its own handlers.
    void ClosePopupWindow();
    // The caption's owner, else its parent (NULL when neither).
    HWND GetNotifyWindow() const;

    int m_nBorderWidth = 0;
    int m_nChildOffset = 0;  // the height above the child inside its parent
    BOOL m_bUserColors = FALSE;
    BOOL m_bTextButton = FALSE;
    // The child shown in the popup and the two windows above it where it was registered. Handles, not
    // objects: the layer's objects for windows it does not own are temporary.
    HWND m_hChild = nullptr;
    HWND m_hChildParent = nullptr;
    HWND m_hChildGrandparent = nullptr;
    CSize m_iconSize;
    CRect m_rcChild;
    CRect m_rcParent;  // inflated by two edges each way
    CRect m_rcGrandparent;
    DWORD m_dwCaptionFlags = 0;
    HICON m_hIcon = nullptr;  // not owned
    CString m_strText;
    CImageList m_imageList;  // the close glyphs
    CTkIconHandle m_closeGlyph;
    CTkCaptionButton m_button;
    std::unique_ptr<CTkCaptionPopupWnd> m_pPopupWnd;                  // the open popup
    std::vector<std::unique_ptr<CTkCaptionPopupWnd>> m_closedPopups;  // windows gone, objects not yet
};
