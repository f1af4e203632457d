#pragma once
#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControlDefs.h"
#include "TkControlDragTracker.h"
#include "TkMouseManager.h"
#include "TkPopupBar.h"

#include "mfc.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

// A stand-in for the command-bar framework while only the controls exist: BarHost.cpp defines the bar,
// popup bar, hub, mouse and keyboard managers and drag tracker of the contract headers with the least
// behaviour the controls' tests need, and records what the controls ask of them. Test code only: it goes
// when the real bars are built.
//
// Bars made here have a hidden window owned by the site; controls that capture the mouse or set timers
// do it on that window. Everything runs on the test's thread.

// What the controls asked of bars, hubs and managers, in order ("Redraw 1" (animated), "DelayLayout",
// "PopupControl 2 1", "SetTrackingMode 0", "SetSelected 1 0", "Popup", "EndTracking", "UpdateCommandUI",
// "RecalcLayout", "ClosePopups", "CloseAllTracked", "MarkCommandUsed 5", "SetCustomizeSelection",
// "OnControlSelected 1", "LoadMenu"). Cleared by the tests.
std::vector<std::string>& BarLog();
// How many entries of the log start with the text.
int CountInBarLog(const std::string& strPrefix);

// Switches of the stand-in.
struct BarHostSettings {
    BOOL bPopupSucceeds = TRUE;  // CTkCommandBar::Popup of a popup bar answers this
};
BarHostSettings& BarHost();

class CTkPaintManager;

// Sets what the bar would know from its own construction or loading.
void SetBarKind(CTkCommandBar* pBar, int nType, int nPosition);
void SetBarFlags(CTkCommandBar* pBar, DWORD dwFlags);
void SetBarId(CTkCommandBar* pBar, UINT nBarId);
// A hidden window for the bar, owned by the site (its owner window).
BOOL CreateBarWindow(CTkCommandBar* pBar, CWnd* pSite);
// The hub's modes and its drag tracker (the hub deletes it).
void SetHubCustomizeMode(CTkCommandBars* pCommandBars, BOOL bCustomize);
void SetHubDragTracker(CTkCommandBars* pCommandBars, CTkControlDragTracker* pTracker);
// The hub's own paint manager (it takes a reference; NULL: the current one).
void SetHubPaintManager(CTkCommandBars* pCommandBars, CTkPaintManager* pPaintManager);

// The window the controls report to: it records their notifications and commands and answers as the test
// sets it up.
class CRecordingSite : public CFrameWnd {
public:
    // The hidden frame window, never activated.
    BOOL CreateHidden();

    struct Notification {
        UINT nId;
        UINT nCode;
        CTkControl* pControl;
    };
    std::vector<Notification> m_notifications;    // ControlNotifyMessage, as received
    std::vector<UINT> m_commands;                 // WM_COMMAND ids that reached the handler
    std::vector<UINT> m_notifyCommands;           // WM_NOTIFY commands that reached the handler
    std::vector<MenuItemCreateRecord> m_created;  // ControlCreatedMessage records, as received

    // ControlNotifyMessage's answer (NULL: 0).
    std::function<LRESULT(ControlNotifyRecord*)> m_onNotify;
    // A WM_NOTIFY handler for command id kNotifyHandlerId: whether it takes the notification and its result.
    BOOL m_bNotifyHandlerTakes = FALSE;
    LRESULT m_nNotifyHandlerResult = 0;
    static constexpr UINT kNotifyHandlerId = 200;
    // Commands the update handler disables (the command gate drops them).
    std::set<UINT> m_disabledCommands;
    // CreateControlMessage (NULL: 0) and CreateCommandBarMessage (NULL: nothing).
    std::function<LRESULT(MenuItemCreateRecord*)> m_onCreateControl;
    std::function<void(CommandBarCreateRecord*)> m_onCreateBar;
    std::vector<CommandBarCreateRecord> m_barRequests;

protected:
    afx_msg LRESULT OnControlNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnControlCreated(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCreateCommandBar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAnyCommand(UINT nId);
    afx_msg void OnUpdateAnyCommand(CCmdUI* pCmdUI);
    afx_msg BOOL OnExecuteNotify(UINT nId, NMHDR* pHeader, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
