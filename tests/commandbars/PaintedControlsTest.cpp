// Controls with the default theme, the current paint manager that the first lookup makes: whole toolbar
// layouts with its separator, the halves of a split button, the shadow that joins an open popup to its
// control, and the sizes controls report.

#include "BarFixtures.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "TkShadowManager.h"
#include "TkShadowWnd.h"

#include <vector>

namespace {

// Icon-only buttons without images measure the bar's button size: its 16 x 16 icons and 6 more, 22 x 22.
void AddIconButtons(CTkControls* pControls, int nCount) {
    for (int i = 0; i < nCount; ++i) {
        CTkControl* pControl = pControls->Add(kControlButton, 100 + i);
        pControl->SetStyle(kButtonIcon);
    }
}

TEST_F(BarFixture, ToolbarLayoutsSeparateGroupsBySixAndMoveThemWhole) {
    CTkPaintManager* pPaintManager = m_pBar->GetPaintManager();
    ASSERT_NE(pPaintManager, nullptr);
    EXPECT_EQ(pPaintManager->GetThemeNumber(), kThemeDefault);
    EXPECT_EQ(pPaintManager->PaintControlSeparator(nullptr, m_pBar, nullptr, FALSE), CSize(6, 6));
    AddIconButtons(Controls(), 3);
    Controls()->GetAt(1)->SetBeginGroup(TRUE);
    struct Row {
        LPCSTR pszCase;
        int nLength;
        DWORD dwMode;
        CSize size;
        std::vector<CRect> rects;
        std::vector<BOOL> visible;
    };
    const Row rows[] = {
        {"room for all",
         200,
         kLayoutHorzDock | kLayoutCommit,
         CSize(72, 22),
         {CRect(0, 0, 22, 22), CRect(28, 0, 50, 22), CRect(50, 0, 72, 22)},
         {TRUE, TRUE, TRUE}},
        // A wrapped bar stretches to the length.
        {"the group wraps as a whole",
         50,
         kLayoutHorzDock | kLayoutCommit,
         CSize(50, 50),
         {CRect(0, 0, 22, 22), CRect(0, 28, 22, 50), CRect(22, 28, 44, 50)},
         {TRUE, TRUE, TRUE}},
        {"the group is hidden instead",
         45,
         kLayoutHorzDock | kLayoutCommit | kLayoutHideWrap,
         CSize(45, 22),
         {CRect(0, 0, 22, 22)},
         {TRUE, FALSE, FALSE}},
    };
    for (const Row& row : rows) {
        for (int i = 0; i < 3; ++i)
            Controls()->GetAt(i)->SetHideFlags(0);
        DWORD dwMode = row.dwMode;
        EXPECT_EQ(Controls()->CalcToolbarLayout(nullptr, row.nLength, dwMode, CRect(0, 0, 0, 0), 0), row.size)
            << row.pszCase;
        for (size_t i = 0; i < row.rects.size(); ++i)
            EXPECT_EQ(Controls()->GetAt(static_cast<int>(i))->GetRect(), row.rects[i]) << row.pszCase << " " << i;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Controls()->GetAt(i)->IsVisible(), row.visible[i]) << row.pszCase << " " << i;
        if (row.dwMode & kLayoutHideWrap) {
            EXPECT_TRUE(dwMode & kLayoutStretch) << row.pszCase;
        }
    }
}

TEST_F(BarFixture, SplitHalvesFollowTheThemesCommandRectangle) {
    CTkControlPopup* pSplit = AddPopup(kControlSplitButtonPopup, 300);
    pSplit->SetRect(CRect(10, 0, 44, 22));
    CTkPaintManager* pPaintManager = pSplit->GetPaintManager();
    // The drop-down part is the toolbar split width and one more pixel.
    EXPECT_EQ(pPaintManager->GetSplitCommandRect(pSplit), CRect(10, 0, 32, 22));
    pSplit->SetSelected(1);
    struct Row {
        CPoint pt;
        int nSelected;
    };
    const Row rows[] = {{{20, 10}, 4}, {{31, 10}, 4}, {{32, 10}, 5}, {{40, 10}, 5}};
    for (const Row& row : rows) {
        pSplit->HandleMouseMove(row.pt);
        EXPECT_EQ(pSplit->GetSelected(), row.nSelected) << row.pt.x;
    }
}

// The shadow windows of this thread owned by the window.
int CountShadowsOf(HWND hWndOwner) {
    std::vector<HWND> found;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    int nCount = 0;
    for (HWND hWnd : found) {
        auto* pShadow = dynamic_cast<CTkShadowManager::CShadowWnd*>(CWnd::FromHandlePermanent(hWnd));
        if (pShadow != nullptr && pShadow->GetOwnerWindow() == hWndOwner)
            ++nCount;
    }
    return nCount;
}

TEST_F(BarFixture, AnOpenPopupIsJoinedToItsControlByAShadowWhileThePaintManagerShowsShadows) {
    CTkControlPopup* pPopup = AddPopup(kControlButtonPopup, 300);
    CTkPopupBar* pPopupBar = MakePopupBar();
    pPopup->SetCommandBar(pPopupBar);
    pPopupBar->InternalRelease();
    pPopup->SetRect(CRect(0, 0, 23, 22));
    CTkPaintManager* pPaintManager = pPopup->GetPaintManager();
    CTkShadowManager* pShadows = pPaintManager->GetShadowManager();
    const int nOptions = pShadows->GetOptions();
    pShadows->SetOptions(kShadowAlways | kShadowExclude);
    pPaintManager->m_bShowShadow = FALSE;
    pPopup->UpdatePopupShadow();
    EXPECT_EQ(CountShadowsOf(pPopupBar->GetSafeHwnd()), 0);
    pPaintManager->m_bShowShadow = TRUE;
    pPopup->UpdatePopupShadow();
    EXPECT_EQ(CountShadowsOf(pPopupBar->GetSafeHwnd()), 2);
    pShadows->RemoveShadow(pPopupBar);
    pShadows->SetOptions(nOptions);
}

TEST_F(BarFixture, ControlsReportTheSizeTheirPaintManagerMeasures) {
    CTkPaintManager* pPaintManager = m_pBar->GetPaintManager();
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CScopedSelectObject font(dc.GetSafeHdc(), pPaintManager->m_fntRegular.GetSafeHandle());
    const CSize szText = dc.GetTextExtent(L"Print", 5);
    CTkControl* pButton = Add(kControlButton, 100);
    pButton->SetCaption(L"&Print");
    pButton->SetStyle(kButtonCaption);
    EXPECT_EQ(pButton->GetSize(nullptr), CSize(szText.cx + 8, std::max<LONG>(22, szText.cy + 6)));
    pButton->SetStyle(kButtonIcon);
    EXPECT_EQ(pButton->GetSize(nullptr), m_pBar->GetButtonSize());
}

}  // namespace
