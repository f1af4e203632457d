#pragma once
#include "TkHookManager.h"

#include "mfc.h"

#include <vector>

// CTkKeyboardManager: the calling thread's keyboard sinks (the tracking bars, the combo box's auto-suggest
// tracker), offered the keys of the thread before their windows see them. Two thread hooks carry them:
// WH_KEYBOARD for the keys and WH_CALLWNDPROC for the application losing activation, which closes the
// tracked bars. The hooks exist exactly while a sink is registered. One per thread, made on first use by
// CreateKeyboardManager and deleted at the thread's end. Sinks are not owned.

class CTkKeyboardManager : public CNoTrackObject {
public:
    CTkKeyboardManager();
    // Removes both hooks.
    ~CTkKeyboardManager() override;
    CTkKeyboardManager(const CTkKeyboardManager&) = delete;
    CTkKeyboardManager& operator=(const CTkKeyboardManager&) = delete;

    // Appends the sink unless present (installing the hooks when missing).
    void AddSink(CTkHookManagerHookAble* pSink);
    // Removes the sink; with none left the hooks go.
    void RemoveSink(CTkHookManagerHookAble* pSink);
    BOOL HasSinks() const;
    // Offers the message to the sinks, newest first: kHookNotHandled asks the next one, kHookHandled
    // answers TRUE, kHookStop FALSE. When no sink answers, TRUE (swallow).
    BOOL DispatchToSinks(UINT nMessage, WPARAM wParam, LPARAM lParam);

    // Install or remove one hook; a failed installation leaves it missing until the next AddSink.
    void SetKeyboardHook(BOOL bOn);
    void SetCallWndProcHook(BOOL bOn);

private:
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProcHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    // Answers whether the hook swallows the key.
    BOOL OnKeyboardHook(UINT nKey, LPARAM lParam);

    HHOOK m_hKeyboardHook = nullptr;
    HHOOK m_hCallWndProcHook = nullptr;
    std::vector<CTkHookManagerHookAble*> m_sinks;  // oldest first; not owned
};

// The calling thread's manager, made on first use.
CTkKeyboardManager* CreateKeyboardManager();
