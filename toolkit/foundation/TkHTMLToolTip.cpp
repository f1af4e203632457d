#include "TkHTMLToolTip.h"

#include <mshtml.h>

#include <memory>

namespace {

constexpr UINT kSiteWindowId = 0xE900;
const CRect kFirstSiteRect(0, 0, 200, 200);
constexpr int kReferenceWidth = 650;  // the text's height at this width is the height the tip keeps
constexpr int kReferenceHeight = 200;
constexpr DWORD kReadyPollMs = 20;  // the ready state changes without a message of ours
constexpr DWORD kHostFlags =
    DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_THEME;
constexpr wchar_t kPageFormat[] =
    L"about:<head><style> body {font-family:%s; font-size:%i;}table {font-family:%s; font-size:%i;}</style></head>"
    L"<body topmargin=0 leftmargin=0 bottommargin=0 rightmargin=0 bgColor=%s></body>";

struct ReleaseUnknown {
    void operator()(IUnknown* pUnknown) const { pUnknown->Release(); }
};
template <class T>
using ComRef = std::unique_ptr<T, ReleaseUnknown>;

// The interface of pUnknown, or NULL.
template <class T>
ComRef<T> QueryAs(IUnknown* pUnknown, REFIID iid) {
    void* pInterface = nullptr;
    if (pUnknown == nullptr || FAILED(pUnknown->QueryInterface(iid, &pInterface)))
        return nullptr;
    return ComRef<T>(static_cast<T*>(pInterface));
}

class CBstr {
public:
    explicit CBstr(LPCWSTR psz) : m_bstr(::SysAllocString(psz)) {}
    ~CBstr() { ::SysFreeString(m_bstr); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};

// The body's scroll size, or (-1, -1) when it cannot be read.
CSize ScrollSize(IHTMLTextContainer* pBody) {
    long cx = -1;
    long cy = -1;
    if (FAILED(pBody->get_scrollWidth(&cx)) || FAILED(pBody->get_scrollHeight(&cy)))
        return CSize(-1, -1);
    return CSize(cx, cy);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTkToolTipContext::CHTMLToolTip, CTkToolTipContextToolTip)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CTkToolTipContext::CHTMLToolTip, CTkToolTipContextToolTip)
    INTERFACE_PART(CTkToolTipContext::CHTMLToolTip, IID_IOleClientSite, OleClientSite)
    INTERFACE_PART(CTkToolTipContext::CHTMLToolTip, IID_IOleInPlaceSite, OleInPlaceSite)
    INTERFACE_PART(CTkToolTipContext::CHTMLToolTip, IID_IOleWindow, OleInPlaceSite)
    INTERFACE_PART(CTkToolTipContext::CHTMLToolTip, IID_IDocHostUIHandler, DocHostUIHandler)
END_INTERFACE_MAP()

CTkToolTipContext::CHTMLToolTip::~CHTMLToolTip() {
    // The window first, while OnDestroy can still close the browser.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    ReleaseBrowser();
}

void CTkToolTipContext::CHTMLToolTip::OnDestroy() {
    ReleaseBrowser();
    CTkToolTipContextToolTip::OnDestroy();
}

// ---- The browser

BOOL CTkToolTipContext::CHTMLToolTip::CreateBrowser() {
    // Without the HTML engine the browser would only wait for a page that never comes.
    if (m_htmlEngine.GetHandle() == nullptr && !m_htmlEngine.Init(L"mshtml.dll"))
        return FALSE;
    if (!m_wndSite.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kFirstSiteRect,
                            this, kSiteWindowId))
        return FALSE;
    IOleObject* pOleObject = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&pOleObject)))) {
        ReleaseBrowser();
        return FALSE;
    }
    m_pOleObject = pOleObject;
    RECT rcSite = kFirstSiteRect;
    ComRef<IWebBrowser2> pBrowser;
    if (SUCCEEDED(m_pOleObject->SetClientSite(&m_xOleClientSite)) &&
        SUCCEEDED(m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_xOleClientSite, 0, m_wndSite, &rcSite)))
        pBrowser = QueryAs<IWebBrowser2>(m_pOleObject, IID_IWebBrowser2);
    if (pBrowser == nullptr) {
        ReleaseBrowser();
        return FALSE;
    }
    m_pWebBrowser = pBrowser.release();

    LOGFONTW font = {};
    CString strFace = L"Arial";
    int nSize = 11;
    if (m_pContext->GetFont()->GetLogFont(&font) != 0) {
        strFace = font.lfFaceName;
        nSize = std::abs(font.lfHeight);
    }
    const COLORREF clrBack = m_pContext->GetBackColor();
    CString strBack;
    strBack.Format(L"#%0.2x%0.2x%0.2x", GetRValue(clrBack), GetGValue(clrBack), GetBValue(clrBack));
    CString strPage;
    strPage.Format(kPageFormat, strFace.GetString(), nSize, strFace.GetString(), nSize, strBack.GetString());
    const CBstr url(strPage);
    VARIANT empty;
    ::VariantInit(&empty);
    if (FAILED(m_pWebBrowser->Navigate(url, &empty, &empty, &empty, &empty)) || !WaitUntilReady()) {
        ReleaseBrowser();
        return FALSE;
    }
    return TRUE;
}

BOOL CTkToolTipContext::CHTMLToolTip::WaitUntilReady() {
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        READYSTATE state = READYSTATE_UNINITIALIZED;
        if (SUCCEEDED(m_pWebBrowser->get_ReadyState(&state)) && state == READYSTATE_COMPLETE)
            return TRUE;
        const DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= kReadyWaitMs)
            return FALSE;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(kReadyWaitMs - dwElapsed, kReadyPollMs), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The quit belongs to the loop that runs this one.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return FALSE;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        // A message may have destroyed the tip.
        if (m_pWebBrowser == nullptr)
            return FALSE;
    }
}

void CTkToolTipContext::CHTMLToolTip::ReleaseBrowser() {
    if (m_pWebBrowser != nullptr) {
        m_pWebBrowser->Release();
        m_pWebBrowser = nullptr;
    }
    if (m_pOleObject != nullptr) {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
        m_pOleObject->Release();
        m_pOleObject = nullptr;
    }
    if (m_wndSite.GetSafeHwnd() != nullptr)
        m_wndSite.DestroyWindow();
}

void CTkToolTipContext::CHTMLToolTip::PlaceBrowser(int x, int y, int cx, int cy) {
    m_wndSite.MoveWindow(x, y, cx, cy, FALSE);
    if (ComRef<IOleInPlaceObject> pInPlace = QueryAs<IOleInPlaceObject>(m_pOleObject, IID_IOleInPlaceObject)) {
        const RECT rc = {0, 0, cx, cy};
        pInPlace->SetObjectRects(&rc, &rc);
    }
}

IHTMLElement* CTkToolTipContext::CHTMLToolTip::SetBodyText(const CString& strText) {
    IDispatch* pDispatch = nullptr;
    if (FAILED(m_pWebBrowser->get_Document(&pDispatch)) || pDispatch == nullptr)
        return nullptr;
    const ComRef<IDispatch> document(pDispatch);
    const ComRef<IHTMLDocument2> pDocument = QueryAs<IHTMLDocument2>(pDispatch, IID_IHTMLDocument2);
    IHTMLElement* pBody = nullptr;
    if (pDocument == nullptr || FAILED(pDocument->get_body(&pBody)) || pBody == nullptr)
        return nullptr;
    const CBstr text(strText);
    if (FAILED(pBody->put_innerHTML(text))) {
        pBody->Release();
        return nullptr;
    }
    return pBody;
}

// ---- Measuring

CSize CTkToolTipContext::CHTMLToolTip::CalcContentSize(TOOLITEM& tool) {
    if (tool.strText.IsEmpty())
        return CSize(0, 0);
    // What the page needs to know of the tool, before messages are pumped.
    const CString strText = tool.strText;
    if (m_pWebBrowser == nullptr && !CreateBrowser())
        return CSize(0, 0);
    const ComRef<IHTMLElement> pBody(SetBodyText(strText));
    const ComRef<IHTMLTextContainer> pContainer = QueryAs<IHTMLTextContainer>(pBody.get(), IID_IHTMLTextContainer);
    if (pContainer == nullptr)
        return CSize(0, 0);

    PlaceBrowser(0, 0, kReferenceWidth, kReferenceHeight);
    const int nHeight = ScrollSize(pContainer.get()).cy;
    if (nHeight < 0)
        return CSize(0, 0);
    // The narrowest width at which nothing sticks out and the text is no taller.
    const int nMaxWidth = m_pContext->GetMaxTipWidth();
    int nWidth = -1;
    int nLo = 0;
    int nHi = 2 * nMaxWidth;
    while (nLo <= nHi) {
        const int nMid = (nLo + nHi) / 2;
        PlaceBrowser(0, 0, nMid, nHeight);
        const CSize scroll = ScrollSize(pContainer.get());
        if (nMid < scroll.cx) {
            if (scroll.cy <= nHeight) {
                nWidth = scroll.cx;
                break;
            }
            nLo = nMid + 1;
        } else if (scroll.cy > nHeight) {
            nLo = nMid + 1;
        } else {
            nWidth = nMid;
            nHi = nMid - 1;
        }
    }
    if (nWidth < 0)
        nWidth = nMaxWidth;
    const CRect& margins = m_pContext->m_rcMargins;
    PlaceBrowser(margins.left + 3, margins.top + 3, nWidth, nHeight);
    return GetWindowSize(CSize(nWidth, nHeight));
}

// ---- The site: reference counts are the window object's life (see the header)

#define HTML_TIP_UNKNOWN(localClass) \
    ULONG CTkToolTipContext::CHTMLToolTip::X##localClass::AddRef() { \
        return 1; \
    } \
    ULONG CTkToolTipContext::CHTMLToolTip::X##localClass::Release() { \
        return 1; \
    } \
    HRESULT CTkToolTipContext::CHTMLToolTip::X##localClass::QueryInterface(REFIID iid, LPVOID* ppvObj) { \
        METHOD_PROLOGUE(CTkToolTipContext::CHTMLToolTip, localClass) \
        return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj)); \
    }
HTML_TIP_UNKNOWN(OleClientSite)
HTML_TIP_UNKNOWN(OleInPlaceSite)
HTML_TIP_UNKNOWN(DocHostUIHandler)
#undef HTML_TIP_UNKNOWN

HRESULT CTkToolTipContext::CHTMLToolTip::XOleClientSite::SaveObject() {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker**) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleClientSite::GetContainer(IOleContainer**) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleClientSite::ShowObject() {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleClientSite::OnShowWindow(WINBOOL) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleClientSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::GetWindow(HWND* phwnd) {
    METHOD_PROLOGUE(CTkToolTipContext::CHTMLToolTip, OleInPlaceSite)
    *phwnd = pThis->m_wndSite.GetSafeHwnd();
    return *phwnd != nullptr ? S_OK : E_FAIL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::ContextSensitiveHelp(WINBOOL) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::CanInPlaceActivate() {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::OnInPlaceActivate() {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::OnUIActivate() {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::GetWindowContext(IOleInPlaceFrame** ppFrame,
                                                                           IOleInPlaceUIWindow** ppDoc,
                                                                           LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                                           LPOLEINPLACEFRAMEINFO lpFrameInfo) {
    METHOD_PROLOGUE(CTkToolTipContext::CHTMLToolTip, OleInPlaceSite)
    // No frame and no document window: the control only lives in the site window.
    *ppFrame = nullptr;
    *ppDoc = nullptr;
    pThis->m_wndSite.GetClientRect(lprcPosRect);
    *lprcClipRect = *lprcPosRect;
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = pThis->GetSafeHwnd();
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::Scroll(SIZE) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::OnUIDeactivate(WINBOOL) {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::OnInPlaceDeactivate() {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::DiscardUndoState() {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XOleInPlaceSite::OnPosRectChange(LPCRECT) {
    return S_OK;
}

HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_OK;  // no menu
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    pInfo->dwFlags = kHostFlags;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                                                   IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::HideUI() {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::UpdateUI() {
    return S_OK;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::EnableModeless(WINBOOL) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnDocWindowActivate(WINBOOL) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnFrameWindowActivate(WINBOOL) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR*, DWORD) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget**) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetExternal(IDispatch**) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR*) {
    return E_NOTIMPL;
}
HRESULT CTkToolTipContext::CHTMLToolTip::XDocHostUIHandler::FilterDataObject(IDataObject*, IDataObject**) {
    return E_NOTIMPL;
}
