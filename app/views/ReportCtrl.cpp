#include "views/ReportCtrl.h"

#include <cwchar>
#include <new>
#include <utility>

namespace {

// Whatever the caller asks: a visible report-view child with both scroll bars, without small icons, label
// editing or LVS_NOSCROLL.
constexpr DWORD kRemovedStyles = LVS_NOSCROLL | LVS_EDITLABELS | LVS_SMALLICON;
constexpr DWORD kForcedStyles = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LVS_REPORT;
constexpr DWORD kForcedExStyles = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;

constexpr UINT kMovedStates = LVIS_SELECTED | LVIS_FOCUSED;

bool ReadWholeHex(const CString& text, unsigned long& value) {
    if (text.IsEmpty())
        return false;
    wchar_t* end = nullptr;
    value = std::wcstoul(text, &end, 16);
    return *end == L'\0';
}

// A decimal number that fills the text, or is followed by a single "%" at its very end.
bool ReadWholeNumber(const CString& text, double& value) {
    if (text.IsEmpty())
        return false;
    wchar_t* end = nullptr;
    value = std::wcstod(text, &end);
    if (end == static_cast<LPCWSTR>(text))
        return false;
    return *end == L'\0' || (end[0] == L'%' && end[1] == L'\0');
}

template <class T>
int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

// Everything a sort moves of one row.
struct CReportCtrl::RowSnapshot {
    UINT State = 0;
    LPARAM Param = 0;
    std::vector<int> Images;  // per column
    std::vector<CString> Texts;
};

IMPLEMENT_DYNAMIC(CReportCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CReportCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

CReportCtrl::~CReportCtrl() = default;

BOOL CReportCtrl::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = (cs.style & ~kRemovedStyles) | kForcedStyles;
    return CListCtrl::PreCreateWindow(cs);
}

int CReportCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | kForcedExStyles);
    return 0;
}

void CReportCtrl::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    ModifyStyle(kRemovedStyles, kForcedStyles);
    SetExtendedStyle(kForcedExStyles);
}

void CReportCtrl::OnDestroy() {
    DeleteAllItems();
    CListCtrl::OnDestroy();
}

BOOL CReportCtrl::PreTranslateMessage(MSG* pMsg) {
    // The space bar would select and toggle rows behind the pane's back.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_SPACE)
        return TRUE;
    return CListCtrl::PreTranslateMessage(pMsg);
}

// ---- Rows

int CReportCtrl::InsertItemWithData(int nItem, LPCTSTR lpszText, int nImage) {
    EndEdit();
    ForgetSort();
    const int row = InsertItem(nItem, lpszText, nImage);
    if (row >= 0)
        AllocRowData(row);
    return row;
}

void CReportCtrl::AllocRowData(int nItem) {
    const int columns = ColumnCount();
    if (nItem < 0 || nItem >= GetItemCount() || columns < 1 || RecordOf(nItem))
        return;
    try {
        auto record = std::make_unique<RowRecord>();
        record->Data = CListCtrl::GetItemData(nItem);
        record->TextColors.assign(columns, ::GetSysColor(COLOR_WINDOWTEXT));
        record->BackColors.assign(columns, ::GetSysColor(COLOR_WINDOW));
        const RowRecord* key = record.get();
        m_records.emplace(key, std::move(record));
        if (!SetItemData(nItem, reinterpret_cast<DWORD_PTR>(key)))
            m_records.erase(key);
    } catch (const std::bad_alloc&) {
        // The row keeps no record and draws in the default colours.
    }
}

void CReportCtrl::FreeRowData(int nItem) {
    if (RowRecord* record = RecordOf(nItem)) {
        SetItemData(nItem, 0);
        m_records.erase(record);
    }
}

BOOL CReportCtrl::DeleteItem(int nItem) {
    EndEdit();
    FreeRowData(nItem);
    return CListCtrl::DeleteItem(nItem);
}

int CReportCtrl::DeleteAllItems() {
    EndEdit();
    const int count = GetItemCount();
    SetRedraw(FALSE);
    // A row drawn in between finds no record for its item data and takes the default colours.
    m_records.clear();
    CListCtrl::DeleteAllItems();
    SetRedraw(TRUE);
    Invalidate();
    return count;
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
    EndEdit();
    ForgetSort();
    return CListCtrl::SetItemText(nItem, nSubItem, lpszText);
}

int CReportCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
    EndEdit();
    return CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
}

DWORD_PTR CReportCtrl::GetRowData(int nItem) const {
    const RowRecord* record = RecordOf(nItem);
    return record ? record->Data : 0;
}

BOOL CReportCtrl::SetRowData(int nItem, DWORD_PTR dwData) {
    RowRecord* record = RecordOf(nItem);
    if (!record)
        return FALSE;
    record->Data = dwData;
    return TRUE;
}

BOOL CReportCtrl::SetCellColors(int nItem, int nSubItem, COLORREF clrText, COLORREF clrBack) {
    RowRecord* record = RecordOf(nItem);
    if (!record || nSubItem < 0 || nSubItem >= static_cast<int>(record->TextColors.size()))
        return FALSE;
    record->TextColors[nSubItem] = clrText;
    record->BackColors[nSubItem] = clrBack;
    RedrawItems(nItem, nItem);
    return TRUE;
}

CReportCtrl::RowRecord* CReportCtrl::RecordOf(int nItem) const {
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    return RecordFromItemData(static_cast<LPARAM>(CListCtrl::GetItemData(nItem)));
}

CReportCtrl::RowRecord* CReportCtrl::RecordFromItemData(LPARAM lParam) const {
    const auto found = m_records.find(reinterpret_cast<const RowRecord*>(lParam));
    return found == m_records.end() ? nullptr : found->second.get();
}

int CReportCtrl::ColumnCount() const {
    CHeaderCtrl* header = GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

// ---- Drawing

void CReportCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
        case CDDS_ITEMPREPAINT:
            // At the item stage this asks for the cells (CDRF_NOTIFYSUBITEMDRAW has the same value).
            *pResult = CDRF_NOTIFYITEMDRAW;
            break;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            if (const RowRecord* record = RecordFromItemData(draw->nmcd.lItemlParam)) {
                const int column = draw->iSubItem;
                if (column >= 0 && column < static_cast<int>(record->TextColors.size())) {
                    draw->clrText = record->TextColors[column];
                    draw->clrTextBk = record->BackColors[column];
                }
            }
            break;
        default:
            break;
    }
}

// ---- Sorting

void CReportCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    // A second click on the same column reverses an ascending order.
    SortColumn(column, column != m_sortColumn || !m_sortAscending);
    *pResult = 0;
}

void CReportCtrl::ForgetSort() {
    m_sortColumn = -1;
    m_sortAscending = TRUE;
}

BOOL CReportCtrl::HasClickableHeader() const {
    if (GetStyle() & LVS_NOCOLUMNHEADER)
        return FALSE;
    CHeaderCtrl* header = GetHeaderCtrl();
    return header && (header->GetStyle() & HDS_BUTTONS);
}

void CReportCtrl::SortColumn(int nColumn, BOOL bAscending) {
    EndEdit();
    const int columns = ColumnCount();
    const int rows = GetItemCount();
    if (nColumn < 0 || nColumn >= columns || !HasClickableHeader() || rows == 0 || m_sorting)
        return;
    m_sorting = TRUE;
    m_sortColumn = nColumn;
    m_sortAscending = bAscending;

    const std::vector<RowSnapshot> snapshot = TakeSnapshot(columns);
    std::vector<int> order(rows);
    for (int i = 0; i < rows; ++i)
        order[i] = i;
    QuickSort(order, 0, rows - 1, snapshot);

    for (int position = 0; position < rows; ++position) {
        const RowSnapshot& row = snapshot[order[position]];
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = position;
            item.iSubItem = column;
            item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(row.Texts[column]));
            item.iImage = row.Images[column];
            if (column == 0) {
                item.mask |= LVIF_PARAM | LVIF_STATE;
                item.lParam = row.Param;
                item.state = row.State;
                item.stateMask = kMovedStates;
            }
            SetItem(&item);
        }
    }
    m_sorting = FALSE;
}

std::vector<CReportCtrl::RowSnapshot> CReportCtrl::TakeSnapshot(int nColumns) const {
    std::vector<RowSnapshot> snapshot(GetItemCount());
    for (int row = 0; row < static_cast<int>(snapshot.size()); ++row) {
        RowSnapshot& shot = snapshot[row];
        shot.State = GetItemState(row, kMovedStates);
        shot.Param = static_cast<LPARAM>(CListCtrl::GetItemData(row));
        for (int column = 0; column < nColumns; ++column) {
            LVITEMW item{};
            item.mask = LVIF_IMAGE;
            item.iItem = row;
            item.iSubItem = column;
            GetItem(&item);
            shot.Images.push_back(item.iImage);
            shot.Texts.push_back(GetItemText(row, column));
        }
    }
    return snapshot;
}

int CReportCtrl::CompareRows(int a, int b, const std::vector<RowSnapshot>& snapshot) const {
    const int order = CompareItems(snapshot[a].Texts[m_sortColumn], snapshot[b].Texts[m_sortColumn]);
    return m_sortAscending ? order : -order;
}

void CReportCtrl::QuickSort(std::vector<int>& rows, int low, int high, const std::vector<RowSnapshot>& snapshot) {
    while (low < high) {
        const int pivot = rows[(low + high) / 2];
        int i = low;
        int j = high;
        while (i <= j) {
            while (CompareRows(rows[i], pivot, snapshot) < 0)
                ++i;
            while (CompareRows(rows[j], pivot, snapshot) > 0)
                --j;
            if (i <= j) {
                std::swap(rows[i], rows[j]);
                ++i;
                --j;
            }
        }
        if (low < j)
            QuickSort(rows, low, j, snapshot);
        low = i;
    }
}

int CReportCtrl::CompareItems(const CString& a, const CString& b) {
    unsigned long hexA = 0, hexB = 0;
    if (ReadWholeHex(a, hexA) && ReadWholeHex(b, hexB))
        return Order(hexA, hexB);
    double numberA = 0, numberB = 0;
    if (ReadWholeNumber(a, numberA) && ReadWholeNumber(b, numberB))
        return Order(numberA, numberB);
    COleDateTime dateA, dateB;
    if (dateA.ParseDateTime(a, 0, LANG_USER_DEFAULT) && dateB.ParseDateTime(b, 0, LANG_USER_DEFAULT))
        return Order(dateA, dateB);
    const int order = std::wcscmp(a, b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
