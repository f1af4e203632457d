// Event-driven lines (types 7 and 8): rings, pick-up, stop, line error and line loss come as driver events.
#include "EngineScenario.h"

#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"

#include <string>

namespace {

class EventDrivenLine : public EngineScenario {};

}  // namespace

// A pick-up after ringing records an incoming call whatever StartRecByPickup says.
TEST_F(EventDrivenLine, PickupAfterRingingRecordsAnIncomingCall) {
    Startup.StartRecByPickup = 0;
    LoadBoards();
    StartEngine();

    ASSERT_EQ("OK", Sim("ring 1 1 777"));
    ASSERT_TRUE(WaitForState(kTrunkLine, kStateRinging));
    ASSERT_TRUE(WaitFor([] { return std::string(ChannelTable[1].CallerId) == "777"; }));
    ASSERT_EQ("OK", Sim("offhook 1"));
    ASSERT_TRUE(WaitForState(kTrunkLine, kStateIncomingRecording));
    ASSERT_TRUE(WaitForRecordedMs(kTrunkLine, 1000));
    ASSERT_EQ("OK", Sim("onhook 1"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ((std::vector<int>{kStateIdle, kStateRinging, kStateIncomingRecording, kStateIdle}),
              m_view.States(kTrunkLine));
    EXPECT_EQ(kCallIncoming, call->CallType);
    EXPECT_STREQ(L"777", call->PhoneNumber);
    EXPECT_EQ(1, call->RingCnt);
    EXPECT_GE(call->RecTime, 1);
    ExpectFinishedAdpcmWav(call->FilePath);
}

// A pick-up without ringing records at once with StartRecByPickup 1, else from the first DTMF digits.
TEST_F(EventDrivenLine, PickupWithoutRingingFollowsStartRecByPickup) {
    LoadBoards();
    StartEngine();

    struct Case {
        int StartRecByPickup;
        std::vector<int> States;
    };
    const Case cases[] = {
        {1, {kStateIdle, kStateOutgoingRecording, kStateIdle}},
        {0, {kStateIdle, kStateOffHook, kStateOutgoingRecording, kStateIdle}},
    };
    const int lines[] = {kTrunkLine, kRecordLine};
    for (int i = 0; i < 2; ++i) {
        const Case& c = cases[i];
        const int line = lines[i];
        SCOPED_TRACE(c.StartRecByPickup);
        Startup.StartRecByPickup = c.StartRecByPickup;
        ASSERT_EQ("OK", Sim("offhook " + std::to_string(line)));
        ASSERT_TRUE(WaitForState(line, c.States[1]));
        ASSERT_EQ("OK", Sim("dtmf " + std::to_string(line) + " 42"));
        ASSERT_TRUE(WaitForState(line, kStateOutgoingRecording));
        ASSERT_TRUE(WaitForRecordedMs(line, 1000));
        ASSERT_EQ("OK", Sim("onhook " + std::to_string(line)));

        std::unique_ptr<CallRecord> call = WaitForCall();
        ASSERT_TRUE(call);
        EXPECT_EQ(c.States, m_view.States(line));
        EXPECT_EQ(kCallOutgoing, call->CallType);
        EXPECT_STREQ(L"42", call->PhoneNumber);
        ExpectFinishedAdpcmWav(call->FilePath);
    }
}

// A line error and a line loss during a recorded call both finish the call (file closed, record queued) and show
// the line as failed.
TEST_F(EventDrivenLine, LineFaultsFinishTheRecordedCall) {
    LoadBoards();
    StartEngine();

    for (const char* fault : {"lineerror", "linelost"}) {
        SCOPED_TRACE(fault);
        ASSERT_EQ("OK", Sim("offhook 1"));
        ASSERT_TRUE(WaitForState(kTrunkLine, kStateOutgoingRecording));
        ASSERT_TRUE(WaitForRecordedMs(kTrunkLine, 1000));
        ASSERT_EQ("OK", Sim(std::string(fault) + " 1"));

        std::unique_ptr<CallRecord> call = WaitForCall();
        ASSERT_TRUE(call);
        EXPECT_EQ(kStateLineError, ChannelTable[kTrunkLine].State);
        EXPECT_EQ(INVALID_HANDLE_VALUE, ChannelTable[kTrunkLine].FileHandle.Get());
        EXPECT_EQ(kCallOutgoing, call->CallType);
        EXPECT_GE(call->RecTime, 1);
        ExpectFinishedAdpcmWav(call->FilePath);

        ASSERT_EQ("OK", Sim("onhook 1"));
        EXPECT_FALSE(WaitForCall(300)) << "the call was finished once";
    }
}

// Record mode 2: the driver's voice detection starts and stops the recording; each recording is a call of its own.
TEST_F(EventDrivenLine, VoiceActivatedRecordingStartsOnSoundAndStopsOnSilence) {
    SetChannelInt(kRecordLine, kChannelRec, 2);
    SetChannelInt(kRecordLine, kChannelTrigger, 7);
    SetChannelInt(kRecordLine, kChannelSoundTime, 300);
    SetChannelInt(kRecordLine, kChannelMuteTime, 2000);
    LoadBoards();
    StartEngine();
    EXPECT_EQ(2, ChannelTable[kRecordLine].Rec) << "voice activation is kept on an event-driven line";

    ASSERT_EQ("OK", Sim("voice 2 on"));
    ASSERT_TRUE(WaitForState(kRecordLine, kStateVoiceRecording));
    ASSERT_TRUE(WaitForRecordedMs(kRecordLine, 1000));
    ASSERT_EQ("OK", Sim("voice 2 off"));

    std::unique_ptr<CallRecord> call = WaitForCall();
    ASSERT_TRUE(call);
    EXPECT_EQ(kStateVoiceWaiting, ChannelTable[kRecordLine].State);
    EXPECT_EQ((std::vector<int>{kStateIdle, kStateVoiceRecording, kStateVoiceWaiting}), m_view.States(kRecordLine));
    EXPECT_EQ(kCallVoice, call->CallType);
    EXPECT_GE(call->RecTime, 1);
    ExpectFinishedAdpcmWav(call->FilePath);
    EXPECT_NE(std::string::npos, Sim("journal 0 QsdVox_SetCheckBargeInPara").find("(2, 7, 300) = 0"));
    EXPECT_NE(std::string::npos, Sim("journal 0 QsdVox_SetVocValidTime").find("(2, 2000, 300) = 0"));
}
