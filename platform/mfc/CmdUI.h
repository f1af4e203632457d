#pragma once
#include "MessageMap.h"

// CCmdUI: the state of one command's user-interface item (a menu item, a control, a toolbar button,
// a status pane) while the command's update handler decides it.
//
// Update handlers (ON_UPDATE_COMMAND_UI) call Enable, SetCheck, SetRadio and SetText. The base class
// acts on the item it is given: a menu item by position (m_pMenu, m_nIndex) or a control (m_pOther).
// Toolbars, status bars and the toolkit's bars derive their own forms. CTestCmdUI only records Enable:
// CWnd::OnCommand uses it to drop a menu command that its update handler disables.
//
// Updates run on the UI thread: at idle time (WM_IDLEUPDATECMDUI), when a popup menu opens, and
// before a menu command is carried out.

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR lpszText);
    // Lets the update pass on to the next command target.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's update handlers for this item's state. With bDisableIfNoHndler an item whose
    // command nobody handles (and no update handler enabled) is disabled. Ids 0 and 0xFFFF are left
    // alone. Answers whether an update handler took the item.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;               // menu position or bar index
    UINT m_nIndexMax = 0;            // item count of the menu or bar
    CMenu* m_pMenu = nullptr;        // not owned; the menu of a menu item
    CMenu* m_pSubMenu = nullptr;     // not owned; the popup a menu item opens
    CMenu* m_pParentMenu = nullptr;  // not owned
    CWnd* m_pOther = nullptr;        // not owned; the control or bar of the item
    BOOL m_bEnableChanged = FALSE;   // Enable ran during this update
    BOOL m_bContinueRouting = FALSE;
};

// Records what the update handlers decide about a command about to run.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}

    BOOL m_bEnabled = TRUE;
};

// clang-format off
// ---- Update entries: void f(CCmdUI*). A handler that calls ContinueRouting passes the update on.

template <auto pmf>
BOOL AfxThunkUpdateUI(CCmdTarget* p, AFX_MSGCALL& c) {
    auto* pCmdUI = static_cast<CCmdUI*>(c.pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    (AfxHandlerTarget<pmf>(p)->*pmf)(pCmdUI);
    return !pCmdUI->m_bContinueRouting;
}

#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
     &AfxThunkUpdateUI<&ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr, \
     &AfxThunkUpdateUI<&ThisClass::memberFxn>},
// The update of a control, answered in the control's own class (code 0xBD11FFFF).
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, 0xFFFF, 0, 0, nullptr, &AfxThunkUpdateUI<&ThisClass::memberFxn>},
// clang-format on
