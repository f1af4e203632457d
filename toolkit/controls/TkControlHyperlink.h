#pragma once
#include "TkControl.h"

// CTkControlHyperlink: a caption drawn as a link (blue, red while selected, grey when disabled) whose
// press opens its tooltip text with the shell's "open" verb. It keeps ControlType 0 and runs nothing of a
// command's execution: no sound, no notification, no command, and open popups stay open.
class CTkControlHyperlink : public CTkControl {
    DECLARE_SERIAL(CTkControlHyperlink)
public:
    // The shell's open call; tests replace it so that no browser starts.
    using ShellOpenCall = HINSTANCE(WINAPI*)(HWND hWnd, LPCWSTR pszVerb, LPCWSTR pszFile, LPCWSTR pszParameters,
                                             LPCWSTR pszDirectory, INT nShowCmd);
    // Replaces the call (NULL: the shell's own again); answers the previous one.
    static ShellOpenCall SetShellOpenCall(ShellOpenCall pfnCall);

    CTkControlHyperlink();

    // Opens TooltipText; an empty text opens nothing.
    void Execute() override;
    // Executes at the press, by mouse or keyboard; a disabled link or one under customisation does not.
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    void HandleMouseMove(CPoint pt) override;
    // The caption's extent in the regular font, without a margin.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;

    // The text colours.
    static constexpr COLORREF kLinkColor = RGB(0, 0, 255);
    static constexpr COLORREF kSelectedLinkColor = RGB(255, 0, 0);

private:
    // The paint manager's regular font, else the stock GUI font.
    CFont* GetLinkFont() const;

    HCURSOR m_hCursor = nullptr;  // the shared system hand cursor; not released
};
