// The small controls: the grid selector (size, highlight, notifications, growth, saved sizes), the
// hyperlink (colours and the shell call), labels, the markup label through the real engine, the image
// label and the custom control with its hosted window.

#include "BarFixtures.h"
#include "ControlsTestSupport.h"
#include "TkControlBitmap.h"
#include "TkControlCustom.h"
#include "TkControlHyperlink.h"
#include "TkControlLabel.h"
#include "TkControlMarkupLabel.h"
#include "TkControlSelector.h"
#include "TkDCWrappers.h"
#include "TkMarkup.h"
#include "TkPaintManager.h"
#include "TkPropExchange.h"

#include <string>
#include <vector>

namespace {

int CountNotifications(const CRecordingSite* pSite, UINT nCode) {
    int n = 0;
    for (const auto& notification : pSite->m_notifications)
        n += notification.nCode == nCode ? 1 : 0;
    return n;
}

// Loads pTarget from what store wrote.
void LoadFrom(CTkControl* pTarget, void (*store)(CTkPropExchange*, void*), void* pContext) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTkPropExchangeArchive exchange(ar);
        store(&exchange, pContext);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    exchange.m_bLoading = TRUE;
    pTarget->ExchangeProperties(&exchange);
}

void StoreControl(CTkPropExchange* pPX, void* p) {
    static_cast<CTkControl*>(p)->ExchangeProperties(pPX);
}

// The left button as the thread's input state sees it.
void SetLeftButtonState(BOOL bDown) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

TEST_F(BarFixture, SelectorHighlightsABlockGrowsWhileDraggedAndExecutesWithIt) {
    auto* pSelector = new CTkControlSelector;
    Controls()->InitAddedControl(pSelector, 500, nullptr, -1, FALSE);
    pSelector->PrepareForLayout(0);
    EXPECT_EQ(CountNotifications(m_pSite, CTkControlSelector::kNotifyHotSizeChanged), 1) << "every layout";
    CClientDC dcScreen(nullptr);
    ASSERT_EQ(pSelector->GetSize(&dcScreen), CSize(140, 112));
    pSelector->SetRect(CRect(0, 0, 140, 112));

    // Cell (2, 1) highlights 3 x 2 cells, once; moving inside the same block says nothing.
    m_pSite->m_notifications.clear();
    pSelector->HandleMouseMove(CPoint(2 * 28 + 5, 28 + 5));
    EXPECT_EQ(pSelector->GetHotSize(), CSize(3, 2));
    pSelector->HandleMouseMove(CPoint(2 * 28 + 20, 28 + 20));
    EXPECT_EQ(CountNotifications(m_pSite, CTkControlSelector::kNotifyHotSizeChanged), 1);
    struct Row {
        CPoint pt;
        CSize szHot;
    };
    const Row rows[] = {{{-3, 40}, {0, 2}}, {{0, 0}, {0, 0}}, {{1, 1}, {1, 1}}, {{500, 500}, {5, 4}}};
    for (const Row& row : rows) {
        pSelector->HandleMouseMove(row.pt);
        EXPECT_EQ(pSelector->GetHotSize(), row.szHot) << row.pt.x << "," << row.pt.y;
    }

    // The block in highlight colours, the rest in window colour, each cell framed, the gaps untouched.
    pSelector->HandleMouseMove(CPoint(2 * 28 + 5, 28 + 5));
    {
        CPinnedColors pinned({COLOR_HIGHLIGHT, COLOR_WINDOW});
        CScopedMemDC dc(140, 112);
        dc.FillSolidRect(CRect(0, 0, 140, 112), RGB(1, 2, 3));
        pSelector->Draw(&dc);
        const COLORREF clrFrame = pSelector->GetPaintManager()->LookupColor(43);
        EXPECT_EQ(PixelAt(dc, 10, 10), CPinnedColors::Of(COLOR_HIGHLIGHT));
        EXPECT_EQ(PixelAt(dc, 2 * 28 + 10, 28 + 10), CPinnedColors::Of(COLOR_HIGHLIGHT));
        EXPECT_EQ(PixelAt(dc, 3 * 28 + 10, 10), CPinnedColors::Of(COLOR_WINDOW));
        EXPECT_EQ(PixelAt(dc, 10, 2 * 28 + 10), CPinnedColors::Of(COLOR_WINDOW));
        EXPECT_EQ(PixelAt(dc, 1, 1), clrFrame);
        EXPECT_EQ(PixelAt(dc, 26, 26), clrFrame);
        EXPECT_EQ(PixelAt(dc, 0, 10), RGB(1, 2, 3));
        EXPECT_EQ(PixelAt(dc, 27, 10), RGB(1, 2, 3));
        EXPECT_EQ(PixelAt(dc, 28, 10), RGB(1, 2, 3));
        WritePng(dc, L"/tmp/controls-selector.png");
    }

    // The release executes with the block; without a block nothing runs.
    pSelector->HandleButtonUp(CPoint(60, 35));
    EXPECT_EQ(pSelector->GetChosenSize(), CSize(3, 2));
    EXPECT_EQ(m_pSite->m_commands, (std::vector<UINT>{500}));

    // Leaving past the right edge with the button down grows the grid, up to ItemsMax, and the layout that
    // follows keeps it; the next fresh layout starts over.
    ASSERT_TRUE(pSelector->SetSelected(1));
    m_pBar->SetWindowPos(nullptr, 0, 0, 600, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    CPoint ptScreen(140 + 10, 50);
    m_pBar->ClientToScreen(&ptScreen);
    ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
    SetLeftButtonState(TRUE);
    BarLog().clear();
    pSelector->SetSelected(0);
    EXPECT_EQ(pSelector->GetGridSize(), CSize(6, 4));
    EXPECT_EQ(pSelector->GetHotSize(), CSize(6, 2));
    EXPECT_EQ(CountInBarLog("RecalcLayout"), 1);
    pSelector->PrepareForLayout(0);
    EXPECT_EQ(pSelector->GetGridSize(), CSize(5, 4)) << "outside a growth a layout is fresh";

    pSelector->SetRect(CRect(0, 0, 140, 112));
    ASSERT_TRUE(pSelector->SetSelected(1));
    CPoint ptFar(590, 150);
    m_pBar->ClientToScreen(&ptFar);
    ASSERT_TRUE(::SetCursorPos(ptFar.x, ptFar.y));
    pSelector->SetSelected(0);
    EXPECT_EQ(pSelector->GetGridSize(), CSize(12, 6));
    SetLeftButtonState(FALSE);

    // Without the button the highlight just goes.
    pSelector->PrepareForLayout(0);
    pSelector->HandleMouseMove(CPoint(10, 10));
    ASSERT_TRUE(pSelector->SetSelected(1));
    pSelector->SetSelected(0);
    EXPECT_EQ(pSelector->GetGridSize(), CSize(5, 4));
    EXPECT_EQ(pSelector->GetHotSize(), CSize(0, 0));
    m_pSite->m_commands.clear();
    pSelector->HandleButtonUp(CPoint(10, 10));
    EXPECT_TRUE(m_pSite->m_commands.empty());
}

TEST_F(BarFixture, SelectorSizesSurviveSavingAndEmptySizesKeepTheDefaults) {
    // A layout that saved sizes of nothing (what a missing key gives) loads the defaults, so the pointer
    // arithmetic never divides by an empty cell.
    auto* pEmpty = new CTkControlSelector;
    pEmpty->SetItemsCount(CSize(0, 0));
    pEmpty->SetItemsMax(CSize(0, 0));
    pEmpty->SetItemSize(CSize(0, 0));
    auto* pLoaded = new CTkControlSelector;
    Controls()->Append(pLoaded);
    pLoaded->SetItemSize(CSize(7, 7));
    LoadFrom(pLoaded, StoreControl, pEmpty);
    EXPECT_EQ(pLoaded->GetItemsCount(), CSize(5, 4));
    EXPECT_EQ(pLoaded->GetItemsMax(), CSize(12, 12));
    EXPECT_EQ(pLoaded->GetItemSize(), CSize(28, 28));
    pLoaded->PrepareForLayout(0);
    pLoaded->SetRect(CRect(0, 0, 140, 112));
    pLoaded->HandleMouseMove(CPoint(30, 30));
    EXPECT_EQ(pLoaded->GetHotSize(), CSize(2, 2));

    auto* pSaved = new CTkControlSelector;
    pSaved->SetItemsCount(CSize(3, 2));
    pSaved->SetItemsMax(CSize(0, 8));
    pSaved->SetItemSize(CSize(20, -4));
    LoadFrom(pLoaded, StoreControl, pSaved);
    EXPECT_EQ(pLoaded->GetItemsCount(), CSize(3, 2));
    EXPECT_EQ(pLoaded->GetItemsMax(), CSize(12, 8));
    EXPECT_EQ(pLoaded->GetItemSize(), CSize(20, 28));

    // A copy keeps the sizes but no highlight and no choice.
    pSaved->SetRect(CRect(0, 0, 60, 56));
    pSaved->PrepareForLayout(0);
    pSaved->HandleMouseMove(CPoint(5, 5));
    CTkControl* pClone = pSaved->Clone(FALSE);
    auto* pCopy = DYNAMIC_DOWNCAST(CTkControlSelector, pClone);
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetItemsCount(), CSize(3, 2));
    EXPECT_EQ(pCopy->GetItemSize(), CSize(20, -4));
    EXPECT_EQ(pCopy->GetHotSize(), CSize(0, 0));
    EXPECT_EQ(pCopy->GetChosenSize(), CSize(0, 0));
    pClone->InternalRelease();
    pSaved->InternalRelease();
    pEmpty->InternalRelease();
}

// The shell calls the hyperlink made.
struct ShellCall {
    std::wstring strVerb;
    std::wstring strFile;
    int nShow;
    BOOL bOwner;
    BOOL bExtras;
};
std::vector<ShellCall> g_shellCalls;
HINSTANCE WINAPI RecordShellCall(HWND hWnd, LPCWSTR pszVerb, LPCWSTR pszFile, LPCWSTR pszParameters,
                                 LPCWSTR pszDirectory, INT nShowCmd) {
    g_shellCalls.push_back({pszVerb, pszFile, nShowCmd, hWnd != nullptr, pszParameters != nullptr || pszDirectory});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

TEST_F(BarFixture, HyperlinkOpensItsTooltipAtThePressAndShowsItsStateInColour) {
    const auto pfnPrevious = CTkControlHyperlink::SetShellOpenCall(RecordShellCall);
    auto* pLink = new CTkControlHyperlink;
    Controls()->InitAddedControl(pLink, 510, nullptr, -1, FALSE);
    pLink->SetCaption(L"Support site");
    EXPECT_EQ(pLink->GetType(), kControlNone);

    // An empty target opens nothing.
    pLink->HandleClick(FALSE, CPoint(2, 2));
    EXPECT_TRUE(g_shellCalls.empty());
    pLink->SetTooltip(L"https://support.example/tesselon");
    pLink->HandleClick(FALSE, CPoint(2, 2));
    pLink->HandleClick(TRUE, CPoint(0, 0));
    ASSERT_EQ(g_shellCalls.size(), 2u);
    EXPECT_EQ(g_shellCalls[0].strVerb, L"open");
    EXPECT_EQ(g_shellCalls[0].strFile, L"https://support.example/tesselon");
    EXPECT_EQ(g_shellCalls[0].nShow, SW_SHOW);
    EXPECT_FALSE(g_shellCalls[0].bOwner);
    EXPECT_FALSE(g_shellCalls[0].bExtras);
    // Nothing of a command: no notification, no command to the site.
    EXPECT_TRUE(m_pSite->m_notifications.empty());
    EXPECT_TRUE(m_pSite->m_commands.empty());
    pLink->HandleButtonUp(CPoint(2, 2));
    EXPECT_EQ(g_shellCalls.size(), 2u) << "the release does nothing";

    // A disabled link and a link under customisation do not open.
    pLink->SetEnabled(0);
    pLink->HandleClick(FALSE, CPoint(2, 2));
    pLink->SetEnabled(1);
    m_pCommandBars->SetCustomizeMode(TRUE);
    pLink->HandleClick(FALSE, CPoint(2, 2));
    m_pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_EQ(g_shellCalls.size(), 2u);

    // The caption's extent in the regular font; blue, red while selected, grey text when disabled.
    CScopedMemDC dc(120, 20);
    {
        CTkFontDC font(&dc, &pLink->GetPaintManager()->m_fntRegular);
        EXPECT_EQ(pLink->GetSize(&dc), dc.GetTextExtent(L"Support site"));
    }
    pLink->SetRect(CRect(0, 0, 120, 20));
    CPinnedColors pinned({COLOR_GRAYTEXT});
    struct Row {
        int nEnabled;
        int nSelected;
        COLORREF clrText;
    };
    const Row rows[] = {{1, 0, RGB(0, 0, 255)}, {1, 1, RGB(255, 0, 0)}, {0, 0, CPinnedColors::Of(COLOR_GRAYTEXT)}};
    for (const Row& row : rows) {
        pLink->SetEnabled(row.nEnabled);
        pLink->SetSelected(row.nSelected);
        dc.FillSolidRect(CRect(0, 0, 120, 20), RGB(255, 255, 255));
        pLink->Draw(&dc);
        EXPECT_EQ(dc.GetTextColor(), row.clrText) << row.nEnabled << row.nSelected;
        if (row.nEnabled && !row.nSelected)
            WritePng(dc, L"/tmp/controls-hyperlink.png");
    }
    CTkControlHyperlink::SetShellOpenCall(pfnPrevious);
}

TEST_F(BarFixture, LabelsAreNeverSelectedAndNeverExecute) {
    SetBarKind(m_pBar, kBarTypePopup, kBarPopup);
    CTkControl* pLabel = Add(kControlLabel, 520);
    pLabel->SetSelected(1);
    EXPECT_EQ(pLabel->GetSelected(), 0);
    pLabel->HandleClick(FALSE, CPoint(1, 1));
    pLabel->HandleClick(TRUE, CPoint(0, 0));
    pLabel->HandleButtonUp(CPoint(1, 1));
    EXPECT_TRUE(m_pSite->m_commands.empty());
    EXPECT_FALSE(pLabel->CanCustomizeMove()) << "its flag forbids moving it";

    // An image label without an image measures nothing and draws nothing.
    auto* pBitmap = new CTkControlBitmap;
    Controls()->InitAddedControl(pBitmap, 0x7AB0, nullptr, -1, FALSE);
    CScopedMemDC dc(10, 10);
    EXPECT_EQ(pBitmap->GetSize(&dc), CSize(0, 0));
}

TEST_F(BarFixture, MarkupLabelIsMeasuredAndDrawnByTheEngine) {
    auto* pLabel = new CTkControlMarkupLabel;
    Controls()->InitAddedControl(pLabel, 530, nullptr, -1, FALSE);
    const LPCWSTR pszMarkup = L"<TextBlock>Calls <Bold>today</Bold></TextBlock>";
    pLabel->SetCaption(pszMarkup);
    pLabel->OnCaptionChanged();
    ASSERT_NE(pLabel->GetMarkupElement(), nullptr);
    EXPECT_EQ(pLabel->GetType(), kControlLabel);

    // The same text parsed here, with the same font, measures the same.
    CTkMarkupContext* pContext = CreateMarkupContext(nullptr);
    CTkMarkupUIElement* pElement = ParseMarkupText(pContext, pszMarkup);
    SetMarkupDefaultFont(pContext, static_cast<HFONT>(pLabel->GetPaintManager()->m_fntRegular.GetSafeHandle()),
                         static_cast<COLORREF>(-1));
    const CSize szExpected = MeasureMarkupElement(pElement, 0x7FFFFFFF, 0x7FFFFFFF);
    ReleaseMarkupElement(pElement);
    ReleaseMarkupContext(pContext);
    CScopedMemDC dc(120, 24);
    const CSize sz = pLabel->GetSize(&dc);
    EXPECT_EQ(sz, szExpected);
    EXPECT_GT(sz.cx, 20);
    EXPECT_GT(sz.cy, 5);

    dc.FillSolidRect(CRect(0, 0, 120, 24), RGB(255, 255, 255));
    pLabel->SetRect(CRect(2, 2, 2 + sz.cx, 2 + sz.cy));
    pLabel->Draw(&dc);
    int nInk = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 120; ++x)
            nInk += PixelAt(dc, x, y) != RGB(255, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(nInk, 20);
    WritePng(dc, L"/tmp/controls-markup-label.png");

    // A caption that gives no element falls back to the plain label.
    pLabel->SetCaption(L"<Unknown");
    pLabel->OnCaptionChanged();
    EXPECT_EQ(pLabel->GetMarkupElement(), nullptr);
}

// A custom control given its window and sizes as loading would.
class CTestCustom : public CTkControlCustom {
public:
    void Host(HWND hWnd, int nId, CSize szControl, CRect rcBorders, int nVerticalOptions) {
        m_hWnd = hWnd;
        m_nControlId = nId;
        m_szControl = szControl;
        m_rcBorders = rcBorders;
        m_nVerticalOptions = nVerticalOptions;
    }
};

TEST_F(BarFixture, CustomControlPlacesItsWindowInsideItsBorders) {
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 10), m_pSite, 321));
    m_pBar->SetWindowPos(nullptr, 0, 0, 300, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    auto* pCustom = new CTestCustom;
    Controls()->InitAddedControl(pCustom, 540, nullptr, -1, FALSE);
    pCustom->Host(edit.m_hWnd, 321, CSize(80, 20), CRect(2, 2, 2, 2), CTkControlCustom::kVerticalHide);
    EXPECT_EQ(pCustom->GetFlags(), static_cast<DWORD>(kControlFlagNoMove));
    CScopedMemDC dc(10, 10);
    EXPECT_EQ(pCustom->GetSize(&dc), CSize(84, 24));

    pCustom->SetRect(CRect(10, 5, 94, 29));
    EXPECT_EQ(::GetParent(edit.m_hWnd), m_pBar->m_hWnd);
    EXPECT_TRUE(edit.GetStyle() & WS_CHILD);
    CRect rcWindow;
    edit.GetWindowRect(&rcWindow);
    m_pBar->ScreenToClient(&rcWindow);
    EXPECT_EQ(rcWindow, CRect(12, 7, 92, 27));
    EXPECT_TRUE(edit.GetStyle() & WS_VISIBLE);

    // Hiding the control hides the window at once; showing it again shows it.
    pCustom->SetHideFlags(kHideGeneric);
    EXPECT_FALSE(edit.GetStyle() & WS_VISIBLE);
    pCustom->SetHideFlags(0);
    EXPECT_TRUE(edit.GetStyle() & WS_VISIBLE);
    pCustom->SetEnabled(0);
    EXPECT_FALSE(::IsWindowEnabled(edit.m_hWnd));
    pCustom->SetEnabled(1);

    // Vertical bars: hidden there, or (option 2) the window hidden and the control a button.
    pCustom->PrepareForLayout(kLayoutVertDock);
    EXPECT_EQ(pCustom->GetHideFlags(), static_cast<DWORD>(kHideVertical));
    pCustom->PrepareForLayout(kLayoutHorzDock);
    EXPECT_EQ(pCustom->GetHideFlags(), 0u);
    pCustom->Host(edit.m_hWnd, 321, CSize(80, 20), CRect(2, 2, 2, 2), CTkControlCustom::kVerticalButtonOnly);
    pCustom->PrepareForLayout(kLayoutVertDock);
    EXPECT_EQ(pCustom->GetHideFlags(), 0u);
    EXPECT_FALSE(edit.GetStyle() & WS_VISIBLE);
    EXPECT_NE(pCustom->GetSize(&dc), CSize(84, 24));
    pCustom->PrepareForLayout(kLayoutHorzDock);
    EXPECT_TRUE(edit.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(pCustom->GetSize(&dc), CSize(84, 24));

    // Only popup bars take it in customisation.
    int nEffect = -1;
    CTkPopupBar* pPopupBar = MakePopupBar();
    EXPECT_TRUE(pCustom->CanDropOnBar(pPopupBar, CPoint(), nEffect));
    EXPECT_FALSE(pCustom->CanDropOnBar(m_pBar, CPoint(), nEffect));
    EXPECT_EQ(nEffect, 0);
    pPopupBar->InternalRelease();

    // Loading finds the window again by its dialog id in the site.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"EDIT", L"", WS_CHILD, CRect(0, 0, 30, 10), m_pSite, 322));
    pCustom->Host(edit.m_hWnd, 322, CSize(80, 20), CRect(2, 2, 2, 2), CTkControlCustom::kVerticalHide);
    auto* pLoaded = new CTkControlCustom;
    Controls()->Append(pLoaded);
    LoadFrom(pLoaded, StoreControl, pCustom);
    EXPECT_EQ(pLoaded->GetControlWindow(), other.m_hWnd);
    EXPECT_EQ(pLoaded->GetSize(&dc), CSize(84, 24));
    EXPECT_EQ(CTkControlCustom::FindWindowById(m_pCommandBars, 999), nullptr);

    // Removed from the bar, the window is hidden and stays the bar's child.
    pCustom->Host(edit.m_hWnd, 321, CSize(80, 20), CRect(2, 2, 2, 2), CTkControlCustom::kVerticalHide);
    Controls()->Remove(pCustom);
    EXPECT_FALSE(edit.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(::GetParent(edit.m_hWnd), m_pBar->m_hWnd);
    edit.DestroyWindow();
    other.DestroyWindow();
}

}  // namespace
