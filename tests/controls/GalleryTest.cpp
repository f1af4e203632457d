// The gallery control on a real bar of the hidden site: its layout, scrolling (animated scrolling by
// timer messages posted before the scroll base's loop runs), the notifications of the highlight and the
// preview, keys and searches, accessibility with the focus event seen by a window-event hook, the button
// column's states drawn by the default theme, and the combo box's gallery drop-down.

#include "BarFixtures.h"
#include "ControlsTestSupport.h"
#include "TkCommandBarsDefs.h"
#include "TkControlAction.h"
#include "TkControlComboBox.h"
#include "TkControlComboBoxGalleryPopupBar.h"
#include "TkControlGallery.h"
#include "TkControlGalleryPaintManager.h"
#include "TkDefaultTheme.h"
#include "TkGalleryItem.h"
#include "TkToolTipContext.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kGalleryId = 500;

// A gallery that records the scroll position each animation tick shows.
class CRecordingGallery : public CTkControlGallery {
public:
    void OnAnimationTimer() override {
        CTkControlGallery::OnAnimationTimer();
        m_shown.push_back(GetScrollPos());
    }
    std::vector<int> m_shown;
};

class GalleryFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pTheme = new CTkDefaultTheme;
        m_pTheme->RefreshMetrics();
        SetHubPaintManager(m_pCommandBars, m_pTheme);
        m_pCommandBars->EnableActions();
        m_pAction = m_pCommandBars->GetOrCreateAction(kGalleryId);
        m_pItems = new CTkGalleryItemCollection;
        m_pAction->SetItems(m_pItems);
        m_pItems->InternalRelease();
        m_pGallery = new CRecordingGallery;
        Controls()->Append(m_pGallery);
        m_pGallery->SetAction(m_pAction);
    }
    void TearDown() override {
        BarFixture::TearDown();
        m_pTheme->InternalRelease();
    }

    // nCount items of the size, captions "Item i", ids 1001 on; the item size is the collection's.
    void Fill(int nCount, CSize size) {
        m_pItems->RemoveAll();
        m_pItems->m_nItemWidth = size.cx;
        m_pItems->m_nItemHeight = size.cy;
        for (int i = 0; i < nCount; ++i)
            m_pItems->AddItem(1001 + i, (L"Item " + std::to_wstring(i)).c_str());
    }
    // Lays the gallery out again at the rectangle.
    void Place(const CRect& rc = CRect(10, 5, 130, 65)) {
        m_pGallery->SetRect(CRect(0, 0, 0, 0));
        m_pGallery->SetRect(rc);
    }
    CRect Pos(int i) const { return m_pGallery->GetPositions()[static_cast<size_t>(i)].rc; }
    std::vector<UINT> TakeCodes() {
        std::vector<UINT> codes;
        for (const auto& notification : m_pSite->m_notifications)
            codes.push_back(notification.nCode);
        m_pSite->m_notifications.clear();
        return codes;
    }
    // Runs the thread's messages already posted.
    static void Pump() {
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    CTkControlGalleryPaintManager* Painter() const { return m_pGallery->GetGalleryPaintManager(); }
    // Gives the gallery a sub bar: the scroll bar becomes the button column.
    void AddSubBar() {
        CTkPopupBar* pSubBar = MakePopupBar();
        m_pGallery->SetCommandBar(pSubBar);
        pSubBar->InternalRelease();
    }

    CTkDefaultTheme* m_pTheme = nullptr;
    CTkControlAction* m_pAction = nullptr;
    CTkGalleryItemCollection* m_pItems = nullptr;  // the action's
    CRecordingGallery* m_pGallery = nullptr;
};

TEST_F(GalleryFixture, ItemsFlowInRowsWithLabelRowsAndOversizedItems) {
    EXPECT_EQ(m_pGallery->GetType(), kControlGallery);
    EXPECT_EQ(m_pGallery->GetSize(nullptr), CSize(120, 60));
    ASSERT_NE(Painter(), nullptr) << "the registered gallery painter";
    const int w = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(Painter()->m_nVertArrowWidth, w);
    EXPECT_EQ(Painter()->m_nButtonColumnWidth, 16);

    // 120 x 60 less the scroll bar: two 40-pixel items per row, the third begins the next row.
    Fill(5, CSize(40, 40));
    Place();
    ASSERT_EQ(m_pGallery->GetItemsRect(), CRect(10, 5, 130 - w, 65));
    EXPECT_EQ(Pos(0), CRect(10, 5, 50, 45));
    EXPECT_EQ(Pos(1), CRect(50, 5, 90, 45));
    EXPECT_EQ(Pos(2), CRect(10, 45, 50, 85));
    EXPECT_TRUE(m_pGallery->GetPositions()[2].bBeginsRow);
    EXPECT_EQ(m_pGallery->GetTotalHeight(), 120);

    // A label closes the row and takes a 20-pixel row with a 19-pixel rectangle; hidden, it takes nothing.
    m_pItems->RemoveAll();
    m_pItems->AddItem(1, L"a");
    m_pItems->AddLabel(L"Group");
    m_pItems->AddItem(2, L"b");
    Place();
    EXPECT_EQ(Pos(1), CRect(10, 45, 130 - w, 64));
    EXPECT_EQ(Pos(2), CRect(10, 65, 50, 105));
    m_pGallery->SetShowLabels(FALSE);
    Place();
    EXPECT_TRUE(Pos(1).IsRectEmpty());
    EXPECT_EQ(Pos(2), CRect(50, 5, 90, 45));
    m_pGallery->SetShowLabels(TRUE);

    // An item wider than the area stays at a row start; one ending on the right edge stays in its row.
    const int nAreaWidth = 120 - w;
    m_pItems->RemoveAll();
    m_pItems->AddItem(1, L"wide")->m_szItem = CSize(nAreaWidth + 30, 40);
    m_pItems->AddItem(2, L"a");
    m_pItems->AddItem(3, L"fits")->m_szItem = CSize(nAreaWidth - 40, 40);
    m_pItems->AddItem(4, L"full")->m_szItem = CSize(0, 20);
    Place();
    EXPECT_EQ(Pos(0), CRect(10, 5, 10 + nAreaWidth + 30, 45));
    EXPECT_EQ(Pos(1), CRect(10, 45, 50, 85));
    EXPECT_EQ(Pos(2), CRect(50, 45, 130 - w, 85));
    EXPECT_EQ(Pos(3), CRect(10, 85, 130 - w, 105)) << "width 0 spans the area";
}

TEST_F(GalleryFixture, ScrollPositionsStayInRangeAndTheWheelStepsThreeItemHeights) {
    // Two rows of 50: TotalHeight 100 over a 60-pixel area.
    Fill(4, CSize(40, 50));
    Place();
    ASSERT_EQ(m_pGallery->GetTotalHeight(), 100);
    struct Row {
        const char* name;
        int nCommand;  // -1: SetScrollPosition
        int nValue;
        int nPos;
    };
    const Row rows[] = {
        {"beyond the end", -1, 100, 40},  {"below 0", -1, -5, 0},
        {"bottom", SB_BOTTOM, 0, 40},     {"top", SB_TOP, 0, 0},
        {"line", SB_LINEDOWN, 0, 40},     {"page up", SB_PAGEUP, 0, 0},
        {"thumb", SB_THUMBTRACK, 25, 25}, {"end keeps", SB_ENDSCROLL, 0, 25},
    };
    for (const Row& row : rows) {
        if (row.nCommand < 0)
            m_pGallery->SetScrollPosition(row.nValue);
        else
            m_pGallery->DoScroll(row.nCommand, row.nValue);
        EXPECT_EQ(m_pGallery->GetScrollPos(), row.nPos) << row.name;
    }
    EXPECT_EQ(m_pGallery->ScrollToItem(0), 0);
    EXPECT_EQ(m_pGallery->GetScrollPos(), 0);
    EXPECT_EQ(m_pGallery->ScrollToItem(9), -1);

    // Five rows of 40: one notch towards the user scrolls 120 at once, back up to 0.
    Fill(10, CSize(40, 40));
    Place();
    EXPECT_TRUE(m_pGallery->HandleMouseWheel(0, -WHEEL_DELTA, CPoint(0, 0)));
    EXPECT_EQ(m_pGallery->GetScrollPos(), 120);
    EXPECT_FALSE(m_pGallery->m_bAnimating);
    m_pGallery->HandleMouseWheel(0, WHEEL_DELTA, CPoint(0, 0));
    EXPECT_EQ(m_pGallery->GetScrollPos(), 0);
    // Scrolling an item into view from below and from above.
    m_pGallery->EnsureVisible(9);
    EXPECT_EQ(m_pGallery->GetScrollPos(), 140);
    m_pGallery->EnsureVisible(2);
    EXPECT_EQ(m_pGallery->GetScrollPos(), 40);

    // Without items nothing scrolls and the wheel is not taken.
    m_pItems->RemoveAll();
    Place();
    EXPECT_FALSE(m_pGallery->HandleMouseWheel(0, -WHEEL_DELTA, CPoint(0, 0)));
    m_pAction->SetItems(nullptr);
    m_pItems = nullptr;
    EXPECT_EQ(m_pGallery->GetItemCount(), 0);
    EXPECT_EQ(m_pGallery->FindSelectableItem(-1, 1), -1);
    EXPECT_EQ(m_pGallery->FindItem(-1, L"Item", FALSE), -1);
}

TEST_F(GalleryFixture, AnimatedScrollShowsItsStepsByTheTimerTicksOfTheScrollLoop) {
    AddSubBar();
    Fill(4, CSize(40, 50));
    Place();
    ASSERT_EQ(m_pGallery->GetScrollPos(), 0);
    // Fast repeats animate in three steps of 40 / 3; the first tick runs at once.
    m_pGallery->m_nRepeatElapse = 50;
    m_pGallery->StartAnimatedScroll(40);
    EXPECT_EQ(m_pGallery->m_shown, (std::vector<int>{13}));
    EXPECT_TRUE(m_pGallery->m_bAnimating);
    // A press on the down button (already heading for the end) runs the scroll base's loop, which takes
    // the ticks posted before it.
    const HWND hWnd = m_pBar->GetSafeHwnd();
    for (int i = 0; i < 3; ++i)
        ::PostMessageW(hWnd, WM_TIMER, CTkScrollBase::kAnimationTimer, 0);
    const CPoint ptDown(125, 5 + 19 + 5);
    ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptDown.x, ptDown.y));
    m_pGallery->HandleClick(FALSE, ptDown);
    EXPECT_EQ(m_pGallery->m_shown, (std::vector<int>{13, 26, 39, 40}));
    EXPECT_FALSE(m_pGallery->m_bAnimating);
    EXPECT_EQ(m_pGallery->GetScrollPos(), 40);
    // A direct position stops a running animation.
    m_pGallery->StartAnimatedScroll(0);
    EXPECT_TRUE(m_pGallery->m_bAnimating);
    m_pGallery->SetScrollPosition(20);
    EXPECT_FALSE(m_pGallery->m_bAnimating);
    EXPECT_EQ(m_pGallery->GetScrollPos(), 20);
    Pump();
}

TEST_F(GalleryFixture, HoverPreviewAndDragNotifyInOrder) {
    Fill(5, CSize(40, 40));
    Place();
    m_pBar->SetSelected(m_pGallery->GetIndex(), 0);
    ASSERT_NE(m_pGallery->GetSelected(), 0);
    TakeCodes();
    const CPoint ptItem0(20, 20);
    const CPoint ptItem1(60, 20);
    const CPoint ptEmpty(60, 100);  // the third row holds item 4 only
    const HWND hWnd = m_pBar->GetSafeHwnd();
    auto hover = [&] {
        ::PostMessageW(hWnd, WM_TIMER, kTimerHover, 0);
        Pump();
    };
    const UINT kStart = CTkControlGallery::kNotifyPreviewStart;
    const UINT kCancel = CTkControlGallery::kNotifyPreviewCancel;
    const UINT kApply = CTkControlGallery::kNotifyPreviewApply;
    const UINT kChange = CTkControlGallery::kNotifyPreviewChange;
    const UINT kDrag = CTkControlGallery::kNotifyItemDrag;
    const UINT kHighlight = CTkControlGallery::kNotifySelectionChange;

    m_pGallery->HandleMouseMove(ptItem0);
    EXPECT_EQ(TakeCodes(), (std::vector<UINT>{kHighlight}));
    EXPECT_EQ(m_pGallery->GetSelectedItem(), 0);
    hover();
    EXPECT_EQ(TakeCodes(), (std::vector<UINT>{kStart, kChange}));
    m_pGallery->HandleMouseMove(ptItem1);
    EXPECT_EQ(TakeCodes(), (std::vector<UINT>{kChange, kHighlight}));
    m_pGallery->HandleMouseMove(ptEmpty);
    EXPECT_EQ(TakeCodes(), (std::vector<UINT>{kChange, kCancel, kHighlight}));
    EXPECT_EQ(m_pGallery->GetSelectedItem(), -1);

    // Clicking while previewing applies the preview before the command.
    m_pGallery->HandleMouseMove(ptItem0);
    hover();
    TakeCodes();
    m_pSite->m_commands.clear();
    m_pGallery->HandleClick(FALSE, ptItem0);
    m_pGallery->HandleButtonUp(ptItem0);
    const std::vector<UINT> codes = TakeCodes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[0], kApply);
    EXPECT_EQ(codes[1], 100u) << "the execute notification";
    EXPECT_EQ(m_pSite->m_commands, (std::vector<UINT>{kGalleryId}));
    EXPECT_FALSE(m_pGallery->IsPreviewing());

    // A press reports a drag once the pointer moved more than 4 pixels, and only once.
    m_pGallery->HandleClick(FALSE, ptItem0);
    TakeCodes();
    m_pGallery->HandleMouseMove(ptItem0 + CPoint(4, -4));
    EXPECT_EQ(TakeCodes(), std::vector<UINT>{});
    m_pGallery->HandleMouseMove(ptItem0 + CPoint(5, 0));
    EXPECT_EQ(TakeCodes(), (std::vector<UINT>{kDrag}));
    m_pGallery->HandleMouseMove(ptItem0 + CPoint(7, 0));
    EXPECT_EQ(TakeCodes(), std::vector<UINT>{});
    m_pGallery->HandleButtonUp(ptItem0);

    // The pointer leaving the bar hides the highlight but keeps the index.
    m_pGallery->HandleMouseMove(CPoint(-1, -1));
    EXPECT_EQ(m_pGallery->GetSelectedItem(), 0);
    Pump();
}

TEST_F(GalleryFixture, KeysMoveInRowsAndColumnsAndSearchesFollowTheListConvention) {
    Fill(5, CSize(40, 40));
    Place();
    // Selected by the keyboard: the first selectable item lights up.
    m_pGallery->SetSelected(2);
    ASSERT_EQ(m_pGallery->GetSelectedItem(), 0);
    struct Row {
        int nFrom;
        UINT nKey;
        int nTo;
        int nAnswer;
    };
    const Row rows[] = {
        {0, VK_RIGHT, 1, 1}, {1, VK_RIGHT, 0, 1}, {0, VK_LEFT, 1, 1},
        {0, VK_DOWN, 2, 1},  {2, VK_DOWN, 4, 1},  {0, VK_UP, 4, 1},  // the only keyboard control wraps
        {4, VK_TAB, 4, 0},                                           // the last item lets the bar move on
        {3, VK_TAB, 4, 1},   {3, VK_HOME, 0, 1},  {1, VK_END, 4, 1},
        {0, VK_NEXT, 3, 1},  {4, VK_PRIOR, 2, 1}, {2, 'A', 2, 0},
    };
    for (const Row& row : rows) {
        m_pGallery->SetHotItemByKeyboard(row.nFrom);
        EXPECT_EQ(m_pGallery->HandleFocusedKey(row.nKey), row.nAnswer) << row.nFrom << " key " << row.nKey;
        EXPECT_EQ(m_pGallery->GetSelectedItem(), row.nTo) << row.nFrom << " key " << row.nKey;
    }
    // With another keyboard control in the bar, Up on the first row is the bar's.
    Add(kControlButton, 700);
    m_pGallery->SetHotItemByKeyboard(0);
    EXPECT_EQ(m_pGallery->HandleFocusedKey(VK_UP), 0);
    EXPECT_EQ(m_pGallery->GetSelectedItem(), 0);

    // Labels are never chosen; a gallery of labels only has nothing to choose.
    m_pItems->RemoveAll();
    m_pItems->AddLabel(L"only");
    Place();
    EXPECT_EQ(m_pGallery->FindSelectableItem(-1, 1), -1);
    EXPECT_EQ(m_pGallery->FindSelectableItem(0, -1), 0) << "coming round to the start";

    // Text searches start after the given item and wrap; exact ignores case, prefixes compare the start.
    m_pItems->RemoveAll();
    for (LPCWSTR pszCaption : {L"Alpha", L"beta", L"Gamma", L"alphabet", L"ALPHA"})
        m_pItems->AddItem(1, pszCaption);
    struct Search {
        int nStart;
        LPCWSTR pszText;
        BOOL bExact;
        int nFound;
    };
    const Search searches[] = {
        {0, L"alpha", TRUE, 4},       {-1, L"alpha", TRUE, 0}, {4, L"alpha", TRUE, 0},
        {0, L"alp", FALSE, 3},        {3, L"ALP", FALSE, 4},   {9, L"Gam", FALSE, 2},
        {0, L"alphabets", FALSE, -1}, {0, L"", FALSE, -1},     {0, nullptr, TRUE, -1},
    };
    for (const Search& search : searches)
        EXPECT_EQ(m_pGallery->FindItem(search.nStart, search.pszText, search.bExact), search.nFound)
            << search.nStart << " " << (search.pszText != nullptr ? CStringA(search.pszText).GetString() : "null");
    EXPECT_EQ(m_pGallery->GetItemCaption(2), CString(L"Gamma"));
    EXPECT_TRUE(m_pGallery->GetItemCaption(7).IsEmpty());
}

// The window events of this process, as an out-of-context hook receives them.
std::vector<std::vector<LONG>> s_events;
void CALLBACK RecordWinEvent(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD) {
    s_events.push_back(
        {static_cast<LONG>(event), static_cast<LONG>(reinterpret_cast<INT_PTR>(hWnd)), idObject, idChild});
}

TEST_F(GalleryFixture, ItemsAreAccessibleListItemsAndTheKeyboardHighlightRaisesTheFocusEvent) {
    Fill(5, CSize(40, 40));
    m_pItems->GetItem(0)->m_strCaption = L"Al&pha";
    m_pItems->GetItem(1)->m_strCaption.Empty();
    m_pItems->GetItem(1)->m_strTooltipText = L"Tip";
    m_pItems->GetItem(1)->m_strDescriptionText = L"Described";
    m_pItems->GetItem(1)->m_nImageId = 77;
    Place();
    m_pGallery->SetCheckedId(1003);

    long nCount = 0;
    EXPECT_EQ(m_pGallery->GetAccessibleChildCount(&nCount), S_OK);
    EXPECT_EQ(nCount, 5);
    EXPECT_EQ(m_pGallery->GetAccessibleChildCount(nullptr), E_INVALIDARG);
    auto child = [](long n) {
        VARIANT var;
        var.vt = VT_I4;
        var.lVal = n;
        return var;
    };
    auto name = [&](long n) {
        BSTR bstr = nullptr;
        const HRESULT hr = m_pGallery->GetAccessibleName(child(n), &bstr);
        std::wstring str = bstr != nullptr ? bstr : L"";
        ::SysFreeString(bstr);
        return hr == S_OK ? str : std::wstring(L"<error>");
    };
    EXPECT_EQ(name(1), L"Alpha");
    EXPECT_EQ(name(2), L"Tip") << "no caption: the tooltip";
    EXPECT_EQ(name(6), L"<error>");
    VARIANT var;
    EXPECT_EQ(m_pGallery->GetAccessibleRole(child(0), &var), S_OK);
    EXPECT_EQ(var.lVal, ROLE_SYSTEM_LIST);
    m_pGallery->GetAccessibleRole(child(3), &var);
    EXPECT_EQ(var.lVal, ROLE_SYSTEM_LISTITEM);
    IDispatch* pChild = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(m_pGallery->GetAccessibleChild(child(1), &pChild), S_FALSE);
    EXPECT_EQ(pChild, nullptr);

    // Selecting child 2 by accessibility is a keyboard highlight: the focus event names the bar, the
    // control and the child.
    const HWINEVENTHOOK hHook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, RecordWinEvent,
                                                  ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hHook, nullptr);
    s_events.clear();
    EXPECT_EQ(m_pGallery->AccessibleSelect(SELFLAG_TAKEFOCUS, child(3)), S_OK);
    EXPECT_EQ(m_pGallery->GetSelectedItem(), 2);
    for (int i = 0; i < 50 && s_events.empty(); ++i) {
        Pump();
        ::Sleep(10);
    }
    ::UnhookWinEvent(hHook);
    const HWND hWnd = m_pBar->GetSafeHwnd();
    ASSERT_EQ(s_events.size(), 1u);
    EXPECT_EQ(s_events[0], (std::vector<LONG>{static_cast<LONG>(EVENT_OBJECT_FOCUS),
                                              static_cast<LONG>(reinterpret_cast<INT_PTR>(hWnd)), kGalleryId, 3}));

    EXPECT_EQ(m_pGallery->GetAccessibleState(child(3), &var), S_OK);
    EXPECT_EQ(var.lVal,
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED);
    m_pGallery->GetAccessibleState(child(1), &var);
    EXPECT_EQ(var.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE);
    EXPECT_EQ(m_pGallery->GetAccessibleState(child(9), &var), E_INVALIDARG);
    EXPECT_EQ(m_pGallery->AccessibleDoDefaultAction(child(9)), E_INVALIDARG);

    // Location and hit test in screen coordinates, at the top of the items.
    m_pGallery->SetScrollPosition(0);
    CPoint ptScreen(60, 20);
    ::ClientToScreen(hWnd, &ptScreen);
    long x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(m_pGallery->AccessibleLocation(&x, &y, &cx, &cy, child(2)), S_OK);
    EXPECT_EQ(CRect(CPoint(x, y), CSize(cx, cy)), CRect(CPoint(ptScreen.x - 10, ptScreen.y - 15), CSize(40, 40)));
    EXPECT_EQ(m_pGallery->AccessibleHitTest(ptScreen.x, ptScreen.y, &var), S_OK);
    EXPECT_EQ(var.lVal, 2);
    EXPECT_EQ(m_pGallery->AccessibleHitTest(ptScreen.x - 60, ptScreen.y, &var), S_FALSE);

    // The item's tip: its image id as the tool, the tip text as title beside the description.
    ToolTipExtraInfo extra{};
    TOOLINFO info{};
    info.cbSize = AFX_TOOLINFO_V2_SIZE;
    info.lParam = reinterpret_cast<LPARAM>(&extra);
    EXPECT_EQ(m_pGallery->HitTestToolTip(CPoint(60, 20), &info), 77);
    EXPECT_EQ(info.uId, 77u);
    EXPECT_EQ(CRect(info.rect), CRect(50, 5, 90, 45));
    EXPECT_STREQ(info.lpszText, L"Tip");
    ASSERT_NE(extra.pszTitle, nullptr);
    EXPECT_STREQ(extra.pszTitle, L"Tip");
    EXPECT_STREQ(extra.pszDescription, L"Described");
    free(info.lpszText);
    free(extra.pszTitle);
    free(extra.pszDescription);
    EXPECT_EQ(m_pGallery->HitTestToolTip(CPoint(60, 100), &info), 0) << "no item, no tip";
}

TEST_F(GalleryFixture, IconOnlyStyleIsAPopupButton) {
    Fill(5, CSize(40, 40));
    auto* pPopup = AddPopup(kControlButtonPopup, kGalleryId);
    pPopup->SetStyle(kButtonIcon);
    m_pGallery->SetStyle(kButtonIcon);
    ASSERT_TRUE(m_pGallery->IsShownAsButton());
    EXPECT_EQ(m_pGallery->GetSize(nullptr), pPopup->GetSize(nullptr));
    EXPECT_EQ(m_pGallery->GetWidth(), 120) << "its own size comes back";
    Place();
    EXPECT_EQ(m_pGallery->HitTestItem(CPoint(20, 20)), -1);
    TOOLINFO info{};
    EXPECT_EQ(m_pGallery->HitTestToolTip(CPoint(20, 20), &info), -1);
    EXPECT_FALSE(m_pGallery->IsFocused());
    EXPECT_EQ(m_pGallery->CanCustomizeResize(), 0);
}

TEST_F(GalleryFixture, ButtonColumnShowsEachButtonsState) {
    CPinnedColors pinned({30, 41, 52, COLOR_BTNTEXT, COLOR_GRAYTEXT});
    m_pTheme->RefreshMetrics();
    AddSubBar();
    Fill(5, CSize(40, 40));
    const CRect rcGallery(0, 0, 120, 60);
    Place(rcGallery);
    const CRect rcColumn = m_pGallery->m_geometry.rcBar;
    ASSERT_EQ(rcColumn, CRect(104, 0, 120, 60));
    const CRect rcButtons[] = {CRect(104, 0, 120, 19), CRect(104, 19, 120, 38), CRect(104, 38, 120, 60)};
    enum { N = 0, H = 2, P = 3, D = 4 };
    struct Row {
        const char* name;
        int nItems;
        BOOL bEnabled;
        int nScrollPos;
        int nHitPart;
        BOOL bTracking;
        int states[3];  // up, down, "more"
    };
    const Row rows[] = {
        {"disabled", 5, FALSE, 0, 0, FALSE, {D, D, D}},
        {"at the top", 5, TRUE, 0, 0, FALSE, {D, N, N}},
        {"in the middle, down hot", 5, TRUE, 20, kScrollPartSecondArrow, FALSE, {N, H, N}},
        {"all fit", 2, TRUE, 0, 0, FALSE, {D, D, N}},
        {"down held", 5, TRUE, 20, kScrollPartSecondArrow, TRUE, {N, P, N}},
        {"more hot", 5, TRUE, 60, kScrollPartExtraButton, FALSE, {N, D, H}},
    };
    ScrollTrackingState tracking;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fill(row.nItems, CSize(40, 40));
        m_pGallery->SetEnabled(row.bEnabled);
        Place(rcGallery);
        m_pGallery->SetScrollPosition(row.nScrollPos);
        m_pGallery->m_geometry.nHitPart = row.nHitPart;
        m_pGallery->m_pTracking = row.bTracking ? &tracking : nullptr;
        CScopedMemDC dc(120, 60);
        m_pGallery->Draw(&dc);
        m_pGallery->m_pTracking = nullptr;
        if (row.bTracking)
            WritePng(dc, L"/tmp/controls-gallery-column.png");
        // What each state looks like, drawn apart: the face at its corner, the glyph at the centre.
        for (int i = 0; i < 3; ++i) {
            const int nState = row.states[i];
            const CRect& rc = rcButtons[i];
            CScopedMemDC ref(120, 60);
            ref.FillSolidRect(rc, m_pTheme->LookupColor(30));
            m_pTheme->PaintStateRectangle(&ref, rc, nState == H || nState == P, nState == P, nState != D, FALSE, FALSE,
                                          kBarTypeNormal, kBarPopup);
            EXPECT_EQ(PixelAt(dc, rc.left + 1, rc.top + 1), PixelAt(ref, rc.left + 1, rc.top + 1)) << "button " << i;
            const COLORREF clrGlyph = m_pTheme->GetStateTextColor(nState == H, nState == P, nState != D, FALSE, FALSE,
                                                                  kBarTypeNormal, kBarPopup);
            EXPECT_EQ(PixelAt(dc, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2), clrGlyph) << "button " << i;
        }
        EXPECT_EQ(PixelAt(dc, 0, 0), CPinnedColors::Of(41)) << "the background";
    }
    m_pGallery->SetEnabled(TRUE);
}

TEST_F(GalleryFixture, GalleryDrawsItsLabelsItemsAndHighlight) {
    CPinnedColors pinned({41, 52, 56, 44});
    m_pTheme->RefreshMetrics();
    m_pItems->m_nItemWidth = 48;
    m_pItems->m_nItemHeight = 24;
    m_pItems->AddLabel(L"Recent");
    for (LPCWSTR pszCaption : {L"One", L"Two", L"Three", L"Four"})
        m_pItems->AddItem(1, pszCaption);
    m_pItems->AddLabel(L"More shapes");
    m_pItems->AddItem(2, L"Five");
    m_pGallery->SetShowBorders(TRUE);
    Place(CRect(0, 0, 120, 100));
    m_pGallery->SetHotItemByKeyboard(2);
    CScopedMemDC dc(120, 100);
    m_pGallery->Draw(&dc);
    WritePng(dc, L"/tmp/controls-gallery.png");
    EXPECT_EQ(PixelAt(dc, 0, 50), CPinnedColors::Of(52)) << "the border";
    EXPECT_EQ(PixelAt(dc, 3, 3), CPinnedColors::Of(56)) << "the label row";
    EXPECT_EQ(PixelAt(dc, 3, 19), CPinnedColors::Of(52)) << "the line under the label";
    EXPECT_EQ(PixelAt(dc, 50, 90), CPinnedColors::Of(41)) << "the background";
}

TEST_F(GalleryFixture, ComboGalleryDropDownAnswersTheListAndChoosesOnRelease) {
    Fill(3, CSize(40, 40));
    auto* pCombo = static_cast<CTkControlComboBox*>(Add(kControlComboBox, 300));
    auto* pDropDown = new CTkControlComboBoxGalleryPopupBar;
    pDropDown->SetCommandBars(m_pCommandBars);
    ASSERT_TRUE(CreateBarWindow(pDropDown, m_pSite, CRect(0, 0, 120, 60)));
    // Without its gallery the drop-down answers neutrally.
    EXPECT_EQ(pDropDown->GetCurSel(), LB_ERR);
    EXPECT_EQ(pDropDown->FindStringExact(-1, L"Item 1"), LB_ERR);
    EXPECT_TRUE(pDropDown->GetLBText(0).IsEmpty());
    // The gallery moves from the bar to the drop-down.
    m_pGallery->InternalAddRef();
    Controls()->Remove(m_pGallery);
    pDropDown->GetControls()->Append(m_pGallery);
    m_pGallery->SetAction(m_pAction);
    Place(CRect(0, 0, 120, 60));
    pCombo->SetCommandBar(pDropDown);
    pDropDown->SetControlPopup(pCombo);
    pDropDown->InternalRelease();

    EXPECT_EQ(pCombo->GetLBText(1), CString(L"Item 1"));
    EXPECT_EQ(pCombo->FindString(-1, L"item 2"), 2);
    pCombo->SetEditText(L"Item 2");
    m_pSite->m_notifications.clear();
    ASSERT_TRUE(pDropDown->SetTrackingMode(kTrackingMenu, FALSE, FALSE));
    EXPECT_EQ(m_pGallery->GetSelectedItem(), 2) << "the combo's text picks its item";
    EXPECT_NE(m_pGallery->GetSelected(), 0);
    std::vector<UINT> codes = TakeCodes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), static_cast<UINT>(CBN_DROPDOWN)), codes.end());
    EXPECT_EQ(pCombo->GetCurSel(), 2);

    // A release over the gallery's empty space chooses the highlighted item.
    m_pSite->m_commands.clear();
    ::PostMessageW(pDropDown->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(60, 55));
    Pump();
    EXPECT_EQ(m_pSite->m_commands, (std::vector<UINT>{300}));
    EXPECT_EQ(pCombo->GetEditText(), CString(L"Item 2"));

    // Closing, by the choice or here, tells the site.
    pDropDown->SetTrackingMode(kTrackingNone);
    Pump();
    codes = TakeCodes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), static_cast<UINT>(CBN_CLOSEUP)), codes.end());
    Pump();
}

}  // namespace
