// Voltage-watched lines: the hook state comes from the line voltage (hook monitor), the rings and the caller's
// number from the poll thread, the dialled digits from the driver's DTMF events.
#include "EngineScenario.h"

#include "LocalTime.h"
#include "TestFiles.h"
#include "WaitUntil.h"
#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "engine/EngineThreads.h"
#include "engine/RecordingFiles.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/SqliteDB.h"
#include "storage/StoragePaths.h"
#include "records/StorageRecords.h"
#include "storage/SysLogStore.h"

#include <string>

namespace {

class VoltageWatchedLine : public EngineScenario {};

std::string CallerIdOf(int channel) {
    return ChannelTable[channel].CallerId;
}

}  // namespace

TEST_F(VoltageWatchedLine, IncomingCallIsAnsweredRecordedAndQueuedAtHangUp) {
    SetChannelText(kVoltageLine, kChannelName, L"Reception");
    LoadBoards();
    StartEngine();

    ASSERT_EQ("OK", Sim("ring 0 2 555-1234"));
    ASSERT_TRUE(WaitFor([] { return ChannelTable[0].RingCount == 2; }));
    ASSERT_TRUE(WaitFor([] { return CallerIdOf(0) == "5551234"; })) << "the number keeps only its digits";
    ASSERT_EQ("OK", Sim("offhook 0"));
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateIncomingRecording));
    ASSERT_TRUE(WaitForRecordedMs(kVoltageLine, 2000));
    ASSERT_EQ("OK", Sim("onhook 0"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(kStateIdle, ChannelTable[kVoltageLine].State);
    EXPECT_EQ((std::vector<int>{kStateIdle, kStateRinging, kStateIncomingRecording, kStateIdle}),
              m_view.States(kVoltageLine));
    EXPECT_EQ(kCallIncoming, call->CallType);
    EXPECT_EQ(0, call->Channel);
    EXPECT_STREQ(L"5551234", call->PhoneNumber);
    EXPECT_EQ(2, call->RingCnt);
    EXPECT_GE(call->RecTime, 2);
    EXPECT_LE(call->RecTime, 3);
    EXPECT_STREQ(L"Reception", call->ChannelName);
    EXPECT_STREQ(L"Head office", call->SiteName);
    EXPECT_STREQ(L"S-17", call->SiteNumber);
    EXPECT_EQ(0, std::wstring(call->FilePath).rfind(RecordingFolder(), 0));
    ExpectFinishedAdpcmWav(call->FilePath);
    EXPECT_TRUE(m_view.WaitFor(
        [](const auto& calls) {
            for (const auto& c : calls)
                if (c.Method == "IncomingCall" && c.Number == "5551234")
                    return true;
            return false;
        },
        0))
        << "InPopup 1 shows the incoming-call pop-up";
    EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kVoltageLine].FileHandle.Get());
    EXPECT_EQ(0, ChannelTable[kVoltageLine].RingCount) << "the call data are reset";
}

TEST_F(VoltageWatchedLine, OutgoingCallIsRecordedFromTheFirstDigit) {
    LoadBoards();
    StartEngine();

    ASSERT_EQ("OK", Sim("offhook 0"));
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateOffHook));
    ASSERT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kVoltageLine].FileHandle.Get()) << "a pick-up alone records nothing";
    ASSERT_EQ("OK", Sim("dtmf 0 0123"));
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateOutgoingRecording));
    ASSERT_TRUE(WaitForRecordedMs(kVoltageLine, 1000));
    ASSERT_EQ("OK", Sim("onhook 0"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ((std::vector<int>{kStateIdle, kStateOffHook, kStateOutgoingRecording, kStateIdle}),
              m_view.States(kVoltageLine));
    EXPECT_EQ(kCallOutgoing, call->CallType);
    EXPECT_STREQ(L"0123", call->PhoneNumber);
    EXPECT_EQ(0, call->RingCnt);
    EXPECT_GE(call->RecTime, 1);
    ExpectFinishedAdpcmWav(call->FilePath);
}

// Record mode 1: the keep key saves the recording; without it, or after the delete key, the file is deleted, the
// record keeps no time and says why, and the deletion is logged before the record is queued.
TEST_F(VoltageWatchedLine, DtmfKeysDecideWhetherTheRecordingSurvives) {
    const int line = 3;  // type 6
    SetChannelInt(line, kChannelRec, 1);
    SetChannelText(line, kChannelKeySave, L"*1");
    SetChannelText(line, kChannelKeyDel, L"*2");
    m_view.SetOperatorName(L"tovak");
    LoadBoards();
    StartEngine();

    struct Case {
        const char* Digits;
        bool Kept;
    };
    const Case cases[] = {
        {"5*1", true},
        {"5*2", false},
        {"5", false},      // no key: deleted
        {"5*1*2", false},  // the delete key after the keep key
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Digits);
        ASSERT_EQ("OK", Sim("offhook 3"));
        ASSERT_TRUE(WaitForState(line, kStateOffHook));
        ASSERT_EQ("OK", Sim(std::string("dtmf 3 ") + c.Digits));
        ASSERT_TRUE(WaitFor([&] { return std::string(ChannelTable[line].DialledDigits) == c.Digits; }));
        ASSERT_TRUE(WaitForRecordedMs(line, 1000));
        ASSERT_EQ("OK", Sim("onhook 3"));
        std::unique_ptr<CallRecord> call = WaitForCall();
        ASSERT_TRUE(call);
        std::unique_ptr<SysLogRow> row = EngineState.SysLogQueue.Pop();
        if (c.Kept) {
            EXPECT_GE(call->RecTime, 1);
            EXPECT_TRUE(FileExists(call->FilePath));
            EXPECT_STREQ(L"", call->CallNotes);
            EXPECT_FALSE(row);
            continue;
        }
        EXPECT_EQ(0, call->RecTime);
        EXPECT_FALSE(FileExists(call->FilePath));
        EXPECT_STREQ(L"Deleted by key", call->CallNotes);
        ASSERT_TRUE(row);
        EXPECT_EQ(kSysLogRecordingDeleted, row->SysLog_Cmd);
        EXPECT_STREQ(L"Operator tovak", row->Name);
        EXPECT_EQ(std::wstring(call->FilePath) + L"(Deleted by key)", row->Notes);
        EXPECT_FALSE(EngineState.SysLogQueue.Pop());
        ASSERT_TRUE(WaitForState(line, kStateIdle));
    }
}

// A line that disappears during a recorded call: the call is finished like a hang-up before the line shows the
// error, so the recording and its record are kept.
TEST_F(VoltageWatchedLine, LineLossFinishesTheRecordedCall) {
    LoadBoards();
    StartEngine();

    ASSERT_EQ("OK", Sim("offhook 0"));
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateOffHook));
    ASSERT_EQ("OK", Sim("dtmf 0 12"));
    ASSERT_TRUE(WaitForRecordedMs(kVoltageLine, 1000));
    ASSERT_EQ("OK", Sim("voltage 0 0"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateLineError));
    EXPECT_EQ(kCallOutgoing, call->CallType);
    EXPECT_STREQ(L"12", call->PhoneNumber);
    EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kVoltageLine].FileHandle.Get());
    ExpectFinishedAdpcmWav(call->FilePath);
}

// The hook monitor never waits for the system-log file: while a reader (a long search) holds today's log, a line
// that loses its voltage is shown as failed on time, and its row reaches the log through the writer thread once the
// file is free.
TEST_F(VoltageWatchedLine, LineErrorIsShownWhileTheSystemLogIsBusy) {
    const SYSTEMTIME today = Today();
    WriteSysLogEvent(kSysLogProgramStarted, L"", L"");
    CSqliteDB reader;
    reader.OpenFile(SysLogDayFile(today).c_str());
    reader.ExecuteStatement(L"begin");
    reader.QueryInt(L"select count(*) from SysLog_Table");  // holds the file's shared lock until the commit
    LoadBoards();
    StartEngine();
    StartEngineThread(EngineState.SysLogWriterThread, SysLogWriterThread);
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateIdle));

    ASSERT_EQ("OK", Sim("voltage 0 0"));
    // Two seconds without line, then the row; a writer waiting for the log would hold it for the busy timeout.
    EXPECT_TRUE(m_view.WaitForRow(kVoltageLine, ChannelRowChange::LineError, 4000));
    EXPECT_EQ(kStateLineError, ChannelTable[kVoltageLine].State);

    reader.ExecuteStatement(L"commit");
    EXPECT_TRUE(WaitFor([&] {
        SysLogStore store;
        int rows = 0;
        if (store.Open(SysLogDayFile(today).c_str()))
            store.ForEachRow(L"select * from SysLog_Table where SysLog_Cmd = 9", [&](const SysLogRow&) { ++rows; });
        return rows > 0;
    }));
}

// A band counts only once it has lasted its time, in passes of 50 ms: with HookOffTime 100 a drop that one pass
// sees answers nothing, one that two passes see answers the ringing line; a time below 50 ms counts (and is stored)
// as 50, one pass.
TEST_F(VoltageWatchedLine, AnAnswerNeedsTheOffHookToLastHookOffTime) {
    LoadBoards();
    StartEngine(false);  // the test makes the hook monitor's passes
    const struct {
        int HookOffTime;
        std::vector<int> Volts;  // the line's voltage at each pass
        bool Answered;
        int StoredHookOffTime;
    } cases[] = {
        {100, {10}, false, 100},    {100, {10, 48, 10, 48}, false, 100},  // two drops of one pass each
        {100, {10, 10}, true, 100}, {100, {2, 2}, true, 100},             // exactly 2 V is off-hook
        {30, {10}, true, 50},
    };
    ChannelRecord& record = ChannelTable[kVoltageLine];
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Volts) + " with HookOffTime " + std::to_string(c.HookOffTime));
        ASSERT_EQ("OK", Sim("voltage 0 48"));
        RunHookMonitorPass(EngineState);  // on-hook: no count runs
        record.HookOffTime = c.HookOffTime;
        record.PickupVoltage = 20;
        record.Direction = 1;  // ringing, as the poll thread leaves a line at its first ring
        record.Ringing = 1;
        record.State = kStateRinging;

        for (int volts : c.Volts) {
            ASSERT_EQ("OK", Sim("voltage 0 " + std::to_string(volts)));
            RunHookMonitorPass(EngineState);
        }
        EXPECT_EQ(c.Answered, record.State == kStateIncomingRecording);
        EXPECT_EQ(c.Answered, record.FileHandle.Get() != INVALID_HANDLE_VALUE);
        EXPECT_EQ(c.StoredHookOffTime, record.HookOffTime);

        ASSERT_EQ("OK", Sim("voltage 0 48"));
        RunHookMonitorPass(EngineState);  // HookOnTime 50: the answered call ends
        EXPECT_EQ(INVALID_HANDLE_VALUE, record.FileHandle.Get());
        while (EngineState.CallQueue.Pop()) {
        }
        ClearCallInfo(record);
        record.State = kStateIdle;
    }
}

// With no recording folder the answer records nothing; the hang-up must still free the line.
TEST_F(VoltageWatchedLine, AnswerWithoutRecordingReturnsToIdleAtHangUp) {
    WriteSettingString(kSectionSettings, kKeyRecFolderN[4], L"");
    LoadBoards();
    StartEngine();

    ASSERT_EQ("OK", Sim("ring 0 1"));
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateRinging));
    ASSERT_EQ("OK", Sim("offhook 0"));
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateIncomingRecording));
    EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kVoltageLine].FileHandle.Get());
    ASSERT_EQ("OK", Sim("onhook 0"));

    ASSERT_TRUE(WaitForState(kVoltageLine, kStateIdle));
    // The line shows idle first and forgets the call right after, on the hook monitor's thread.
    EXPECT_TRUE(WaitUntil([] { return ChannelTable[kVoltageLine].Direction == 0; }));
    EXPECT_FALSE(EngineState.CallQueue.Pop()) << "nothing was recorded";
}
