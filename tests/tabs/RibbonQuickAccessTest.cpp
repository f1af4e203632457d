// The quick-access toolbar on the test host: the quick-access menu built for each kind of control (and no
// menu without the application's menus), what its items do, the commands the customize button offers,
// the more popup, a right click on a group's caption line, and a menu that outlives its target control.

#include "BarFixtures.h"
#include "DibPixels.h"
#include "RibbonHost.h"
#include "RibbonMessageLog.h"
#include "RibbonTestSupport.h"
#include "TkCommandBars.h"
#include "TkControlPlaceholders.h"
#include "TkControls.h"
#include "TkDockBar.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "TkRibbonBar.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroup.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonScrollableBar.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonTheme.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The first item of the menu with the id; NULL when none.
CTkControl* FindItem(CTkPopupBar* pMenu, int nId) {
    return pMenu->GetControls()->FindById(nId);
}

// A menu released with the scope.
using MenuPtr = std::unique_ptr<CTkPopupBar, void (*)(CTkPopupBar*)>;
MenuPtr Hold(CTkPopupBar* pMenu) {
    return MenuPtr(pMenu, [](CTkPopupBar* p) {
        if (p != nullptr)
            p->InternalRelease();
    });
}

CTkControl* AddButton(CTkControls* pControls, int nId, LPCWSTR pszCaption, BOOL bTemporary = FALSE) {
    CTkControl* pControl = pControls->Add(kControlButton, nId, nullptr, -1, bTemporary);
    pControl->SetCaption(pszCaption);
    return pControl;
}

// The ribbon kept its tab control and quick-access buttons through the menu bar's load.
BOOL HasStructuralControls(CTkRibbonBar* pRibbon) {
    CTkControls* pControls = pRibbon->GetControls();
    return pControls->FindById(kIdRibbonQuickAccessCustomize) == pRibbon->GetControlQuickAccess() &&
           pControls->FindById(kIdRibbonQuickAccessMore) != nullptr &&
           pControls->FindById(kIdRibbonTabControl) != nullptr;
}

// The messages of the frame that tell whether and how often the frame was laid out: each layout asks the
// top dock bar for its size.
int CountLayouts(const CRibbonMessageLog& log) {
    return log.Count(WM_SIZEPARENT);
}

TEST(RibbonQuickAccess, TheMenuOffersAddAndRemoveByWhereTheControlIsAndWhetherItMayMove) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkControls* pControls = pRibbon->GetControls();
    CTkControl* pOrdinary = AddButton(pControls, 4801, L"Ordinary");
    CTkControl* pUnmovable = AddButton(pControls, 4802, L"Unmovable");
    pUnmovable->SetFlags(pUnmovable->GetFlags() | kControlFlagNoMove);
    CTkControl* pTemporary = AddButton(pControls, 4803, L"Temporary", TRUE);
    CTkControl* pCopy = AddButton(pRibbon->GetQuickAccessControls(), 4804, L"Copy");
    CTkControl* pCopied = AddButton(pControls, 4804, L"Copied");
    CTkRibbonGroup unnamedGroup;
    CTkRibbonGroup namedGroup;
    namedGroup.GetControlGroupPopup()->SetId(4805);
    ASSERT_TRUE(HasStructuralControls(pRibbon));
    ASSERT_TRUE(pRibbon->AttachFrameHook());
    host.RecalcLayout();
    CTkControl* pClose = pControls->FindById(SC_CLOSE);
    ASSERT_NE(pClose, nullptr);

    struct Row {
        const char* pszName;
        CTkControl* pControl;
        BOOL bCustomizable;
        BOOL bDuplicates;
        BOOL bRemove;
        BOOL bAdd;
        BOOL bAddEnabled;
    };
    const Row rows[] = {
        {"ordinary", pOrdinary, TRUE, FALSE, FALSE, TRUE, TRUE},
        {"ordinary, not customizable", pOrdinary, FALSE, FALSE, FALSE, FALSE, TRUE},
        {"unmovable", pUnmovable, TRUE, FALSE, FALSE, FALSE, FALSE},
        {"temporary", pTemporary, TRUE, FALSE, FALSE, FALSE, TRUE},
        {"quick-access copy", pCopy, TRUE, FALSE, TRUE, FALSE, FALSE},
        {"quick-access copy, not customizable", pCopy, FALSE, FALSE, FALSE, FALSE, FALSE},
        {"copied already", pCopied, TRUE, FALSE, FALSE, TRUE, FALSE},
        {"copied already, duplicates allowed", pCopied, TRUE, TRUE, FALSE, TRUE, TRUE},
        {"system button", pRibbon->AddSystemButton(4806), TRUE, FALSE, FALSE, FALSE, FALSE},
        {"tab control", pRibbon->GetControlTab(), TRUE, FALSE, FALSE, FALSE, FALSE},
        {"caption button", pClose, TRUE, FALSE, FALSE, FALSE, FALSE},
        {"collapsed group without id", unnamedGroup.GetControlGroupPopup(), TRUE, FALSE, FALSE, TRUE, FALSE},
        {"collapsed group with id", namedGroup.GetControlGroupPopup(), TRUE, FALSE, FALSE, TRUE, TRUE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        pRibbon->AllowQuickAccessCustomization(row.bCustomizable);
        pRibbon->AllowQuickAccessDuplicates(row.bDuplicates);
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(row.pControl));
        ASSERT_NE(pMenu, nullptr);
        CTkControl* pRemove = FindItem(pMenu.get(), kIdRibbonQuickAccessRemove);
        CTkControl* pAdd = FindItem(pMenu.get(), kIdRibbonQuickAccessAdd);
        ASSERT_NE(pRemove, nullptr);
        ASSERT_NE(pAdd, nullptr);
        EXPECT_EQ(pRemove->IsVisible(), row.bRemove);
        EXPECT_EQ(pAdd->IsVisible(), row.bAdd);
        EXPECT_EQ(pAdd->GetEnabled() != 0, row.bAddEnabled);
        // The toolbars list follows the two items and begins a group.
        CTkControl* pList = pMenu->GetControl(2);
        ASSERT_NE(pList, nullptr);
        EXPECT_TRUE(pList->IsKindOf(RUNTIME_CLASS(CTkControlToolbars)));
        EXPECT_TRUE(pList->GetBeginGroup());
    }
    EXPECT_FALSE(pRibbon->IsAllowQuickAccessControl(nullptr));
}

TEST(RibbonQuickAccess, TheCustomizePositionAndMinimizeItemsFollowTheRibbonAndTheCommandBars) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkControl* pControl = AddButton(pRibbon->GetControls(), 4801, L"Ordinary");
    auto menuFor = [&] { return Hold(pRibbon->CreateContextMenu(pControl)); };

    // Customize: its own text while the toolbar is customizable, else the command bars' customize
    // command when they allow it, else nothing.
    {
        MenuPtr pMenu = menuFor();
        CTkControl* pCustomize = FindItem(pMenu.get(), kIdRibbonCustomize);
        ASSERT_NE(pCustomize, nullptr);
        EXPECT_EQ(pCustomize->GetCaption(), L"&Customize Quick Access Toolbar...");
        EXPECT_TRUE(pCustomize->IsVisible());
        EXPECT_NE(pCustomize->GetFlags() & kControlFlagNoUpdate, 0u);
    }
    pRibbon->AllowQuickAccessCustomization(FALSE);
    {
        MenuPtr pMenu = menuFor();
        EXPECT_FALSE(FindItem(pMenu.get(), kIdRibbonCustomize)->IsVisible());
    }
    auto* pCustomizingSite = new CRecordingSite;
    ASSERT_TRUE(pCustomizingSite->CreateHidden());
    host.CommandBars()->AttachToSite(pCustomizingSite);
    {
        MenuPtr pMenu = menuFor();
        CTkControl* pCustomize = FindItem(pMenu.get(), kIdRibbonCustomize);
        EXPECT_TRUE(pCustomize->IsVisible());
        EXPECT_EQ(pCustomize->GetCaption(), L"&Customize...");
    }
    host.CommandBars()->AttachToSite(host.Frame());
    pCustomizingSite->DestroyWindow();

    // Position: the item that moves the toolbar to where it is not.
    for (BOOL bBelow : {FALSE, TRUE}) {
        pRibbon->ShowQuickAccessBelowRibbon(bBelow);
        MenuPtr pMenu = menuFor();
        EXPECT_EQ(FindItem(pMenu.get(), kIdRibbonQuickAccessBelow)->IsVisible(), !bBelow);
        EXPECT_EQ(FindItem(pMenu.get(), kIdRibbonQuickAccessAbove)->IsVisible(), bBelow);
    }

    ASSERT_TRUE(HasStructuralControls(pRibbon));
    // Minimize: disabled without tabs, checked while minimised, absent where minimising is not allowed.
    struct Row {
        BOOL bTab;
        BOOL bMinimized;
        BOOL bAllowed;
    };
    for (const Row& row :
         {Row{FALSE, FALSE, TRUE}, Row{TRUE, FALSE, TRUE}, Row{TRUE, TRUE, TRUE}, Row{TRUE, FALSE, FALSE}}) {
        SCOPED_TRACE(testing::Message() << row.bTab << row.bMinimized << row.bAllowed);
        if (row.bTab && pRibbon->GetTabCount() == 0)
            pRibbon->AddTab(L"&Home", 4900);
        pRibbon->SetMinimized(row.bMinimized);
        pRibbon->AllowMinimize(row.bAllowed);
        MenuPtr pMenu = menuFor();
        CTkControl* pMinimize = FindItem(pMenu.get(), kIdRibbonMinimize);
        EXPECT_EQ(pMinimize->IsVisible(), row.bAllowed);
        EXPECT_EQ(pMinimize->GetEnabled() != 0, row.bTab);
        EXPECT_EQ(pMinimize->GetChecked(), row.bMinimized ? 1 : 0);
    }

    // A ribbon without its quick-access toolbar offers the command bars' own menu.
    pRibbon->ShowQuickAccess(FALSE);
    MenuPtr pMenu = menuFor();
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(FindItem(pMenu.get(), kIdRibbonQuickAccessAdd), nullptr);
    EXPECT_EQ(FindItem(pMenu.get(), kIdRibbonMinimize), nullptr);
}

TEST(RibbonQuickAccess, TheCustomizeButtonsMenuListsTheOfferedCommandsAndMissingMenusGiveNone) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
    auto* pCustomizeButton = new CTkRibbonBarControlQuickAccessPopup;
    pRibbon->GetControls()->Add(pCustomizeButton, kIdRibbonQuickAccessCustomize, nullptr, -1, TRUE);
    {
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(pCustomizeButton));
        ASSERT_NE(pMenu, nullptr);
        EXPECT_TRUE(pMenu->GetControl(0)->IsKindOf(RUNTIME_CLASS(CTkControlToolbars)));
        // The alternative ids stand for customize and the two positions.
        for (int nId : {9616, 9617, 9618})
            EXPECT_EQ(FindItem(pMenu.get(), nId), nullptr) << nId;
        EXPECT_NE(FindItem(pMenu.get(), kIdRibbonCustomize), nullptr);
        EXPECT_TRUE(FindItem(pMenu.get(), kIdRibbonQuickAccessBelow)->IsVisible());
        EXPECT_FALSE(FindItem(pMenu.get(), kIdRibbonQuickAccessAbove)->IsVisible());
        // Without a list of offered commands neither the list nor its heading shows.
        EXPECT_FALSE(FindItem(pMenu.get(), kIdRibbonQuickAccessList)->IsVisible());
        EXPECT_FALSE(FindItem(pMenu.get(), kIdRibbonQuickAccessListTitle)->IsVisible());
    }

    auto* pOffered = new CTkOriginalControls;
    CTkControl* pSave = AddButton(pOffered, 4811, L"&Save");
    AddButton(pOffered, 4812, L"&Undo");
    pSave->SetHideFlags(kHideCustomize);
    pQuickAccess->SetOriginalControls(pOffered);
    {
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(pCustomizeButton));
        CTkControl* pTitle = FindItem(pMenu.get(), kIdRibbonQuickAccessListTitle);
        EXPECT_EQ(pTitle->GetType(), kControlLabel);
        EXPECT_EQ(pTitle->GetStyle(), kButtonIcon);
        EXPECT_TRUE(pTitle->IsDefaultItem());
        EXPECT_TRUE(pTitle->IsVisible());
        CTkControl* pList = FindItem(pMenu.get(), kIdRibbonQuickAccessList);
        const int nList = pList->GetIndex();
        EXPECT_FALSE(pList->IsVisible());
        ASSERT_GE(nList, 2);
        EXPECT_EQ(pMenu->GetControl(nList - 2)->GetCaption(), L"&Save");
        EXPECT_EQ(pMenu->GetControl(nList - 1)->GetCaption(), L"&Undo");
        EXPECT_EQ(pMenu->GetControl(nList - 2)->GetChecked(), 0);

        // Choosing an offered command appends a copy that shows though its source was customised away.
        pMenu->GetControl(nList - 2)->Execute();
        ASSERT_EQ(pQuickAccess->GetCount(), 1);
        EXPECT_EQ(pQuickAccess->GetAt(0)->GetId(), 4811);
        EXPECT_EQ(pQuickAccess->GetAt(0)->GetHideFlags() & kHideCustomize, 0u);
    }
    // Choosing a command whose copy is there takes the copy away.
    {
        MenuPtr pMenu = Hold(CTkPopupBar::CreatePopupBar(host.CommandBars()));
        auto* pCommand = new CTkRibbonBar::CControlQuickAccessCommand(pQuickAccess, pSave, pQuickAccess->GetAt(0));
        pMenu->GetControls()->Add(pCommand, 0);
        EXPECT_EQ(pCommand->GetChecked(), 1);
        pCommand->Execute();
        EXPECT_EQ(pQuickAccess->GetCount(), 0);
    }

    // The application carries no quick-access menus: no menu for any control.
    CTkControl* pControl = AddButton(pRibbon->GetControls(), 4801, L"Ordinary");
    const HINSTANCE hResources = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleW(L"RibbonLook.dll"));
    EXPECT_EQ(pRibbon->CreateContextMenu(pCustomizeButton), nullptr);
    EXPECT_EQ(pRibbon->CreateContextMenu(pControl), nullptr);
    AfxSetResourceHandle(hResources);
}

TEST(RibbonQuickAccess, TheMenuItemsAddOnceWithOneRelayoutRemoveForwardCustomizeAndMinimize) {
    CRibbonHost host(CSize(800, 600), TRUE);
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
    CTkControl* pSource = pRibbon->GetControls()->Add(kControlPopup, 4806);
    pSource->SetCaption(L"Paste");
    pSource->SetBeginGroup(TRUE);
    pSource->SetHideFlags(kHideRibbonReduced);

    // Add: one copy at the end, shown, icon only for a popup, and the frame laid out once.
    {
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(pSource));
        CRibbonMessageLog layouts(host.CommandBars()->GetDockBar(0)->GetSafeHwnd(), {WM_SIZEPARENT});
        FindItem(pMenu.get(), kIdRibbonQuickAccessAdd)->Execute();
        ASSERT_EQ(pQuickAccess->GetCount(), 1);
        CTkControl* pCopy = pQuickAccess->GetAt(0);
        EXPECT_NE(pCopy, pSource);
        EXPECT_EQ(pCopy->GetId(), 4806);
        EXPECT_FALSE(pCopy->GetBeginGroup());
        EXPECT_EQ(pCopy->GetHideFlags(), 0u);
        EXPECT_EQ(pCopy->GetStyle(), kButtonIcon);
        EXPECT_EQ(CountLayouts(layouts), 1);
    }
    // Remove: the copy leaves the toolbar.
    {
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(pQuickAccess->GetAt(0)));
        FindItem(pMenu.get(), kIdRibbonQuickAccessRemove)->Execute();
        EXPECT_EQ(pQuickAccess->GetCount(), 0);
    }
    // A menu for a copy that left the toolbar while it was up takes nothing away, not even a new copy of
    // the same command.
    {
        CTkControl* pGone = AddButton(pQuickAccess, 4831, L"Save");
        AddButton(pQuickAccess, 4832, L"Undo");
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(pGone));
        pQuickAccess->Remove(pGone);
        CTkControl* pFresh = AddButton(pQuickAccess, 4831, L"Save");
        FindItem(pMenu.get(), kIdRibbonQuickAccessRemove)->Execute();
        ASSERT_EQ(pQuickAccess->GetCount(), 2);
        EXPECT_EQ(pQuickAccess->GetAt(0)->GetId(), 4832);
        EXPECT_EQ(pQuickAccess->GetAt(1), pFresh);
        pQuickAccess->RemoveAll();
    }
    // The ribbon answers the notifications of the ids it handles, and only of an execution.
    {
        const struct {
            int nId;
            UINT nCode;
            LRESULT nAnswer;
        } rows[] = {{kIdRibbonQuickAccessRemove, kControlNotifyExecute, 1},
                    {kIdRibbonQuickAccessAdd, kControlNotifyExecute, 1},
                    {kIdRibbonQuickAccessAdd, kControlNotifyExecute + 1, 0},
                    {4833, kControlNotifyExecute, 0}};
        for (const auto& row : rows) {
            ControlNotifyRecord record;
            record.hdr.code = row.nCode;
            EXPECT_EQ(pRibbon->SendMessage(ControlNotifyMessage, row.nId, reinterpret_cast<LPARAM>(&record)),
                      row.nAnswer)
                << row.nId << ", " << row.nCode;
        }
        EXPECT_EQ(pQuickAccess->GetCount(), 0);
    }
    // Customize goes to the frame, as the notification and, unanswered, as a command.
    {
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(pSource));
        CRibbonMessageLog log(host.Frame()->GetSafeHwnd(), {ControlNotifyMessage, WM_COMMAND},
                              {ControlNotifyMessage, WM_COMMAND});
        FindItem(pMenu.get(), kIdRibbonCustomize)->Execute();
        ASSERT_EQ(log.Entries().size(), 2u);
        EXPECT_EQ(log.Entries()[0].nMessage, ControlNotifyMessage);
        EXPECT_EQ(log.Entries()[0].wParam, static_cast<WPARAM>(kIdRibbonCustomize));
        EXPECT_EQ(log.Entries()[1].nMessage, static_cast<UINT>(WM_COMMAND));
        EXPECT_EQ(log.Entries()[1].wParam, static_cast<WPARAM>(kIdRibbonCustomize));
    }
    // Minimize toggles the ribbon.
    {
        MenuPtr pMenu = Hold(pRibbon->CreateContextMenu(pSource));
        FindItem(pMenu.get(), kIdRibbonMinimize)->Execute();
        EXPECT_TRUE(pRibbon->IsMinimized());
    }
    // The position commands move the toolbar (9609 as well as 9610 above it) and lay the ribbon out; with a
    // frame hook the frame's caption is painted again.
    ASSERT_TRUE(pRibbon->AttachFrameHook());
    const struct {
        int nId;
        BOOL bBelow;
    } positions[] = {{kIdRibbonQuickAccessBelow, TRUE},
                     {9609, FALSE},
                     {kIdRibbonQuickAccessBelow, TRUE},
                     {kIdRibbonQuickAccessAbove, FALSE}};
    for (const auto& row : positions) {
        CRibbonMessageLog layouts(host.CommandBars()->GetDockBar(0)->GetSafeHwnd(), {WM_SIZEPARENT});
        CRibbonMessageLog frame(host.Frame()->GetSafeHwnd(), {WM_NCPAINT});
        pRibbon->SendMessage(WM_COMMAND, row.nId);
        EXPECT_EQ(pRibbon->IsQuickAccessBelowRibbon(), row.bBelow) << row.nId;
        EXPECT_EQ(CountLayouts(layouts), 1) << row.nId;
        EXPECT_EQ(frame.Count(WM_NCPAINT), 1) << row.nId;
        EXPECT_EQ(pRibbon->GetQuickAccessRect().top >= pRibbon->GetGroupsRect().bottom, row.bBelow) << row.nId;
    }
}

TEST(RibbonQuickAccess, AMenuThatOutlivesItsTargetNeitherAddsItNorLetsItGo) {
    CRibbonHost host(CSize(800, 600), TRUE);
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CPoisonedButton::s_nDestroyed = 0;
    auto* pTarget = new CPoisonedButton;
    pRibbon->GetControls()->Add(pTarget, 4807);
    pTarget->SetRect(CRect(200, 60, 240, 80));

    int nDestroyedWhileOpen = -1;
    BOOL bOpened = FALSE;
    // The control that asked for the menu holds the mouse lock (its own modal loop): the menu runs with it
    // lowered by one, and it is back afterwards.
    CTkMouseManager* pMouseManager = CreateMouseManager();
    pMouseManager->m_nLock = 2;
    int nLockWhileOpen = -1;
    const std::function<void()> removeAndAdd = [&] {
        CTkCommandBar* pMenu = CreateMouseManager()->GetLastTrackedBar();
        bOpened = pMenu != nullptr;
        nLockWhileOpen = pMouseManager->m_nLock;
        if (pMenu == nullptr)
            return;
        // A relayout drops the control while its menu is open.
        pRibbon->GetControls()->Remove(pTarget);
        nDestroyedWhileOpen = CPoisonedButton::s_nDestroyed;
        if (CTkControl* pAdd = pMenu->GetControls()->FindById(kIdRibbonQuickAccessAdd))
            pAdd->Execute();
        host.CommandBars()->ClosePopups();
    };
    RunLater(host.Frame(), 30, removeAndAdd);
    pRibbon->ShowContextMenu(CPoint(210, 70), pTarget);
    ::KillTimer(host.Frame()->GetSafeHwnd(), 77);

    EXPECT_TRUE(bOpened);
    EXPECT_EQ(nLockWhileOpen, 1);
    EXPECT_EQ(pMouseManager->m_nLock, 2);
    pMouseManager->m_nLock = 0;
    EXPECT_EQ(nDestroyedWhileOpen, 0);
    EXPECT_EQ(pRibbon->GetQuickAccessControls()->GetCount(), 0);
    // The menu is gone and with it the last reference.
    EXPECT_EQ(CPoisonedButton::s_nDestroyed, 1);
}

// A bar that shows one ribbon group at its rectangle.
class CGroupStripBar : public CTkCommandBar, public CTkRibbonScrollableBar {
public:
    CTkRibbonGroup* HitTestGroup(CPoint pt) const override {
        return m_pGroup != nullptr && m_pGroup->GetRect().PtInRect(pt) ? m_pGroup : nullptr;
    }
    CRect GetGroupsRect() const override { return CRect(); }
    CTkRibbonGroup* m_pGroup = nullptr;  // not referenced
};

TEST(RibbonQuickAccess, ARightClickOnAGroupsCaptionLineOpensTheMenuOfItsCollapsedButtonItsBodyNone) {
    CRibbonHost host(CSize(800, 600), TRUE);
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    CTkRibbonGroup group;
    group.SetRect(CRect(10, 0, 110, 90));
    CTkRibbonGroupControlPopup* pCollapsed = group.GetControlGroupPopup();
    pCollapsed->SetId(4808);
    auto* pStrip = new CGroupStripBar;
    pStrip->SetCommandBars(host.CommandBars());
    ASSERT_TRUE(CreateBarWindow(pStrip, host.Frame(), CRect(0, 0, 300, 100)));
    pStrip->m_pGroup = &group;
    pCollapsed->InternalAddRef();
    pStrip->GetControls()->Append(pCollapsed);

    const int nCaptionTop = 90 - host.Theme()->m_nGroupCaptionHeight;
    struct Row {
        int y;
        BOOL bQuickAccess;
        BOOL bMenu;
    };
    // Without the quick-access toolbar the ribbon offers no menu of its own.
    for (const Row& row :
         {Row{nCaptionTop - 5, TRUE, FALSE}, Row{nCaptionTop + 3, TRUE, TRUE}, Row{nCaptionTop + 3, FALSE, FALSE}}) {
        SCOPED_TRACE(testing::Message() << row.y << (row.bQuickAccess ? "" : ", no quick access"));
        pRibbon->ShowQuickAccess(row.bQuickAccess);
        CRibbonMessageLog log(host.Frame()->GetSafeHwnd(), {ContextMenuBuiltMessage});
        const std::function<void()> close = [&] { host.CommandBars()->ClosePopups(); };
        RunLater(host.Frame(), 30, close);
        pRibbon->ShowContextMenuAt(pStrip, CPoint(50, row.y));
        ::KillTimer(host.Frame()->GetSafeHwnd(), 77);
        EXPECT_EQ(log.Count(ContextMenuBuiltMessage), row.bMenu ? 1 : 0);
    }
    pStrip->GetControls()->RemoveAll();
    pStrip->DestroyWindow();
    pStrip->InternalRelease();
}

TEST(RibbonQuickAccess, TheMorePopupHoldsWhatDidNotFitAndTheCustomizeButton) {
    CRibbonHost host;
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    ASSERT_TRUE(HasStructuralControls(pRibbon));
    CTkRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
    AddButton(pQuickAccess, 4821, L"Save");
    AddButton(pQuickAccess, 4822, L"Undo")->SetHideFlags(kHideWrap);
    AddButton(pQuickAccess, 4823, L"Redo")->SetHideFlags(kHideWrap);

    MenuPtr pMore = Hold(pRibbon->CreateMoreQuickAccessPopup());
    ASSERT_EQ(pMore->GetControlCount(), 3);
    EXPECT_EQ(pMore->GetControl(0)->GetId(), 4822);
    EXPECT_EQ(pMore->GetControl(1)->GetId(), 4823);
    EXPECT_EQ(pMore->GetControl(0)->GetHideFlags(), 0u);
    EXPECT_TRUE(pMore->GetControl(2)->IsKindOf(RUNTIME_CLASS(CTkRibbonBarControlQuickAccessPopup)));
    EXPECT_EQ(pMore->GetMRUWidth(), 300);

    // Both buttons are a row of controls high and 13/22 of that wide.
    const int nRow = pRibbon->GetPaintManager()->m_nControlRowHeight;
    CClientDC dc(nullptr);
    EXPECT_EQ(pRibbon->GetControlQuickAccess()->GetSize(&dc), CSize(nRow * 13 / 22, nRow));
    EXPECT_EQ(pRibbon->GetControlQuickAccessMore()->GetSize(&dc), CSize(nRow * 13 / 22, nRow));
}

TEST(RibbonQuickAccess, TheMoreButtonOpensWithTheCommandsTheCaptionHadNoRoomFor) {
    CRibbonHost host(CSize(500, 400), TRUE);
    CTkRibbonBar* pRibbon = host.Ribbon();
    ASSERT_NE(pRibbon, nullptr);
    ASSERT_TRUE(HasStructuralControls(pRibbon));
    CTkRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
    for (int i = 0; i < 24; ++i)
        AddButton(pQuickAccess, 4841 + i, L"Save");
    host.RecalcLayout();
    int nOverflowed = 0;
    for (int i = 0; i < pQuickAccess->GetCount(); ++i)
        nOverflowed += (pQuickAccess->GetAt(i)->GetHideFlags() & kHideWrap) != 0 ? 1 : 0;
    ASSERT_GT(nOverflowed, 0);
    ASSERT_LT(nOverflowed, pQuickAccess->GetCount());
    CTkControl* pMoreButton = pRibbon->GetControlQuickAccessMore();
    ASSERT_TRUE(pMoreButton->IsVisible());

    ASSERT_TRUE(pRibbon->PopupControl(pMoreButton->GetIndex()));
    CTkCommandBar* pMore = static_cast<CTkControlPopup*>(pMoreButton)->GetCommandBar();
    ASSERT_NE(pMore, nullptr);
    ASSERT_NE(pMore->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pMore->GetControlCount(), nOverflowed + 1);
    EXPECT_EQ(pMore->GetControl(0)->GetId(), pQuickAccess->GetAt(pQuickAccess->GetCount() - nOverflowed)->GetId());
    CRect rcClient;
    pMore->GetClientRect(&rcClient);
    CScopedMemDC dc(rcClient.Width(), rcClient.Height());
    ASSERT_TRUE(dc.IsValid());
    pMore->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_TRUE(WritePng(dc, L"Z:\\tmp\\s6qa-quick-access-more.png"));
    host.SavePng(L"Z:\\tmp\\s6qa-quick-access-host.png");
    host.CommandBars()->ClosePopups();
}

}  // namespace
