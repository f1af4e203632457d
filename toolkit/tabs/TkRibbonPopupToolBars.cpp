#include "TkRibbonPopupToolBars.h"

#include "TkRibbonBar.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonTab.h"

IMPLEMENT_DYNAMIC(CTkRibbonTabPopupToolBar, CTkPopupToolBar)
IMPLEMENT_SERIAL(CTkRibbonGroupPopupToolBar, CTkPopupToolBar, VERSIONABLE_SCHEMA | 33)

// ---- The tab popup

BEGIN_MESSAGE_MAP(CTkRibbonTabPopupToolBar, CTkPopupToolBar)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CTkRibbonTabPopupToolBar::CTkRibbonTabPopupToolBar(CTkRibbonTab* pRibbonTab) : m_pRibbonTab(nullptr) {
    InitScrollableBar(this);
    if (pRibbonTab != nullptr)
        m_pRibbonBar = pRibbonTab->GetRibbonBar();
}

CTkRibbonTabPopupToolBar::~CTkRibbonTabPopupToolBar() {
    if (m_pRibbonTab != nullptr) {
        m_pRibbonTab->GetGroups()->RemoveAll();
        m_pRibbonTab->InternalRelease();
    }
}

void CTkRibbonTabPopupToolBar::ScrollGroups(BOOL) {}

CTkRibbonGroup* CTkRibbonTabPopupToolBar::HitTestGroup(CPoint) const {
    return nullptr;
}

INT_PTR CTkRibbonTabPopupToolBar::OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) const {
    return CTkPopupToolBar::OnToolHitTest(point, pToolInfo);
}

BOOL CTkRibbonTabPopupToolBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    return CTkPopupToolBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
}

CSize CTkRibbonTabPopupToolBar::GetIconSize() const {
    return CTkPopupToolBar::GetIconSize();
}

CSize CTkRibbonTabPopupToolBar::GetButtonSize() const {
    return CTkPopupToolBar::GetButtonSize();
}

BOOL CTkRibbonTabPopupToolBar::IsKeyboardCuesVisible() const {
    return CTkPopupToolBar::IsKeyboardCuesVisible();
}

void CTkRibbonTabPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CTkPopupToolBar::DrawCommandBar(pDC, rcClip);
}

void CTkRibbonTabPopupToolBar::EnsureVisible(CTkControl* pControl) {
    CTkPopupToolBar::EnsureVisible(pControl);
}

void CTkRibbonTabPopupToolBar::CreateKeyboardTips() {}

void CTkRibbonTabPopupToolBar::OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip) {
    CTkPopupToolBar::OnKeyboardTipSelected(pTip);
}

CSize CTkRibbonTabPopupToolBar::CalcDynamicSize(int nLength, DWORD dwMode) {
    return CTkPopupToolBar::CalcDynamicSize(nLength, dwMode);
}

BOOL CTkRibbonTabPopupToolBar::NavigateByCode(int nCode) {
    return CTkPopupToolBar::NavigateByCode(nCode);
}

CRect CTkRibbonTabPopupToolBar::CalcPopupRect(CPoint ptAnchor, CSize size) {
    return CTkPopupToolBar::CalcPopupRect(ptAnchor, size);
}

void CTkRibbonTabPopupToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    CTkPopupToolBar::OnMouseMove(nFlags, point);
}

LRESULT CTkRibbonTabPopupToolBar::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
    return CTkPopupToolBar::OnMouseLeave(wParam, lParam);
}

// ---- The group popup

BEGIN_MESSAGE_MAP(CTkRibbonGroupPopupToolBar, CTkPopupToolBar)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CTkRibbonGroupPopupToolBar::CTkRibbonGroupPopupToolBar(CTkRibbonGroup* pRibbonGroup) : m_pSourceGroup(pRibbonGroup) {
    InitScrollableBar(this);
    if (pRibbonGroup != nullptr)
        m_pRibbonBar = pRibbonGroup->GetRibbonBar();
}

CTkRibbonGroupPopupToolBar::~CTkRibbonGroupPopupToolBar() {
    if (m_pRibbonGroup != nullptr) {
        m_pRibbonGroup->OnRemoved();
        m_pRibbonGroup->InternalRelease();
    }
}

void CTkRibbonGroupPopupToolBar::ScrollGroups(BOOL) {}

CRect CTkRibbonGroupPopupToolBar::GetGroupsRect() const {
    return CRect(0, 0, 0, 0);
}

CTkRibbonGroup* CTkRibbonGroupPopupToolBar::HitTestGroup(CPoint) const {
    return nullptr;
}

CSize CTkRibbonGroupPopupToolBar::GetIconSize() const {
    return CTkPopupToolBar::GetIconSize();
}

CSize CTkRibbonGroupPopupToolBar::GetButtonSize() const {
    return CTkPopupToolBar::GetButtonSize();
}

CSize CTkRibbonGroupPopupToolBar::CalcDynamicSize(int nLength, DWORD dwMode) {
    return CTkPopupToolBar::CalcDynamicSize(nLength, dwMode);
}

void CTkRibbonGroupPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CTkPopupToolBar::DrawCommandBar(pDC, rcClip);
}

void CTkRibbonGroupPopupToolBar::CreateKeyboardTips() {}

BOOL CTkRibbonGroupPopupToolBar::NavigateByCode(int nCode) {
    return CTkPopupToolBar::NavigateByCode(nCode);
}

CTkCommandBar* CTkRibbonGroupPopupToolBar::Clone(BOOL bRecursive) {
    return CTkPopupToolBar::Clone(bRecursive);
}

void CTkRibbonGroupPopupToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    CTkPopupToolBar::OnMouseMove(nFlags, point);
}

LRESULT CTkRibbonGroupPopupToolBar::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
    return CTkPopupToolBar::OnMouseLeave(wParam, lParam);
}

// ---- The more popup

CTkRibbonBarMorePopupToolBar::CTkRibbonBarMorePopupToolBar(CTkRibbonBar* pRibbonBar) : m_pRibbonBar(pRibbonBar) {}

CSize CTkRibbonBarMorePopupToolBar::GetIconSize() const {
    return CTkPopupToolBar::GetIconSize();
}

CSize CTkRibbonBarMorePopupToolBar::GetButtonSize() const {
    return CTkPopupToolBar::GetButtonSize();
}

void CTkRibbonBarMorePopupToolBar::FillBackground(CDC* pDC) {
    CTkPopupToolBar::FillBackground(pDC);
}

// ---- The ribbon behind a bar

CTkRibbonBar* GetRibbonOfBar(CTkCommandBar* pBar) {
    if (pBar == nullptr)
        return nullptr;
    if (pBar->IsRibbonBar())
        return static_cast<CTkRibbonBar*>(pBar);
    return nullptr;
}
