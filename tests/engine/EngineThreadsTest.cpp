// Starting and stopping the engine's threads, and the system-log writer.
#include "EngineScenario.h"

#include "SentMessageWindow.h"

#include "engine/CardEngineState.h"
#include "engine/EngineThreads.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

#include <chrono>

namespace {

class EngineThreads : public EngineScenario {};

int CountRows(const SYSTEMTIME& day, const wchar_t* notes) {
    SysLogStore store;
    if (!store.Open(SysLogDayFile(day).c_str()))
        return -1;
    int count = 0;
    store.ForEachRow(L"select * from SysLog_Table",
                     [&](const SysLogRow& row) { count += std::wstring(row.Notes) == notes; });
    store.Close();
    return count;
}

std::unique_ptr<SysLogRow> MakeRow(const SYSTEMTIME& time, const wchar_t* notes) {
    auto row = std::make_unique<SysLogRow>();
    row->SysLog_Cmd = kSysLogRecordingDeleted;
    wcscpy(row->Notes, notes);
    row->Time = time;
    return row;
}

}  // namespace

// Every thread ends at the stop request, well within the bound after which a thread would be terminated; the
// start-up thread is stopped in its wait, before it configured anything.
TEST_F(EngineThreads, StopEngineEndsEveryThreadWithoutForce) {
    LoadBoards();
    StartChannelConfigThread();
    StartEngineThreads();
    ASSERT_TRUE(EngineState.ChannelPollThread.IsStarted() && EngineState.CallWriterThread.IsStarted() &&
                EngineState.SysLogWriterThread.IsStarted() && EngineState.HookMonitorThread.IsStarted());

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(1, StopEngine());
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
    EXPECT_FALSE(EngineState.ChannelPollThread.IsStarted() || EngineState.CallWriterThread.IsStarted() ||
                 EngineState.SysLogWriterThread.IsStarted() || EngineState.HookMonitorThread.IsStarted());
    EXPECT_EQ(0, EngineState.ChannelCount) << "the boards were never started";
    EXPECT_FALSE(WaitForEngineStop(0)) << "the stop request is cleared for the next start";
}

// Each row goes into the system-log file of its own day, even when it reaches the writer after midnight.
TEST_F(EngineThreads, SysLogWriterWritesEachRowIntoItsOwnDay) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    FILETIME time;
    SystemTimeToFileTime(&today, &time);
    ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
    ticks.QuadPart -= 24ull * 3600 * 10000000;
    time = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME yesterday;
    FileTimeToSystemTime(&time, &yesterday);

    EngineState.SysLogQueue.Push(MakeRow(yesterday, L"before midnight"));
    EngineState.SysLogQueue.Push(MakeRow(today, L"after midnight"));
    StartEngineThread(EngineState.SysLogWriterThread, SysLogWriterThread);

    ASSERT_TRUE(WaitFor([&] { return CountRows(today, L"after midnight") == 1; }));
    EXPECT_EQ(1, CountRows(yesterday, L"before midnight"));
    EXPECT_EQ(0, CountRows(today, L"before midnight"));
    EXPECT_EQ(0u, EngineState.SysLogQueue.Count());
}

namespace {

// A view whose PCM link rows are messages sent to the test's thread, as the GUI's view sends every call to the UI
// thread: the poll thread waits inside the call until the test's thread serves it.
class SendingView : public RecordingServiceView {
public:
    void PcmLinkRow(int link, uint32_t status, const SYSTEMTIME& time) override {
        UiThread.Send();
        RecordingServiceView::PcmLinkRow(link, status, time);
    }

    SentMessageWindow UiThread;
};

}  // namespace

// Once the main window exists, the engine's threads wait inside view calls for the UI thread, which is the thread
// that stops the engine: the stop serves those calls, so every thread ends by itself, well within its bound.
TEST_F(EngineThreads, StopEngineServesTheViewCallsOfTheThreadsItStops) {
    LoadBoards(true);
    StartEngine();
    SendingView view;
    SetServiceView(&view);
    ASSERT_TRUE(WaitFor([&] { return view.UiThread.Begun > 0; })) << "the poll thread shows the PCM links";

    const auto start = std::chrono::steady_clock::now();
    StopEngine();
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
    EXPECT_EQ(view.UiThread.Begun.load(), view.UiThread.Ended.load()) << "a thread was terminated inside a view call";
    SetServiceView(&m_view);
}
