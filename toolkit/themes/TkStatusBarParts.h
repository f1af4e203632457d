#pragma once
#include "TkPaintManagerColor.h"

#include "mfc.h"

#include <vector>

// What the status-bar and information-area operations of the paint managers read. No window of this
// system shows a toolkit status bar or message bar: these records are the shape such a window fills
// before it asks a paint manager to draw its parts.

class CTkImageManagerIcon;
class CTkMarkupUIElement;
struct CTkStatusBarPane;

class CTkStatusBar {
public:
    CRect m_rcClient;
    CTkStatusBarPane* m_pHotPane = nullptr;  // the pane under the mouse (not owned)
};

// One toggle item of a pane's row of switches.
struct CTkStatusBarSwitch {
    CTkImageManagerIcon* pIcon = nullptr;  // not owned
    BOOL bEnabled = TRUE;
    int nWidth = 0;  // given by PaintStatusSwitches when it measures
};

struct CTkStatusBarPane {
    enum Alignment { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

    CTkStatusBar* pStatusBar = nullptr;  // not owned
    CString strText;
    CTkMarkupUIElement* pMarkup = nullptr;  // shown instead of the text when set (not owned)
    CTkImageManagerIcon* pIcon = nullptr;   // not owned
    int nAlignment = kAlignLeft;
    COLORREF clrText = kColorUnset;        // unset: the paint manager's status text colour
    COLORREF clrBackground = kColorUnset;  // unset: no fill
    CFont* pFont = nullptr;                // NULL: the paint manager's status font (not owned)
    CRect rcMargins;
    BOOL bNoBorders = FALSE;  // no frame, and the background fills the whole pane
    BOOL bButton = FALSE;     // drawn as a button face in its state
    BOOL bEnabled = TRUE;
    BOOL bPressed = FALSE;
    std::vector<CTkStatusBarSwitch> switches;
    int nCurrentSwitch = -1;
};

// A small button of an information area (its close button, command SC_CLOSE, shows a cross).
struct CTkSmallButton {
    CRect rc;
    UINT nCommand = 0;
    BOOL bPushed = FALSE;
    BOOL bChecked = FALSE;
    BOOL bHot = FALSE;
    BOOL bEnabled = TRUE;
};

// A window that shows a framed information area reports where the area's content lies.
class CTkInfoAreaHost {
public:
    virtual ~CTkInfoAreaHost() = default;
    // The content rectangle in client coordinates (inside the window's margins and buttons).
    virtual CRect GetInfoAreaRect() const = 0;
};
