#pragma once
#include "mfc.h"

// The base of the theme styles: the colours and drawing operations of one themed control class in one
// theme (the concrete styles add their own virtual operations after these). A style is owned by the
// factory it is installed in and deleted with it or when the factory's style is replaced. Besides that
// it can keep a snapshot of the parent window under a control, so that a control with
// WS_EX_TRANSPARENT can paint the parent's background as its own. UI thread only.

class CTkThemeManagerStyleFactory;

class CTkThemeManagerStyle {
public:
    CTkThemeManagerStyle() = default;
    virtual ~CTkThemeManagerStyle() = default;
    CTkThemeManagerStyle(const CTkThemeManagerStyle&) = delete;
    CTkThemeManagerStyle& operator=(const CTkThemeManagerStyle&) = delete;

    // Re-reads colours and metrics; the factory calls it when it installs the style.
    virtual void Refresh() {}
    // Copies the part of pControl's parent that lies under pControl; FALSE when pControl has no parent
    // window or the copy cannot be made.
    virtual BOOL TakeSnapshot(CWnd* pControl);
    // For a control with WS_EX_TRANSPARENT: takes a snapshot and paints it at (0, 0) of pDC over the
    // control's client size. FALSE, with nothing drawn, for any other control or a failed snapshot.
    virtual BOOL DrawTransparentBack(CDC* pDC, CWnd* pControl);

    // The factory the style is installed in; NULL before.
    CTkThemeManagerStyleFactory* GetFactory() const { return m_pFactory; }
    // The theme number the factory made the style for: 0 default, 1 Office XP, 2 Office 2003.
    int GetTheme() const { return m_nTheme; }
    void SetTheme(int nTheme) { m_nTheme = nTheme; }

private:
    friend class CTkThemeManagerStyleFactory;

    CTkThemeManagerStyleFactory* m_pFactory = nullptr;  // the owner
    int m_nTheme = 0;
    CBitmap m_snapshot;
};
