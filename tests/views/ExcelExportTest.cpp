// The export of the call-record, system-log and statistics panes to the spreadsheet application, driven against
// fakeexcel.dll: the calls in their order and with their argument types, the cells as text, a failed call in the
// middle, the server found through the registry, and the warning when there is none.

#include "views/ExcelExport.h"

#include "FakeExcel.h"
#include "LocalTime.h"
#include "PanesResource.h"
#include "TestMainFrame.h"
#include "ViewsTestSupport.h"
#include "common/OperatorDialogs.h"
#include "storage/RecordFields.h"
#include "views/ChartView.h"
#include "views/RecCallView.h"
#include "views/SysLogView.h"
#include "views/ViewIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kColumnLetters = L"ABCDEFGHIJKLMNO";

std::wstring TestProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().wstring();
}

std::wstring FakeExcelPath() {
    return TestProgramFolder() + L"\\fakeexcel.dll";
}

// An application object straight from the fake's class factory, as a pane's factory.
IDispatch* CreateFakeExcel() {
    static const HMODULE module = ::LoadLibraryW(FakeExcelPath().c_str());
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto get = reinterpret_cast<GetClassObject>(::GetProcAddress(module, "DllGetClassObject"));
    IClassFactory* factory = nullptr;
    if (get == nullptr || FAILED(get(kFakeExcelClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return nullptr;
    IDispatch* application = nullptr;
    factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&application));
    factory->Release();
    return application;
}

std::wstring ReadUtf8(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                          wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstringstream stream(text);
    for (std::wstring line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::wstring HeaderText(HWND list, int column) {
    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    ::SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The list as the sheet should hold it: the header texts, then each row's texts.
std::wstring ListAsCsv(HWND list, int columns) {
    std::wstring csv;
    for (int row = -1; row < RowCount(list); ++row) {
        for (int column = 0; column < columns; ++column)
            csv += (column ? L"," : L"") + (row < 0 ? HeaderText(list, column) : CellText(list, row, column));
        csv += L"\n";
    }
    return csv;
}

// Every call an export of the list makes, in order, up to the release of the application.
std::vector<std::wstring> ExpectedCalls(HWND list, int columns) {
    std::vector<std::wstring> calls = {
        L"Application 558 PUT BOOL:0", L"Application 572 GET", L"Workbooks 181 METHOD ERROR:80020004",
        L"Application 148 GET",        L"Workbook 485 GET",    L"Sheets 170 GET I4:1",
        L"Worksheet 304 METHOD"};
    auto cell = [&calls](int column, int sheetRow, const std::wstring& text) {
        const std::wstring address = kColumnLetters[column] + std::to_wstring(sheetRow);
        calls.push_back(L"Worksheet 197 GET BSTR:" + address + L" BSTR:" + address);
        if (sheetRow > 1)
            calls.push_back(L"Range 1097 PUT BSTR:@");
        calls.push_back(L"Range 6 PUT BSTR:" + text);
        calls.push_back(L"Range 1067 METHOD I2:1 I4:2 I4:1 ERROR:80020004");
        calls.push_back(L"Range 136 PUT I2:3");
        calls.push_back(L"Range 137 PUT I2:2");
        if (sheetRow == 1)
            calls.push_back(L"Range 242 PUT I4:25");
    };
    for (int column = 0; column < columns; ++column)
        cell(column, 1, HeaderText(list, column));
    for (int row = 0; row < RowCount(list); ++row) {
        for (int column = 0; column < columns; ++column)
            cell(column, row + 2, CellText(list, row, column));
    }
    calls.push_back(L"Application 558 PUT BOOL:-1");
    calls.push_back(L"Application released");
    return calls;
}

// The boxes of this process with the caption, and their texts.
std::vector<HWND> Boxes(const wchar_t* caption) {
    struct Search {
        const wchar_t* Caption;
        std::vector<HWND> Found;
    } search{caption, {}};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            wchar_t className[16] = {};
            ::GetClassNameW(window, className, 16);
            if (process == ::GetCurrentProcessId() && std::wstring(className) == L"#32770" &&
                WindowText(window) == s.Caption)
                s.Found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool HasStaticText(HWND box, const std::wstring& text) {
    struct Search {
        std::wstring Text;
        bool Found;
    } search{text, false};
    ::EnumChildWindows(
        box,
        [](HWND child, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            s.Found = s.Found || WindowText(child) == s.Text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// "excel.application" -> the fake's class id -> fakeexcel.dll, apartment-threaded, in the classes root; removed
// again when the object goes (and before it is made, after a run that ended early). Wine 8 does not merge the
// current user's classes (HKCU\Software\Classes) into the root, so the registration goes to the machine's.
class FakeExcelRegistration {
public:
    FakeExcelRegistration() {
        Remove();
        const std::wstring classKey = std::wstring(L"CLSID\\") + kFakeExcelClsidText;
        m_ok = SetText(L"excel.application\\CLSID", nullptr, kFakeExcelClsidText) &&
               SetText(classKey + L"\\InprocServer32", nullptr, FakeExcelPath()) &&
               SetText(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    }
    ~FakeExcelRegistration() { Remove(); }
    FakeExcelRegistration(const FakeExcelRegistration&) = delete;
    FakeExcelRegistration& operator=(const FakeExcelRegistration&) = delete;

    bool Ok() const { return m_ok; }

    static void Remove() {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"excel.application");
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kFakeExcelClsidText).c_str());
    }

private:
    static bool SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
        HKEY handle = nullptr;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                              nullptr) != ERROR_SUCCESS)
            return false;
        const LONG result = ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(handle);
        return result == ERROR_SUCCESS;
    }

    bool m_ok = false;
};

// The frame with its panes, the fake's log and sheet files, and the calls' environment.
class ExcelExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareEchoLanguage(m_folder);
        CopyImages(m_folder);
        EnsureAppIcons();
        OperatorDialogs() = {};
        m_frame = CreateTestMainFrame(m_app, 1000, 500);
        ASSERT_TRUE(m_frame);
        m_logPath = m_folder.DataFolder() + L"\\excel.log";
        m_csvPath = m_folder.DataFolder() + L"\\excel.csv";
        ::SetEnvironmentVariableW(L"FAKE_EXCEL_LOG", m_logPath.c_str());
        ::SetEnvironmentVariableW(L"FAKE_EXCEL_CSV", m_csvPath.c_str());
    }
    void TearDown() override {
        for (const wchar_t* name : {L"FAKE_EXCEL_LOG", L"FAKE_EXCEL_CSV", L"FAKE_EXCEL_FAIL_AT"})
            ::SetEnvironmentVariableW(name, nullptr);
        if (m_frame)
            m_frame->DestroyWindow();
    }

    // Sends the export command to the pane and serves the export thread's reads of the list until it has ended.
    // Answers whether it ended.
    bool Export(CWnd& pane, UINT command, CExcelExport& excel) {
        std::filesystem::remove(m_logPath);
        std::filesystem::remove(m_csvPath);
        pane.SendMessage(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        return PumpUntil([&excel] { return excel.Handle() == nullptr; });
    }
    std::vector<std::wstring> Log() const { return Lines(ReadUtf8(m_logPath)); }
    std::wstring Csv() const { return ReadUtf8(m_csvPath); }
    bool LogExists() const { return std::filesystem::exists(m_logPath); }

    // Two call rows on the outgoing pane: durations, a zero-padded channel and a date as the list shows them.
    CRecCallView& FilledCallRecordPane() {
        CRecCallView& pane = *m_frame->Right()->RecCallView(kViewOutgoingCalls);
        const SYSTEMTIME today = Today();
        for (int channel : {5, 12}) {
            CallRecord record{};
            record.Channel = channel;
            record.CallType = 2;
            record.StartTime = LocalTime(today.wYear, today.wMonth, today.wDay, 9, 30, channel);
            record.RecTime = 3725;
            CopyToField(record.FilePath, (L"C:\\rec\\" + std::to_wstring(channel) + L".wav").c_str());
            CopyToField(record.PhoneNumber, L"0042");
            AddCallRecordRow(&record, &pane);
        }
        return pane;
    }

    TestFolder m_folder;
    CWinApp m_app{L"test"};
    CTestMainFrame* m_frame = nullptr;
    std::wstring m_logPath;
    std::wstring m_csvPath;
};

}  // namespace

TEST_F(ExcelExportTest, EachPaneFillsAWorkbookCellByCellAsTextAndLeavesItVisible) {
    // ---- Call records: every call in order with its argument types; the cells hold the list's texts.
    CRecCallView& calls = FilledCallRecordPane();
    const HWND callList = calls.List().GetSafeHwnd();
    ASSERT_EQ(2, RowCount(callList));
    calls.ExcelExport().SetFactory(CreateFakeExcel);
    ASSERT_TRUE(Export(calls, ID_RECORD_EXPORT, calls.ExcelExport()));
    EXPECT_EQ(ExpectedCalls(callList, 10), Log());
    EXPECT_EQ(ListAsCsv(callList, 10), Csv());

    // ---- System log, four columns.
    CSysLogView& sysLog = m_frame->Right()->SysLogView();
    for (int code : {0, 30}) {
        SysLogRow row{};
        row.SysLog_Cmd = code;
        row.Time = LocalTime(2026, 5, 6, 7, 8, 9);
        CopyToField(row.Name, L"admin");
        CopyToField(row.Notes, L"01:02:03");
        AddSysLogRow(&row, &sysLog);
    }
    sysLog.ExcelExport().SetFactory(CreateFakeExcel);
    ASSERT_TRUE(Export(sysLog, ID_SYSLOG_EXPORT, sysLog.ExcelExport()));
    EXPECT_EQ(ExpectedCalls(sysLog.List().GetSafeHwnd(), 4), Log());
    EXPECT_EQ(ListAsCsv(sysLog.List().GetSafeHwnd(), 4), Csv());

    // ---- Statistics, fifteen columns to O, the totals row last like any other.
    CChartView& chart = m_frame->Right()->ChartView();
    CListCtrl& chartList = chart.List();
    for (const wchar_t* first : {L"001", L"T0108"}) {
        const int row = chartList.InsertItem(chartList.GetItemCount(), first);
        for (int column = 1; column < 15; ++column)
            chartList.SetItemText(row, column, (L"00:00:" + std::to_wstring(10 + column)).c_str());
    }
    chart.ExcelExport().SetFactory(CreateFakeExcel);
    ASSERT_TRUE(Export(chart, ID_CHART_EXPORT, chart.ExcelExport()));
    const std::wstring chartCsv = Csv();
    EXPECT_EQ(ListAsCsv(chartList.GetSafeHwnd(), 15), chartCsv);
    EXPECT_NE(std::wstring::npos, chartCsv.find(L"\nT0108,00:00:11,")) << chartCsv;
    EXPECT_EQ(ExpectedCalls(chartList.GetSafeHwnd(), 15).size(), Log().size());

    // ---- A second command while an export runs does nothing: the thread cannot end before this thread answers
    // its first read of the list.
    CExcelExport& excel = chart.ExcelExport();
    std::filesystem::remove(m_logPath);
    ASSERT_TRUE(excel.Start(chartList));
    EXPECT_NE(nullptr, excel.Handle());
    EXPECT_FALSE(excel.Start(chartList));
    ASSERT_TRUE(PumpUntil([&excel] { return excel.Handle() == nullptr; }));
    const std::vector<std::wstring> log = Log();
    EXPECT_EQ(1, std::count(log.begin(), log.end(), L"Application released"));

    // ---- An empty list: no thread, no application, and the pane is ready for the next export.
    chart.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHART_CLEAR, BN_CLICKED), 0);
    ASSERT_TRUE(Export(chart, ID_CHART_EXPORT, excel));
    EXPECT_FALSE(LogExists());
    EXPECT_EQ(nullptr, excel.Handle());
}

TEST_F(ExcelExportTest, AFailedCallShowsWhatWasWrittenReleasesTheApplicationAndFreesThePane) {
    CRecCallView& pane = FilledCallRecordPane();
    pane.ExcelExport().SetFactory(CreateFakeExcel);
    const int allCalls = static_cast<int>(ExpectedCalls(pane.List().GetSafeHwnd(), 10).size()) - 1;
    // Hiding, adding the workbook, the first header range, a header's width, a data cell's format and its text,
    // and the final showing.
    for (int failAt : {1, 3, 8, 13, 69, 70, allCalls}) {
        ::SetEnvironmentVariableW(L"FAKE_EXCEL_FAIL_AT", std::to_wstring(failAt).c_str());
        ASSERT_TRUE(Export(pane, ID_RECORD_EXPORT, pane.ExcelExport())) << failAt;
        const std::vector<std::wstring> log = Log();
        ASSERT_GE(log.size(), static_cast<size_t>(failAt + 1)) << failAt;
        EXPECT_EQ(L" FAIL", log[failAt - 1].substr(log[failAt - 1].size() - 5)) << failAt;
        std::vector<std::wstring> after(log.begin() + failAt, log.end());
        std::vector<std::wstring> expected = {L"Application 558 PUT BOOL:-1", L"Application released"};
        if (failAt == allCalls)
            expected.erase(expected.begin());
        EXPECT_EQ(expected, after) << failAt;
        EXPECT_TRUE(Boxes(L"T0135").empty()) << failAt;
    }
}

TEST_F(ExcelExportTest, TheRegisteredServerIsCreatedByNameAndAMissingOneWarnsOncePerCommand) {
    CSysLogView& pane = m_frame->Right()->SysLogView();
    SysLogRow row{};
    row.Time = LocalTime(2026, 5, 6, 7, 8, 9);
    AddSysLogRow(&row, &pane);
    CExcelExport& excel = pane.ExcelExport();

    // ---- Found by its program id on the export thread's apartment.
    {
        FakeExcelRegistration registration;
        ASSERT_TRUE(registration.Ok());
        ASSERT_TRUE(Export(pane, ID_SYSLOG_EXPORT, excel));
        EXPECT_EQ(ExpectedCalls(pane.List().GetSafeHwnd(), 4), Log());
    }

    // ---- Not registered: the handle is free before the warning, so a second command warns again at once.
    FakeExcelRegistration::Remove();
    ASSERT_TRUE(Export(pane, ID_SYSLOG_EXPORT, excel));
    ASSERT_TRUE(Export(pane, ID_SYSLOG_EXPORT, excel));
    std::vector<HWND> boxes;
    ASSERT_TRUE(PumpUntil([&boxes] { return (boxes = Boxes(L"T0135")).size() == 2; }));
    SaveScreenshot(boxes[0], L"Z:\\tmp\\excel-missing.png");
    for (HWND box : boxes) {
        EXPECT_TRUE(HasStaticText(box, L"T0201"));
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    EXPECT_TRUE(PumpUntil([] { return Boxes(L"T0135").empty(); }));
    EXPECT_FALSE(LogExists());
}
