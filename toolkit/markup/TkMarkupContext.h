#pragma once
#include "TkMarkupInputElement.h"
#include "TkToolTipContext.h"

#include <list>
#include <map>
#include <memory>
#include <string>

// CTkMarkupContext: the environment of a markup tree. It knows the host window (NULL for a context that
// only measures and renders), the default font and text colour, the element under the mouse (hot) and the
// one holding the mouse capture, caches GDI fonts, shows the elements' "ToolTip" texts through a tooltip
// context of its own, and holds the delegates that markup names in event attributes. It routes the host's
// mouse and keyboard messages into a tree (HandleWindowMessage) and invalidates the host when elements
// change.
//
// Reference counted like the markup objects (TkMarkupObject.h): the creator holds the first reference and
// every input element made through CreateMarkupObject one more, so the context lives as long as its
// creator or any of its elements. The hot element is held too: a context and its hot element keep each
// other alive until the mouse leaves the host or the host is destroyed (SetHot(NULL)).
//
// UI thread of the host window only; only the reference count is interlocked.

class CTkImageManager;
class CTkMarkupFont;
class CTkMarkupKeyboardNavigation;
class CTkMarkupType;
class CTkMarkupUIElement;

class CTkMarkupContext {
public:
    // Asks the element tree for tips: the tool is the nearest element, from the hot one up, whose
    // "ToolTip" is a string.
    class CTooltipContext : public CTkToolTipContext {
    public:
        explicit CTooltipContext(CTkMarkupContext* pOwner);
        INT_PTR OnToolHitTest(CWnd* pOwner, CPoint point, TOOLINFO* pInfo) override;

    private:
        CTkMarkupContext* m_pOwner;  // not counted: the markup context owns this one
    };

    explicit CTkMarkupContext(HWND hWndHost);
    CTkMarkupContext(const CTkMarkupContext&) = delete;
    CTkMarkupContext& operator=(const CTkMarkupContext&) = delete;

    DWORD AddRef();
    DWORD Release();

    // ---- Parsing and making objects
    // The root of the text's tree (one reference), or NULL for a NULL text or markup that does not build;
    // then GetLastParseError says why.
    CTkMarkupUIElement* Parse(LPCWSTR lpszText);
    // The same for 8-bit text of nLength bytes, read in the ANSI code page until the markup declares
    // encoding="utf-8".
    CTkMarkupUIElement* Parse(LPCSTR lpszText, int nLength);
    // Why the last Parse gave no tree; empty after a success.
    LPCWSTR GetLastParseError() const { return m_strLastParseError; }
    // A new instance of the type (one reference); an input element is tied to this context, which gains a
    // reference for it.
    CTkMarkupObject* CreateMarkupObject(CTkMarkupType* pType);
    // Ties an input element made in code, not yet tied to a context, to this one, which gains a reference
    // for it until its final release.
    void TieElement(CTkMarkupInputElement* pElement);

    // ---- Defaults
    HWND GetHostWindow() const { return m_hWndHost; }
    const LOGFONTW& GetDefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const LOGFONTW& logFont) { m_defaultFont = logFont; }
    void SetDefaultFontFromHandle(HFONT hFont);
    COLORREF GetDefaultTextColor() const { return m_clrDefaultText; }
    void SetDefaultTextColor(COLORREF clr) { m_clrDefaultText = clr; }
    // NULL: the process-wide image manager.
    CTkImageManager* GetImageManager() const { return m_pImageManager; }

    // ---- Fonts
    // The font of this height, weight, italic flag and face (other members are not compared), shared with
    // the elements that asked before; one reference for the caller.
    CTkMarkupFont* GetFont(const LOGFONTW& logFont);

    // ---- Host window messages
    // Routes a message of the host window into the tree under pRoot; TRUE, with *pResult 1, when handled.
    virtual BOOL HandleWindowMessage(CTkMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT* pResult);
    // The element's rectangle, or the whole client area, is repainted (nothing without a host).
    virtual void InvalidateElement(CTkMarkupInputElement* pElement);
    virtual void InvalidateAll(CTkMarkupInputElement* pElement);
    // The element's rectangle in host-window coordinates; empty for what is not drawn.
    CRect GetElementRect(CTkMarkupInputElement* pElement) const;

    // ---- Mouse state
    CTkMarkupInputElement* GetHotElement() const { return m_pHotElement; }            // borrowed
    CTkMarkupInputElement* GetCapturedElement() const { return m_pCapturedElement; }  // borrowed
    CTkMarkupUIElement* GetActiveRoot() const { return m_pActiveRoot; }               // borrowed
    void SetCapture(CTkMarkupInputElement* pElement);
    void ReleaseCapture();
    // The element under the mouse changes: the old one's chain is left and the new one's entered, except
    // for their common ancestors. NULL also forgets the active root.
    void SetHot(CTkMarkupInputElement* pElement, int x, int y);

    // ---- Delegates and context-level handlers, made known by the host
    // Takes over pDelegate, replacing one of the same name.
    void RegisterDelegate(LPCWSTR lpszName, CTkMarkupDelegate* pDelegate);
    // Borrowed; NULL when none is registered under the name.
    CTkMarkupDelegate* FindDelegate(LPCWSTR lpszName) const;
    // Takes over pDelegate, run for the event when no element handled it.
    void AddContextHandler(CTkMarkupRoutedEvent* pEvent, CTkMarkupDelegate* pDelegate);
    void RaiseContextEvent(CTkMarkupInputElement* pSource, CTkMarkupRoutedEventArgs* pArgs);

    CTkMarkupKeyboardNavigation* GetKeyboardNavigation() const { return m_pKeyboardNavigation; }
    CTooltipContext* GetToolTipContext() const { return m_pToolTipContext; }

    // An input element made by this context is finally released: it leaves the mouse state and gives
    // back its reference.
    void OnElementReleased(CTkMarkupInputElement* pElement);

    // Contexts alive now; tests check it returns to where it was.
    static LONG GetLiveContextCount();

protected:
    virtual ~CTkMarkupContext();

private:
    using InputElementChain = std::vector<CTkMarkupPtr<CTkMarkupInputElement>>;
    // The element and its input-element ancestors, nearest first, each held.
    static InputElementChain GetAncestorChain(CTkMarkupInputElement* pElement);

    CTkMarkupUIElement* Build(class CTkMarkupParser& parser);
    void MouseMove(CTkMarkupUIElement* pRoot, int x, int y);
    BOOL UpdateCursor();
    BOOL MouseWheel(int nDelta);
    BOOL MouseButton(UINT message, WPARAM wParam, LPARAM lParam);
    void LostCapture();

    CTkImageManager* m_pImageManager = nullptr;  // one reference; never set yet
    HWND m_hWndHost;
    COLORREF m_clrDefaultText = 0;
    LOGFONTW m_defaultFont = {};
    CTkMarkupInputElement* m_pHotElement = nullptr;       // one reference
    CTkMarkupInputElement* m_pCapturedElement = nullptr;  // borrowed
    CTkMarkupUIElement* m_pActiveRoot = nullptr;          // borrowed
    CTkMarkupFont* m_pFirstFont = nullptr;                // the font cache: live fonts, not counted
    std::map<CTkMarkupRoutedEvent*, std::list<CTkMarkupPtr<CTkMarkupDelegate>>> m_contextHandlers;
    std::map<std::wstring, CTkMarkupPtr<CTkMarkupDelegate>> m_delegates;
    CTkMarkupKeyboardNavigation* m_pKeyboardNavigation;  // one reference
    CTooltipContext* m_pToolTipContext;                  // one reference
    CString m_strLastParseError;
    volatile LONG m_nRef = 1;

    friend class CTkMarkupFont;
};
