#pragma once
// CDiskCleanup: the frame's disk clean-up. When the recording folders are full, the thread deletes whole days,
// oldest first from 2017-12-01 and never today: the recordings named in each day's call records, then the day's
// call-record database. After each day it looks at the folders again and ends as soon as one has room. Pane 4 of
// the status bar shows the day and count it works on; each recording deleted, and each day with any, leaves a row
// in the system log.
//
// Owned by the frame's housekeeping, which starts it from the UI thread and stops it there before the frame goes.

#include "WorkerThread.h"
#include "frame/Housekeeping.h"
#include "records/EngineRecords.h"
#include "storage/CallRecordStore.h"

#include "mfc.h"

class CDiskCleanup {
public:
    // True while the thread runs; a thread that has ended is let go, so it may run again.
    bool IsRunning();
    // Starts the thread unless it runs already; statusBar is the frame's, whose pane 4 shows the progress.
    void Start(HWND statusBar);
    // Asks the thread to end after the recording it is on and waits for it with a bound, serving the pane texts
    // it sends meanwhile.
    void Stop();

private:
    static unsigned __stdcall DiskCleanupThread(void* cleanup);
    void Run();
    // Deletes the recordings of the day's call records, then its database.
    void CleanDay(const SYSTEMTIME& day);
    // For every call record of the day: its recording is deleted and logged.
    void DeleteRecordingRow(const CallRecord& record);
    bool Stopping();
    void ShowProgress(const std::wstring& text);

    HWND m_statusBar = nullptr;
    WorkerThread m_thread{L"DiskCleanupThread"};
    int m_deletedCount = 0;   // recordings deleted of the day being cleaned; the thread's
    std::wstring m_operator;  // the operator named in the rows, read once per run
    LangTextCache m_texts;    // the thread's
    CallRecordStore m_store;  // a past day's database; only the thread opens and closes it
};
