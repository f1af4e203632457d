#pragma once
#include "TkHookManager.h"
#include "TkShadowManager.h"

#include <vector>

// One shadow window of the shadow manager: a popup tool window that never takes the mouse, placed
// against its owner's edge and watching the owner's messages. Made, cut and destroyed by its manager;
// it destroys itself inside its owner's WM_DESTROY. UI thread only.

// The pixels of a layered shadow of nType and size, rows from the top, each alpha << 24 plus the colour
// with every channel scaled by the pixel's strength: strongest next to the owner, fading outwards and
// towards both ends. bLighter halves the alpha (the kShadowAlways look).
std::vector<DWORD> MakeLayeredShadowPixels(int nType, SIZE size, BOOL bLighter, COLORREF clrShadow);

class CTkShadowManager::CShadowWnd : public CWnd, public CTkHookManagerHookAble {
public:
    // Holds a reference to pManager until deleted.
    CShadowWnd(CTkShadowManager* pManager, HWND hWndOwner, BOOL bControlShadow);
    ~CShadowWnd() override;

    // Makes the window on first use (a layered one when layered shadows are usable), removes any
    // window region and moves it, without repainting, against rcOwner (screen) as nType says. FALSE
    // when the window cannot be made.
    BOOL Create(int nType, const RECT& rcOwner);
    // Cuts the part of the screen rectangle that lies over the shadow out of its window region.
    void ExcludeRect(const RECT& rcScreen);
    // Forgets any window region, as a move or resize needs.
    void RemoveRegion();

    int GetType() const { return m_nType; }
    HWND GetOwnerWindow() const { return m_hWndOwner; }
    BOOL IsControlShadow() const { return m_bControlShadow; }
    BOOL IsRegionApplied() const { return m_bRegionApplied; }

    // The owner's messages: it hides and shows with the owner (never activated) and is destroyed with
    // it. Always kHookNotHandled, so the owner's own procedure runs.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    friend class CTkShadowManager;

    void Draw(CDC* pDC, const CRect& rcClient) const;
    // Hands the window's pixels to UpdateLayeredWindow.
    void UpdateLayeredImage(CSize size);

    int m_nType = kShadowRight;
    BOOL m_bRegionApplied = FALSE;
    HWND m_hWndOwner;  // not owned; NULL once the shadow is being destroyed
    BOOL m_bControlShadow;
    BOOL m_bLayered = FALSE;       // made with WS_EX_LAYERED
    CTkShadowManager* m_pManager;  // one reference
};
