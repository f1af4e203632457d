#pragma once
#include "TkTabClientWnd.h"

#include "TkControlButton.h"

// A tab-workspace group hosted in a command bar: a control that is also a group of a tab client. The
// client that uses it is its owner (SetCommandBarWorkspace); the control owns the group part, and its
// removal from the bar empties the owner's list of groups. Created through its runtime class; UI thread.

class CTkControlTabWorkspace : public CTkControlButton, public CTkTabClientWnd::CWorkspace {
    DECLARE_DYNCREATE(CTkControlTabWorkspace)
public:
    CTkControlTabWorkspace();

    // ---- The control
    // Lays the group out in a new rectangle (or when a layout is due).
    void SetRect(CRect rc) override;
    // The header's thickness across the bar, the width setting along it.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    void HandleMouseMove(CPoint pt) override;
    void OnRemoved() override;
    INT_PTR HitTestToolTip(CPoint pt, TOOLINFO* pToolInfo) override;

    // ---- The group
    CTkTabPaintManager* GetPaintManager() const override;
    void RedrawControl(const RECT* pRect, BOOL bAnimate) override;
    int GetPosition() const override;
    CObject* GetHostObject() const override;
    void OnHostRepositioned() override;

private:
    HWND GetBarHwnd() const;

    BOOL m_bNeedsLayout = FALSE;
};

// The tab classes made by name (the workspace control); call once so a static link keeps them. Also
// registers the tab client with the command bars: its answers to the workspace-actions placeholder, and
// its refresh after the bars' re-layout, and the ribbon theme as theme 6.
void RegisterTabClasses();
