#pragma once
#include "mfc.h"

// CTkThemedFrameHook: lets a theme or a ribbon draw a frame window's caption and borders. It computes the
// frame's window region for each size, the caption height and the status-bar edge, and makes the frame
// lay its non-client area out again. The messages of the hooked frame are handled by the ribbon that
// attaches the hook. UI thread.

class CTkCommandBars;
class CTkMenuBar;
class CTkPaintManager;

class CTkThemedFrameHook {
public:
    // The frame, its command bars (NULL: the own paint manager draws) and the ribbon that draws the
    // frame's caption (NULL: none); neither is owned.
    CTkThemedFrameHook(HWND hwndFrame, CTkCommandBars* pCommandBars, CTkMenuBar* pRibbonBar);
    // Releases the own paint manager.
    virtual ~CTkThemedFrameHook();
    CTkThemedFrameHook(const CTkThemedFrameHook&) = delete;
    CTkThemedFrameHook& operator=(const CTkThemedFrameHook&) = delete;

    HWND GetFrameWindow() const { return m_hwndFrame; }
    CTkMenuBar* GetRibbonBar() const { return m_pRibbonBar; }
    // The command bars' paint manager, else the own one, else the current one.
    CTkPaintManager* GetPaintManager() const;
    // The paint manager used without command bars (a reference is taken; NULL drops it).
    void SetPaintManager(CTkPaintManager* pPaintManager);

    // The frame's GWL_EXSTYLE (bExtended) or GWL_STYLE; 0 without a window.
    DWORD GetFrameStyle(BOOL bExtended) const;
    BOOL IsMDIChildMaximized() const;
    // FALSE while a visible ribbon docked at the top draws the caption, unless the frame is a minimised
    // child window.
    BOOL IsFrameCaptionVisible() const;
    // The caption height plus the frame border: the ribbon's while the frame shows no caption of its own,
    // else the theme's.
    int GetCaptionHeight() const;
    // The height of the frame's status bar when the theme draws the frame's status-bar edge and the status
    // bar is shown; FALSE otherwise.
    BOOL GetStatusBarHeight(int& nHeight) const;

    // Computes the frame region for a window size: again only for a new size or when forced.
    void ApplyFrameRegion(int cx, int cy, BOOL bForce);
    // ApplyFrameRegion with the frame's size now, forced.
    void UpdateFrameRegion();
    // Asks for RecalcFrame at the frame's next idle update.
    void DelayRecalcFrame();
    BOOL IsRecalcFramePending() const { return m_bRecalcPending; }
    // The frame's non-client area and layout again, then the ribbon's picture.
    void RecalcFrame();

    // ---- What a ribbon that draws the frame's caption reads
    // The frame border of the last region computed (the left inset AdjustWindowRectEx adds).
    int GetFrameBorder() const { return m_nFrameBorder; }
    // The frame is extended into its client area through the desktop window manager (composition on).
    BOOL IsDwmEnabled() const { return m_bDwmEnabled; }
    void SetDwmEnabled(BOOL bEnabled) { m_bDwmEnabled = bEnabled; }
    // The frame is the active window (its caption draws active).
    BOOL IsFrameActive() const { return m_bFrameActive; }
    void SetFrameActive(BOOL bActive) { m_bFrameActive = bActive; }

protected:
    // DwmExtendFrameIntoClientArea on the frame with only a top margin.
    virtual void ExtendFrameIntoClientArea(int cyTop);

    HWND m_hwndFrame;
    CTkMenuBar* m_pRibbonBar;                    // not owned
    CTkCommandBars* m_pCommandBars;              // not owned
    CTkPaintManager* m_pPaintManager = nullptr;  // referenced
    CSize m_szFrameRegion{0, 0};                 // the size of the last region computed
    BOOL m_bRecalcPending = FALSE;
    BOOL m_bInUpdateRegion = FALSE;
    int m_nFrameBorder = 0;
    BOOL m_bDwmEnabled = FALSE;
    BOOL m_bFrameActive = TRUE;
};
