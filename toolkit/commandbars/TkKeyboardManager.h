#pragma once
#include "TkHookManager.h"

#include "mfc.h"

// CTkKeyboardManager: the calling thread's keyboard sinks (the tracking bars, the combo box's auto-suggest
// tracker), offered the keys of the thread before their windows see them, through thread hooks that exist
// while a sink is registered. One per thread, made on first use by CreateKeyboardManager.

class CTkKeyboardManager : public CNoTrackObject {
public:
    CTkKeyboardManager();
    ~CTkKeyboardManager() override;

    // Appends the sink unless present (installing the hooks when missing).
    void AddSink(CTkHookManagerHookAble* pSink);
    // Removes the sink; with none left the hooks go.
    void RemoveSink(CTkHookManagerHookAble* pSink);
    BOOL HasSinks() const;
    // Offers the message to the sinks, newest first; TRUE = swallow.
    BOOL DispatchToSinks(UINT nMessage, WPARAM wParam, LPARAM lParam);
};

// The calling thread's manager, made on first use.
CTkKeyboardManager* CreateKeyboardManager();
