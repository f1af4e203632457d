#pragma once
#include "TkButton.h"

// Windows of the button tests: a parent shown without activation (hiding an activated window costs Wine
// two seconds without a window manager) that counts the WM_DRAWITEM the system sends it, and a button
// whose state the tests read and set.

class CButtonParent : public CWnd {
public:
    CButtonParent();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_nDrawItems = 0;             // WM_DRAWITEM received
    int m_nCtlColorBtn = 0;           // WM_CTLCOLORBTN received
    HBRUSH m_hButtonBrush = nullptr;  // the answer to WM_CTLCOLORBTN when set (not owned)
};

class TestButton : public CTkButton {
public:
    using CTkButton::m_bChecked;
    using CTkButton::m_bHot;
    using CTkButton::m_bOwnerDrawn;
    using CTkButton::m_bPressed;

    // A 75 x 23 button at (10, 10) of the parent with the aux data's font.
    BOOL CreateIn(CWnd* pParent, LPCWSTR pszText, DWORD dwStyle = BS_OWNERDRAW, UINT nId = 100);

    void DrawButton(CDC* pDC) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_nPaints = 0;       // DrawButton calls
    LRESULT m_uiState = -1;  // the answer to WM_QUERYUISTATE; -1: the system's
    UINT m_nLastState = 0;   // itemState of the last DrawItem
};

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
