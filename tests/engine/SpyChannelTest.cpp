// Spy channels: calls on a tapped E1 circuit, followed through the driver's spy-call events, and the PCM link
// that carries them. Circuit 0 is channel 8.
#include "EngineScenario.h"

#include "TestFiles.h"
#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "settings/SettingValues.h"

#include <string>

namespace {

class SpyChannel : public EngineScenario {
protected:
    static constexpr int kSpy = kFirstSpyChannel;

    void SetUp() override {
        EngineScenario::SetUp();
        LoadBoards(true);
        StartEngine();
        // The link is seen up by the poll thread, which shows the channel idle.
        ASSERT_TRUE(WaitForState(kSpy, kStateIdle));
    }
};

}  // namespace

TEST_F(SpyChannel, AnsweredCallsAreRecordedAndNamedByDirection) {
    struct Case {
        const char* Side;
        int CallType;
        const wchar_t* Number;
        std::vector<int> States;
    };
    const Case cases[] = {
        {"in", kCallIncoming, L"100-200", {kStateRinging, kStateIncomingRecording, kStateIdle}},
        {"out", kCallOutgoing, L"200-100", {kStateSpyOutgoingConnect, kStateOutgoingRecording, kStateIdle}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Side);
        const size_t statesBefore = m_view.States(kSpy).size();
        ASSERT_EQ("OK", Sim(std::string("spy alert 0 ") + c.Side + " 100 200"));
        ASSERT_EQ("OK", Sim("spy answer 0"));
        ASSERT_NE(INVALID_HANDLE_VALUE, ChannelTable[kSpy].FileHandle.Get());
        // Long enough for the driver's buffer to be written out and the recording restarted on the way.
        ASSERT_TRUE(WaitForRecordedMs(kSpy, 2100));
        ASSERT_EQ("OK", Sim("spy release 0"));

        std::unique_ptr<CallRecord> call = WaitForCall();
        ASSERT_TRUE(call);
        EXPECT_EQ(kStateIdle, ChannelTable[kSpy].State);
        const std::vector<int> states = m_view.States(kSpy);
        EXPECT_EQ(c.States, std::vector<int>(states.begin() + statesBefore, states.end()));
        EXPECT_EQ(c.CallType, call->CallType);
        EXPECT_EQ(kSpy, call->Channel);
        EXPECT_STREQ(c.Number, call->PhoneNumber);
        EXPECT_EQ(1, call->RingCnt);
        EXPECT_GE(call->RecTime, 2);
        ExpectFinishedAdpcmWav(call->FilePath);
        // 20 times real time at 4000 bytes per second: more than one buffer went to the file.
        EXPECT_GT(ReadFileBytes(call->FilePath).size(), 122880u);
    }
}

TEST_F(SpyChannel, IncomingCallReleasedWhileRingingIsAMissedCall) {
    ASSERT_EQ("OK", Sim("spy alert 0 in 100 200"));
    ASSERT_TRUE(WaitForState(kSpy, kStateRinging));
    ASSERT_EQ("OK", Sim("spy release 0"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(kCallMissed, call->CallType);
    EXPECT_STREQ(L"100-200", call->PhoneNumber);
    EXPECT_EQ(0, call->RecTime);
    EXPECT_EQ(1, call->RingCnt);
    const std::wstring path = call->FilePath;
    EXPECT_EQ(0, path.rfind(ProgramFolder(), 0));
    EXPECT_EQ(L"-Out-L009.wav", path.substr(path.size() - 13));
    EXPECT_EQ(kStateIdle, ChannelTable[kSpy].State);
}

// With StartRecordByRingSignal the recording starts at alerting; a call that is never answered keeps its own
// call type.
TEST_F(SpyChannel, CallRecordedFromAlertingButNeverAnswered) {
    Startup.StartRecordByRingSignal = 1;
    ASSERT_EQ("OK", Sim("spy alert 0 in 100 200"));
    ASSERT_TRUE(WaitForState(kSpy, kStateIncomingRecording));
    ASSERT_TRUE(WaitForRecordedMs(kSpy, 1000));
    ASSERT_EQ("OK", Sim("spy release 0"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(kCallSpyIncomingUnanswered, call->CallType);
    EXPECT_STREQ(L"100-200", call->PhoneNumber);
    ExpectFinishedAdpcmWav(call->FilePath);
}

// A call recorded from alerting and released before the poll thread counted any of it is a missed call: its empty
// recording is stopped, closed and removed, not left open and forgotten.
TEST_F(SpyChannel, CallReleasedBeforeAnythingWasRecordedLeavesNoFile) {
    Startup.StartRecordByRingSignal = 1;
    // The release must come before the poll thread's next pass; a pass in between makes a recorded call.
    for (int attempt = 0; attempt < 10; ++attempt) {
        ASSERT_EQ("OK", Sim("journal clear"));
        ASSERT_EQ("OK", Sim("spy alert 0 in 100 200"));
        const std::wstring recording = ChannelTable[kSpy].FilePath;
        ASSERT_NE(INVALID_HANDLE_VALUE, ChannelTable[kSpy].FileHandle.Get());
        ASSERT_EQ("OK", Sim("spy release 0"));

        std::unique_ptr<CallRecord> call = WaitForCall();
        ASSERT_TRUE(call);
        if (call->CallType != kCallMissed) {
            ::DeleteFileW(call->FilePath);
            continue;
        }
        EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kSpy].FileHandle.Get());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(recording.c_str())) << "the empty recording is removed";
        EXPECT_NE(std::string::npos, Sim("journal 0 QsdSpy_StopRecToMem").find("QsdSpy_StopRecToMem(0)"));
        EXPECT_EQ(kStateIdle, ChannelTable[kSpy].State);
        return;
    }
    FAIL() << "the poll thread always counted recorded time before the release";
}

// A link that goes down ends the calls of its circuits and shows them as link-lost, steadily while the other link
// of the pair is still up; once both are up again the circuits are idle.
TEST_F(SpyChannel, PcmLinkDownEndsTheCallAndUpAgainFreesTheChannel) {
    ASSERT_EQ("OK", Sim("spy alert 0 in 100 200"));
    ASSERT_EQ("OK", Sim("spy answer 0"));
    ASSERT_TRUE(WaitForRecordedMs(kSpy, 1000));
    ASSERT_EQ("OK", Sim("link 1 down"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    ASSERT_TRUE(WaitForState(kSpy, kStateLineError));
    EXPECT_EQ(1, ChannelTable[kSpy].LinkLost);
    EXPECT_TRUE(WaitForState(kSpy + 29, kStateLineError)) << "the whole pair's circuits lose service";
    EXPECT_EQ(kCallIncoming, call->CallType);
    EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kSpy].FileHandle.Get());
    ExpectFinishedAdpcmWav(call->FilePath);
    // Several polls later the channel still shows the loss.
    const int polls = static_cast<int>(m_view.Calls().size());
    ASSERT_TRUE(m_view.WaitFor([&](const auto& calls) { return static_cast<int>(calls.size()) > polls + 20; }, 10000));
    EXPECT_EQ(kStateLineError, ChannelTable[kSpy].State);

    ASSERT_EQ("OK", Sim("link 1 up"));
    ASSERT_TRUE(WaitForState(kSpy, kStateIdle));
    EXPECT_EQ(0, ChannelTable[kSpy].LinkLost);
    EXPECT_EQ((std::vector<int>{kStateLineError, kStateIdle, kStateRinging, kStateIncomingRecording, kStateIdle,
                                kStateLineError, kStateIdle}),
              m_view.States(kSpy));
}

TEST_F(SpyChannel, EventsForChannelsOutsideTheTableAreIgnored) {
    ASSERT_EQ("OK", Sim("event 512 11 13"));
    ASSERT_EQ("OK", Sim("event 70000 3 13"));
    for (const auto& call : m_view.Calls()) {
        if (call.Method == "ChannelRowChanged")
            EXPECT_LT(call.Channel, kMaxChannels);
    }
}
