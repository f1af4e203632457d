#pragma once
#include "mfc.h"

// CTkMouseManager: the calling thread's record of the bars that track the mouse (open menus, popups,
// keyboard navigation), with a thread mouse hook that closes them on a click elsewhere. One per thread,
// made on first use by CreateMouseManager and deleted at the thread's end.

class CTkCommandBar;

class CTkMouseManager : public CNoTrackObject {
public:
    CTkMouseManager();
    ~CTkMouseManager() override;

    void AddTrackedBar(CTkCommandBar* pBar);
    void RemoveTrackedBar(CTkCommandBar* pBar);
    int GetTrackedCount() const;
    // FALSE when no bar is tracked; else TRUE for NULL, for a locked bar and for a bar not tracked.
    BOOL IsTrackingOtherBar(CTkCommandBar* pBar) const;
    // Ends the tracking of every tracked bar.
    void CloseAllTracked();
    void LockTrackedBars(BOOL bLock);
    // Clicks in trusted windows do not close the tracked bars.
    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);

    // Raised around the modal loops of controls (tracking buttons, focused combo boxes, open lists);
    // while positive the tracked bars ignore the mouse. Read and written directly.
    int m_nLock = 0;
};

// The calling thread's manager, made on first use.
CTkMouseManager* CreateMouseManager();
