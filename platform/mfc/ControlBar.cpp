#include "ControlBar.h"
#include "FrameWnd.h"
#include "WndLayout.h"
#include "WndMsgMap.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

DWORD CControlBar::TakeBarStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle & CBRS_ALL;
    return dwStyle & ~CBRS_ALL;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;

    CRect rect(pLayout->rect);
    CSize size = CalcFixedLayout(pLayout->bStretch, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    size.cx = std::min<LONG>(size.cx, rect.Width());
    size.cy = std::min<LONG>(size.cy, rect.Height());
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max<LONG>(pLayout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            pLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
    } else if (m_dwStyle & CBRS_ORIENT_VERT) {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max<LONG>(pLayout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            pLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (pLayout->hDWP != nullptr)
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    CFrameWnd* pTarget = nullptr;
    if (m_hWndOwner != nullptr) {
        CWnd* pOwner = FromHandlePermanent(m_hWndOwner);
        if (pOwner != nullptr && pOwner->IsFrameWnd())
            pTarget = static_cast<CFrameWnd*>(pOwner);
    }
    if (pTarget == nullptr)
        pTarget = GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_NCCALCSIZE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()
