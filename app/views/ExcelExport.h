#pragma once
// The export of a list pane to the spreadsheet application, over OLE automation: a thread of the pane creates the
// application, fills a new workbook cell by cell with the list's header texts in row 1 and its rows from row 2, all
// as text, and leaves it open and visible, unsaved. The call-record, system-log and statistics panes each own one
// CExcelExport, whose thread (CallRecordExcelThread, SysLogExcelThread, ExcelExportThread) runs ExportListToExcel
// with the pane's number of columns.
//
// Start runs on the UI thread; the export thread reads the list only through messages to its window, which the UI
// thread answers, and shows its one message box (no application) without an owner.

#include "mfc.h"

#include <atomic>
#include <memory>
#include <string>

// Makes the application object on the calling thread, whose COM is started; null when it cannot be made.
using ExcelFactory = IDispatch* (*)();

// "excel.application" from the registry: CLSIDFromProgID, then CoCreateInstance with CLSCTX_ALL.
IDispatch* CreateExcelApplication();

// The sheet's name of list column i (0 to 51): "A" to "Z", then "AA" to "AZ".
std::wstring SheetColumnName(int column);

// What a pane and its export thread share, so that a pane closed during an export leaves the thread nothing freed.
struct ExcelExportTarget {
    HWND List = nullptr;
    ExcelFactory Factory = CreateExcelApplication;
    // The running export thread; null while none runs. The thread closes and clears it when it ends, on every path.
    std::atomic<HANDLE> Thread{nullptr};
};

// The body of the export threads, with the argument CExcelExport::Start gave the thread (taken over) and the number
// of list columns to export. Answers the thread's result, 0.
unsigned ExportListToExcel(void* start, int columns);

class CExcelExport {
public:
    using ThreadEntry = unsigned(__stdcall*)(void*);

    // entry: the pane's export thread, which calls ExportListToExcel.
    explicit CExcelExport(ThreadEntry entry);

    // The pane's export command: starts the thread on the list unless an export runs or the list is empty. Answers
    // whether it started. UI thread.
    bool Start(CListCtrl& list);
    // The running export thread; null while none runs. Any thread.
    HANDLE Handle() const { return m_target->Thread; }
    // Where the application object comes from; tests give one without the registry.
    void SetFactory(ExcelFactory factory) { m_factory = factory; }

private:
    ThreadEntry m_entry;
    ExcelFactory m_factory = CreateExcelApplication;
    std::shared_ptr<ExcelExportTarget> m_target = std::make_shared<ExcelExportTarget>();
};
