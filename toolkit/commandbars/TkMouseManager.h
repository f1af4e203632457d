#pragma once
#include "mfc.h"

#include <vector>

// CTkMouseManager: the calling thread's record of the bars that track the mouse (open menus, popups,
// keyboard navigation), with a thread mouse hook that closes them on a click elsewhere. One per thread,
// made on first use by CreateMouseManager and deleted at the thread's end; the mouse hook lives exactly
// as long as the manager. It also stands in for WM_MOUSELEAVE (TrackMouseLeave), with a 50 ms timer on
// the watched window.
//
// The manager never owns a bar: a bar leaves the tracked list when it ends tracking and is forgotten as
// the hot bar when it goes (ForgetBar).

class CTkCommandBar;

class CTkMouseManager : public CNoTrackObject {
public:
    // The bars in the order they started tracking.
    using CTrackArray = std::vector<CTkCommandBar*>;
    // Windows whose clicks leave the tracked bars open.
    using CTrustedArray = std::vector<HWND>;

    // Installs the thread's mouse hook.
    CTkMouseManager();
    ~CTkMouseManager() override;
    CTkMouseManager(const CTkMouseManager&) = delete;
    CTkMouseManager& operator=(const CTkMouseManager&) = delete;

    // ---- Tracked bars
    // Appends the bar unless present; the first tracked bar clears the hot bar's selection.
    void AddTrackedBar(CTkCommandBar* pBar);
    // With none left the pointer is put where it is, so the window under it hears a fresh move.
    void RemoveTrackedBar(CTkCommandBar* pBar);
    int GetTrackedCount() const;
    // NULL when none.
    CTkCommandBar* GetLastTrackedBar() const;
    // FALSE when no bar is tracked; else TRUE for NULL, for a locked bar and for a bar not tracked.
    BOOL IsTrackingOtherBar(CTkCommandBar* pBar) const;
    // Ends the tracking of every tracked bar.
    void CloseAllTracked();
    // Raises (or lowers) the lock counter of every tracked bar.
    void LockTrackedBars(BOOL bLock);
    // When the first tracked bar is locked, ends the tracking of every unlocked one.
    void CloseUnlockedPopups();
    // The newest tracked bar at the screen point, or NULL.
    CTkCommandBar* FindTrackedBarAtPoint(CPoint pt) const;
    // Whether a message seen by a bar's tracking loop ends the tracking: a button press outside every
    // tracked bar, trusted window and input-method window.
    BOOL EndsTracking(CTkCommandBar* pBar, const MSG* pMsg) const;

    // ---- The hot bar: the bar whose selection changed last (not referenced)
    CTkCommandBar* GetHotBar() const { return m_pHotBar; }
    void SetHotBar(CTkCommandBar* pBar) { m_pHotBar = pBar; }
    // The bar goes: it is no longer tracked and no longer the hot bar.
    void ForgetBar(CTkCommandBar* pBar);

    // ---- Trusted windows
    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);

    // ---- Mouse leave without TrackMouseEvent: the window gets WM_MOUSELEAVE (posted) within 50 ms of the
    // pointer leaving it; a window watched before gets it at once (sent).
    void TrackMouseLeave(HWND hWnd);

    // Forgets the last pointer position, so that the next move, even in place, counts.
    static void ResetLastMousePoint();

    // Installs or removes the thread's mouse hook.
    void SetMouseHook(BOOL bOn);

    // Raised around the modal loops of controls (tracking buttons, focused combo boxes, open lists);
    // while positive the tracked bars ignore the mouse. Read and written directly.
    int m_nLock = 0;
    // Set while a popup bar opens; read and cleared by the popup bars, cleared when tracking ends.
    BOOL m_bPopupOpening = FALSE;
    // The release of the click that opened a popup is swallowed (set by the popup tracking).
    BOOL m_bSwallowButtonUp = FALSE;

private:
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMessage, UINT_PTR nIdEvent, DWORD dwTime);
    // Answers whether the hook swallows the message.
    BOOL OnMouseHook(UINT nMessage, CPoint pt);
    // Hands a mouse message outside every tracked bar to the tracked bars.
    void DispatchMouseEvent(UINT nMessage, CPoint pt);
    // The point lies in a visible trusted window or in an input-method window.
    BOOL IsInTrustedWindow(CPoint pt) const;
    // The bar's hit test answers 1, or is not -2 and the window at the point is a child of the bar's.
    static BOOL IsBarAtPoint(CTkCommandBar* pBar, CPoint pt);

    CTrackArray m_trackedBars;
    HHOOK m_hMouseHook = nullptr;
    CTkCommandBar* m_pHotBar = nullptr;  // not referenced
    HWND m_hwndMouseLeave = nullptr;
    CTrustedArray m_trustedWindows;
};

// The calling thread's manager, made on first use.
CTkMouseManager* CreateMouseManager();
