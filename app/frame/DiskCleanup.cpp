#include "frame/DiskCleanup.h"

#include "ServiceView.h"
#include "common/SysLogNow.h"
#include "frame/Housekeeping.h"
#include "settings/FormatText.h"
#include "storage/OleDate.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <commctrl.h>

namespace {

constexpr int kProgressPane = 4;
constexpr uint32_t kRoomMB = 200;  // free space that ends the clean-up
constexpr DWORD kNextDayWaitMs = 1000;
constexpr DWORD kStopWaitMs = 5000;
constexpr wchar_t kAllRecords[] = L"select * from Rec_Table";

bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool CDiskCleanup::IsRunning() {
    if (m_thread.IsStarted() && ::WaitForSingleObject(m_thread.Handle(), 0) == WAIT_TIMEOUT)
        return true;
    m_thread.Stop(0, WorkerThread::Wait::Plain, WorkerThread::Overrun::LeaveRunning);
    return false;
}

void CDiskCleanup::Start(HWND statusBar) {
    if (IsRunning())
        return;
    m_statusBar = statusBar;
    m_thread.Start(&CDiskCleanup::DiskCleanupThread, this);
}

void CDiskCleanup::Stop() {
    m_store.RequestStop();
    m_thread.Stop(kStopWaitMs, WorkerThread::Wait::ServingSentMessages, WorkerThread::Overrun::LeaveRunning);
}

unsigned __stdcall CDiskCleanup::DiskCleanupThread(void* cleanup) {
    static_cast<CDiskCleanup*>(cleanup)->Run();
    return 0;
}

bool CDiskCleanup::Stopping() {
    const HANDLE stop = m_thread.StopEvent();
    return stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
}

void CDiskCleanup::ShowProgress(const std::wstring& text) {
    ::SendMessageW(m_statusBar, SB_SETTEXTW, kProgressPane, reinterpret_cast<LPARAM>(text.c_str()));
}

void CDiskCleanup::Run() {
    m_store.ClearStop();
    m_operator = CurrentOperatorName();
    const SYSTEMTIME now = HousekeepingNow();
    SYSTEMTIME first = now;
    first.wYear = 2017;
    first.wMonth = 12;
    first.wDay = 1;
    const double today = ToOleDate(now);
    for (double day = ToOleDate(first); day < today && !Stopping(); day += 1.0) {
        CleanDay(FromOleDate(day));
        if (!RecordingFoldersFull(kRoomMB))
            break;
        const HANDLE stop = m_thread.StopEvent();
        if (stop && ::WaitForSingleObject(stop, kNextDayWaitMs) == WAIT_OBJECT_0)
            break;
    }
}

void CDiskCleanup::CleanDay(const SYSTEMTIME& day) {
    const std::wstring dayText = CleanupDayText(m_texts, day);
    ShowProgress(dayText);
    m_deletedCount = 0;
    const CallRecordStore::RecordCallback deleteRow = [this](const CallRecord& record) { DeleteRecordingRow(record); };
    const bool onTodaysStore =
        UseTodayCallStore(day, [&](CallRecordStore& store) { store.ForEachRecord(deleteRow, kAllRecords); });
    const std::wstring dayFile = CdrDayFile(day);
    // A day without a database has nothing to delete: opening it would only make an empty one.
    if (!onTodaysStore && FileExists(dayFile) && m_store.Open(dayFile.c_str())) {
        m_store.ForEachRecord(deleteRow, kAllRecords);
        m_store.Close();
    }
    ShowProgress(dayText);
    ::DeleteFileW(dayFile.c_str());
    if (m_deletedCount > 0) {
        SysLogRow row{};
        row.SysLog_Cmd = kSysLogDiskCleanup;
        CopyToField(row.Name, m_operator.c_str());
        FormatToField(row.Notes, L"%ls %d", m_texts(L"0386").c_str(), m_deletedCount);
        WriteSysLogNow(row);
    }
}

void CDiskCleanup::DeleteRecordingRow(const CallRecord& record) {
    if (Stopping())
        return;  // today's store is shared: its walk cannot be cut short, so the remaining rows are passed over
    ++m_deletedCount;
    const std::wstring path(FieldText(record.FilePath));
    ::DeleteFileW(path.c_str());
    ShowProgress(FormatText(L"%ls %04d-%02d-%02d %d", m_texts(L"0386").c_str(), record.StartTime.wYear,
                            record.StartTime.wMonth, record.StartTime.wDay, m_deletedCount));
    SysLogRow row{};
    row.SysLog_Cmd = kSysLogRecordingDeleted;
    FormatToField(row.Name, L"%ls %ls", m_texts(L"0186").c_str(), m_operator.c_str());
    FormatToField(row.Notes, L"%ls %ls", m_texts(L"0386").c_str(), path.c_str());
    WriteSysLogNow(row);
}
