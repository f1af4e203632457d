#include "TkCommandBarKeyboardTip.h"

#include "TkCommandBars.h"
#include "TkPaintManager.h"

#include <string>

namespace {

constexpr BYTE kDisabledTipAlpha = 150;
// What a tip of a group gets when its caption offers nothing: the next of these not yet used, so that no
// two tips of the group end alike.
constexpr wchar_t kSpareTipKeys[] = L"123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

BOOL IsUsable(WCHAR ch, const std::wstring& used) {
    return ch != L' ' && ch != L'&' && used.find(ch) == std::wstring::npos;
}

// The second key of a one-key tip in a group, from its upper-cased caption; 0 when none is free.
WCHAR ChooseSecondKey(const KeyboardTipText& tip, const std::wstring& used) {
    const CString& strCaption = tip.strCaption;
    const int nLength = strCaption.GetLength();
    // A word start: the character after a space (mnemonic markers in between do not count).
    for (int i = 1; i < nLength; ++i) {
        int nBefore = i - 1;
        while (nBefore >= 0 && strCaption[nBefore] == L'&')
            --nBefore;
        if (nBefore >= 0 && strCaption[nBefore] == L' ' && IsUsable(strCaption[i], used))
            return strCaption[i];
    }
    // Else any character of the caption, not counting the one that is already the key.
    int nStart = 0;
    if (nStart < nLength && strCaption[nStart] == L'&')
        ++nStart;
    if (nStart < nLength && strCaption[nStart] == tip.strKeys[0])
        ++nStart;
    for (int i = nStart; i < nLength; ++i) {
        if (IsUsable(strCaption[i], used))
            return strCaption[i];
    }
    for (const wchar_t* p = kSpareTipKeys; *p != 0; ++p) {
        if (used.find(*p) == std::wstring::npos)
            return *p;
    }
    return 0;
}

}  // namespace

// ---- The keys

CString GetCaptionTipKeys(const CString& strUpperCaption) {
    const int nLength = strUpperCaption.GetLength();
    for (int i = 0; i < nLength; ++i) {
        if (strUpperCaption[i] != L'&')
            continue;
        if (i + 1 < nLength && strUpperCaption[i + 1] != L'&')
            return CString(strUpperCaption[i + 1]);
        ++i;  // "&&" is an ampersand, not a marker
    }
    return nLength > 0 ? CString(strUpperCaption[0]) : CString();
}

void MakeKeyboardTipKeysUnique(std::vector<KeyboardTipText>& tips) {
    for (size_t i = 0; i < tips.size(); ++i) {
        if (tips[i].strKeys.IsEmpty())
            continue;
        const WCHAR chFirst = tips[i].strKeys[0];
        std::vector<size_t> group{i};
        std::wstring used;
        for (size_t j = i + 1; j < tips.size(); ++j) {
            const CString& strKeys = tips[j].strKeys;
            if (strKeys.IsEmpty() || strKeys[0] != chFirst)
                continue;
            group.push_back(j);
            if (strKeys.GetLength() == 2)
                used += strKeys[1];
        }
        if (group.size() < 2)
            continue;
        for (size_t k : group) {
            KeyboardTipText& tip = tips[k];
            if (tip.strKeys.GetLength() != 1)
                continue;
            const WCHAR ch = ChooseSecondKey(tip, used);
            if (ch == 0)
                continue;
            tip.strKeys += ch;
            used += ch;
        }
    }
}

// ---- The tip window

BEGIN_MESSAGE_MAP(CTkCommandBarKeyboardTip, CWnd)
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CTkCommandBarKeyboardTip::CTkCommandBarKeyboardTip(CTkCommandBars* pCommandBars, CCmdTarget* pTarget,
                                                   LPCWSTR pszCaption, int x, int y, UINT nAlign, BOOL bEnabled)
    : m_pCommandBars(pCommandBars),
      m_pTarget(pTarget),
      m_strCaption(pszCaption),
      m_pt(x, y),
      m_nAlign(nAlign),
      m_bEnabled(bEnabled) {}

BOOL CTkCommandBarKeyboardTip::ChooseKeys() {
    m_bExplicit = !m_strExplicitKeys.IsEmpty();
    if (m_bExplicit) {
        m_strKeys = m_strExplicitKeys;
    } else {
        CString strUpper = m_strCaption;
        m_strKeys = GetCaptionTipKeys(strUpper.MakeUpper());
    }
    return !m_strKeys.IsEmpty();
}

BOOL CTkCommandBarKeyboardTip::CreateTipWindow(const CRect& rcScreen, BOOL bLayered) {
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (bLayered ? WS_EX_LAYERED : 0);
    if (!CreateEx(dwExStyle, AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW)), m_strKeys, WS_POPUP,
                  rcScreen.left, rcScreen.top, rcScreen.Width(), rcScreen.Height(), nullptr, nullptr))
        return FALSE;
    if (!m_bEnabled)
        EnableWindow(FALSE);
    CTkPaintManager* pPaintManager = m_pCommandBars->GetPaintManager();
    if (bLayered && pPaintManager->m_pfnSetLayeredWindowAttributes != nullptr)
        pPaintManager->m_pfnSetLayeredWindowAttributes(m_hWnd, 0, kDisabledTipAlpha, LWA_ALPHA);
    return TRUE;
}

void CTkCommandBarKeyboardTip::OnPaint() {
    CPaintDC dc(this);
    m_pCommandBars->GetPaintManager()->PaintKeyboardTip(&dc, this, FALSE);
}

LRESULT CTkCommandBarKeyboardTip::OnNcHitTest(CPoint) {
    return HTTRANSPARENT;
}
