#include "TkToolTipContext.h"

#include "OSVersionInfo.h"
#include "TkAuxData.h"
#include "TkColorManager.h"
#include "TkHTMLToolTip.h"
#include "TkImageManager.h"
#include "TkLunaToolTip.h"
#include "TkMarkupToolTip.h"
#include "TkRichEditToolTip.h"
#include "TkTextFunctions.h"
#include "TkToolTipContextToolTip.h"
#include "TkWindowFunctions.h"

#include <cstdlib>
#include <cstring>

namespace {

// The balloon needs common controls 5.80; 5.79 and older refuse it.
constexpr DWORD kLastVersionWithoutBalloon = 0x5004F;
// Every tip window shows texts as they come (the context strips mnemonics itself) and shows tips
// whether or not its owner is active (the context decides that).
constexpr DWORD kTipWindowStyle = TTS_ALWAYSTIP | TTS_NOPREFIX;
constexpr UINT kLastMouseMessage = WM_MOUSEFIRST + 10;

LPWSTR CopyText(LPCWSTR lpszText) {
    const size_t nLength = lpszText != nullptr ? std::wcslen(lpszText) : 0;
    auto* pszCopy = static_cast<LPWSTR>(std::calloc(nLength + 1, sizeof(wchar_t)));
    if (pszCopy != nullptr && nLength != 0)
        std::memcpy(pszCopy, lpszText, nLength * sizeof(wchar_t));
    return pszCopy;
}

bool IsEmptyText(LPCWSTR psz) {
    return psz == nullptr || *psz == L'\0';
}

// A text of the tool record that is ours to read, change and free: not a callback, not a resource id.
bool IsOwnedToolText(const TOOLINFO& info) {
    return info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKW && info.hinst == nullptr &&
           !IS_INTRESOURCE(info.lpszText);
}

bool IsMoveGroupMessage(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return true;
        default:
            return false;
    }
}

bool IsCancelGroupMessage(UINT message) {
    if (message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR)
        return true;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

// The tool record of one relay: the hit-test result, the extended record it may point to, and the
// texts the owner handed over, freed when the relay ends.
class CToolHit {
public:
    explicit CToolHit(BOOL bExtended) {
        m_info.cbSize = bExtended ? AFX_TOOLINFO_V2_SIZE : AFX_TOOLINFO_V1_SIZE;
        if (bExtended)
            m_info.lParam = reinterpret_cast<LPARAM>(&m_extra);
    }
    ~CToolHit() {
        if (IsOwnedToolText(m_info))
            std::free(m_info.lpszText);
        std::free(m_extra.pszDescription);
        std::free(m_extra.pszTitle);
    }
    CToolHit(const CToolHit&) = delete;
    CToolHit& operator=(const CToolHit&) = delete;

    TOOLINFO m_info = {};
    ToolTipExtraInfo m_extra = {};
};

}  // namespace

// ---- Tool records

void FillToolInfo(TOOLINFO* pInfo, HWND hWnd, const RECT& rect, UINT_PTR nId, LPCWSTR lpszText) {
    if (pInfo == nullptr || pInfo->cbSize < AFX_TOOLINFO_V1_SIZE)
        return;
    pInfo->hwnd = hWnd;
    pInfo->rect = rect;
    pInfo->uId = nId;
    pInfo->lpszText = lpszText == LPSTR_TEXTCALLBACKW ? LPSTR_TEXTCALLBACKW : CopyText(lpszText);
}

void FillToolInfoEx(TOOLINFO* pInfo, HWND hWnd, const RECT& rect, UINT_PTR nId, LPCWSTR lpszText, LPCWSTR lpszTitle,
                    LPCWSTR lpszDescription, CTkImageManager* pImageManager) {
    FillToolInfo(pInfo, hWnd, rect, nId, lpszText);
    if (pInfo == nullptr || pInfo->cbSize < AFX_TOOLINFO_V2_SIZE || pInfo->lParam == 0)
        return;
    auto* pExtra = reinterpret_cast<ToolTipExtraInfo*>(pInfo->lParam);
    if (!IsEmptyText(lpszTitle) && !IsEmptyText(lpszDescription)) {
        pExtra->pszDescription = CopyText(lpszDescription);
        pExtra->pszTitle = CopyText(lpszTitle);
    }
    pExtra->pImageManager = pImageManager;
}

BOOL IsMouseButtonHeld() {
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

HWND ResolveToolTipWindow(HWND hWnd) {
    if (hWnd == nullptr || (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return hWnd;
    // The question is a private message: windows of other programs are never asked.
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess != ::GetCurrentProcessId())
        return hWnd;
    return ::SendMessageW(hWnd, kToolTipUseParentMessage, 0, 0) == 1 ? ::GetParent(hWnd) : hWnd;
}

// ---- CStandardToolTip

BEGIN_MESSAGE_MAP(CTkToolTipContext::CStandardToolTip, CToolTipCtrl)
    ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
END_MESSAGE_MAP()

LRESULT CTkToolTipContext::CStandardToolTip::OnWindowFromPoint(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(ResolveToolTipWindow(reinterpret_cast<HWND>(Default())));
}

// ---- CTkToolTipContext

CTkToolTipContext::CTkToolTipContext()
    : m_dwComCtlVersion(OSVersionInfo::GetComCtlVersion()), m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2) {
    NONCLIENTMETRICSW metrics = {};
    MakeNonClientMetrics(metrics);
    LOGFONTW font = metrics.lfStatusFont;
    font.lfWeight = FW_NORMAL;
    m_font.CreateFontIndirect(&font);
    font.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&font);
}

CTkToolTipContext::~CTkToolTipContext() {
    DestroyToolTipWindow();
}

CWnd* CTkToolTipContext::CreateToolTipWindow(CWnd*) {
    switch (m_nStyle) {
        case kToolTipOffice:
        case kToolTipOffice2007:
            return new CTkToolTipContextToolTip(this);
        case kToolTipRichText:
            return new CRichEditToolTip(this);
        case kToolTipLuna:
            return new CLunaToolTip(this);
        case kToolTipHTML:
            return new CHTMLToolTip(this);
        case kToolTipMarkup:
            return new CMarkupToolTip(this);
        default:
            return new CStandardToolTip;
    }
}

INT_PTR CTkToolTipContext::OnToolHitTest(CWnd* pOwner, CPoint point, TOOLINFO* pInfo) {
    return pOwner->OnToolHitTest(point, pInfo);
}

void CTkToolTipContext::FilterToolTipMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg = {};
    msg.hwnd = pOwner->GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetMessageTime();
    ::GetCursorPos(&msg.pt);
    RelayToolTipMessage(pOwner, &msg);
}

void CTkToolTipContext::RelayToolTipMessage(CWnd* pOwner, MSG* pMsg) {
    if (IsMoveGroupMessage(pMsg->message) && !IsMouseButtonHeld()) {
        const BOOL bActive = IsTopLevelWindowActive(pOwner->GetSafeHwnd());
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr && m_pToolTip->IsWindowVisible() &&
            !bActive) {
            m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
            return;
        }
        RelayMouseMessage(pOwner, pMsg, bActive);
        return;
    }
    if (IsCancelGroupMessage(pMsg->message))
        CancelToolTips();
}

void CTkToolTipContext::RelayMouseMessage(CWnd* pOwner, MSG* pMsg, BOOL bActive) {
    if (!EnsureToolTipWindow(pOwner->GetParentOwner()))
        return;

    CPoint point = pMsg->pt;
    pOwner->ScreenToClient(&point);
    CToolHit hit(m_bShowTitleAndDescription || m_bShowImage);
    TOOLINFO& info = hit.m_info;
    ToolTipExtraInfo& extra = hit.m_extra;
    const INT_PTR nHit = OnToolHitTest(pOwner, point, &info);
    if (m_bShowTitleAndDescription && extra.pszDescription != nullptr && extra.pszTitle != nullptr &&
        std::wcscmp(extra.pszDescription, extra.pszTitle) == 0) {
        std::free(extra.pszDescription);
        extra.pszDescription = nullptr;
    }
    if ((m_dwTipStyle & TTS_NOPREFIX) == 0) {
        if (IsOwnedToolText(info))
            StripMnemonicMarkers(info.lpszText);
        StripMnemonicMarkers(extra.pszTitle);
    }

    const bool bSameTool = info.hwnd == m_lastTool.hwnd && info.uId == m_lastTool.uId;
    if (bSameTool && ::EqualRect(&info.rect, &m_lastTool.rect)) {
        if (nHit != -1)
            RelayToTip(pMsg);
        return;
    }
    if (bSameTool && m_lastTool.cbSize >= AFX_TOOLINFO_V1_SIZE) {
        // The tool moved: the old record goes before the new one of the same id is added, and only once.
        m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
        m_lastTool.cbSize = 0;
    }

    if (nHit == -1) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    } else {
        TOOLINFO added = info;
        added.uFlags &= ~kToolTipToolkitFlags;
        m_pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&added));
        const bool bOwnerDrawnText =
            m_nStyle == kToolTipRichText || m_nStyle == kToolTipHTML || m_nStyle == kToolTipMarkup;
        if (!bOwnerDrawnText && (m_dwComCtlVersion > kLastVersionWithoutBalloon || m_nStyle != kToolTipStandard)) {
            if (m_bShowTitleAndDescription && extra.pszDescription != nullptr && extra.pszTitle != nullptr) {
                m_pToolTip->SendMessage(TTM_SETTITLEW, static_cast<WPARAM>(m_nTitleIcon),
                                        reinterpret_cast<LPARAM>(extra.pszTitle));
                TOOLINFO described = added;
                described.lpszText = extra.pszDescription;
                m_pToolTip->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&described));
            } else {
                m_pToolTip->SendMessage(TTM_SETTITLEW, 0, 0);
            }
        }
        if (m_bShowImage) {
            CTkImageManagerIcon* pIcon =
                extra.pImageManager != nullptr
                    ? extra.pImageManager->GetIcon(static_cast<UINT>(m_nImageIdOffset + nHit), m_nImageWidth)
                    : nullptr;
            m_pToolTip->SendMessage(kToolTipSetIconMessage, 0, reinterpret_cast<LPARAM>(pIcon));
        }
        if ((info.uFlags & kToolTipShowInactive) != 0 || bActive) {
            m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            m_pToolTip->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
    }

    RelayToTip(pMsg);
    // The old tool goes only now, so the tip window never sees a moment without a tool under the
    // cursor while it moves from one tool to the next.
    if (m_lastTool.cbSize >= AFX_TOOLINFO_V1_SIZE)
        m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
    m_lastTool = info;
    m_lastTool.lpszText = nullptr;  // freed with the relay
    m_lastTool.lParam = 0;
}

void CTkToolTipContext::RelayToTip(const MSG* pMsg) {
    MSG msg = *pMsg;
    const auto hWndUnder =
        reinterpret_cast<HWND>(m_pToolTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&msg.pt)));
    if (msg.message >= WM_MOUSEFIRST && msg.message <= kLastMouseMessage && hWndUnder != nullptr) {
        POINT point = msg.pt;
        ::ScreenToClient(hWndUnder, &point);
        msg.lParam = MAKELPARAM(point.x, point.y);
    }
    m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

BOOL CTkToolTipContext::EnsureToolTipWindow(CWnd* pParentOwner) {
    const HWND hWndParentOwner = pParentOwner != nullptr ? pParentOwner->GetSafeHwnd() : nullptr;
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr &&
        ::GetWindow(m_pToolTip->GetSafeHwnd(), GW_OWNER) != hWndParentOwner) {
        // Another top-level window: the window is made again for it, its tools forgotten.
        m_pToolTip->DestroyWindow();
        m_lastTool = {};
    }
    if (m_pToolTip == nullptr) {
        m_pToolTip = CreateToolTipWindow(pParentOwner);
        if (m_pToolTip == nullptr)
            return FALSE;
    }
    if (m_pToolTip->GetSafeHwnd() != nullptr)
        return TRUE;

    if (auto* pTip = dynamic_cast<CTkToolTipContextToolTip*>(m_pToolTip)) {
        pTip->CreateTipWindow(pParentOwner, m_dwTipStyle | kTipWindowStyle);
    } else if (auto* pControl = dynamic_cast<CToolTipCtrl*>(m_pToolTip)) {
        const DWORD dwBalloon = m_nStyle == kToolTipBalloon ? TTS_BALLOON : 0;
        pControl->Create(pParentOwner, dwBalloon | m_dwTipStyle | kTipWindowStyle);
    } else {
        return FALSE;
    }
    if (m_pToolTip->GetSafeHwnd() == nullptr)
        return FALSE;

    m_pToolTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_font)), FALSE);
    m_pToolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    m_pToolTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargins));
    if (m_clrBack != CLR_NONE)
        m_pToolTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrBack);
    if (m_clrText != CLR_NONE)
        m_pToolTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrText);
    const struct {
        WPARAM nCode;
        int nDelay;
    } delays[] = {{TTDT_RESHOW, m_nReshowDelay}, {TTDT_INITIAL, m_nInitialDelay}, {TTDT_AUTOPOP, m_nAutoPopDelay}};
    for (const auto& delay : delays) {
        if (delay.nDelay != -1)
            m_pToolTip->SendMessage(TTM_SETDELAYTIME, delay.nCode, MAKELPARAM(delay.nDelay & 0xFFFF, 0));
    }
    m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    return TRUE;
}

void CTkToolTipContext::DestroyToolTipWindow() {
    if (m_pToolTip == nullptr)
        return;
    if (m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->DestroyWindow();
    delete m_pToolTip;
    m_pToolTip = nullptr;
    m_lastTool = {};
}

void CTkToolTipContext::CancelToolTips() {
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
}

void CTkToolTipContext::SetStyle(int nStyle) {
    if (nStyle == m_nStyle || (nStyle == kToolTipBalloon && m_dwComCtlVersion <= kLastVersionWithoutBalloon))
        return;
    m_nStyle = nStyle;
    DestroyToolTipWindow();
    ModifyToolTipStyle(kTipStyleOffice, nStyle == kToolTipOffice ? kTipStyleOffice : 0);
    ModifyToolTipStyle(kTipStyleOffice2007, nStyle == kToolTipOffice2007 ? kTipStyleOffice2007 : 0);
}

void CTkToolTipContext::ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd) {
    const DWORD dwStyle = dwAdd | (m_dwTipStyle & ~dwRemove);
    if (dwStyle == m_dwTipStyle)
        return;
    m_dwTipStyle = dwStyle;
    DestroyToolTipWindow();
}

COLORREF CTkToolTipContext::GetBackColor() const {
    return m_clrBack != CLR_NONE ? m_clrBack : GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CTkToolTipContext::GetTextColor() const {
    if (m_clrText != CLR_NONE)
        return m_clrText;
    return (m_dwTipStyle & kTipStyleOffice2007) != 0 ? kOffice2007TipText : GetColorManager()->GetColor(COLOR_INFOTEXT);
}

int CTkToolTipContext::GetMaxTipWidth() const {
    return m_nMaxTipWidth == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : m_nMaxTipWidth;
}
