#pragma once
#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlButton.h"
#include "TkControlDefs.h"
#include "TkControlDragTracker.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkPopupBar.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

// The fixtures of the command-bar tests: real hubs and bars, with small test kinds of bar that record
// what the controls ask of them, a popup bar kind that opens without a window of its own (the popup
// window belongs to the popup bar), and the window the bars report to.

// What the test bars were asked, in order ("Redraw 1" (animated), "DelayLayout", "RecalcLayout",
// "SetSelected 1 0", "SetTrackingMode 0", "EndTracking", "Popup 0", "OnControlSelected 1"). Cleared by
// the fixtures.
std::vector<std::string>& BarLog();
// How many entries of the log start with the text.
int CountInBarLog(const std::string& strPrefix);

// A bar of any kind and position, visible while its flag says so; records its calls.
class CTestBar : public CTkCommandBar {
    DECLARE_DYNCREATE(CTestBar)
public:
    BOOL IsVisible() const override { return m_bVisible; }
    void SetVisible(BOOL bVisible) override { m_bVisible = bVisible; }
    BOOL SetSelected(int nIndex, int nOrigin = 0) override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    void EndTracking() override;
    void OnControlSelected(BOOL bSelected, CTkControl* pControl) override;
    int DelayLayout() override;
    void RecalcLayout() override;
    void Redraw(LPCRECT pRect = nullptr, BOOL bAnimate = FALSE) override;
};

// A popup bar that opens by tracking (Popup answers m_bPopupSucceeds); registered as the hub's popup kind.
class CTestPopupBar : public CTkPopupBar {
    DECLARE_DYNCREATE(CTestPopupBar)
public:
    BOOL Popup(CTkControl* pControl, BOOL bSelectFirst) override;
    void EndTracking() override;
    static BOOL s_bPopupSucceeds;
};

// A hub whose bars and drag tracker tests set directly.
class CTestCommandBars : public CTkCommandBars {
public:
    // Appends the bar (the hub takes the caller's reference) as a bar of the hub.
    void AddBar(CTkCommandBar* pBar);
    // The hub deletes the tracker.
    void SetDragTracker(CTkControlDragTracker* pTracker);
};

// Sets what a bar would know from its own construction or loading.
void SetBarKind(CTkCommandBar* pBar, int nType, int nPosition);
void SetBarFlags(CTkCommandBar* pBar, DWORD dwFlags);
void SetBarId(CTkCommandBar* pBar, UINT nBarId);
void SetBarIconSize(CTkCommandBar* pBar, CSize szIcons);
// The hub's own paint manager (it takes a reference; NULL: the current one).
void SetHubPaintManager(CTkCommandBars* pCommandBars, CTkPaintManager* pPaintManager);
// A hidden window for the bar, owned by the site (its owner window).
BOOL CreateBarWindow(CTkCommandBar* pBar, CWnd* pSite, const CRect& rc = CRect(0, 0, 300, 40));

// The window the controls report to: it records their notifications, commands and updates and answers as
// the test sets it up.
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
    std::vector<UINT> m_updates;                  // ids an update pass asked for (not the command gate)
    std::vector<UINT> m_notifyCommands;           // WM_NOTIFY commands that reached the handler
    std::vector<MenuItemCreateRecord> m_created;  // ControlCreatedMessage records, as received
    // The bars' reports: ControlHighlightedMessage, TrackingStartedMessage, TrackingKeyMessage (the key),
    // ControlRightButtonUpMessage, BarVisibilityChangedMessage and BarResetMessage, with their wParam.
    std::vector<std::pair<UINT, WPARAM>> m_barMessages;
    // TrackingKeyMessage's handler (NULL: nothing), with the key record and the bar.
    std::function<void(TrackingKeyRecord*, CTkCommandBar*)> m_onTrackingKey;

    // ControlNotifyMessage's answer (NULL: 0).
    std::function<LRESULT(ControlNotifyRecord*)> m_onNotify;
    // A WM_NOTIFY handler for command id kNotifyHandlerId: whether it takes the notification and its result.
    BOOL m_bNotifyHandlerTakes = FALSE;
    LRESULT m_nNotifyHandlerResult = 0;
    static constexpr UINT kNotifyHandlerId = 200;
    // Commands the update handler disables (the command gate drops them); the handler covers ids below
    // kUnhandledFirstId only.
    std::set<UINT> m_disabledCommands;
    static constexpr UINT kUnhandledFirstId = 0xE000;
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
    afx_msg LRESULT OnBarMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrackingKey(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Every control test starts from a hidden recording site, a hub attached to it and a test bar with a
// hidden window owned by the site.
class BarFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CTkControls* Controls() const { return m_pBar->GetControls(); }
    // A control of the type made by the collection's factory, appended.
    CTkControl* Add(int nType, int nId);
    CTkControlPopup* AddPopup(int nType, int nId) { return static_cast<CTkControlPopup*>(Add(nType, nId)); }
    // A popup bar of the hub with a window, not yet any control's sub bar (one reference, the caller's).
    CTkPopupBar* MakePopupBar();
    // Marks the command hidden in short menus: MarkCommandUsed then records it.
    void HideCommand(UINT nId);
    BOOL IsCommandUsed(UINT nId) const;

    CRecordingSite* m_pSite = nullptr;  // deletes itself with its window
    CTestCommandBars* m_pCommandBars = nullptr;
    CTkCommandBar* m_pBar = nullptr;
};

// A button whose freed memory is poisoned and never handed out again, so that a use after its last
// release reads garbage; counts its destructions.
class CPoisonedButton : public CTkControlButton {
public:
    ~CPoisonedButton() override { ++s_nDestroyed; }
    static void* operator new(size_t nSize);
    static void operator delete(void* p, size_t nSize);
    static int s_nDestroyed;
};

// Runs fn once, nDelay ms from now, from inside whatever message loop runs on this thread then (a timer
// of the window). fn must live until it ran.
void RunLater(CWnd* pWnd, UINT nDelay, const std::function<void()>& fn);

// The bytes a routine writes through an archive property exchange (schema 33).
std::vector<BYTE> ExchangedBytes(void (*store)(CTkPropExchange* pPX, void* pContext), void* pContext);
