#include "views/Label.h"

namespace {

constexpr LONG kBoldWeight = FW_BOLD;
constexpr LONG kNormalWeight = FW_NORMAL;

}  // namespace

IMPLEMENT_DYNAMIC(CLabel, CStatic)

BEGIN_MESSAGE_MAP(CLabel, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CLabel::CLabel() : m_clrText(::GetSysColor(COLOR_WINDOWTEXT)) {
    m_backBrush.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
}

void CLabel::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    ::GetObjectW(font, sizeof(m_logFont), &m_logFont);
    RecreateFont();
}

CLabel& CLabel::SetTextColor(COLORREF clrText) {
    m_clrText = clrText;
    Repaint();
    return *this;
}

CLabel& CLabel::SetFontBold(BOOL bBold) {
    m_logFont.lfWeight = bBold ? kBoldWeight : kNormalWeight;
    RecreateFont();
    Repaint();
    return *this;
}

CLabel& CLabel::SetFont(LOGFONT logFont) {
    m_logFont = logFont;
    RecreateFont();
    Repaint();
    return *this;
}

CLabel& CLabel::SetTransparent(BOOL bTransparent) {
    m_bTransparent = bTransparent;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    Repaint();
    return *this;
}

void CLabel::RecreateFont() {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
}

void CLabel::Repaint() {
    if (!GetSafeHwnd())
        return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (CWnd* parent = GetParent()) {
        CRect covered;
        GetWindowRect(&covered);
        parent->ScreenToClient(&covered);
        parent->InvalidateRect(&covered);
        parent->UpdateWindow();
    }
}

void CLabel::OnSysColorChange() {
    CStatic::OnSysColorChange();
    m_backBrush.DeleteObject();
    m_backBrush.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    Invalidate();
}

BOOL CLabel::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CLabel::OnPaint() {
    CPaintDC dc(this);
    PaintInto(dc.GetSafeHdc());
}

LRESULT CLabel::OnPrintClient(WPARAM wParam, LPARAM) {
    PaintInto(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CLabel::PaintInto(HDC hDC) {
    if (!m_bTransparent) {
        AfxPaintBuffered(this, hDC, [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
        return;
    }
    // What lies beneath is the parent's painting, which a fresh memory DC would not hold.
    CRect client;
    GetClientRect(&client);
    CScopedSaveDC saved(hDC);
    Draw(CDC::FromHandle(hDC), client);
}

void CLabel::Draw(CDC* pDC, const CRect& rcClient) {
    if (!m_bTransparent)
        pDC->FillRect(rcClient, &m_backBrush);
    CString text;
    GetWindowText(text);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_clrText);
    CScopedSelectObject font(pDC->GetSafeHdc(), m_font.GetSafeHandle());
    CRect rect = rcClient;
    pDC->DrawText(text, &rect, TextFormat(text));
}

UINT CLabel::TextFormat(const CString& text) const {
    const DWORD style = GetStyle();
    UINT format = 0;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format = DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format = DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_LEFTNOWORDWRAP:
            format = 0;
            break;
        default:
            format = DT_WORDBREAK;
            break;
    }
    if (text.Find(L'\t') >= 0)
        format |= DT_EXPANDTABS;
    if (style & SS_CENTERIMAGE)
        format = text.Find(L"\r\n") >= 0 ? DT_CENTER : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    return format;
}
