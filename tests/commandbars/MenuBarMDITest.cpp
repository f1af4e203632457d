// The menu bar on an MDI frame: the maximised child's window buttons and system-menu control come and
// go with the child, the buttons act on it, and each template's menu keeps its own control set.

#include "MenuBarResources.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkMenuBar.h"
#include "TkToolBar.h"
#include "WaitUntil.h"

#include "mfc.h"

#include <gtest/gtest.h>

namespace {

// An MDI frame whose command bars see its messages first, as the frame bases arrange for SDI frames.
class CMDITestFrame : public CMDIFrameWnd {
public:
    ~CMDITestFrame() override {
        if (m_pCommandBars != nullptr)
            m_pCommandBars->InternalRelease();
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (m_pCommandBars != nullptr && m_pCommandBars->OnFrameMessage(message, wParam, lParam, pResult))
            return TRUE;
        return CMDIFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    // A customize handler allows customisation, under which every template menu keeps its own set.
    BOOL OnCmdMsg(UINT nId, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        if (nId == kIdCustomize && nCode == CN_COMMAND)
            return TRUE;
        return CMDIFrameWnd::OnCmdMsg(nId, nCode, pExtra, pHandlerInfo);
    }

    CTkCommandBars* m_pCommandBars = nullptr;
};

CMDIChildWnd* CreateChild(CMDIFrameWnd* pFrame, DWORD dwStyle) {
    auto* pChild = new CMDIChildWnd;
    if (!pChild->Create(nullptr, L"child", dwStyle | WS_VISIBLE, CRect(0, 0, 200, 150), pFrame))
        return nullptr;
    pChild->m_nIDHelp = IDR_MDI_CHILD;
    return pChild;
}

// The bar's controls without the toolbar's own expand button, which comes and goes with the layout.
std::vector<int> ControlIds(CTkCommandBar* pBar) {
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControlCount(); ++i) {
        if (pBar->GetControl(i)->GetId() != kIdToolBarExpand)
            ids.push_back(pBar->GetControl(i)->GetId());
    }
    return ids;
}

}  // namespace

TEST(MenuBarMDI, ChildButtonsSystemMenuAndTemplateMenus) {
    auto* pFrame = new CMDITestFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MDI_FRAME, WS_OVERLAPPEDWINDOW));
    pFrame->SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pFrame->m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
    pFrame->m_pCommandBars->AttachToSite(pFrame);
    pFrame->m_pCommandBars->CreateDockBars();
    CTkMenuBar* pMenuBar = pFrame->m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_MDI_FRAME);
    ASSERT_NE(pMenuBar, nullptr);
    EXPECT_TRUE(pMenuBar->IsMDIFrame());
    EXPECT_EQ(pFrame->GetMenu(), nullptr);
    HMENU hOriginal = pMenuBar->GetOriginalMenu();
    EXPECT_TRUE(::IsMenu(hOriginal));
    EXPECT_EQ(ControlIds(pMenuBar).size(), 1u);

    // A maximised child with every box: minimise, restore and close at the end; no system-menu control
    // without its flag.
    CMDIChildWnd* pChild = CreateChild(pFrame, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(pChild, nullptr);
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pChild->m_hWnd), 0);
    EXPECT_TRUE(PumpUntil([&] { return pMenuBar->GetControls()->FindById(kIdMDIClose) != nullptr; }, 2000));
    std::vector<int> ids = ControlIds(pMenuBar);
    ASSERT_EQ(ids.size(), 4u);
    EXPECT_EQ(std::vector<int>(ids.begin() + 1, ids.end()),
              (std::vector<int>{kIdMDIMinimize, kIdMDIRestore, kIdMDIClose}));
    for (int nId : {kIdMDIMinimize, kIdMDIRestore, kIdMDIClose}) {
        CTkControl* pButton = pMenuBar->GetControls()->FindById(nId);
        EXPECT_TRUE(pButton->IsTemporary());
        EXPECT_EQ(pButton->GetFlags() & 0x1B, 0x1Bu);
    }

    // With the flag the child's system menu is the first control, its items taken from the child.
    pMenuBar->ModifyFlags(kMenuBarShowSysMenu, 0);
    pMenuBar->UpdateMDIButtons();
    auto* pSysMenu = dynamic_cast<CTkMenuBar::CControlMDISysMenuPopup*>(pMenuBar->GetControl(0));
    ASSERT_NE(pSysMenu, nullptr);
    EXPECT_EQ(pSysMenu->GetId(), kIdMDISysMenu);
    EXPECT_EQ(pSysMenu->GetCaption(), CString(L"-"));
    ASSERT_NE(pSysMenu->GetCommandBar(), nullptr);
    CTkControl* pClose = pSysMenu->GetCommandBar()->GetControls()->FindById(SC_CLOSE);
    ASSERT_NE(pClose, nullptr);
    EXPECT_FALSE(pClose->GetCaptionText().IsEmpty());
    pMenuBar->ModifyFlags(0, kMenuBarShowSysMenu);
    pMenuBar->UpdateMDIButtons();
    EXPECT_EQ(pMenuBar->GetControls()->FindById(kIdMDISysMenu), nullptr);

    // Restoring the child removes every button.
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pChild->m_hWnd), 0);
    EXPECT_TRUE(PumpUntil([&] { return ControlIds(pMenuBar).size() == 1; }, 2000));

    // A child without a minimise box gets only restore and close; close acts on the child.
    CMDIChildWnd* pNoMin = CreateChild(pFrame, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(pNoMin, nullptr);
    // The MDI client gives every child the minimise box at creation: it is taken away afterwards.
    pNoMin->ModifyStyle(WS_MINIMIZEBOX, 0);
    HWND hNoMin = pNoMin->m_hWnd;
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hNoMin), 0);
    EXPECT_TRUE(PumpUntil([&] { return pMenuBar->GetControls()->FindById(kIdMDIClose) != nullptr; }, 2000));
    EXPECT_EQ(pMenuBar->GetControls()->FindById(kIdMDIMinimize), nullptr);
    EXPECT_NE(pMenuBar->GetControls()->FindById(kIdMDIRestore), nullptr);
    pMenuBar->GetControls()->FindById(kIdMDIClose)->Execute();
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hNoMin); }, 2000));

    // Template menus: the child's menu gets its own set; the frame's comes back; the child's set stays.
    CMenu childMenu;
    ASSERT_TRUE(childMenu.Attach(::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MDI_CHILD))));
    CTkControls* pFrameSet = pMenuBar->GetControls();
    pMenuBar->SwitchMDIMenu(IDR_MDI_CHILD, &childMenu);
    EXPECT_EQ(pMenuBar->GetCurrentMenuId(), static_cast<UINT>(IDR_MDI_CHILD));
    EXPECT_NE(pMenuBar->GetControls(), pFrameSet);
    EXPECT_EQ(pMenuBar->GetControl(0)->GetCaptionText(), CString(L"&Document"));
    pMenuBar->SwitchMDIMenu(IDR_MDI_FRAME, nullptr);
    EXPECT_EQ(pMenuBar->GetControls(), pFrameSet);
    EXPECT_EQ(pMenuBar->GetMDIMenus()->Lookup(IDR_MDI_FRAME), nullptr);
    EXPECT_NE(pMenuBar->GetMDIMenus()->Lookup(IDR_MDI_CHILD), nullptr);
    childMenu.DestroyMenu();

    // The frame's menu lives until the bar goes with the frame.
    EXPECT_TRUE(::IsMenu(hOriginal));
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsMenu(hOriginal));
}
