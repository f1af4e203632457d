#pragma once
#include "RibbonTestSupport.h"
#include "TkFrameWnd.h"

#include "mfc.h"

// The ribbon tests' host: a frame whose command bars make a CTkRibbonBar as their menu bar over a small
// test menu, painted by a ribbon theme of the host's own (given to the hub, not made current) on the
// ribbon look of the tests. Not shown unless asked; destroyed with the host.

class CTkCommandBars;
class CTkRibbonBar;

class CRibbonHostFrame : public CTkFrameWnd {
    DECLARE_DYNCREATE(CRibbonHostFrame)
public:
    CTkCommandBars* CommandBars() const { return m_pCommandBars; }

    // The theme the next frame's command bars paint with (not referenced).
    static CTkRibbonTheme* s_pTheme;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CRibbonHost {
public:
    // A frame of the size at (40, 40); shown without activation when asked.
    explicit CRibbonHost(CSize szFrame = CSize(800, 600), BOOL bShow = FALSE);
    ~CRibbonHost();
    CRibbonHost(const CRibbonHost&) = delete;
    CRibbonHost& operator=(const CRibbonHost&) = delete;

    CRibbonHostFrame* Frame() const { return m_pFrame; }
    CTkCommandBars* CommandBars() const;
    // The hub's menu bar; NULL when it is not a ribbon.
    CTkRibbonBar* Ribbon() const;
    CTkRibbonTheme* Theme() const { return m_theme.Get(); }
    // Lays the frame out again (its bars first).
    void RecalcLayout() const;
    // The frame's window printed into a 32-bpp PNG file.
    BOOL SavePng(LPCWSTR pszPath) const;

private:
    CRibbonLook m_look;
    CRibbonThemeRef m_theme;
    CRibbonHostFrame* m_pFrame = nullptr;  // deletes itself with its window
};
