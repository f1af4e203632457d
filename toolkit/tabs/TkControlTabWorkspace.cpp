#include "TkControlTabWorkspace.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkCommandBarsDefs.h"
#include "TkControlDefs.h"
#include "TkControlPlaceholders.h"
#include "TkRibbonBar.h"
#include "TkRibbonTheme.h"
#include "TkTabAppearanceSet.h"
#include "TkTabPaintManager.h"
#include "TkToolTipContext.h"

IMPLEMENT_DYNCREATE(CTkControlTabWorkspace, CTkControlButton)

void RegisterTabClasses() {
    // Referencing the run-time classes links them in, and with them their registration by name.
    static const CRuntimeClass* const classes[] = {
        RUNTIME_CLASS(CTkTabClientWnd),
        RUNTIME_CLASS(CTkControlTabWorkspace),
    };
    (void)classes;
    // The workspace-actions placeholder asks the tab client that took over its frame's MDI client.
    RegisterWorkspaceActionQuery(IsWorkspaceActionEnabledFor);
    // The command bars' re-layout of all bars refreshes the tabs of their frame.
    RegisterTabClientRefresh(RefreshTabClientOfFrame);
    // The ribbon's paint manager is theme 6 of the factory.
    RegisterRibbonTheme();
    // The ribbon and its items are made by name (the hub's menu-bar class, loads).
    RegisterRibbonClasses();
}

namespace {

constexpr int kWorkspaceControlWidth = 220;

}  // namespace

CTkControlTabWorkspace::CTkControlTabWorkspace() {
    SetWidth(kWorkspaceControlWidth);
    SetFlags(GetFlags() | kControlFlagNoKeyboard | kControlFlagNoMove);
}

HWND CTkControlTabWorkspace::GetBarHwnd() const {
    return GetParent() != nullptr ? GetParent()->GetSafeHwnd() : nullptr;
}

// ---- The control

void CTkControlTabWorkspace::SetRect(CRect rc) {
    if (rc == CTkControl::m_rcControl && !m_bNeedsLayout)
        return;
    CTkControlButton::SetRect(rc);
    m_bNeedsLayout = FALSE;
    if (CTkTabPaintManager* pPaintManager = GetPaintManager()) {
        CClientDC dc(GetParent());
        pPaintManager->RepositionTabControl(this, &dc, rc);
    }
}

CSize CTkControlTabWorkspace::GetSize(CDC* pDC) {
    CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return CTkControlButton::GetSize(pDC);
    int nThickness = pPaintManager->GetAppearanceSet()->CalcHeaderThickness(this);
    if (pPaintManager->m_bStaticFrame)
        nThickness += 2;
    const int nBarPosition = GetParent() != nullptr ? GetParent()->GetPosition() : kBarTop;
    if (nBarPosition == kBarLeft || nBarPosition == kBarRight || nBarPosition == kBarPopup)
        return CSize(nThickness, GetWidth());
    return CSize(GetWidth(), nThickness);
}

void CTkControlTabWorkspace::Draw(CDC* pDC) {
    if (CTkTabPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->PaintTabControl(this, pDC, CTkControl::m_rcControl);
    else
        CTkControlButton::Draw(pDC);
}

void CTkControlTabWorkspace::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (m_pOwner == nullptr) {
        CTkControlButton::HandleClick(bKeyboard, pt);
        return;
    }
    if (bKeyboard)
        return;
    m_pOwner->m_bHold = TRUE;
    m_pOwner->m_bClicked = TRUE;
    PerformClick(GetBarHwnd(), pt);
}

void CTkControlTabWorkspace::HandleMouseMove(CPoint pt) {
    if (m_pOwner != nullptr)
        PerformMouseMove(GetBarHwnd(), pt);
}

void CTkControlTabWorkspace::OnRemoved() {
    if (m_pOwner != nullptr && m_pOwner->GetCommandBarWorkspace() == this)
        m_pOwner->ForgetCommandBarWorkspace(this);
    CTkControlButton::OnRemoved();
}

INT_PTR CTkControlTabWorkspace::HitTestToolTip(CPoint pt, TOOLINFO* pToolInfo) {
    if (m_pOwner == nullptr)
        return -1;
    CTkTabManagerItem* pItem = HitTest(pt);
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem == nullptr || pPaintManager == nullptr || pPaintManager->m_nToolTipMode == 0 ||
        (pPaintManager->m_nToolTipMode == 2 && !pItem->IsTruncated()))
        return 0;
    FillToolInfo(pToolInfo, GetBarHwnd(), pItem->GetRect(), static_cast<UINT_PTR>(pItem->GetIndex()),
                 GetItemTooltip(pItem));
    return pItem->GetIndex();
}

// ---- The group

CTkTabPaintManager* CTkControlTabWorkspace::GetPaintManager() const {
    return CWorkspace::GetPaintManager();
}

void CTkControlTabWorkspace::RedrawControl(const RECT* pRect, BOOL bAnimate) {
    if (GetParent() != nullptr)
        GetParent()->Redraw(pRect, bAnimate);
}

int CTkControlTabWorkspace::GetPosition() const {
    switch (GetParent() != nullptr ? GetParent()->GetPosition() : kBarTop) {
        case kBarBottom:
            return kTabPositionBottom;
        case kBarLeft:
            return kTabPositionLeft;
        case kBarRight:
            return kTabPositionRight;
        default:
            return kTabPositionTop;
    }
}

CObject* CTkControlTabWorkspace::GetHostObject() const {
    return GetParent();
}

void CTkControlTabWorkspace::OnHostRepositioned() {
    m_bNeedsLayout = TRUE;
    if (GetParent() != nullptr) {
        GetParent()->DelayLayout();
        GetParent()->Redraw(CTkControl::m_rcControl);
    }
}
