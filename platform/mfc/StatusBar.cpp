#include "StatusBar.h"
#include "CmdUI.h"
#include "FrameWnd.h"
#include "ScopedResources.h"
#include "WndMsgMap.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

// A pane's update: Enable(FALSE) disables (blanks) the pane, SetCheck pops it out, SetText sets its text.
class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) {}

    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        const UINT nStyle = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        const UINT nNewStyle = bOn ? (nStyle & ~SBPS_DISABLED) : (nStyle | SBPS_DISABLED);
        if (nNewStyle != nStyle) {
            m_pBar->SetPaneStyle(static_cast<int>(m_nIndex), nNewStyle);
            if (!bOn)
                m_pBar->SetPaneText(static_cast<int>(m_nIndex), L"");
        }
    }
    void SetCheck(int nCheck) override {
        const UINT nStyle = m_pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        m_pBar->SetPaneStyle(static_cast<int>(m_nIndex),
                             nCheck != 0 ? (nStyle | SBPS_POPOUT) : (nStyle & ~SBPS_POPOUT));
    }
    void SetText(LPCTSTR lpszText) override { m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

private:
    CStatusBar* m_pBar;
};

}  // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    // The frame's layout places the control: it must neither move nor size itself.
    const DWORD dwWndStyle = TakeBarStyle(dwStyle) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    return CWnd::Create(STATUSCLASSNAMEW, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.assign(static_cast<size_t>(nIDCount), Pane{0, SBPS_NORMAL, 0});
    UpdateParts();

    // Without a font of its own set, the pane texts are measured with the DC's.
    CClientDC dc(this);
    CScopedSelectObject font(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[i];
        pane.nID = lpIDArray != nullptr ? lpIDArray[i] : 0;
        if (pane.nID == 0) {
            if (i == 0)
                pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        // Missing strings are fine: the pane then starts empty and narrow.
        CString text;
        if (text.LoadString(pane.nID)) {
            SIZE size = {};
            ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
            pane.cxWidth = size.cx;
            SetPaneText(i, text, FALSE);
        }
    }
    UpdateParts();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nIDFind)
            return static_cast<int>(i);
    }
    return -1;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    const Pane& pane = m_panes[nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxWidth;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    m_panes[nIndex] = Pane{nID, nStyle, cxWidth};
    UpdateParts();
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    m_panes[nIndex].nStyle = nStyle;
    UpdateParts();
}

CString CStatusBar::GetPaneText(int nIndex) const {
    CString text;
    const int nLength = LOWORD(SendMessage(SB_GETTEXTLENGTHW, static_cast<WPARAM>(nIndex), 0));
    SendMessage(SB_GETTEXTW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.GetBuffer(nLength)));
    text.ReleaseBuffer(nLength);
    return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    const UINT nStyle = m_panes[nIndex].nStyle;
    const WPARAM wParam = static_cast<WPARAM>(nIndex) | (nStyle & (SBT_NOBORDERS | SBT_POPOUT));
    LPCTSTR lpszShown = (nStyle & SBPS_DISABLED) || lpszNewText == nullptr ? L"" : lpszNewText;
    if (!SendMessage(SB_SETTEXTW, wParam, reinterpret_cast<LPARAM>(lpszShown)))
        return FALSE;
    if (bUpdate)
        UpdateWindow();
    return TRUE;
}

void CStatusBar::UpdateParts() {
    if (m_panes.empty() || m_hWnd == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    int nTotal = 0;
    for (const Pane& pane : m_panes)
        nTotal += pane.cxWidth;
    int nExtra = rcClient.Width() - nTotal;

    std::vector<int> edges;
    int nRight = 0;
    for (const Pane& pane : m_panes) {
        nRight += pane.cxWidth;
        if (nExtra > 0 && (pane.nStyle & SBPS_STRETCH)) {
            nRight += nExtra;
            nExtra = 0;
        }
        edges.push_back(nRight);
    }
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);

    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (hFont == nullptr)
        hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    CClientDC dc(this);
    CScopedSelectObject font(dc, hFont);
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);

    int borders[3] = {};  // horizontal, vertical, between parts
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    // The text, its leading, the parts' sunken edges and the control's vertical border on both sides.
    const int nLeading = tm.tmInternalLeading != 0 ? tm.tmInternalLeading : 2;
    size.cy = tm.tmHeight + nLeading + 2 * ::GetSystemMetrics(SM_CYBORDER) + 2 * borders[1];
    if (!bStretch) {
        size.cx = 0;
        for (const Pane& pane : m_panes)
            size.cx += pane.cxWidth;
    }
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
    CStatusCmdUI state(this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    UpdateParts();
}

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()
