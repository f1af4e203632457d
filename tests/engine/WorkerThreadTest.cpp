// The one start/stop of the service's threads: a bounded, cooperative stop; the last resort for a thread that
// ignores it; and a stop from the UI thread that serves the view call the thread is making of it.
#include "LocalTime.h"
#include "SentMessageWindow.h"
#include "TestFolder.h"
#include "WaitUntil.h"
#include "WorkerThread.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

namespace {

constexpr DWORD kBoundMs = 300;

// What a test thread does, and a real handle to it that outlives the WorkerThread's, so the test sees it end.
struct TestRun {
    bool heedsStop = true;
    SentMessageWindow* view = nullptr;  // not owned; sent to once before the thread waits
    HANDLE stopEvent = nullptr;         // the worker's
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE self = nullptr;  // made by the thread itself
    std::atomic<bool> waiting{false};

    ~TestRun() {
        ::SetEvent(release);
        if (self) {
            ::WaitForSingleObject(self, 5000);
            ::CloseHandle(self);
        }
        ::CloseHandle(release);
    }
};

unsigned __stdcall TestThread(void* param) {
    TestRun& run = *static_cast<TestRun*>(param);
    // A handle of the test's own, so it sees the thread end after the worker has closed its handle.
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &run.self, SYNCHRONIZE, FALSE,
                      0);
    if (run.view)
        run.view->Send();
    run.waiting = true;
    ::WaitForSingleObject(run.heedsStop ? run.stopEvent : run.release, INFINITE);
    return 0;
}

int TerminationRows(const wchar_t* name) {
    SysLogStore store;
    if (!store.Open(SysLogDayFile(Today()).c_str()))
        return 0;
    int count = 0;
    store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) {
        count += row.SysLog_Cmd == kSysLogThreadTerminated && std::wstring(row.Name) == name;
    });
    store.Close();
    return count;
}

bool Ended(HANDLE thread, DWORD ms) {
    return ::WaitForSingleObject(thread, ms) == WAIT_OBJECT_0;
}

}  // namespace

TEST(WorkerThread, StopEndsACooperativeThreadWithinTheBoundAndLogsNothing) {
    TestFolder folder;
    WorkerThread worker(L"CooperativeThread");
    TestRun run;
    run.stopEvent = worker.StopEvent();
    ASSERT_TRUE(worker.Start(TestThread, &run));
    ASSERT_FALSE(worker.Start(TestThread, &run)) << "one thread at a time";
    ASSERT_TRUE(WaitUntil([&] { return run.waiting.load(); }));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(worker.Stop(2000, WorkerThread::Wait::Plain, WorkerThread::Overrun::Terminate));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_FALSE(worker.IsStarted());
    EXPECT_EQ(TerminationRows(L"CooperativeThread"), 0);

    // Stopped again, or never started: nothing to wait for. A restart lowers the stop event first.
    EXPECT_TRUE(worker.Stop(kBoundMs, WorkerThread::Wait::Plain, WorkerThread::Overrun::Terminate));
    run.waiting = false;
    ASSERT_TRUE(worker.Start(TestThread, &run));
    ASSERT_TRUE(WaitUntil([&] { return run.waiting.load(); }));
    EXPECT_TRUE(worker.IsStarted());
    EXPECT_TRUE(worker.Stop(2000, WorkerThread::Wait::Plain, WorkerThread::Overrun::Terminate));
}

// A thread that ignores its stop is terminated, and a system-log row names it; or, where killing it could leave a
// lock held, it is let go and ends by itself once its work is done.
TEST(WorkerThread, ThreadThatIgnoresItsStopIsTerminatedAndLoggedOrLeftToFinish) {
    struct Row {
        const wchar_t* name;
        WorkerThread::Overrun overrun;
        bool terminated;
    };
    const Row rows[] = {
        {L"StubbornThread", WorkerThread::Overrun::Terminate, true},
        {L"SlowQueryThread", WorkerThread::Overrun::LeaveRunning, false},
    };
    TestFolder folder;
    for (const Row& row : rows) {
        WorkerThread worker(row.name);
        TestRun run;
        run.heedsStop = false;
        run.stopEvent = worker.StopEvent();
        ASSERT_TRUE(worker.Start(TestThread, &run));
        ASSERT_TRUE(WaitUntil([&] { return run.waiting.load(); }));
        EXPECT_FALSE(worker.Stop(kBoundMs, WorkerThread::Wait::Plain, row.overrun));
        EXPECT_FALSE(worker.IsStarted());
        EXPECT_EQ(TerminationRows(row.name), row.terminated ? 1 : 0);
        EXPECT_EQ(Ended(run.self, 0), row.terminated);
        ::SetEvent(run.release);
        EXPECT_TRUE(Ended(run.self, 5000));
    }
}

// The thread is inside a view call, a message sent to the thread that stops it: the stop serves it, and the thread
// then sees its stop and ends by itself.
TEST(WorkerThread, StopFromTheUiThreadServesTheSentMessageOfTheThread) {
    TestFolder folder;
    SentMessageWindow uiThread;
    WorkerThread worker(L"ViewCallingThread");
    TestRun run;
    run.view = &uiThread;
    run.stopEvent = worker.StopEvent();
    ASSERT_TRUE(worker.Start(TestThread, &run));
    ASSERT_TRUE(WaitUntil([&] { return uiThread.Begun == 1; }));

    EXPECT_TRUE(worker.Stop(2000, WorkerThread::Wait::ServingSentMessages, WorkerThread::Overrun::Terminate));
    EXPECT_EQ(uiThread.Ended, 1);
    EXPECT_TRUE(run.waiting);
    EXPECT_EQ(TerminationRows(L"ViewCallingThread"), 0);
}
