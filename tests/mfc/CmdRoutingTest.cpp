// Command maps, command-UI updates, the dropping of disabled commands and notification reflection.

#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT ID_UPDATED = 100;       // command and update handler (enabled while m_bAllowed)
constexpr UINT ID_HANDLED_ONLY = 101;  // command handler, no update handler
constexpr UINT ID_UNHANDLED = 103;
constexpr UINT ID_PASSED_ON = 104;  // update handler that continues routing
constexpr UINT ID_RENAMED = 105;    // update handler that checks and renames the item
constexpr UINT ID_RANGE_FIRST = 200;
constexpr UINT ID_RANGE_LAST = 210;
constexpr UINT ID_CHILD = 300;

class CCommandTarget : public CCmdTarget {
public:
    BOOL m_bAllowed = TRUE;
    std::vector<UINT> m_ran;

protected:
    afx_msg void OnUpdated() { m_ran.push_back(ID_UPDATED); }
    afx_msg void OnUpdateUpdated(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bAllowed); }
    afx_msg void OnHandledOnly() { m_ran.push_back(ID_HANDLED_ONLY); }
    afx_msg void OnUpdatePassedOn(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI) {
        pCmdUI->Enable();
        pCmdUI->SetCheck(1);
        pCmdUI->SetText(L"New");
    }
    afx_msg void OnRange(UINT nID) { m_ran.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandTarget, CCmdTarget)
    ON_COMMAND(ID_UPDATED, OnUpdated)
    ON_UPDATE_COMMAND_UI(ID_UPDATED, OnUpdateUpdated)
    ON_COMMAND(ID_HANDLED_ONLY, OnHandledOnly)
    ON_UPDATE_COMMAND_UI(ID_PASSED_ON, OnUpdatePassedOn)
    ON_UPDATE_COMMAND_UI(ID_RENAMED, OnUpdateRenamed)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
END_MESSAGE_MAP()

// Records the Enable calls of an update.
class CRecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override {
        enables.push_back(bOn);
        CCmdUI::Enable(bOn);
    }
    std::vector<BOOL> enables;
};

// A window with the same commands (menu commands arrive as WM_COMMAND).
class CCommandWnd : public CWnd {
public:
    BOOL m_bAllowed = TRUE;
    std::vector<std::string> m_events;

protected:
    afx_msg void OnUpdated() { m_events.push_back("command"); }
    afx_msg void OnUpdateUpdated(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bAllowed); }
    afx_msg void OnChildClicked() { m_events.push_back("parent-click"); }
    afx_msg void OnChildChanged() { m_events.push_back("parent-change"); }
    afx_msg void OnChildNotification(NMHDR*, LRESULT* pResult) {
        m_events.push_back("parent-notify");
        *pResult = 2;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWnd, CWnd)
    ON_COMMAND(ID_UPDATED, OnUpdated)
    ON_UPDATE_COMMAND_UI(ID_UPDATED, OnUpdateUpdated)
    ON_BN_CLICKED(ID_CHILD, OnChildClicked)
    ON_EN_CHANGE(ID_CHILD, OnChildChanged)
    ON_NOTIFY(NM_CLICK, ID_CHILD, OnChildNotification)
    ON_NOTIFY(NM_DBLCLK, ID_CHILD, OnChildNotification)
    ON_NOTIFY(NM_RCLICK, ID_CHILD, OnChildNotification)
END_MESSAGE_MAP()

// A control that answers some of its notifications itself.
class CReflectingChild : public CWnd {
public:
    explicit CReflectingChild(std::vector<std::string>* pEvents) : m_pEvents(pEvents) {}

protected:
    afx_msg void OnClickReflect(NMHDR*, LRESULT* pResult) {
        m_pEvents->push_back("child-notify");
        *pResult = 1;
    }
    afx_msg BOOL OnRClickReflect(NMHDR*, LRESULT*) {
        m_pEvents->push_back("child-notify-ex");
        return FALSE;  // the parent sees it too
    }
    afx_msg void OnChangeReflect() { m_pEvents->push_back("child-change"); }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
        m_pEvents->push_back(lpDrawItemStruct->hwndItem == m_hWnd ? "child-draw" : "child-draw-other");
    }
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>* m_pEvents;
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
    ON_NOTIFY_REFLECT_EX(NM_RCLICK, OnRClickReflect)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChangeReflect)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

LRESULT SendNotify(CWnd* pParent, CWnd* pChild, UINT nCode) {
    NMHDR nmhdr = {pChild->m_hWnd, ID_CHILD, nCode};
    return pParent->SendMessage(WM_NOTIFY, ID_CHILD, reinterpret_cast<LPARAM>(&nmhdr));
}

}  // namespace

TEST(CmdRouting, OnCmdMsgRunsHandlersAndAnswersHandlerQueriesWithoutRunning) {
    CCommandTarget target;
    EXPECT_TRUE(target.OnCmdMsg(ID_HANDLED_ONLY, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(205, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(ID_UNHANDLED, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.m_ran, (std::vector<UINT>{ID_HANDLED_ONLY, 205}));

    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(target.OnCmdMsg(ID_UPDATED, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_EQ(target.m_ran.size(), 2u);
}

TEST(CmdRouting, DoUpdateDisablesOnlyCommandsNobodyHandles) {
    struct Case {
        UINT nID;
        BOOL bDisableIfNoHandler;
        BOOL bAllowed;
        std::vector<BOOL> enables;
    };
    const Case cases[] = {
        {ID_UPDATED, TRUE, TRUE, {TRUE}},
        {ID_UPDATED, TRUE, FALSE, {FALSE}},
        {ID_HANDLED_ONLY, TRUE, TRUE, {}},  // a command handler and no update handler: stays as it is
        {205, TRUE, TRUE, {}},
        {ID_UNHANDLED, TRUE, TRUE, {FALSE}},
        {ID_UNHANDLED, FALSE, TRUE, {}},
        {ID_PASSED_ON, TRUE, TRUE, {FALSE}},  // routed on, and nobody handles the command
        {0, TRUE, TRUE, {}},                  // ids 0 and 0xFFFF are never updated
        {0xFFFF, TRUE, TRUE, {}},
    };
    for (const Case& c : cases) {
        CCommandTarget target;
        target.m_bAllowed = c.bAllowed;
        CRecordingCmdUI state;
        state.m_nID = c.nID;
        state.DoUpdate(&target, c.bDisableIfNoHandler);
        EXPECT_EQ(state.enables, c.enables) << "id " << c.nID;
    }
    CCommandTarget target;
    CTestCmdUI state;
    EXPECT_FALSE(target.OnCmdMsg(ID_PASSED_ON, CN_UPDATE_COMMAND_UI, &state, nullptr));
}

TEST(CmdRouting, MenuItemUpdatesGreyCheckAndRenameItemsByPosition) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_UPDATED, L"First");
    menu.AppendMenu(MF_STRING, ID_RENAMED, L"Old");
    menu.AppendMenu(MF_STRING, ID_UNHANDLED, L"Third");
    CCommandTarget target;
    target.m_bAllowed = FALSE;

    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = static_cast<UINT>(menu.GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = menu.GetMenuItemID(static_cast<int>(state.m_nIndex));
        state.DoUpdate(&target, TRUE);
    }

    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    const UINT nRenamed = menu.GetMenuState(1, MF_BYPOSITION);
    EXPECT_FALSE(nRenamed & MF_GRAYED);
    EXPECT_TRUE(nRenamed & MF_CHECKED);  // the new text keeps the check
    CString text;
    menu.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_STREQ(text, L"New");
    EXPECT_EQ(menu.GetMenuItemID(1), ID_RENAMED);
    EXPECT_TRUE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
}

TEST(CmdRouting, DisabledMenuCommandIsDroppedButControlNotificationsAreNot) {
    CCommandWnd wnd;
    ASSERT_TRUE(CreateTopLevel(&wnd));
    CWnd child;
    ASSERT_TRUE(CreateChild(&child, &wnd, ID_UPDATED));

    wnd.m_bAllowed = FALSE;
    // Menu, accelerator or tray menu: lParam 0. Dropped, but answered as handled.
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, ID_UPDATED, 0), 1);
    EXPECT_TRUE(wnd.m_events.empty());
    // The same id from a control is a notification; updates do not gate it.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_UPDATED, BN_CLICKED), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(wnd.m_events, std::vector<std::string>{"command"});

    wnd.m_bAllowed = TRUE;
    wnd.SendMessage(WM_COMMAND, ID_UPDATED, 0);
    EXPECT_EQ(wnd.m_events, (std::vector<std::string>{"command", "command"}));
    // A command nobody handles is not answered.
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, ID_UNHANDLED, 0), 0);
}

TEST(CmdRouting, ReflectedNotificationsReachTheControlBeforeItsParent) {
    struct Case {
        const char* name;
        UINT nCode;
        LRESULT result;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"reflect handler takes it", NM_CLICK, 1, {"child-notify"}},
        {"reflect _EX passes it on", NM_RCLICK, 2, {"child-notify-ex", "parent-notify"}},
        {"child without handler", NM_DBLCLK, 2, {"parent-notify"}},
    };
    for (const Case& c : cases) {
        CCommandWnd parent;
        ASSERT_TRUE(CreateTopLevel(&parent));
        CReflectingChild child(&parent.m_events);
        ASSERT_TRUE(CreateChild(&child, &parent, ID_CHILD));
        EXPECT_EQ(SendNotify(&parent, &child, c.nCode), c.result) << c.name;
        EXPECT_EQ(parent.m_events, c.events) << c.name;
    }
}

TEST(CmdRouting, ControlCommandsAndOwnerDrawReachTheControlThroughReflection) {
    CCommandWnd parent;
    ASSERT_TRUE(CreateTopLevel(&parent));
    CReflectingChild child(&parent.m_events);
    ASSERT_TRUE(CreateChild(&child, &parent, ID_CHILD));
    const LPARAM lChild = reinterpret_cast<LPARAM>(child.m_hWnd);

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, EN_CHANGE), lChild);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, BN_CLICKED), lChild);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = ID_CHILD;
    dis.hwndItem = child.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, ID_CHILD, reinterpret_cast<LPARAM>(&dis));

    EXPECT_EQ(parent.m_events, (std::vector<std::string>{"child-change", "parent-click", "child-draw"}));
}
