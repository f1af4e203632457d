#pragma once
#include "TkModuleHandle.h"

#include "mfc.h"

// Drop shadows of popups and opened controls: small tool windows against the owner's right and bottom
// edges, alpha-blended 4-pixel strips where layered windows can be used, 2-pixel solid strips
// otherwise. A shadow watches its owner through the hook manager: it hides and shows with it and
// destroys itself when the owner is destroyed.
//
// Every paint manager owns one manager (created with the first reference) and sets its options and
// colour; each live shadow holds a further reference, so the manager lasts until its last shadow is
// gone. UI thread only.

// Option bits.
constexpr int kShadowAlways = 1;   // shadows even when the system's drop-shadow setting is off; lighter ones
constexpr int kShadowExclude = 2;  // cut the exclude rectangle out; control shadows

// Kinds of shadow window.
enum ShadowType {
    kShadowRight = 0,   // strip right of the owner
    kShadowBottom = 1,  // strip below the owner
    kShadowRegion = 2,  // one pixel at the corner of an owner with a non-rectangular window region
};

class CTkShadowManager : public CCmdTarget {
public:
    class CShadowWnd;  // TkShadowWnd.h
    using CShadowList = CList<CShadowWnd*, CShadowWnd*>;

    // Binds UpdateLayeredWindow and decides whether layered shadows are usable (Refresh).
    CTkShadowManager();
    // Frees the list only: a live shadow holds a reference, so none is left when this runs.
    ~CTkShadowManager() override;

    // ---- Options (the paint managers set them)
    int GetOptions() const { return m_nOptions; }
    void SetOptions(int nOptions) { m_nOptions = nOptions; }
    COLORREF GetShadowColor() const { return m_clrShadow; }
    void SetShadowColor(COLORREF clrShadow) { m_clrShadow = clrShadow; }
    // Layered shadows need UpdateLayeredWindow and a display of more than 256 colours.
    BOOL IsLayeredUsable() const { return m_bLayeredUsable; }
    // Decides again after a display change; shadows made earlier keep their kind.
    void Refresh();

    // ---- Shadows
    // A bottom and a right shadow for the owner's window rectangle, and a region shadow when its window
    // region is complex. Without kShadowAlways only when layered shadows are usable and the system's
    // drop-shadow setting is on. pExclude (screen; may be NULL) is cut out under kShadowExclude.
    void SetShadow(CWnd* pOwner, const RECT* pExclude);
    // A bottom and a right shadow along a control's screen rectangle, owned by the popup opened from it;
    // only with both option bits.
    void SetControlShadow(const RECT& rcControl, CWnd* pOwner);
    // One shadow of nType for the screen rectangle rcOwner: joined to the shadows already there, cut by
    // the exclude rectangle (under kShadowExclude) and by every shadow owner's window, put on top
    // without activation and hooked to the owner. Nothing when its window cannot be made.
    void CreateShadow(int nType, const RECT& rcOwner, const RECT& rcExclude, CWnd* pOwner, BOOL bControlShadow);
    // Destroys every shadow of the owner.
    void RemoveShadow(CWnd* pOwner);
    // Moves and stretches the shadows (not the control shadows) of an owner that grew by dx, dy.
    void AdjustShadows(CWnd* pOwner, int dx, int dy);

private:
    using PFN_UPDATELAYEREDWINDOW = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);

    // A new shadow that meets the end of another one at a corner is lengthened under it.
    void JoinCorners(CShadowWnd* pShadow);
    // Hides the shadow, takes it out of the list, destroys its window and deletes it.
    void DestroyShadow(CShadowWnd* pShadow);

    CTkModuleHandle m_user32;
    PFN_UPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow = nullptr;
    CShadowList m_shadows;  // live shadows; each deletes itself
    BOOL m_bLayeredUsable = FALSE;
    int m_nOptions = 0;
    COLORREF m_clrShadow = 0;
};
