// Control wrappers: a list filled by a worker thread while the UI thread sits in a modal dialog, the
// date-time and IP-address round trips, and the wrappers that size texts themselves.

#include "FrameTestSupport.h"
#include "WindowResources.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr int kRows = 1000;

// A dialog that fills a list of another window from a worker thread, then ends itself; a timer of
// the list's window must keep ticking meanwhile.
class CFillDialog : public CDialog {
public:
    CFillDialog(CWnd* pParentWnd, CListCtrl* pList, const std::atomic<int>* pTicks)
        : CDialog(IDD_TEST_DIALOG, pParentWnd), m_pList(pList), m_pTicks(pTicks) {}
    ~CFillDialog() override {
        if (m_worker.joinable())
            m_worker.join();
    }

    std::atomic<bool> m_bWorkerSawNoMainWnd{false};
    std::atomic<bool> m_bWorkerSawAppMainWnd{false};

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        const HWND hDialog = m_hWnd;
        m_worker = std::thread([this, hDialog] {
            m_bWorkerSawNoMainWnd = AfxGetMainWnd() == nullptr;
            m_bWorkerSawAppMainWnd = AfxGetApp()->m_pMainWnd != nullptr;
            wchar_t szText[32];
            for (int i = 0; i < kRows; ++i) {
                _snwprintf(szText, _countof(szText), L"row %d", i);
                const int nItem = m_pList->InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, szText, 0, 0, i % 3, i);
                _snwprintf(szText, _countof(szText), L"row %d col 1", i);
                m_pList->SetItemText(nItem, 1, szText);
            }
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (*m_pTicks < 3 && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
        });
        return TRUE;
    }

private:
    CListCtrl* m_pList;
    const std::atomic<int>* m_pTicks;
    std::thread m_worker;
};

class CListHost : public CWnd {
public:
    CListCtrl m_list;
    std::atomic<int> m_nTicks{0};

protected:
    afx_msg void OnTimer(UINT_PTR) { ++m_nTicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListHost, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

}  // namespace

TEST(Controls, AListFilledByAWorkerWhileAModalDialogRunsShowsEveryRow) {
    CWinApp app(L"test");
    EnsureCommonControls();
    CListHost host;
    ASSERT_TRUE(CreateTopLevel(&host));
    ASSERT_TRUE(host.m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 180, 120), &host, 1001));
    host.m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_GRIDLINES);
    host.m_list.InsertColumn(0, L"Row", LVCFMT_LEFT, 80);
    host.m_list.InsertColumn(1, L"Text", LVCFMT_LEFT, 120);
    app.m_pMainWnd = &host;
    host.SetTimer(1, 10);

    CFillDialog dlg(&host, &host.m_list, &host.m_nTicks);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    host.KillTimer(1);
    app.m_pMainWnd = nullptr;

    EXPECT_GE(host.m_nTicks, 3);
    EXPECT_TRUE(dlg.m_bWorkerSawNoMainWnd);
    EXPECT_TRUE(dlg.m_bWorkerSawAppMainWnd);
    ASSERT_EQ(host.m_list.GetItemCount(), kRows);
    EXPECT_STREQ(host.m_list.GetItemText(0, 0), L"row 0");
    EXPECT_STREQ(host.m_list.GetItemText(kRows - 1, 1), L"row 999 col 1");
    EXPECT_EQ(host.m_list.GetItemData(500), 500u);
    EXPECT_EQ(host.m_list.GetExtendedStyle() & 0x23u, 0x23u);
}

TEST(Controls, ListItemsTextsSelectionAndChecks) {
    CWinApp app(L"test");
    EnsureCommonControls();
    CWnd host;
    ASSERT_TRUE(CreateTopLevel(&host));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 180, 120), &host, 1001));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    list.InsertColumn(0, L"Path", LVCFMT_LEFT, 100);
    list.InsertColumn(1, L"Notes", LVCFMT_LEFT, 100);

    // Texts longer than any first guess come back whole.
    const CString longText(L'x', 700);
    for (int i = 0; i < 4; ++i)
        list.InsertItem(i, L"item");
    list.SetItemText(2, 1, longText);
    EXPECT_STREQ(list.GetItemText(2, 1), longText);
    EXPECT_STREQ(list.GetItemText(3, 1), L"");

    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != nullptr;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));

    list.SetCheck(0, TRUE);
    EXPECT_TRUE(list.GetCheck(0));
    EXPECT_FALSE(list.GetCheck(1));

    // The header shows the columns with their texts.
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(pHeader, nullptr);
    EXPECT_EQ(pHeader->GetItemCount(), 2);
    wchar_t szText[255] = L"";
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = szText;
    item.cchTextMax = 255;
    ASSERT_TRUE(pHeader->GetItem(1, &item));
    EXPECT_STREQ(szText, L"Notes");

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(Controls, DateTimePickersRoundTripTheirValues) {
    CWinApp app(L"test");
    EnsureCommonControls();
    CWnd host;
    ASSERT_TRUE(CreateTopLevel(&host));
    struct Case {
        DWORD dwStyle;
        LPCWSTR pszFormat;
        SYSTEMTIME time;
    };
    const Case cases[] = {
        {DTS_UPDOWN | DTS_TIMEFORMAT, L"HH:mm", {2024, 3, 2, 5, 14, 37, 0, 0}},
        {DTS_UPDOWN | DTS_TIMEFORMAT, L"HH:mm", {2024, 3, 2, 5, 0, 0, 0, 0}},
        {DTS_UPDOWN | DTS_TIMEFORMAT, L"HH:mm", {2024, 3, 2, 5, 23, 59, 0, 0}},
        {DTS_SHORTDATEFORMAT, nullptr, {2019, 4, 5, 26, 10, 30, 0, 0}},
    };
    for (const Case& c : cases) {
        CDateTimeCtrl picker;
        ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | c.dwStyle, CRect(0, 0, 120, 24), &host, 1039));
        if (c.pszFormat != nullptr) {
            EXPECT_TRUE(picker.SetFormat(c.pszFormat));
        }
        EXPECT_TRUE(picker.SetTime(&c.time));
        SYSTEMTIME back = {};
        ASSERT_EQ(picker.GetTime(&back), static_cast<DWORD>(GDT_VALID));
        EXPECT_EQ(back.wYear, c.time.wYear);
        EXPECT_EQ(back.wMonth, c.time.wMonth);
        EXPECT_EQ(back.wDay, c.time.wDay);
        EXPECT_EQ(back.wHour, c.time.wHour);
        EXPECT_EQ(back.wMinute, c.time.wMinute);
        picker.DestroyWindow();
    }

    // A picker that may be empty answers GDT_NONE once cleared.
    CDateTimeCtrl optional;
    ASSERT_TRUE(optional.Create(WS_CHILD | WS_VISIBLE | DTS_SHOWNONE, CRect(0, 0, 120, 24), &host, 1040));
    EXPECT_TRUE(optional.SetTime(nullptr));
    SYSTEMTIME none = {};
    EXPECT_EQ(optional.GetTime(&none), static_cast<DWORD>(GDT_NONE));
}

TEST(Controls, IPAddressControlsRoundTripAddressesAndCountFields) {
    CWinApp app(L"test");
    EnsureCommonControls();
    CWnd host;
    ASSERT_TRUE(CreateTopLevel(&host));
    CIPAddressCtrl address;
    ASSERT_TRUE(address.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 140, 24), &host, 1050));

    // The high byte is the first field; addresses from 128.0.0.0 up are negative as 32-bit ints.
    for (const DWORD dwAddress : {0x7F000001u, 0xC0A801C8u, 0x00000000u, 0xFFFFFFFFu, 0x7F000000u}) {
        address.SetAddress(dwAddress);
        DWORD dwBack = 0x12345678;
        EXPECT_EQ(address.GetAddress(dwBack), 4) << std::hex << dwAddress;
        EXPECT_EQ(dwBack, dwAddress);
        EXPECT_FALSE(address.IsBlank());
    }
    BYTE f0 = 0, f1 = 0, f2 = 0, f3 = 0;
    address.SetAddress(192, 168, 1, 200);
    EXPECT_EQ(address.GetAddress(f0, f1, f2, f3), 4);
    EXPECT_EQ(f0, 192);
    EXPECT_EQ(f3, 200);

    address.ClearAddress();
    DWORD dwBlank = 0x12345678;
    EXPECT_TRUE(address.IsBlank());
    EXPECT_EQ(address.GetAddress(dwBlank), 0);
    EXPECT_EQ(dwBlank, 0u);
}

TEST(Controls, TreeItemsKeepTheirTextsDataAndPlaces) {
    CWinApp app(L"test");
    EnsureCommonControls();
    CWnd host;
    ASSERT_TRUE(CreateTopLevel(&host));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 150, 120), &host, 1000));

    HTREEITEM hRoot = tree.InsertItem(L"Root", 0, 0);
    HTREEITEM hChannels = tree.InsertItem(L"Channels", 1, 1, hRoot);
    const CString longName(L'n', 400);
    HTREEITEM hLong = tree.InsertItem(longName, 2, 2, hRoot);
    tree.SetItemData(hChannels, 1);
    tree.SetItemData(hLong, 13);
    tree.Expand(hRoot, TVE_EXPAND);

    EXPECT_EQ(tree.GetRootItem(), hRoot);
    EXPECT_EQ(tree.GetChildItem(hRoot), hChannels);
    EXPECT_EQ(tree.GetNextSiblingItem(hChannels), hLong);
    EXPECT_EQ(tree.GetParentItem(hLong), hRoot);
    EXPECT_STREQ(tree.GetItemText(hLong), longName);
    EXPECT_EQ(tree.GetItemData(hLong), 13u);
    EXPECT_TRUE(tree.SelectItem(hChannels));
    EXPECT_EQ(tree.GetSelectedItem(), hChannels);
    EXPECT_EQ(tree.GetCount(), 3u);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST(Controls, ComboTextsAndTooltipToolsComeBackWhole) {
    CWinApp app(L"test");
    EnsureCommonControls();
    CWnd host;
    ASSERT_TRUE(CreateTopLevel(&host));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 120, 100), &host, 1063));
    const CString longItem(L'c', 600);
    combo.AddString(L"first");
    combo.AddString(longItem);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_STREQ(text, longItem);
    combo.GetLBText(5, text);
    EXPECT_STREQ(text, L"");
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.SelectString(-1, L"fir"), 0);
    EXPECT_EQ(combo.FindStringExact(-1, longItem), 1);

    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host, TTS_ALWAYSTIP | TTS_NOPREFIX));
    EXPECT_EQ(::GetWindow(tip, GW_OWNER), host.m_hWnd);
    ASSERT_TRUE(tip.AddTool(&combo, L"Pick one"));
    ASSERT_TRUE(tip.AddTool(&host, L"Area", CRect(0, 0, 10, 10), 7));
    EXPECT_EQ(tip.GetToolCount(), 2);
    tip.UpdateTipText(L"Pick another", &combo);
    wchar_t szTip[80] = L"";
    TTTOOLINFOW info = {};
    info.hwnd = host.m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(combo.m_hWnd);
    info.lpszText = szTip;
    ASSERT_TRUE(tip.GetToolInfo(&info));
    EXPECT_STREQ(szTip, L"Pick another");
    tip.DelTool(&host, 7);
    EXPECT_EQ(tip.GetToolCount(), 1);
}
