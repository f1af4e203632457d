#include "RibbonHost.h"

#include "BarFixtures.h"
#include "DibPixels.h"
#include "RibbonHostResources.h"
#include "WindowPrint.h"
#include "TkCommandBars.h"
#include "TkControlTabWorkspace.h"
#include "TkRibbonBar.h"

namespace {

// The hub's menu-bar class set for a scope.
class CMenuBarClassScope {
public:
    explicit CMenuBarClassScope(CRuntimeClass* pClass) : m_pOld(CTkCommandBars::m_pMenuBarClass) {
        CTkCommandBars::m_pMenuBarClass = pClass;
    }
    ~CMenuBarClassScope() { CTkCommandBars::m_pMenuBarClass = m_pOld; }
    CMenuBarClassScope(const CMenuBarClassScope&) = delete;
    CMenuBarClassScope& operator=(const CMenuBarClassScope&) = delete;

private:
    CRuntimeClass* m_pOld;
};

}  // namespace

// ---- The frame

CTkRibbonTheme* CRibbonHostFrame::s_pTheme = nullptr;

IMPLEMENT_DYNCREATE(CRibbonHostFrame, CTkFrameWnd)
BEGIN_MESSAGE_MAP(CRibbonHostFrame, CTkFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CRibbonHostFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTkFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
    if (m_pCommandBars == nullptr)
        return -1;
    m_pCommandBars->AttachToSite(this);
    SetHubPaintManager(m_pCommandBars, s_pTheme);
    m_pCommandBars->CreateDockBars();
    CMenuBarClassScope ribbonClass(RUNTIME_CLASS(CTkRibbonBar));
    if (m_pCommandBars->CreateMenuBar(L"Ribbon", IDR_RIBBON_HOST) == nullptr)
        return -1;
    return 0;
}

// ---- The host

CRibbonHost::CRibbonHost(CSize szFrame, BOOL bShow) {
    RegisterTabClasses();
    CRibbonHostFrame::s_pTheme = m_theme.Get();
    auto* pFrame = static_cast<CRibbonHostFrame*>(RUNTIME_CLASS(CRibbonHostFrame)->CreateObject());
    const BOOL bLoaded = pFrame->LoadFrame(IDR_RIBBON_HOST, WS_OVERLAPPEDWINDOW);
    CRibbonHostFrame::s_pTheme = nullptr;
    if (!bLoaded)
        return;  // the frame deleted itself
    m_pFrame = pFrame;
    m_pFrame->SetWindowPos(nullptr, 40, 40, szFrame.cx, szFrame.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : 0));
    RecalcLayout();
}

CRibbonHost::~CRibbonHost() {
    if (m_pFrame != nullptr)
        m_pFrame->DestroyWindow();
}

CTkCommandBars* CRibbonHost::CommandBars() const {
    return m_pFrame != nullptr ? m_pFrame->CommandBars() : nullptr;
}

CTkRibbonBar* CRibbonHost::Ribbon() const {
    CTkCommandBars* pCommandBars = CommandBars();
    CTkMenuBar* pMenuBar = pCommandBars != nullptr ? pCommandBars->GetMenuBar() : nullptr;
    return pMenuBar != nullptr && pMenuBar->IsRibbonBar() ? static_cast<CTkRibbonBar*>(pMenuBar) : nullptr;
}

void CRibbonHost::RecalcLayout() const {
    if (m_pFrame != nullptr)
        m_pFrame->RecalcLayout();
}

BOOL CRibbonHost::SavePng(LPCWSTR pszPath) const {
    if (m_pFrame == nullptr)
        return FALSE;
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CScopedMemDC dc(rcClient.Width(), rcClient.Height());
    if (!dc.IsValid())
        return FALSE;
    PrintWithChildren(&dc, m_pFrame->GetSafeHwnd(), m_pFrame->GetSafeHwnd());
    return WritePng(dc, pszPath);
}
