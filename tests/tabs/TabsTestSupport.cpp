#include "TabsTestSupport.h"

#include "TkOffice2007Images.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr UINT kCallMessage = WM_APP + 1;
constexpr UINT_PTR kLaterTimer = 91;
constexpr wchar_t kScriptWindowClass[] = L"TabTestScriptWindow";

HMODULE LookModule() {
    static HMODULE s_hModule = ::LoadLibraryW(L"TabLook.dll");
    return s_hModule;
}

}  // namespace

COLORREF PinExcelSelected(int n) {
    return RGB(30 + n, 160, 90);
}

COLORREF PinExcelOther(int n) {
    return RGB(90, 30 + n, 160);
}

void PinColors(CTkTabPaintManager* pPaintManager) {
    CTkTabPaintManager::CColorSet* p = pPaintManager->GetColorSet();
    p->m_clrHeaderFace.m_firstColor.m_customValue = kPinHeader;
    p->m_clrHeaderFace.m_secondColor.m_customValue = kPinHeader;
    p->m_clrControlFace.m_customValue = kPinControlFace;
    p->m_clrFrameBorder.m_customValue = kPinFrameBorder;
    p->m_clrTabHighlight.m_customValue = kPinTabHighlight;
    p->m_clrSelectedTab.m_customValue = kPinSelectedTab;
    p->m_clrNormalTab.m_customValue = kPinNormalTab;
    p->m_clrHighlightTab.m_customValue = kPinHotTab;
    p->m_clrPageLight.m_customValue = kPinPageLight;
    p->m_clrPageShadow.m_customValue = kPinPageShadow;
    p->m_clrPageDarkShadow.m_customValue = kPinPageDark;
    p->m_clrTabBorder.m_customValue = kPinTabBorder;
    p->m_clrSelectedTabBorder.m_customValue = kPinSelectedTabBorder;
    p->m_clrTabFaceStart.m_customValue = kPinTabFaceStart;
    p->m_clrTabFaceEnd.m_customValue = kPinTabFaceEnd;
    p->m_clrSelectedText.m_customValue = kPinSelectedText;
    for (int n = 0; n < 6; ++n) {
        p->m_clrExcelSelectedTab[n].m_customValue = PinExcelSelected(n);
        p->m_clrExcelTab[n].m_customValue = PinExcelOther(n);
    }
}

void PinFont(CTkTabPaintManager* pPaintManager) {
    LOGFONTW lf = {};
    lf.lfHeight = -11;
    wcscpy(lf.lfFaceName, L"Tahoma");
    pPaintManager->SetFontIndirect(&lf, FALSE);
    pPaintManager->GetAppearanceSet()->RefreshMetrics();
}

// ---- CScriptWindow

CScriptWindow::CScriptWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kScriptWindowClass;
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, kScriptWindowClass, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CScriptWindow::~CScriptWindow() {
    ::DestroyWindow(m_hWnd);
    // Nothing posted for this window may outlive it.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, kCallMessage, kCallMessage, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(msg.lParam);
}

void CScriptWindow::Post(UINT nMessage, WPARAM wParam, LPARAM lParam) const {
    ::PostMessageW(m_hWnd, nMessage, wParam, lParam);
}

void CScriptWindow::PostCall(std::function<void()> fn) const {
    ::PostMessageW(m_hWnd, kCallMessage, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(fn))));
}

void CScriptWindow::CallLater(UINT nDelay, std::function<void()> fn) {
    m_later = std::move(fn);
    ::SetTimer(m_hWnd, kLaterTimer, nDelay, nullptr);
}

LRESULT CALLBACK CScriptWindow::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == kCallMessage) {
        std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lParam));
        (*fn)();
        return 0;
    }
    if (nMessage == WM_TIMER && wParam == kLaterTimer) {
        ::KillTimer(hWnd, kLaterTimer);
        auto* pThis = reinterpret_cast<CScriptWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pThis != nullptr && pThis->m_later)
            pThis->m_later();
        return 0;
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

// ---- CTestTabRow

CTestTabRow::CTestTabRow(CTkTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {
    if (m_pPaintManager == nullptr) {
        m_pPaintManager = new CTkTabPaintManager;
        PinFont(m_pPaintManager);
        PinColors(m_pPaintManager);
    } else {
        m_pPaintManager->InternalAddRef();
    }
    m_pPaintManager->AttachRow(this);
}

CTestTabRow::~CTestTabRow() {
    m_pPaintManager->DetachRow(this);
    m_pPaintManager->InternalRelease();
}

void CTestTabRow::Reposition() {
    ++m_nRepositions;
    if (m_rcControl.IsRectEmpty())
        return;
    CClientDC dc(nullptr);
    m_pPaintManager->RepositionTabControl(this, &dc, m_rcControl);
}

BOOL CTestTabRow::DrawIcon(CDC* pDC, CPoint pt, CTkTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) {
    if (!m_pPaintManager->m_bShowIcons || !m_bIcons)
        return FALSE;
    if (bDraw && pItem != nullptr && pItem->m_hIcon != nullptr)
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, pItem->m_hIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
    return TRUE;
}

BOOL CTestTabRow::OnBeforeItemClick(CTkTabManagerItem* pItem) {
    m_asked.push_back(pItem);
    return m_bAllowClick;
}

void CTestTabRow::OnItemClick(CTkTabManagerItem* pItem) {
    m_clicked.push_back(pItem);
    CTkTabManager::OnItemClick(pItem);
}

void CTestTabRow::Layout(const CRect& rc) {
    m_rcControl = rc;
    Reposition();
}

void CTestTabRow::AddTabs(int nCount, LPCWSTR pszPrefix) {
    for (int i = 0; i < nCount; ++i) {
        CString strCaption;
        strCaption.Format(L"%s %d", pszPrefix, GetItemCount() + 1);
        InsertItem(-1)->SetCaption(strCaption);
    }
}

void CTestTabRow::Paint(CScopedMemDC& dc) {
    dc.FillSolidRect(CRect(0, 0, dc.GetWidth(), dc.GetHeight()), kSentinel);
    m_pPaintManager->PaintTabControl(this, &dc, m_rcControl);
}

// ---- CPoisonedItem

int CPoisonedItem::s_nDestroyed = 0;

void* CPoisonedItem::operator new(size_t nSize) {
    void* p = std::malloc(nSize);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

// The block is never freed: nothing can be placed where the tab was.
void CPoisonedItem::operator delete(void* p, size_t nSize) {
    std::memset(p, 0xDD, nSize);
}

// ---- The test look

CTestLook::CTestLook() {
    GetOffice2007Images()->SetResourceModule(LookModule());
}

CTestLook::~CTestLook() {
    GetOffice2007Images()->SetResourceModule(nullptr);
}

BOOL CTestLook::IsLoaded() const {
    return GetOffice2007Images()->IsLoaded();
}

COLORREF RibbonTabBand(int nState) {
    return RGB(10 + nState * 30, 200, 50);
}

COLORREF AccessTabBand(int nState) {
    return RGB(200, 10 + nState * 40, 90);
}

void SavePicture(const CScopedMemDC& dc, LPCWSTR pszName) {
    CString strPath;
    strPath.Format(L"Z:\\tmp\\%s.png", pszName);
    WritePng(dc, strPath);
}
