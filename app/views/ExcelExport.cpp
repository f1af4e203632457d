#include "views/ExcelExport.h"

#include "settings/LangText.h"

#include <commctrl.h>
#include <process.h>

namespace {

// The dispatch ids of the spreadsheet's type library that the export calls.
constexpr DISPID kVisible = 558;
constexpr DISPID kWorkbooks = 572;
constexpr DISPID kAdd = 181;
constexpr DISPID kActiveWorkbook = 148;
constexpr DISPID kSheets = 485;
constexpr DISPID kItem = 170;
constexpr DISPID kActivate = 304;
constexpr DISPID kRange = 197;
constexpr DISPID kValue = 6;
constexpr DISPID kNumberFormatLocal = 1097;
constexpr DISPID kBorderAround = 1067;
constexpr DISPID kHorizontalAlignment = 136;
constexpr DISPID kVerticalAlignment = 137;
constexpr DISPID kColumnWidth = 242;

constexpr short kContinuousLine = 1;
constexpr long kThinWeight = 2;
constexpr long kBlackColorIndex = 1;
constexpr short kCenterAlignment = 3;
constexpr short kMiddleAlignment = 2;
constexpr long kColumnWidthChars = 25;
constexpr int kHeaderTextMax = 254;

struct ReleaseDispatch {
    void operator()(IDispatch* object) const { object->Release(); }
};
using DispatchPtr = std::unique_ptr<IDispatch, ReleaseDispatch>;

// The object a property get or a method answers; null when the call fails or answers no object.
DispatchPtr GetDispatch(IDispatch* from, DISPID id, WORD flags, const VARIANT* args = nullptr, UINT count = 0) {
    COleVariant result;
    if (FAILED(AfxDispInvoke(from, id, flags, &result, args, count)) || result.vt != VT_DISPATCH ||
        result.pdispVal == nullptr)
        return nullptr;
    return DispatchPtr(result.Detach().pdispVal);
}

bool Put(IDispatch* object, DISPID id, const COleVariant& value) {
    return SUCCEEDED(AfxDispInvoke(object, id, DISPATCH_PROPERTYPUT, nullptr, &value, 1));
}

bool CallMethod(IDispatch* object, DISPID id, const VARIANT* args = nullptr, UINT count = 0) {
    COleVariant result;  // whatever the method answers is freed
    return SUCCEEDED(AfxDispInvoke(object, id, DISPATCH_METHOD, &result, args, count));
}

// The list is read from the export thread through messages; a row or column that is gone reads as empty.
CString ListText(HWND list, int row, int column) {
    CString text;
    LVITEMW item = {};
    item.iSubItem = column;
    for (int length = 256;; length *= 2) {
        item.cchTextMax = length;
        item.pszText = text.GetBuffer(length);
        const int copied = static_cast<int>(
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(copied);
        if (copied < length - 1)
            return text;
    }
}

CString HeaderText(HWND list, int column) {
    wchar_t text[kHeaderTextMax + 1] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = kHeaderTextMax + 1;
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (header == nullptr ||
        !::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)))
        return CString();
    return text;
}

// One cell, six calls: its range, then for a data cell the text format before the text, the border and the
// alignments, and for a header cell the text, the border, the alignments and the column's width.
bool WriteCell(IDispatch* sheet, const std::wstring& address, const CString& text, bool header) {
    const COleVariant corners[] = {COleVariant(address.c_str()), COleVariant(address.c_str())};
    DispatchPtr range = GetDispatch(sheet, kRange, DISPATCH_PROPERTYGET, corners, 2);
    if (!range)
        return false;
    // As text, numbers, dates and durations keep what the list shows.
    if (!header && !Put(range.get(), kNumberFormatLocal, COleVariant(L"@")))
        return false;
    if (!Put(range.get(), kValue, COleVariant(text.GetString())))
        return false;
    const COleVariant border[] = {COleVariant(kContinuousLine), COleVariant(kThinWeight), COleVariant(kBlackColorIndex),
                                  COleVariant(DISP_E_PARAMNOTFOUND, VT_ERROR)};
    if (!CallMethod(range.get(), kBorderAround, border, 4) ||
        !Put(range.get(), kHorizontalAlignment, COleVariant(kCenterAlignment)) ||
        !Put(range.get(), kVerticalAlignment, COleVariant(kMiddleAlignment)))
        return false;
    return !header || Put(range.get(), kColumnWidth, COleVariant(kColumnWidthChars));
}

std::wstring CellAddress(int column, int row) {
    return SheetColumnName(column) + std::to_wstring(row);
}

// Hides the application and fills sheet 1 of a new workbook; false at the first call that fails.
bool FillWorkbook(IDispatch* application, HWND list, int rows, int columns) {
    if (!Put(application, kVisible, COleVariant(0L, VT_BOOL)))
        return false;
    DispatchPtr workbooks = GetDispatch(application, kWorkbooks, DISPATCH_PROPERTYGET);
    const COleVariant leftOut(DISP_E_PARAMNOTFOUND, VT_ERROR);
    if (!workbooks || !GetDispatch(workbooks.get(), kAdd, DISPATCH_METHOD, &leftOut, 1))
        return false;
    DispatchPtr workbook = GetDispatch(application, kActiveWorkbook, DISPATCH_PROPERTYGET);
    DispatchPtr sheets = workbook ? GetDispatch(workbook.get(), kSheets, DISPATCH_PROPERTYGET) : nullptr;
    const COleVariant first(1L);
    DispatchPtr sheet = sheets ? GetDispatch(sheets.get(), kItem, DISPATCH_PROPERTYGET, &first, 1) : nullptr;
    if (!sheet || !CallMethod(sheet.get(), kActivate))
        return false;
    for (int column = 0; column < columns; ++column) {
        if (!WriteCell(sheet.get(), CellAddress(column, 1), HeaderText(list, column), true))
            return false;
    }
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (!WriteCell(sheet.get(), CellAddress(column, row + 2), ListText(list, row, column), false))
                return false;
        }
    }
    return true;
}

}  // namespace

IDispatch* CreateExcelApplication() {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"excel.application", &clsid)))
        return nullptr;
    IDispatch* application = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&application))))
        return nullptr;
    return application;
}

std::wstring SheetColumnName(int column) {
    if (column < 26)
        return std::wstring(1, static_cast<wchar_t>(L'A' + column));
    return std::wstring(L"A") + static_cast<wchar_t>(L'A' + column - 26);
}

unsigned ExportListToExcel(void* start, int columns) {
    const std::unique_ptr<std::shared_ptr<ExcelExportTarget>> owned(
        static_cast<std::shared_ptr<ExcelExportTarget>*>(start));
    const std::shared_ptr<ExcelExportTarget> target = *owned;
    // Every way out closes and clears the pane's handle; with no application that comes before the box, so that the
    // pane can start again at once.
    const auto finish = [&target] { ::CloseHandle(target->Thread.exchange(nullptr)); };
    const int rows = static_cast<int>(::SendMessageW(target->List, LVM_GETITEMCOUNT, 0, 0));
    if (rows == 0) {
        finish();
        return 0;
    }
    {
        CScopedComInit com;
        DispatchPtr application(target->Factory());
        if (!application) {
            finish();
            ::MessageBoxW(nullptr, LangText(L"0201").c_str(), LangText(L"0135").c_str(), MB_OK | MB_ICONWARNING);
            return 0;
        }
        // A failed call ends the filling; the operator still gets what was written, and no message.
        FillWorkbook(application.get(), target->List, rows, columns);
        Put(application.get(), kVisible, COleVariant(1L, VT_BOOL));
    }
    finish();
    return 0;
}

CExcelExport::CExcelExport(ThreadEntry entry) : m_entry(entry) {}

bool CExcelExport::Start(CListCtrl& list) {
    if (m_target->Thread.load() != nullptr || list.GetItemCount() == 0)
        return false;
    m_target->List = list.GetSafeHwnd();
    m_target->Factory = m_factory;
    auto start = std::make_unique<std::shared_ptr<ExcelExportTarget>>(m_target);
    // Suspended until the handle is stored: the thread clears it when it ends, which may be at once.
    const HANDLE thread =
        reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, m_entry, start.get(), CREATE_SUSPENDED, nullptr));
    if (thread == nullptr)
        return false;
    start.release();
    m_target->Thread = thread;
    ::ResumeThread(thread);
    return true;
}
