#pragma once
#include "FoundationTestSupport.h"
#include "TkCaption.h"
#include "TkIconHandle.h"

#include <vector>

// Windows and pictures of the caption tests: a host that records what captions tell it, captions
// printed into DIB sections, and icons of one colour.

// A popup window shown without activation (under Xvfb with no window manager, hiding or destroying an
// activated window costs Wine two seconds) that records the caption messages and commands it gets.
class CCaptionHost : public CWnd {
public:
    explicit CCaptionHost(const CRect& rect);
    ~CCaptionHost() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // How many of the messages arrived.
    int Count(UINT message) const;

    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> m_received;  // kCaptionPopup* messages and WM_COMMAND, in order
};

// The caption's client area rendered by WM_PRINTCLIENT into a 32-bpp DIB section of its size.
struct PrintedWindow {
    explicit PrintedWindow(CWnd* pWnd);
    CRect rcClient;
    CScopedMemDC dc;
};

// A picture of the caption as the screen shows it (the caption, then its button over it when visible)
// in the working folder, for a person to look at.
void WriteCaptionPng(CTkCaption* pCaption, LPCWSTR pszFileName);

// A 16 x 16 icon of one colour.
HICON MakeSolidIcon(COLORREF color);
