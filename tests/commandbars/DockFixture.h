#pragma once
#include "BarFixtures.h"
#include "TkDockBar.h"
#include "TkDockContext.h"
#include "TkToolBar.h"

#include <vector>

// The docking tests' frame: the recording site with the hub's four dock bars, toolbars added to it, and the
// rows of a dock bar read back.

using Rows = std::vector<std::vector<CTkToolBar*>>;

class DockFixture : public BarFixture {
protected:
    void SetUp() override;

    // A toolbar of the hub docked in a new last row of the top dock bar, with buttons 100.. and laid out.
    CTkToolBar* AddDockedBar(LPCWSTR pszTitle, int nButtons);
    // The frame's layout now.
    void Layout();
    // The dock bar's array as rows (entry 0 and the row ends dropped).
    static Rows RowsOf(const CTkDockBar* pDockBar);
    // The window's rectangle in the client coordinates of another.
    static CRect ClientRectIn(const CWnd* pWnd, const CWnd* pOther);
};
