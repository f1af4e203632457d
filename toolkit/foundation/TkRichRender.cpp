#include "TkRichRender.h"

#include <cstring>

namespace {

// The engine's interfaces; the import libraries do not carry them.
const IID kIIDTextHost = {0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kIIDTextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

// The engine reads the records by these sizes. NONCLIENTMETRICSW is passed as its 500-byte form, the
// size every system version accepts (the SDK's grows with the padded border width).
constexpr UINT kNonClientMetricsSize = 500;
static_assert(sizeof(CHARFORMATW) == 92, "CHARFORMATW is 92 bytes");
static_assert(sizeof(PARAFORMAT) == 156, "PARAFORMAT is 156 bytes");

constexpr DWORD kCharFormatMask =
    CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET | CFM_FACE | CFM_COLOR | CFM_SIZE;
constexpr DWORD kParaFormatMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                                  PFM_NUMBERING | PFM_RTLPARA | PFM_OFFSETINDENT;
constexpr DWORD kPropertyBits = TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP;
constexpr DWORD kMaxTextLength = 0x1000000;  // characters

using CreateTextServicesFunction = HRESULT(WINAPI*)(IUnknown*, ITextHost*, IUnknown**);

// The message font of the system, the default of every text.
CHARFORMATW MakeDefaultCharFormat() {
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    format.dwMask = kCharFormatMask;
    format.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
        HDC hScreen = ::GetDC(nullptr);
        format.yHeight = -::MulDiv(metrics.lfMessageFont.lfHeight, 1440, ::GetDeviceCaps(hScreen, LOGPIXELSY));
        ::ReleaseDC(nullptr, hScreen);
        std::memcpy(format.szFaceName, metrics.lfMessageFont.lfFaceName, sizeof(format.szFaceName));
        format.szFaceName[LF_FACESIZE - 1] = L'\0';
    }
    return format;
}

PARAFORMAT2 MakeDefaultParaFormat() {
    PARAFORMAT2 format = {};
    format.cbSize = sizeof(PARAFORMAT);
    format.dwMask = kParaFormatMask;
    format.wAlignment = PFA_LEFT;
    return format;
}

// The engine pulls the stream through this callback: at most the asked count from the memory file.
DWORD CALLBACK ReadFromMemFile(DWORD_PTR dwCookie, LPBYTE pBuffer, LONG nCount, LONG* pnRead) {
    auto* pFile = reinterpret_cast<CMemFile*>(dwCookie);
    *pnRead = nCount > 0 ? static_cast<LONG>(pFile->Read(pBuffer, static_cast<UINT>(nCount))) : 0;
    return 0;
}

}  // namespace

BEGIN_INTERFACE_MAP(CTkRichRender, CCmdTarget)
    INTERFACE_PART(CTkRichRender, kIIDTextHost, TextHost)
END_INTERFACE_MAP()

CTkRichRender::CTkRichRender() : m_charFormat(MakeDefaultCharFormat()), m_paraFormat(MakeDefaultParaFormat()) {
    m_hModule = ::LoadLibraryA("RICHED20.dll");
    if (m_hModule == nullptr)
        return;
    auto pfnCreate = reinterpret_cast<CreateTextServicesFunction>(::GetProcAddress(m_hModule, "CreateTextServices"));
    IUnknown* pUnknown = nullptr;
    if (pfnCreate == nullptr || FAILED(pfnCreate(nullptr, &m_xTextHost, &pUnknown)) || pUnknown == nullptr)
        return;
    pUnknown->QueryInterface(kIIDTextServices, reinterpret_cast<void**>(&m_pTextServices));
    pUnknown->Release();
}

CTkRichRender::~CTkRichRender() {
    // The text services are code of the library: they go before it is unloaded.
    if (m_pTextServices != nullptr)
        m_pTextServices->Release();
    if (m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
}

void CTkRichRender::SetDefaultCharFormat(const CHARFORMATW* pFormat) {
    if (pFormat == nullptr)
        return;
    std::memcpy(&m_charFormat, pFormat, sizeof(m_charFormat));
    if (m_pTextServices != nullptr)
        m_pTextServices->TxSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_charFormat), nullptr);
}

LRESULT CTkRichRender::SetText(LPCWSTR lpszText) {
    if (m_pTextServices == nullptr)
        return 0;
    if (lpszText == nullptr || lpszText[0] == L'\0') {
        m_pTextServices->TxSetText(L"");
        return 0;
    }
    if (lpszText[0] == L'{') {
        const CStringA rtf = AfxW2A(lpszText);
        const LRESULT nRead = StreamIn(rtf.GetString(), static_cast<UINT>(rtf.GetLength()), SF_RTF);
        if (nRead > 0)
            return nRead;
    }
    return StreamIn(lpszText, static_cast<UINT>(std::wcslen(lpszText) * sizeof(WCHAR)), SF_TEXT | SF_UNICODE);
}

LRESULT CTkRichRender::StreamIn(const void* pBytes, UINT nSize, WPARAM nFormat) {
    // The memory file only reads the bytes; it borrows them for the one call.
    CMemFile file(static_cast<BYTE*>(const_cast<void*>(pBytes)), nSize);
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&file);
    stream.pfnCallback = ReadFromMemFile;
    LRESULT nResult = 0;
    m_pTextServices->TxSendMessage(EM_STREAMIN, nFormat, reinterpret_cast<LPARAM>(&stream), &nResult);
    return nResult;
}

CSize CTkRichRender::GetTextExtent(CDC* pDC, int nMaxWidth) {
    if (m_pTextServices == nullptr)
        return CSize(0, 0);
    // The engine may leave a layout unreported when it needs the size it reported last, so that
    // report is kept, never cleared: it stays the size of the latest layout.
    m_pTextServices->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, nullptr);
    const HDC hDC = pDC->GetSafeHdc();
    LayOut(hDC, nMaxWidth);
    const int nMaxHeight = m_nRequestedHeight;
    // The narrowest width of that height. The answer is a width laid out, not the width the engine
    // reports: some engines report less than the lines need, and the text laid out at their report
    // wraps onto more lines.
    int nFitWidth = nMaxWidth;
    int nLastWidth = nMaxWidth;
    int nLo = 1;
    int nHi = nMaxWidth - 1;
    while (nLo <= nHi) {
        const int nMid = (nLo + nHi) / 2;
        LayOut(hDC, nLastWidth = nMid);
        if (m_nRequestedHeight > nMaxHeight) {
            nLo = nMid + 1;
        } else {
            nFitWidth = nMid;
            nHi = nMid - 1;
        }
    }
    if (nLastWidth != nFitWidth)
        LayOut(hDC, nFitWidth);
    return CSize(nFitWidth, m_nRequestedHeight);
}

void CTkRichRender::LayOut(HDC hDC, int nWidth) {
    // An empty update rectangle: with none the engine reports a rectangle whose left is not 0.
    RECT update = {};
    DrawInto(hDC, CRect(0, 0, nWidth, 1), &update);
}

void CTkRichRender::Draw(CDC* pDC, const RECT* pRect) {
    if (m_pTextServices != nullptr)
        DrawInto(pDC->GetSafeHdc(), *pRect, nullptr);
}

void CTkRichRender::DrawInto(HDC hDC, const RECT& bounds, RECT* pUpdate) {
    const RECTL boundsL = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hDC, nullptr, &boundsL, nullptr, pUpdate, nullptr, 0,
                            TXTVIEW_ACTIVE);
}

// ---- The host. The engine calls back on the thread that called it; nothing here owns a window, so
// the window services answer that they did nothing.

ULONG CTkRichRender::XTextHost::AddRef() {
    return 1;
}
ULONG CTkRichRender::XTextHost::Release() {
    return 1;
}
HRESULT CTkRichRender::XTextHost::QueryInterface(REFIID iid, LPVOID* ppvObj) {
    METHOD_PROLOGUE(CTkRichRender, TextHost)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

HDC CTkRichRender::XTextHost::TxGetDC() {
    return nullptr;
}
INT CTkRichRender::XTextHost::TxReleaseDC(HDC) {
    return 0;
}
WINBOOL CTkRichRender::XTextHost::TxShowScrollBar(INT, WINBOOL) {
    return FALSE;
}
WINBOOL CTkRichRender::XTextHost::TxEnableScrollBar(INT, INT) {
    return FALSE;
}
WINBOOL CTkRichRender::XTextHost::TxSetScrollRange(INT, LONG, INT, WINBOOL) {
    return FALSE;
}
WINBOOL CTkRichRender::XTextHost::TxSetScrollPos(INT, INT, WINBOOL) {
    return FALSE;
}
void CTkRichRender::XTextHost::TxInvalidateRect(LPCRECT, WINBOOL) {}
void CTkRichRender::XTextHost::TxViewChange(WINBOOL) {}
WINBOOL CTkRichRender::XTextHost::TxCreateCaret(HBITMAP, INT, INT) {
    return FALSE;
}
WINBOOL CTkRichRender::XTextHost::TxShowCaret(WINBOOL) {
    return FALSE;
}
WINBOOL CTkRichRender::XTextHost::TxSetCaretPos(INT, INT) {
    return FALSE;
}
WINBOOL CTkRichRender::XTextHost::TxSetTimer(UINT, UINT) {
    return FALSE;
}
void CTkRichRender::XTextHost::TxKillTimer(UINT) {}
void CTkRichRender::XTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}
void CTkRichRender::XTextHost::TxSetCapture(WINBOOL) {}
void CTkRichRender::XTextHost::TxSetFocus() {}
void CTkRichRender::XTextHost::TxSetCursor(HCURSOR, WINBOOL) {}
WINBOOL CTkRichRender::XTextHost::TxScreenToClient(LPPOINT) {
    return FALSE;
}
WINBOOL CTkRichRender::XTextHost::TxClientToScreen(LPPOINT) {
    return FALSE;
}
HRESULT CTkRichRender::XTextHost::TxActivate(LONG*) {
    return E_FAIL;
}
HRESULT CTkRichRender::XTextHost::TxDeactivate(LONG) {
    return E_FAIL;
}
HRESULT CTkRichRender::XTextHost::TxGetClientRect(LPRECT) {
    return E_FAIL;
}
HRESULT CTkRichRender::XTextHost::TxGetViewInset(LPRECT prc) {
    ::SetRectEmpty(prc);
    return S_OK;
}
HRESULT CTkRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF) {
    METHOD_PROLOGUE(CTkRichRender, TextHost)
    *ppCF = &pThis->m_charFormat;
    return S_OK;
}
HRESULT CTkRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF) {
    METHOD_PROLOGUE(CTkRichRender, TextHost)
    *ppPF = &pThis->m_paraFormat;
    return S_OK;
}
COLORREF CTkRichRender::XTextHost::TxGetSysColor(int nIndex) {
    return ::GetSysColor(nIndex);
}
HRESULT CTkRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle) {
    *pstyle = TXTBACK_TRANSPARENT;
    return S_OK;
}
HRESULT CTkRichRender::XTextHost::TxGetMaxLength(DWORD* plength) {
    *plength = kMaxTextLength;
    return S_OK;
}
HRESULT CTkRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar) {
    *pdwScrollBar = 0;
    return S_OK;
}
HRESULT CTkRichRender::XTextHost::TxGetPasswordChar(TCHAR*) {
    return S_FALSE;
}
HRESULT CTkRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp) {
    *pcp = -1;
    return S_OK;
}
HRESULT CTkRichRender::XTextHost::TxGetExtent(LPSIZEL) {
    return E_NOTIMPL;
}
HRESULT CTkRichRender::XTextHost::OnTxCharFormatChange(const CHARFORMATW*) {
    return E_FAIL;
}
HRESULT CTkRichRender::XTextHost::OnTxParaFormatChange(const PARAFORMAT*) {
    return E_FAIL;
}
HRESULT CTkRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) {
    *pdwBits = dwMask & kPropertyBits;
    return S_OK;
}
HRESULT CTkRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv) {
    METHOD_PROLOGUE(CTkRichRender, TextHost)
    if (iNotify == EN_REQUESTRESIZE && pv != nullptr) {
        const RECT& rc = static_cast<const REQRESIZE*>(pv)->rc;
        pThis->m_nRequestedWidth = rc.right - rc.left;
        pThis->m_nRequestedHeight = rc.bottom - rc.top;
    }
    return S_OK;
}
HIMC CTkRichRender::XTextHost::TxImmGetContext() {
    return nullptr;
}
void CTkRichRender::XTextHost::TxImmReleaseContext(HIMC) {}
HRESULT CTkRichRender::XTextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth) {
    *lSelBarWidth = 0;
    return S_OK;
}
