// The report list: how it orders cell texts, how a header click sorts the rows with everything that belongs to
// them, the row records it owns, and the cell colours it draws.

#include "views/ReportCtrl.h"

#include "DibPixels.h"
#include "ViewsTestSupport.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

constexpr UINT kListId = 1001;

struct CompareCase {
    const wchar_t* A;
    const wchar_t* B;
    int Expected;
};

// Sends the list's header click to its parent, as the list does.
void ClickHeader(CWnd& parent, CReportCtrl& list, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list.GetSafeHwnd();
    click.hdr.idFrom = kListId;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    parent.SendMessage(WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&click));
}

std::wstring Column(HWND list, int column) {
    std::wstring texts;
    for (int row = 0; row < RowCount(list); ++row)
        texts += (row ? L"," : L"") + CellText(list, row, column);
    return texts;
}

// The list printed into a DIB section as the screen shows it.
void Print(CReportCtrl& list, CScopedMemDC& dc) {
    dc.FillSolidRect(0, 0, dc.GetWidth(), dc.GetHeight(), RGB(1, 2, 3));
    list.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
}

bool CellHasPixel(const CScopedMemDC& dc, const CRect& cell, COLORREF colour) {
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) {
            if (PixelAt(dc, x, y) == colour)
                return true;
        }
    }
    return false;
}

}  // namespace

TEST(ReportCtrl, CompareItemsReadsHexNumbersPercentagesDatesThenText) {
    const CompareCase cases[] = {
        {L"9", L"10", -1},  // read as hexadecimal, which keeps the decimal order
        {L"10", L"9", 1},
        {L"0x1F", L"20", -1},  // 31 against 32
        {L"2.5", L"10", -1},   // decimal numbers, where the texts would order the other way
        {L"12.5%", L"3%", 1},
        {L"3%", L"12.5%", -1},
        {L"12.5 %", L"3%", -1},  // a blank before "%" is not a number: compared as texts
        {L"2019-04-26 10:00:00", L"2019-04-25 23:00:00", 1},
        {L"2019-04-25 23:00:00", L"2019-04-26 10:00:00", -1},
        {L"", L"abc", -1},
        {L"abc", L"", 1},
        {L"abc", L"abd", -1},
        {L"Zebra", L"apple", -1},  // by UTF-16 units, case-sensitive
        {L"same", L"same", 0},
        {L"7", L"7", 0},
    };
    for (const CompareCase& c : cases)
        EXPECT_EQ(c.Expected, CReportCtrl::CompareItems(c.A, c.B))
            << "\"" << CStringA(c.A).GetString() << "\" vs \"" << CStringA(c.B).GetString() << "\"";
}

TEST(ReportCtrl, SortsRowsWithTheirRecordsColoursImagesAndStates) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CWnd frame;
    ASSERT_TRUE(
        frame.CreateEx(0, AfxRegisterWndClass(0), L"report", WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr, nullptr));
    CReportCtrl list;
    // Label editing, small icons and no-scroll are taken away; a visible report view it is (the list keeps its
    // scroll bars to what its rows need).
    ASSERT_TRUE(list.Create(LVS_EDITLABELS | LVS_SMALLICON | LVS_NOSCROLL, CRect(0, 0, 400, 200), &frame, kListId));
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE | LVS_REPORT),
              list.GetStyle() & (WS_CHILD | WS_VISIBLE | LVS_TYPEMASK | LVS_EDITLABELS | LVS_NOSCROLL));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES), list.GetExtendedStyle());
    const HWND hList = list.GetSafeHwnd();
    CImageList icons;
    CreateBlankAppIcons(icons);
    list.SetImageList(&icons, LVSIL_SMALL);

    list.InsertColumn(0, L"number", LVCFMT_LEFT, 100);
    list.InsertColumn(1, L"name", LVCFMT_LEFT, 120);
    // Rows "10", "9", "3", "20" with their own pane values, images and texts.
    const wchar_t* numbers[] = {L"10", L"9", L"3", L"20"};
    const wchar_t* names[] = {L"ten", L"nine", L"three", L"twenty"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(i, list.InsertItemWithData(i, numbers[i], i + 1));
        list.SetItemText(i, 1, names[i]);
        list.SetItem(i, 1, LVIF_IMAGE, nullptr, 10 + i, 0, 0, 0);
        ASSERT_TRUE(list.SetRowData(i, 100 + i));
    }
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);  // "9"
    const COLORREF red = RGB(210, 0, 0), navy = RGB(0, 0, 150);
    ASSERT_TRUE(list.SetCellColors(2, 1, RGB(255, 255, 0), navy));   // "three": yellow on navy
    ASSERT_TRUE(list.SetCellColors(3, 0, red, RGB(255, 255, 255)));  // "20": red on white
    EXPECT_FALSE(list.SetCellColors(3, 2, red, red));                // no such column

    ClickHeader(frame, list, 0);  // ascending by the hexadecimal values
    EXPECT_EQ(L"3,9,10,20", Column(hList, 0));
    EXPECT_EQ(L"three,nine,ten,twenty", Column(hList, 1));
    const int ascendingData[] = {102, 101, 100, 103};
    const int ascendingImages[] = {3, 2, 1, 4};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(static_cast<DWORD_PTR>(ascendingData[row]), list.GetRowData(row)) << row;
        EXPECT_EQ(ascendingImages[row], RowImage(hList, row, 0)) << row;
        EXPECT_EQ(ascendingImages[row] + 9, RowImage(hList, row, 1)) << row;
    }
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(0u, list.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED));

    ClickHeader(frame, list, 0);  // the same header again: descending
    EXPECT_EQ(L"20,10,9,3", Column(hList, 0));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(static_cast<DWORD_PTR>(102), list.GetRowData(3));

    // The colours went with their rows: "20" is row 0, "three" row 3, drawn by custom draw.
    frame.ShowWindow(SW_SHOW);
    CScopedMemDC dc(400, 200);
    ASSERT_TRUE(dc.IsValid());
    Print(list, dc);
    CRect twenty, twentyName, three, threeNumber;
    list.GetSubItemRect(0, 0, LVIR_LABEL, twenty);
    list.GetSubItemRect(0, 1, LVIR_LABEL, twentyName);
    list.GetSubItemRect(3, 1, LVIR_LABEL, three);
    list.GetSubItemRect(3, 0, LVIR_LABEL, threeNumber);
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(dc, twenty.right - 3, twenty.CenterPoint().y));
    EXPECT_TRUE(CellHasPixel(dc, twenty, red));
    EXPECT_EQ(navy, PixelAt(dc, three.right - 3, three.CenterPoint().y));
    EXPECT_TRUE(CellHasPixel(dc, three, RGB(255, 255, 0)));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), PixelAt(dc, threeNumber.right - 3, threeNumber.CenterPoint().y));
    EXPECT_FALSE(CellHasPixel(dc, twentyName, red));
    WritePng(dc, L"Z:\\tmp\\views_report_sorted.png");

    // An insert forgets the sort: the next click sorts ascending again.
    ASSERT_EQ(4, list.InsertItemWithData(4, L"1", 0));
    EXPECT_EQ(-1, list.GetSortColumn());
    ClickHeader(frame, list, 0);
    EXPECT_EQ(L"1,3,9,10,20", Column(hList, 0));
    EXPECT_EQ(0u, list.GetRowData(0));  // the new row's pane value: its item data when the record was made

    // The space bar never reaches the list.
    MSG space{hList, WM_KEYDOWN, VK_SPACE, 0};
    EXPECT_TRUE(list.PreTranslateMessage(&space));
    MSG down{hList, WM_KEYDOWN, VK_DOWN, 0};
    EXPECT_FALSE(list.PreTranslateMessage(&down));

    // Deleting rows frees their records, never the pane's values; a deleted row's record is not found again.
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(static_cast<DWORD_PTR>(102), list.GetRowData(0));
    EXPECT_EQ(4, list.DeleteAllItems());
    EXPECT_EQ(0, RowCount(hList));
    EXPECT_FALSE(list.SetRowData(0, 1));

    list.DestroyWindow();
    frame.DestroyWindow();
}
