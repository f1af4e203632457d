#pragma once
#include "TkModuleHandle.h"
#include "TkToolTipContextToolTip.h"

#include <exdisp.h>
#include <mshtmhst.h>

// The tip window of the HTML style: the tool text shown as the body of an HTML page in a WebBrowser
// control, hosted here with raw COM in a child site window of the tip. The page gets the context's
// font and background colour; the tip takes the narrowest width at which the text is no taller than
// at 650 pixels.
//
// The browser is made on the first measuring and waits (pumping messages, at most kReadyWaitMs) for
// its blank page; without the HTML engine ("mshtml.dll"), or when the browser cannot be made or does
// not get ready, nothing is kept and the tip measures 0 x 0 (not shown). The site interfaces count no references: they live as long as the
// window object, and the browser is closed and released before it goes. UI thread, with COM started.

struct IHTMLElement;

class CTkToolTipContext::CHTMLToolTip : public CTkToolTipContextToolTip {
public:
    using CTkToolTipContextToolTip::CTkToolTipContextToolTip;
    ~CHTMLToolTip() override;

    static constexpr DWORD kReadyWaitMs = 3000;

    // 0 x 0 for an empty text, without a browser, or when its page is not ready in time.
    CSize CalcContentSize(TOOLITEM& tool) override;
    // Nothing: the browser's window shows the content.
    void DrawContent(CDC*, TOOLITEM&, CRect) override {}

    // The browser's view of its host: a client site (every method not implemented), the in-place site
    // that a control needs to show in a window of ours, and the host-UI handler (no context menu, no
    // border, no scroll bars).
    // clang-format off
    BEGIN_INTERFACE_PART(OleClientSite, IOleClientSite)
        HRESULT STDMETHODCALLTYPE SaveObject() override;
        HRESULT STDMETHODCALLTYPE GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
        HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
        HRESULT STDMETHODCALLTYPE ShowObject() override;
        HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL fShow) override;
        HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;
    END_INTERFACE_PART(OleClientSite)

    BEGIN_INTERFACE_PART(OleInPlaceSite, IOleInPlaceSite)
        HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
        HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL fEnterMode) override;
        HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
        HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
        HRESULT STDMETHODCALLTYPE OnUIActivate() override;
        HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                   LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                   LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
        HRESULT STDMETHODCALLTYPE Scroll(SIZE scrollExtant) override;
        HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL fUndoable) override;
        HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
        HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
        HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
        HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override;
    END_INTERFACE_PART(OleInPlaceSite)

    BEGIN_INTERFACE_PART(DocHostUIHandler, IDocHostUIHandler)
        HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                                  IDispatch* pdispReserved) override;
        HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) override;
        HRESULT STDMETHODCALLTYPE ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                         IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                         IOleInPlaceUIWindow* pDoc) override;
        HRESULT STDMETHODCALLTYPE HideUI() override;
        HRESULT STDMETHODCALLTYPE UpdateUI() override;
        HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL fEnable) override;
        HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL fActivate) override;
        HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL fActivate) override;
        HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                               WINBOOL fRameWindow) override;
        HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
        HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
        HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
        HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) override;
        HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
        HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;
    END_INTERFACE_PART(DocHostUIHandler)
    // clang-format on

    DECLARE_INTERFACE_MAP()

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Makes the site window and the browser, in place in it, and loads the blank page styled with the
    // context's font and background. FALSE (nothing kept) on any failure or when the page is not ready
    // within kReadyWaitMs.
    BOOL CreateBrowser();
    void ReleaseBrowser();
    // Pumps this thread's messages until the page is complete or the wait is over; a WM_QUIT taken
    // from the queue is posted again and ends the wait.
    BOOL WaitUntilReady();
    // Places the site window (tip client coordinates) and the browser in it.
    void PlaceBrowser(int x, int y, int cx, int cy);
    // The page's body with the text as its content; NULL when the document cannot be reached.
    IHTMLElement* SetBodyText(const CString& strText);

    CTkModuleHandle m_htmlEngine;           // held while the object lives, once found
    CWnd m_wndSite;                         // the browser's window, a child of the tip
    IOleObject* m_pOleObject = nullptr;     // one reference
    IWebBrowser2* m_pWebBrowser = nullptr;  // one reference
};
