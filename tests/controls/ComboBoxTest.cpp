#include "BarFixtures.h"
#include "DibPixels.h"
#include "TkCommandBarsDefs.h"
#include "TkControlComboBox.h"
#include "TkControlComboBoxAutoCompleteWnd.h"
#include "TkControlComboBoxEditCtrl.h"
#include "TkControlComboBoxList.h"
#include "TkDefaultTheme.h"
#include "TkMouseManager.h"
#include "TkPropExchange.h"
#include "WaitUntil.h"

#include <richedit.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

const wchar_t kSuggestionClass[] = L"Auto-Suggest Dropdown";

// A combo on a bar of the hidden site, measured and laid out by the default theme.
class ComboFixture : public BarFixture {
protected:
    void SetUp() override {
        BarFixture::SetUp();
        m_pTheme = new CTkDefaultTheme;
        m_pTheme->RefreshMetrics();
        SetHubPaintManager(m_pCommandBars, m_pTheme);
        m_nLockBefore = CreateMouseManager()->m_nLock;
    }
    void TearDown() override {
        BarFixture::TearDown();
        m_pTheme->InternalRelease();
    }

    // A combo made by the factory, with the rows, laid out at the rectangle.
    CTkControlComboBox* AddCombo(BOOL bEditable, std::initializer_list<LPCWSTR> rows,
                                 const CRect& rc = CRect(10, 5, 160, 27)) {
        auto* pCombo = static_cast<CTkControlComboBox*>(Add(kControlComboBox, 300));
        pCombo->SetDropDown(bEditable);
        for (LPCWSTR pszRow : rows)
            pCombo->AddString(pszRow);
        pCombo->GetSize(nullptr);
        pCombo->SetRect(rc);
        return pCombo;
    }
    static void Type(CTkControlComboBox* pCombo, LPCWSTR pszText) {
        for (const wchar_t* p = pszText; *p != 0; ++p)
            pCombo->GetEditCtrl()->SendMessage(WM_CHAR, *p, 1);
    }
    static CString SelectedText(CTkControlComboBox* pCombo) {
        int nStart = 0;
        int nEnd = 0;
        pCombo->GetEditCtrl()->GetSel(nStart, nEnd);
        return pCombo->GetEditText().Mid(nStart, nEnd - nStart);
    }
    std::vector<UINT> NotifiedCodes() const {
        std::vector<UINT> codes;
        for (const CRecordingSite::Notification& notification : m_pSite->m_notifications)
            codes.push_back(notification.nCode);
        return codes;
    }
    int LockRaised() const { return CreateMouseManager()->m_nLock - m_nLockBefore; }

    CTkDefaultTheme* m_pTheme = nullptr;
    int m_nLockBefore = 0;
};

// A window of the shell's suggestion class: a first child whose second child is the list.
class SuggestionWindow {
public:
    SuggestionWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kSuggestionClass;
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, kSuggestionClass, L"", WS_POPUP, 400, 400, 120, 90, nullptr,
                                   nullptr, nullptr, nullptr);
        HWND hwndFirst = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 120, 90, m_hWnd, nullptr,
                                           nullptr, nullptr);
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, hwndFirst, nullptr, nullptr, nullptr);
        m_hwndList = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 0, 0, 120, 90, hwndFirst, nullptr,
                                       nullptr, nullptr);
        for (LPCWSTR pszRow : {L"one", L"two", L"three"})
            ::SendMessageW(m_hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszRow));
        ::SendMessageW(m_hwndList, LB_SETCURSEL, 0, 0);
    }
    ~SuggestionWindow() { ::DestroyWindow(m_hWnd); }
    void Show(BOOL bShow) {
        ::SetWindowPos(
            m_hWnd, nullptr, 0, 0, 0, 0,
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    int GetListSelection() const { return static_cast<int>(::SendMessageW(m_hwndList, LB_GETCURSEL, 0, 0)); }

    HWND m_hWnd = nullptr;
    HWND m_hwndList = nullptr;
};

// A tracker whose freed memory is poisoned and never reused: a hook left behind would call into garbage.
class CPoisonedTracker : public CTkControlComboBoxAutoCompleteWnd {
public:
    using CTkControlComboBoxAutoCompleteWnd::CTkControlComboBoxAutoCompleteWnd;
    static void* operator new(size_t nSize) {
        void* p = std::malloc(nSize);
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }
    static void operator delete(void* p, size_t nSize) { std::memset(p, 0xDD, nSize); }
};

}  // namespace

TEST_F(ComboFixture, FactoryMakesTheComboWithItsOwnListWindow) {
    CTkControlComboBox* pCombo = AddCombo(FALSE, {});
    CTkControlComboBoxList* pList = pCombo->GetList();
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pCombo->GetType(), kControlComboBox);
    EXPECT_EQ(pCombo->GetWidth(), 100);
    EXPECT_EQ(pList->GetPosition(), CTkControlComboBoxList::kComboListPosition);
    wchar_t szClass[32] = {};
    ::GetClassNameW(pList->GetSafeHwnd(), szClass, 32);
    EXPECT_STREQ(szClass, L"ListBox");
    EXPECT_FALSE(pList->IsWindowVisible());
}

TEST_F(ComboFixture, TypingCompletesFromTheListAndBackspaceAddsNothing) {
    CTkControlComboBox* pCombo = AddCombo(TRUE, {L"xyz", L"abc"});
    pCombo->SetAutoComplete(TRUE);
    pCombo->SetFocused(TRUE);
    ASSERT_TRUE(pCombo->IsEditFocused());

    // The first change after the focus came is not completed; the next one is.
    Type(pCombo, L"a");
    EXPECT_EQ(pCombo->GetEditText(), L"a");
    Type(pCombo, L"b");
    EXPECT_EQ(pCombo->GetEditText(), L"abc");
    EXPECT_EQ(SelectedText(pCombo), L"c");
    EXPECT_EQ(pCombo->GetCurSel(), 1);

    // Backspace takes the completed part away and nothing comes back.
    EXPECT_EQ(pCombo->HandleFocusedKey(VK_BACK), kHookStop);
    pCombo->GetEditCtrl()->SendMessage(WM_KEYDOWN, VK_BACK, 1);
    EXPECT_EQ(pCombo->GetEditText(), L"ab");
    EXPECT_EQ(pCombo->GetCurSel(), LB_ERR);

    // Without AutoComplete typing only searches the list.
    pCombo->SetAutoComplete(FALSE);
    Type(pCombo, L"c");
    EXPECT_EQ(pCombo->GetEditText(), L"abc");
    pCombo->SetEditText(L"");
    Type(pCombo, L"x");
    EXPECT_EQ(pCombo->GetEditText(), L"x");
}

TEST_F(ComboFixture, EscapeRestoresTheTextAndSelectionOfTheFocusEntry) {
    CTkControlComboBox* pCombo = AddCombo(TRUE, {L"a", L"b", L"c"});
    pCombo->SetCurSel(1);
    ASSERT_EQ(pCombo->GetEditText(), L"b");
    pCombo->SetFocused(TRUE);
    EXPECT_EQ(LockRaised(), 1);

    EXPECT_EQ(pCombo->HandleFocusedKey(VK_DOWN), kHookHandled);
    EXPECT_EQ(pCombo->GetCurSel(), 2);
    EXPECT_EQ(pCombo->GetEditText(), L"c");
    EXPECT_EQ(pCombo->HandleFocusedKey(VK_F4), kHookHandled);
    ASSERT_TRUE(pCombo->IsPopupOpen());
    EXPECT_TRUE(pCombo->GetList()->IsWindowVisible());
    EXPECT_EQ(LockRaised(), 2);

    pCombo->HandleFocusedKey(VK_ESCAPE);
    EXPECT_FALSE(pCombo->IsPopupOpen());
    EXPECT_FALSE(pCombo->GetList()->IsWindowVisible());
    EXPECT_FALSE(pCombo->IsFocused());
    EXPECT_EQ(pCombo->GetCurSel(), 1);
    EXPECT_EQ(pCombo->GetEditText(), L"b");
    EXPECT_EQ(LockRaised(), 0);
}

TEST_F(ComboFixture, ListShowsAtMostDropDownItemCountRows) {
    struct Row {
        int nItems;
        int nRows;
    };
    const Row rows[] = {{30, 12}, {3, 3}, {0, 1}};
    for (const Row& row : rows) {
        CTkControlComboBox* pCombo = AddCombo(FALSE, {});
        for (int i = 0; i < row.nItems; ++i)
            pCombo->AddString(std::to_wstring(i).c_str());
        ASSERT_TRUE(pCombo->SetPopupOpen(TRUE)) << row.nItems;
        CTkControlComboBoxList* pList = pCombo->GetList();
        CRect rc;
        pList->GetWindowRect(&rc);
        EXPECT_EQ(rc.Height(), pList->GetItemHeight() * row.nRows + 4) << row.nItems;
        EXPECT_EQ(rc.Width(), pCombo->GetRect().Width()) << row.nItems;
        pCombo->SetPopupOpen(FALSE);
        EXPECT_EQ(LockRaised(), 0) << row.nItems;
    }
}

TEST_F(ComboFixture, SiteHearsTheComboNotificationsInOrder) {
    // Editable: focus, drop down, a row chosen by key and accepted, the list closes, the focus goes.
    CTkControlComboBox* pCombo = AddCombo(TRUE, {L"a", L"b"});
    pCombo->SetFocused(TRUE);
    pCombo->HandleFocusedKey(VK_F4);
    pCombo->HandleFocusedKey(VK_DOWN);
    pCombo->GetList()->OnTrackingKeyDown(VK_RETURN, 0);
    pCombo->SetFocused(FALSE);
    EXPECT_EQ(NotifiedCodes(), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP,
                                                  CBN_KILLFOCUS, kControlNotifyExecute}));
    EXPECT_EQ(pCombo->GetEditText(), L"a");
    EXPECT_EQ(LockRaised(), 0);

    // Not editable: a row chosen and then left without accepting goes back, and the site hears the cancel.
    m_pSite->m_notifications.clear();
    CTkControlComboBox* pList = AddCombo(FALSE, {L"a", L"b"}, CRect(170, 5, 270, 27));
    pList->SetFocused(TRUE);
    pList->HandleFocusedKey(VK_DOWN);
    EXPECT_EQ(pList->GetCurSel(), 0);
    pList->SetFocused(FALSE);
    EXPECT_EQ(pList->GetCurSel(), LB_ERR);
    EXPECT_EQ(NotifiedCodes(), (std::vector<UINT>{CBN_SETFOCUS, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_KILLFOCUS}));

    // Typing tells the site of each change.
    m_pSite->m_notifications.clear();
    pCombo->SetFocused(TRUE);
    Type(pCombo, L"q");
    EXPECT_EQ(NotifiedCodes(), (std::vector<UINT>{CBN_SETFOCUS, CBN_EDITCHANGE}));
    pCombo->SetFocused(FALSE);
}

TEST_F(ComboFixture, EditWindowIsAnInPlaceEditOfTheBar) {
    CTkControlComboBox* pCombo = AddCombo(TRUE, {});
    CTkControlComboBoxEditCtrl* pEdit = pCombo->GetEditCtrl();
    ASSERT_NE(pEdit->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pEdit->SendMessage(InPlaceEditQueryMessage), 1);
    EXPECT_EQ(GetFocusedBarEdit(), nullptr);
    pCombo->SetFocused(TRUE);
    EXPECT_EQ(GetFocusedBarEdit(), pEdit);
    pCombo->SetFocused(FALSE);
    EXPECT_NE(::GetFocus(), pEdit->GetSafeHwnd());

    // Placed over the field between the label and the drop-down button.
    const CRect rc = pCombo->GetRect();
    CRect rcEdit;
    pEdit->GetWindowRect(&rcEdit);
    m_pBar->ScreenToClient(&rcEdit);
    EXPECT_EQ(rcEdit, CRect(rc.left + pCombo->GetLabelWidth() + 4, rc.top + 3,
                            rc.right - pCombo->GetDropButtonWidth() - 3, rc.bottom - 3));
    // Shown with the bar only.
    EXPECT_FALSE(pEdit->IsWindowVisible());
    m_pBar->ShowWindow(SW_SHOWNA);
    pCombo->SetRect(rc);
    EXPECT_TRUE(pEdit->IsWindowVisible());
    pCombo->SetHideFlags(kHideGeneric);
    EXPECT_FALSE(pEdit->IsWindowVisible());
    // Rich edit text is read whole, however long.
    const CString strLong(L'w', 5000);
    pCombo->SetEditText(strLong);
    pCombo->SetTextStale();
    EXPECT_EQ(pCombo->GetEditText(), strLong);
}

TEST_F(ComboFixture, LongRowsAreReadWhole) {
    const CString strLong(L'r', 3000);
    CTkControlComboBox* pCombo = AddCombo(FALSE, {L"short", strLong.GetString()});
    EXPECT_EQ(pCombo->GetLBText(1), strLong);
    EXPECT_EQ(pCombo->GetLBText(7), L"");
    pCombo->SetCurSel(1);
    EXPECT_EQ(pCombo->GetEditText(), strLong);
}

TEST_F(ComboFixture, HintShowsInTheEmptyUnfocusedField) {
    CTkControlComboBox* pCombo = AddCombo(TRUE, {});
    pCombo->SetEditHint(L"Search");
    // The text colour of the window: grey for the hint, the window text colour for text.
    const auto textColor = [&] {
        CHARFORMAT2W format{};
        format.cbSize = sizeof(format);
        pCombo->GetEditCtrl()->SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        return format.crTextColor;
    };
    CString strWindow;
    pCombo->GetEditCtrl()->GetWindowText(strWindow);
    EXPECT_EQ(strWindow, L"Search");
    EXPECT_EQ(pCombo->GetEditText(), L"");
    EXPECT_EQ(textColor(), m_pTheme->LookupColor(COLOR_GRAYTEXT));
    pCombo->SetFocused(TRUE);
    pCombo->GetEditCtrl()->GetWindowText(strWindow);
    EXPECT_EQ(strWindow, L"");
    EXPECT_EQ(textColor(), m_pTheme->LookupColor(COLOR_WINDOWTEXT));
    Type(pCombo, L"k");
    pCombo->SetFocused(FALSE);
    EXPECT_EQ(pCombo->GetEditText(), L"k");
    pCombo->SetFocused(TRUE);
    pCombo->SetEditText(L"");
    pCombo->SetFocused(FALSE);
    pCombo->GetEditCtrl()->GetWindowText(strWindow);
    EXPECT_EQ(strWindow, L"Search");
}

TEST_F(ComboFixture, RemovedOrDestroyedFocusedComboLeavesTheMouseLockAsBefore) {
    CTkControlComboBox* pRemoved = AddCombo(TRUE, {L"a"});
    pRemoved->SetFocused(TRUE);
    ASSERT_EQ(LockRaised(), 1);
    Controls()->Remove(pRemoved);
    EXPECT_EQ(LockRaised(), 0);

    auto* pDestroyed = new CTkControlComboBox;
    pDestroyed->SetFocused(TRUE);
    ASSERT_EQ(LockRaised(), 1);
    pDestroyed->InternalRelease();
    EXPECT_EQ(LockRaised(), 0);
}

TEST_F(ComboFixture, ShellSuggestionWindowIsTrustedAndTakesTheNavigationKeys) {
    CTkControlComboBox* pCombo = AddCombo(TRUE, {L"a", L"b"});
    pCombo->SetShellAutoComplete(SHACF_FILESYSTEM);
    CTkControlComboBoxAutoCompleteWnd* pTracker = pCombo->GetAutoCompleteWnd();
    if (pTracker == nullptr)
        GTEST_SKIP() << "no SHAutoComplete here";
    EXPECT_FALSE(pTracker->IsActive());
    pCombo->SetFocused(TRUE);
    ASSERT_TRUE(pTracker->IsActive());

    SuggestionWindow suggestions;
    suggestions.Show(TRUE);
    EXPECT_EQ(pTracker->GetSuggestionWindow(), suggestions.m_hWnd);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, pCombo->GetEditCtrl()->GetSafeHwnd(), AutoSuggestShownMessage,
                               AutoSuggestShownMessage, PM_REMOVE));
    // A click in it leaves the bars open.
    MSG click{suggestions.m_hWnd, WM_LBUTTONDOWN, 0, 0, 0, {410, 410}};
    EXPECT_FALSE(CreateMouseManager()->EndsTracking(m_pBar, &click));

    // Page Up, Page Down, Up and Down move its list; the wheel is left to it.
    WPARAM wParam = VK_DOWN;
    LPARAM lParam = 0;
    LRESULT lResult = 0;
    EXPECT_EQ(pTracker->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult), kHookHandled);
    EXPECT_EQ(suggestions.GetListSelection(), 1);
    wParam = 'A';
    EXPECT_EQ(pTracker->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult), kHookNotHandled);
    EXPECT_EQ(pTracker->OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam, lResult), kHookStop);
    EXPECT_FALSE(pCombo->HandleMouseWheel(0, -120, CPoint()));
    EXPECT_EQ(pCombo->HandleFocusedKey(VK_DOWN), kHookStop);

    suggestions.Show(FALSE);
    EXPECT_EQ(pTracker->GetSuggestionWindow(), nullptr);
    EXPECT_TRUE(CreateMouseManager()->EndsTracking(m_pBar, &click));
    EXPECT_TRUE(pCombo->HandleMouseWheel(0, -120, CPoint()));
    EXPECT_EQ(pCombo->GetCurSel(), 0);

    // Turning completion off while focused takes the tracker and its hook away: later windows are not
    // seen by a deleted tracker.
    pCombo->SetShellAutoComplete(0);
    EXPECT_EQ(CTkControlComboBoxAutoCompleteWnd::GetActive(), nullptr);
    suggestions.Show(TRUE);
    suggestions.Show(FALSE);
    // The library stays loaded for the completion object the edit keeps.
    EXPECT_NE(::GetModuleHandleA("shlwapi.dll"), nullptr);
    pCombo->SetFocused(FALSE);
}

TEST_F(ComboFixture, DeletedActiveTrackerLeavesNoHookBehind) {
    CTkControlComboBox* pCombo = AddCombo(TRUE, {});
    auto* pTracker = new CPoisonedTracker(pCombo->GetEditCtrl()->GetSafeHwnd());
    ASSERT_TRUE(pTracker->Activate());
    SuggestionWindow suggestions;
    suggestions.Show(TRUE);
    ASSERT_EQ(pTracker->GetSuggestionWindow(), suggestions.m_hWnd);
    delete pTracker;
    EXPECT_EQ(CTkControlComboBoxAutoCompleteWnd::GetActive(), nullptr);
    MSG click{suggestions.m_hWnd, WM_LBUTTONDOWN, 0, 0, 0, {410, 410}};
    pCombo->SetFocused(TRUE);
    EXPECT_TRUE(CreateMouseManager()->EndsTracking(m_pBar, &click));
    suggestions.Show(FALSE);
    suggestions.Show(TRUE);
    pCombo->SetFocused(FALSE);
}

TEST_F(ComboFixture, SavedKeysRoundTripWithTheListRows) {
    CTkControlComboBox* pCombo = AddCombo(FALSE, {L"one", L"two"});
    pCombo->SetEditHint(L"hint");
    pCombo->SetAutoComplete(TRUE);
    pCombo->SetEditIconId(7);
    pCombo->SetDropDownItemCount(5);
    pCombo->SetEditStyle(ES_UPPERCASE);
    pCombo->SetComboStyle(1);
    pCombo->GetList()->SetListIconId(40);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTkPropExchangeArchive exchange(ar);
        pCombo->ExchangeProperties(&exchange);
        pCombo->GetList()->DoPropExchange(&exchange);
        ar.Close();
    }
    file.SeekToBegin();
    auto* pLoaded = new CTkControlComboBox;
    {
        CArchive ar(&file, CArchive::load);
        CTkPropExchangeArchive exchange(ar);
        exchange.m_bLoading = TRUE;
        pLoaded->ExchangeProperties(&exchange);
        pLoaded->GetList()->DoPropExchange(&exchange);
    }
    EXPECT_EQ(pLoaded->GetEditHint(), L"hint");
    EXPECT_TRUE(pLoaded->GetAutoComplete());
    EXPECT_EQ(pLoaded->GetEditIconId(), 7);
    EXPECT_EQ(pLoaded->GetDropDownItemCount(), 5);
    EXPECT_EQ(pLoaded->GetEditStyle(), static_cast<DWORD>(ES_UPPERCASE));
    EXPECT_EQ(pLoaded->GetComboStyle(), 1);
    EXPECT_FALSE(pLoaded->GetDropDown());
    EXPECT_EQ(pLoaded->GetList()->GetListIconId(), 40);
    ASSERT_EQ(pLoaded->GetCount(), 2);
    EXPECT_EQ(pLoaded->GetLBText(1), L"two");
    pLoaded->InternalRelease();

    // Up to schema 23 the list writes what any popup bar writes.
    struct Context {
        CTkCommandBar* pBar;
        int nSchema;
    };
    const auto store = [](CTkPropExchange* pPX, void* p) {
        auto* pContext = static_cast<Context*>(p);
        pPX->m_nSchema = pContext->nSchema;
        pContext->pBar->DoPropExchange(pPX);
    };
    CTkPopupBar* pPlain = MakePopupBar();
    Context listAt23{pCombo->GetList(), 23};
    Context plainAt23{pPlain, 23};
    EXPECT_EQ(ExchangedBytes(store, &listAt23), ExchangedBytes(store, &plainAt23));
    Context listAt24{pCombo->GetList(), 24};
    EXPECT_GT(ExchangedBytes(store, &listAt24).size(), ExchangedBytes(store, &listAt23).size());
    pPlain->InternalRelease();

    // A clone copies the settings and the rows into a list of its own.
    auto* pClone = static_cast<CTkControlComboBox*>(pCombo->Clone(FALSE));
    EXPECT_NE(pClone->GetList(), pCombo->GetList());
    EXPECT_EQ(pClone->GetCount(), 2);
    EXPECT_EQ(pClone->GetEditHint(), L"hint");
    EXPECT_TRUE(pClone->IsSameAs(pCombo));
    pClone->InternalRelease();
}

TEST_F(ComboFixture, DefaultThemeDrawsTheRealCombo) {
    CTkControlComboBox* pCombo = AddCombo(FALSE, {L"Alpha", L"Beta"}, CRect(0, 0, 120, 22));
    pCombo->SetEditHint(L"Pick");
    const int nButton = pCombo->GetDropButtonWidth();
    ASSERT_GE(nButton, 15);
    EXPECT_EQ(pCombo->GetLabelWidth(), 0);
    EXPECT_EQ(pCombo->GetCustomizeMinWidth(), nButton + 5);

    // The hint in grey, then the selected row in the window text colour; the button's arrow in its place.
    const auto drawn = [&](LPCWSTR pszName) {
        auto dc = std::make_unique<CScopedMemDC>(120, 22);
        dc->FillSolidRect(0, 0, 120, 22, RGB(1, 2, 3));
        pCombo->Draw(dc.get());
        WritePng(*dc, pszName);
        return dc;
    };
    const auto countColor = [](const CScopedMemDC& dc, const CRect& rc, COLORREF clr) {
        int nCount = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                nCount += PixelAt(dc, x, y) == clr;
        return nCount;
    };
    const CRect rcText(3, 3, 120 - nButton - 1, 19);
    const CRect rcButton(120 - nButton, 0, 120, 22);
    const COLORREF clrGray = m_pTheme->LookupColor(COLOR_GRAYTEXT);
    const COLORREF clrText = m_pTheme->LookupColor(COLOR_WINDOWTEXT);
    auto hint = drawn(L"Z:\\tmp\\combo-hint.png");
    EXPECT_GT(countColor(*hint, rcText, clrGray), 0);
    EXPECT_GT(countColor(*hint, rcButton, m_pTheme->LookupColor(COLOR_BTNTEXT)), 0);
    pCombo->SetCurSel(1);
    auto item = drawn(L"Z:\\tmp\\combo-item.png");
    EXPECT_GT(countColor(*item, rcText, clrText), 0);
    EXPECT_EQ(countColor(*item, rcText, clrGray), 0);
}

TEST_F(ComboFixture, ListRowsFollowThePointerAndTheReleaseExecutes) {
    CTkControlComboBox* pCombo = AddCombo(FALSE, {L"Alpha", L"Beta", L"Gamma"});
    ASSERT_TRUE(pCombo->SetPopupOpen(TRUE));
    CTkControlComboBoxList* pList = pCombo->GetList();
    const int nRow = pList->GetItemHeight();
    pList->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, nRow + nRow / 2));
    EXPECT_EQ(pList->GetCurSel(), 1);
    pList->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, nRow + nRow / 2));
    EXPECT_EQ(pCombo->GetCurSel(), 1);
    EXPECT_FALSE(pCombo->IsPopupOpen());
    EXPECT_EQ(m_pSite->m_commands, std::vector<UINT>{300});
    EXPECT_EQ(LockRaised(), 0);

    // Keys go to the list box itself: a letter finds its row.
    pCombo->SetFocused(TRUE);
    EXPECT_EQ(pCombo->HandleFocusedKey('G'), kHookHandled);
    EXPECT_EQ(pCombo->GetCurSel(), 2);
    EXPECT_EQ(pCombo->GetEditText(), L"Gamma");
    pCombo->SetFocused(FALSE);
    // Not executed: leaving takes the choice back.
    EXPECT_EQ(pCombo->GetCurSel(), 1);

    // The drop-down button is hot under the pointer.
    const CRect rc = pCombo->GetRect();
    pCombo->SetSelected(1);
    pCombo->HandleMouseMove(CPoint(rc.right - 2, rc.top + 5));
    EXPECT_EQ(pCombo->GetSelected(), 5);
    pCombo->HandleMouseMove(CPoint(rc.left + 2, rc.top + 5));
    EXPECT_EQ(pCombo->GetSelected(), 1);
}

TEST_F(ComboFixture, EditWindowRunsTheStandardEditCommands) {
    CTkControlComboBox* pCombo = AddCombo(TRUE, {});
    CTkControlComboBoxEditCtrl* pEdit = pCombo->GetEditCtrl();
    pCombo->SetFocused(TRUE);
    pCombo->SetEditText(L"word");

    // Copy and cut need a selection; cut and paste a writable, enabled window; paste text to paste.
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    pEdit->SetSel(0, 0);
    EXPECT_FALSE(pEdit->IsCommandEnabled(ID_EDIT_COPY));
    EXPECT_FALSE(pEdit->IsCommandEnabled(ID_EDIT_CUT));
    EXPECT_FALSE(pEdit->IsCommandEnabled(ID_EDIT_PASTE));
    pEdit->SetSel(0, 2);
    EXPECT_TRUE(pEdit->IsCommandEnabled(ID_EDIT_COPY));
    EXPECT_TRUE(pEdit->IsCommandEnabled(ID_EDIT_CUT));

    // The frame's Cut reaches the focused edit through the hub.
    LRESULT lResult = 0;
    EXPECT_TRUE(m_pCommandBars->OnFrameMessage(WM_COMMAND, ID_EDIT_CUT, 0, &lResult));
    EXPECT_EQ(pCombo->GetEditText(), L"rd");
    EXPECT_TRUE(pEdit->IsCommandEnabled(ID_EDIT_PASTE));
    pEdit->SetReadOnly(TRUE);
    pEdit->SetSel(0, 1);
    EXPECT_TRUE(pEdit->IsCommandEnabled(ID_EDIT_COPY));
    EXPECT_FALSE(pEdit->IsCommandEnabled(ID_EDIT_CUT));
    EXPECT_FALSE(pEdit->IsCommandEnabled(ID_EDIT_PASTE));
    pCombo->SetFocused(FALSE);
}
