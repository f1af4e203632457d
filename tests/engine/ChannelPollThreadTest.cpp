// The poll thread on the simulated driver: caller id, missed calls, auto-answer, record-all windows and the live
// stream of a recording.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "PushPeer.h"

#include "EngineScenario.h"
#include "TestFiles.h"
#include "engine/CardEngineState.h"
#include "records/ProtocolRecords.h"
#include "channels/ChannelTable.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

namespace {

constexpr int kPopupNumberLength = 7;

class ChannelPoll : public EngineScenario {
protected:
    // A window over the whole of today, in the record-all or auto-answer week of the channel.
    static void OpenAllDay(ScheduleDayBlock (&week)[kScheduleDays]) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        ScheduleDayBlock& day = week[now.wDayOfWeek];
        day.Window[0].Start = {0, 0, 0, 0, 0, 0, 0, 0};
        day.Window[0].End = {0, 0, 0, 0, 23, 59, 59, 0};
        day.Enabled[0] = 1;
    }

    // Lets the call on the channel look as if it had been recorded for ms already.
    bool AgeCallUntilQueued(int channel, int ms, std::unique_ptr<CallRecord>& call) {
        return WaitFor([&] {
            ChannelRecord& record = ChannelTable[channel];
            if (record.FileHandle.Get() != INVALID_HANDLE_VALUE && record.RecordedMs < ms)
                record.RecordedMs = ms;
            return (call = EngineState.CallQueue.Pop()) != nullptr;
        });
    }

    std::vector<RecordingServiceView::Call> CallsOf(const std::string& method) {
        std::vector<RecordingServiceView::Call> found;
        for (const auto& call : m_view.Calls()) {
            if (call.Method == method)
                found.push_back(call);
        }
        return found;
    }
};

int Elapsed(std::chrono::steady_clock::time_point since) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since).count());
}

}  // namespace

TEST_F(ChannelPoll, CallerIdIsTakenOnceItHasStoodFor1500Ms) {
    ASSERT_TRUE(TheContactStore().Open(StoreFilePath(kContactDbName).c_str()));
    ContactRecord contact{};
    CopyToField(contact.UserName, L"Dana Quill");
    CopyToField(contact.HomeTel, L"5551234");
    ASSERT_TRUE(TheContactStore().InsertContact(contact));
    LoadBoards();
    StartEngine();
    PushPeer client(0);
    client.Permit(kVoltageLine);

    const auto rang = std::chrono::steady_clock::now();
    ASSERT_EQ("OK", Sim("ring 0 1 \"555-12 34\""));
    ASSERT_TRUE(m_view.WaitFor(
        [](const auto& calls) {
            return std::any_of(calls.begin(), calls.end(), [](const auto& c) { return c.Method == "IncomingCall"; });
        },
        5000));
    EXPECT_GE(Elapsed(rang), 1400) << "the number is read again only after it has stood";
    const auto popups = CallsOf("IncomingCall");
    ASSERT_EQ(1u, popups.size());
    EXPECT_EQ("5551234", popups[0].Number) << "only the digits, in order";
    EXPECT_STREQ("5551234", ChannelTable[kVoltageLine].CallerId);

    bool pushed = false;
    for (const PushPeer::Frame& frame : client.Receive(5000)) {
        if (frame.Command != kFrameCallerId)
            continue;
        pushed = true;
        ASSERT_EQ(2u + 0x0741, frame.Bytes.size());
        EXPECT_EQ(0, std::memcmp("5551234", frame.Bytes.data() + 3, kPopupNumberLength + 1));
        ContactRecord sent;
        std::memcpy(&sent, frame.Bytes.data() + 3 + 64, sizeof(sent));
        EXPECT_STREQ(L"Dana Quill", sent.UserName);
    }
    EXPECT_TRUE(pushed) << "the caller id went to the permitted client";
    const auto rows = m_view.RowChanges(kVoltageLine);
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), ChannelRowChange::CallerId));
    TheContactStore().Close();
}

TEST_F(ChannelPoll, UnansweredRingingBecomesAMissedCallAfterMissedRing) {
    LoadBoards();
    StartEngine();
    Startup.MissedRing = 20000;
    ASSERT_EQ("OK", Sim("ring 0 1 5550100"));
    ASSERT_TRUE(WaitFor([] { return Startup.MissedRing == 6000; })) << "20000 is out of range and used as 6000";
    Startup.MissedRing = 2000;
    const auto shortened = std::chrono::steady_clock::now();

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_GE(Elapsed(shortened), 300);
    EXPECT_EQ(kCallMissed, call->CallType);
    EXPECT_EQ(0, call->RecTime);
    EXPECT_EQ(1, call->RingCnt);
    EXPECT_STREQ(L"5550100", call->PhoneNumber);
    EXPECT_TRUE(WaitForState(kVoltageLine, kStateIdle));
    EXPECT_EQ(0, ChannelTable[kVoltageLine].Ringing);
    EXPECT_EQ((std::vector<int>{kStateIdle, kStateRinging, kStateIdle}), m_view.States(kVoltageLine));
}

// The board answers after the configured rings, plays the greeting, and releases the line again when the caller
// has gone (busy tone, far end gone) or the longest message is reached; the hang-up then ends the call.
TEST_F(ChannelPoll, AutoAnswerGreetsRecordsAndHangsUpWhenTheCallerIsGone) {
    const std::wstring greeting = ProgramFolder() + L"\\greeting.wav";
    const std::vector<uint8_t> greetingBytes(3000, 0xD5);
    ASSERT_TRUE(WriteFileBytes(greeting, greetingBytes));
    SetChannelInt(kVoltageLine, kChannelAutoAnserWaitRingCnt, 2);
    SetChannelInt(kVoltageLine, kChannelAutoAnswerMaxTimeLong, 60);
    SetChannelText(kVoltageLine, kChannelAutoFile, greeting.c_str());
    LoadBoards();
    StartEngine();
    OpenAllDay(ChannelTable[kVoltageLine].AutoAnswerWeek);

    const struct {
        const char* Gone;  // the simulator command that tells the line the caller has gone; null: none
        int RecordedMs;    // how long the call has been recorded by then
    } cases[] = {
        {"busy 0 2", 10000}, {"farend 0", 10000}, {nullptr, 61000},  // longer than AutoAnswerMaxTimeLong
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Gone ? c.Gone : "longest message");
        ASSERT_EQ("OK", Sim("journal clear"));
        ASSERT_EQ("OK", Sim("ring 0 5 5551234"));
        ASSERT_TRUE(WaitForState(kVoltageLine, kStateIncomingRecording));
        EXPECT_EQ(1, ChannelTable[kVoltageLine].AutoAnswered);
        EXPECT_EQ(2, ChannelTable[kVoltageLine].RingCount) << "answered at the second ring";
        EXPECT_NE(std::string::npos, Sim("journal 0 QsdChl_Pickup").find("QsdChl_Pickup(0)"));
        // The greeting and the tone analysis follow the start of the recording.
        EXPECT_TRUE(WaitFor([] {
            return Sim("journal 0 QsdVox_FilePlayStart").find("greeting.wav\", 6, 0, 3000)") != std::string::npos;
        }));
        EXPECT_TRUE(WaitFor([] {
            return Sim("journal 0 QsdVox_StartToneAnalyze").find("QsdVox_StartToneAnalyze(0)") != std::string::npos;
        }));

        if (c.Gone) {
            ASSERT_EQ("OK", Sim(c.Gone));
        }
        std::unique_ptr<CallRecord> call;
        ASSERT_TRUE(AgeCallUntilQueued(kVoltageLine, c.RecordedMs, call));
        EXPECT_EQ(kCallAutoAnswered, call->CallType);
        EXPECT_GE(call->RecTime, c.RecordedMs / 1000);
        EXPECT_NE(std::string::npos, Sim("journal 0 QsdChl_ClearCall").find("QsdChl_ClearCall(0)"));
        ASSERT_TRUE(WaitForState(kVoltageLine, kStateIdle));
        EXPECT_EQ(0, ChannelTable[kVoltageLine].AutoAnswered);
    }
}

// The on-hook of the first ten seconds of an auto-answered call does not end it; from ten seconds on it does.
TEST_F(ChannelPoll, AutoAnsweredCallOutlastsAnOnHookOfItsFirstTenSeconds) {
    SetChannelInt(kVoltageLine, kChannelAutoAnserWaitRingCnt, 1);
    SetChannelInt(kVoltageLine, kChannelAutoAnswerMaxTimeLong, 60);
    LoadBoards();
    StartEngine();
    OpenAllDay(ChannelTable[kVoltageLine].AutoAnswerWeek);
    ASSERT_EQ("OK", Sim("ring 0 5 5551234"));
    ASSERT_TRUE(WaitForState(kVoltageLine, kStateIncomingRecording));
    ASSERT_EQ(1, ChannelTable[kVoltageLine].AutoAnswered);

    ChannelTable[kVoltageLine].RecordedMs = 8000;  // the poll thread counts on from here
    ASSERT_EQ("OK", Sim("voltage 0 48"));
    std::unique_ptr<CallRecord> call = WaitForCall(600);  // a dozen passes of the hook monitor, all on-hook
    EXPECT_FALSE(call) << "ended before ten seconds";
    EXPECT_EQ(kStateIncomingRecording, ChannelTable[kVoltageLine].State);

    ChannelTable[kVoltageLine].RecordedMs = 10000;
    call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(kCallAutoAnswered, call->CallType);
    EXPECT_GE(call->RecTime, 10);
}

TEST_F(ChannelPoll, RecordAllWindowRecordsEventDrivenLinesFromItsStartToItsEnd) {
    LoadBoards();
    StartEngine();
    OpenAllDay(ChannelTable[kTrunkLine].RecordAllWeek);
    OpenAllDay(ChannelTable[kVoltageLine].RecordAllWeek);

    ASSERT_TRUE(WaitForState(kTrunkLine, kStateVoiceRecording));
    EXPECT_EQ(1, ChannelTable[kTrunkLine].RecordAllActive);
    EXPECT_NE(INVALID_HANDLE_VALUE, ChannelTable[kTrunkLine].FileHandle.Get());
    EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kVoltageLine].FileHandle.Get()) << "never for voltage-watched lines";
    ASSERT_TRUE(WaitForRecordedMs(kTrunkLine, 1000));

    SYSTEMTIME now;
    GetLocalTime(&now);
    ChannelTable[kTrunkLine].RecordAllWeek[now.wDayOfWeek].Enabled[0] = 0;
    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(kCallVoice, call->CallType);
    EXPECT_GE(call->RecTime, 1);
    ExpectFinishedAdpcmWav(call->FilePath);
    EXPECT_TRUE(WaitForState(kTrunkLine, kStateIdle));
    EXPECT_EQ(0, ChannelTable[kTrunkLine].RecordAllActive);
}

TEST_F(ChannelPoll, RecordingIsStreamedIn4096BytePiecesToTheServerAndToListeningClients) {
    LoadBoards(true);
    StartEngine();
    ASSERT_TRUE(WaitForState(kFirstSpyChannel, kStateIdle));  // its link is up
    PushPeer listener(0);
    PushPeer other(1);
    PushPeer trunkListener(2);
    listener.Monitor(kTrunkLine);
    other.Monitor(kRecordLine);
    trunkListener.Monitor(kFirstSpyChannel);
    ChannelTable[kTrunkLine].LocalMonitor = 1;

    ASSERT_EQ("OK", Sim("audio 1 tone 440"));
    ASSERT_EQ("OK", Sim("offhook 1"));
    ASSERT_EQ("OK", Sim("spy alert 0 in 100 200"));
    ASSERT_EQ("OK", Sim("spy answer 0"));
    ASSERT_TRUE(m_view.WaitFor(
        [](const auto& calls) {
            int blocks = 0;
            for (const auto& call : calls)
                blocks += call.Method == "MonitorBlock";
            return blocks >= 5;
        },
        10000));
    ChannelTable[kTrunkLine].LocalMonitor = 0;
    ASSERT_TRUE(WaitForRecordedMs(kFirstSpyChannel, 500));
    ASSERT_EQ("OK", Sim("onhook 1"));
    ASSERT_EQ("OK", Sim("spy release 0"));

    const std::vector<PushPeer::Frame> frames = listener.Receive(5000);
    const auto shown = CallsOf("MonitorBlock");
    ASSERT_GE(frames.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(0, shown[i].Value) << "IMA ADPCM";
        ASSERT_EQ(4096, shown[i].Total);
        EXPECT_EQ(kFrameLiveAudio, frames[i].Command);
        EXPECT_EQ(0x1002, frames[i].Length);
        ASSERT_EQ(4 + 4096u, frames[i].Bytes.size());
        EXPECT_EQ(0, frames[i].Bytes[3]) << "the channel's AudioFmt";
        EXPECT_EQ(0, std::memcmp(shown[i].Bytes.data(), frames[i].Bytes.data() + 4, 4096))
            << "the server and the client get the same piece";
    }
    const std::vector<PushPeer::Frame> trunkFrames = trunkListener.Receive(0);
    EXPECT_GE(trunkFrames.size(), 3u) << "trunk channels stream as well";
    for (const PushPeer::Frame& frame : trunkFrames)
        EXPECT_EQ(4 + 4096u, frame.Bytes.size());
    EXPECT_TRUE(other.Receive(0).empty()) << "a client listening to another channel gets none of it";
}

TEST_F(ChannelPoll, DtmfKeySaveFreezesTheDialledNumberAfterTheLastDigit) {
    LoadBoards();
    StartEngine();

    WriteSettingInt(kSectionSettings, kKeyDtmfKeySave, 1000);  // counts as 3000
    ASSERT_EQ("OK", Sim("offhook 1"));
    ASSERT_TRUE(WaitForState(kTrunkLine, kStateOutgoingRecording));
    ASSERT_EQ("OK", Sim("dtmf 1 12"));
    const auto dialled = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitFor([] { return ChannelTable[kTrunkLine].NumberFrozen == 1; }));
    EXPECT_GE(Elapsed(dialled), 2800);
    EXPECT_EQ(0, ChannelTable[kTrunkLine].DtmfActive);
    ASSERT_EQ("OK", Sim("dtmf 1 9"));
    EXPECT_STREQ("12", ChannelTable[kTrunkLine].DialledDigits);

    WriteSettingInt(kSectionSettings, kKeyDtmfKeySave, 0);  // never freezes
    ASSERT_EQ("OK", Sim("offhook 2"));
    ASSERT_TRUE(WaitForState(kRecordLine, kStateOutgoingRecording));
    ASSERT_EQ("OK", Sim("dtmf 2 34"));
    ASSERT_TRUE(WaitFor([] { return ChannelTable[kRecordLine].DtmfIdleMs >= 3500; }));
    EXPECT_EQ(0, ChannelTable[kRecordLine].NumberFrozen);
    ASSERT_EQ("OK", Sim("dtmf 2 5"));
    EXPECT_STREQ("345", ChannelTable[kRecordLine].DialledDigits);
}
