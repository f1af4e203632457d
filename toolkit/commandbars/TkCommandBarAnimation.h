#pragma once
#include "mfc.h"

#include <memory>
#include <vector>

// CTkCommandBarAnimation: the painting object of every bar. The bar's WM_PAINT and its Redraw go through
// it. It keeps a picture of the whole client area (the cache), repaints changed rectangles into it, and,
// when animation is on, fades each changed rectangle from the old picture to the new one in six steps,
// one per 50 ms tick of the bar's timer 707907 (the first step at the redraw itself). Owned by its bar and
// destroyed with it; UI thread.
//
// Animation is on when the bar's own switch is set or its paint manager's animation switch is.

class CTkCommandBar;

class CTkCommandBarAnimation {
public:
    // One fade: the old and new pictures of a rectangle as 32-bpp DIB sections.
    class CAnimateInfo {
    public:
        CAnimateInfo(HDC hDC, const CRect& rc);
        ~CAnimateInfo();
        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;

        BOOL IsValid() const { return m_hNew != nullptr && m_hOld != nullptr; }
        size_t GetByteCount() const { return static_cast<size_t>(m_rc.Width()) * m_rc.Height() * 4; }

        HBITMAP m_hNew = nullptr;  // owned
        BYTE* m_pNewBits = nullptr;
        HBITMAP m_hOld = nullptr;  // owned
        BYTE* m_pOldBits = nullptr;
        CRect m_rc;  // client coordinates
        int m_nStep = 1;
        std::vector<CRect> m_excluded;  // not painted by this fade
    };

    static constexpr int kSteps = 6;
    static constexpr UINT kStepInterval = 50;  // ms

    explicit CTkCommandBarAnimation(CTkCommandBar* pBar) : m_pBar(pBar) {}
    ~CTkCommandBarAnimation();
    CTkCommandBarAnimation(const CTkCommandBarAnimation&) = delete;
    CTkCommandBarAnimation& operator=(const CTkCommandBarAnimation&) = delete;

    // Repaints the rectangle (NULL: everything), fading it when bAnimate and animation is on.
    void RedrawBar(LPCRECT pRect, BOOL bAnimate);
    // WM_PAINT of the bar.
    void OnPaint(CPaintDC& paintDC);
    // One step of every fade (the bar's timer).
    void OnTimer();
    // Frees every fade and stops the timer.
    void RemoveAll();
    // The bar's window goes: the cache too.
    void OnDestroy();

    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    void SetCachedPaint(BOOL bCachedPaint) { m_bCachedPaint = bCachedPaint; }
    BOOL IsAnimationOn() const;

    // What tests and the bar read.
    int GetFadeCount() const { return static_cast<int>(m_animations.size()); }
    BOOL IsTimerRunning() const { return m_nTimer != 0; }
    HBITMAP GetCache() const { return m_hCache; }

    // One blended step: (new x a + old x (255 - a)) >> 8 byte by byte, a = nStep x 255 / 6.
    static void BlendStep(const BYTE* pNew, const BYTE* pOld, BYTE* pOut, size_t nBytes, int nStep);

private:
    // The bar drawn, clipped to rc, into a new client-size DIB selected into a memory DC of hDC.
    HBITMAP DrawOffScreen(HDC hDC, const CRect& rc) const;
    // Draws the fade's current step onto the screen DC and advances it.
    void DrawStep(HDC hDC, CAnimateInfo* pInfo);
    // Fades lying wholly inside rc go; with bExclude, the others that meet rc stop painting there.
    void ResolveOverlaps(const CRect& rc, BOOL bExclude);
    CSize GetClientSize() const;
    void DeleteCache();

    CTkCommandBar* m_pBar;       // the owner
    HBITMAP m_hCache = nullptr;  // owned: a 32-bpp DIB section of the client size
    BOOL m_bFullRepaint = FALSE;
    UINT_PTR m_nTimer = 0;
    BOOL m_bEnabled = FALSE;
    BOOL m_bCachedPaint = FALSE;
    std::vector<std::unique_ptr<CAnimateInfo>> m_animations;
};
