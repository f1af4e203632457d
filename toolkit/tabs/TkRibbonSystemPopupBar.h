#pragma once
#include "TkPopupBar.h"

#include "mfc.h"

// The ribbon's system menu: the popup of the system button, a skinned menu with a main column of
// commands, optional pages (sub-popups), a column with the recent files under their caption, and a row
// of push buttons in its bottom border. The application fills both bars with controls; these classes
// size, place and draw them. Reference counted like every bar; UI thread.

class CTkRibbonControlSystemButton;

class CTkRibbonSystemPopupBar : public CTkPopupBar {
    DECLARE_SERIAL(CTkRibbonSystemPopupBar)
public:
    // The border widths around the columns; the push buttons sit in the bottom one.
    static constexpr int kBorderLeft = 6;
    static constexpr int kBorderTop = 18;
    static constexpr int kBorderRight = 6;
    static constexpr int kBorderBottom = 29;

    CTkRibbonSystemPopupBar();

    CRect GetBorders() override;
    // The column layout of the popup bar without the push buttons, which are then placed in the bottom
    // border from the right.
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;
    // The "RIBBONSYSTEMMENU" image, the system button again where the menu covers it, and the background
    // of the recent-file column; nothing at all without the image.
    void FillBackground(CDC* pDC) override;

    // The system button that opened the bar when it sits on a ribbon with a caption and tabs (the menu
    // then covers part of it); NULL otherwise.
    CTkRibbonControlSystemButton* GetOverlappedSystemButton() const;

    DECLARE_MESSAGE_MAP()

protected:
    // The part of the system button the menu covers stays clickable: transparent there.
    afx_msg LRESULT OnNcHitTest(CPoint point);
};

// A page of the system menu: a sub-popup that opens beside the main column, as tall as the menu's
// columns.
class CTkRibbonSystemPopupBarPage : public CTkPopupBar {
    DECLARE_SERIAL(CTkRibbonSystemPopupBarPage)
public:
    CTkRibbonSystemPopupBarPage();

    // Opened from a system menu: one pixel wider and level with the top of the menu's columns.
    void AdjustControlRect(CRect& rc, BOOL bVertical) override;
    // Opened from a system menu: at least as tall as the menu's columns.
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;

    // The system menu the page opens from; NULL otherwise.
    CTkRibbonSystemPopupBar* GetSystemPopupBar() const;
};
