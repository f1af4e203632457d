// Analogue lines: rings, hook and voltage, caller number, DTMF, busy tone, tone analysis,
// playback, and the events each kind of line raises.
#include "SimulatorFixture.h"

#include <windows.h>

#include <chrono>

namespace {

constexpr int kVoltageLine = 0;  // type 6
constexpr int kEventLine = 1;    // type 7

class LinesTest : public CSimulatorTest {
protected:
    void SetUp() override {
        CSimulatorTest::SetUp();
        Load(kMixedScenario);
    }
};

TEST_F(LinesTest, ScriptedIncomingCallOnAnEventDrivenLineRaisesItsEventsInOrder) {
    ASSERT_EQ(Sim("set ringinterval 1000"), "OK");
    ASSERT_EQ(Sim("ring 1 5 \"0755-1234\""), "OK");
    // The first ring is there when the command returns.
    EXPECT_EQ(QsdVox_GetRingCount(kEventLine), 1);
    EXPECT_EQ(QsdChl_GetState(kEventLine), QSD_CHSTATE_RINGING);
    char number[QSD_NUMBER_BYTES] = {};
    EXPECT_EQ(QsdChl_CallerNumberGet(kEventLine, number), 9);
    EXPECT_STREQ(number, "0755-1234");

    ASSERT_TRUE(WaitUntil([] { return QsdVox_GetRingCount(kEventLine) == 2; }));
    ASSERT_EQ(Sim("offhook 1"), "OK");
    EXPECT_EQ(Show(kEventLine)["ringing"], "0");  // the caller stops ringing once answered
    EXPECT_EQ(QsdVox_GetLineVoltage(kEventLine), 8);
    EXPECT_EQ(QsdChl_GetState(kEventLine), QSD_CHSTATE_BUSY);
    ASSERT_EQ(Sim("dtmf 1 12"), "OK");
    ASSERT_EQ(Sim("onhook 1"), "OK");
    EXPECT_EQ(QsdVox_GetLineVoltage(kEventLine), 48);

    const std::vector<RecordedEvent> expected = {{QSD_EVT_LINE, kEventLine, QSD_LINE_RING_START},
                                                 {QSD_EVT_LINE, kEventLine, QSD_LINE_RING},
                                                 {QSD_EVT_LINE, kEventLine, QSD_LINE_RING},
                                                 {QSD_EVT_LINE, kEventLine, QSD_LINE_PICKUP},
                                                 {QSD_EVT_DTMF, kEventLine, '1'},
                                                 {QSD_EVT_DTMF, kEventLine, '2'},
                                                 {QSD_EVT_LINE, kEventLine, QSD_LINE_STOP}};
    EXPECT_EQ(Events(), expected);
    EXPECT_EQ(QsdVox_GetRingCount(kEventLine), 2);

    EXPECT_EQ(QsdVox_ClearRingCount(kEventLine), QSD_OK);
    EXPECT_EQ(QsdVox_GetRingCount(kEventLine), 0);
    EXPECT_EQ(QsdChl_ClearCallerNumber(kEventLine), QSD_OK);
    EXPECT_EQ(QsdChl_CallerNumberGet(kEventLine, number), 0);
}

TEST_F(LinesTest, VoltageWatchedLineShowsItsCallOnlyThroughCounterAndVoltage) {
    ASSERT_EQ(Sim("set ringinterval 20"), "OK");
    ASSERT_EQ(Sim("ring 0 3 13800001111"), "OK");
    ASSERT_TRUE(WaitUntil([] { return QsdVox_GetRingCount(kVoltageLine) == 3; }));
    ASSERT_EQ(Sim("offhook 0"), "OK");
    EXPECT_EQ(QsdVox_GetLineVoltage(kVoltageLine), 8);
    ASSERT_EQ(Sim("onhook 0"), "OK");
    EXPECT_EQ(QsdVox_GetLineVoltage(kVoltageLine), 48);
    EXPECT_TRUE(Events().empty());

    EXPECT_EQ(Sim("lineerror 0").rfind("ERR", 0), 0u);
    ASSERT_EQ(Sim("voltage 0 0"), "OK");
    EXPECT_EQ(QsdVox_GetLineVoltage(kVoltageLine), 0);
    EXPECT_EQ(QsdChl_GetState(kVoltageLine), QSD_CHSTATE_NO_LINE);
    ASSERT_EQ(Sim("voltage 0 auto"), "OK");
    EXPECT_EQ(QsdVox_GetLineVoltage(kVoltageLine), 48);
}

TEST_F(LinesTest, BoardPickupAndClearCallHoldTheLineBesideTheTelephone) {
    ASSERT_EQ(Sim("ring 1 3"), "OK");
    EXPECT_EQ(QsdChl_Pickup(kEventLine), QSD_OK);
    EXPECT_EQ(Show(kEventLine)["ringing"], "0");
    ASSERT_EQ(Sim("offhook 1"), "OK");  // the telephone too: no new event
    EXPECT_EQ(QsdChl_ClearCall(kEventLine), QSD_OK);
    EXPECT_EQ(QsdVox_GetLineVoltage(kEventLine), 8);  // still held by the telephone
    ASSERT_EQ(Sim("onhook 1"), "OK");
    ASSERT_TRUE(WaitForEvents(4));
    const std::vector<RecordedEvent> expected = {{QSD_EVT_LINE, kEventLine, QSD_LINE_RING_START},
                                                 {QSD_EVT_LINE, kEventLine, QSD_LINE_RING},
                                                 {QSD_EVT_LINE, kEventLine, QSD_LINE_PICKUP},
                                                 {QSD_EVT_LINE, kEventLine, QSD_LINE_STOP}};
    EXPECT_EQ(Events(), expected);

    EXPECT_EQ(QsdChl_Pickup(8), QSD_ERR);  // a spy channel has no line to take
    EXPECT_EQ(Sim("ring 8").rfind("ERR", 0), 0u);
    ASSERT_EQ(Sim("offhook 1"), "OK");
    EXPECT_EQ(Sim("ring 1").rfind("ERR", 0), 0u);  // an off-hook line does not ring
}

TEST_F(LinesTest, DtmfBufferIsCumulativeUntilCleared) {
    ASSERT_EQ(Sim("dtmf 2 12#"), "OK");
    ASSERT_EQ(Sim("dtmf 2 *A0"), "OK");
    char digits[QSD_NUMBER_BYTES] = {};
    EXPECT_EQ(QsdVox_GetRcvDtmfLen(2), 6);
    EXPECT_EQ(QsdVox_GetDtmfStr(2, digits, 0), 6);
    EXPECT_STREQ(digits, "12#*A0");
    EXPECT_EQ(EventCount(), 6u);
    EXPECT_EQ(Events()[2], (RecordedEvent{QSD_EVT_DTMF, 2, '#'}));

    EXPECT_EQ(QsdVox_ClrRcvDtmfBuf(2), QSD_OK);
    EXPECT_EQ(QsdVox_GetRcvDtmfLen(2), 0);
    // More digits than the caller's buffer: the length counts them all, the text is cut.
    ASSERT_EQ(Sim("dtmf 2 " + std::string(70, '7')), "OK");
    EXPECT_EQ(QsdVox_GetRcvDtmfLen(2), 70);
    EXPECT_EQ(QsdVox_GetDtmfStr(2, digits, 0), QSD_NUMBER_BYTES - 1);
    EXPECT_EQ(Sim("dtmf 2 12x").rfind("ERR", 0), 0u);
}

TEST_F(LinesTest, BusyTonesAndFarEndCountUntilToneAnalysisStartsAgain) {
    ASSERT_EQ(QsdVox_StartToneAnalyze(kVoltageLine), QSD_OK);
    ASSERT_EQ(Sim("busy 0 2"), "OK");
    EXPECT_EQ(QsdVox_GetBusyToneCount(kVoltageLine), 2);
    const std::vector<RecordedEvent> expected = {{QSD_EVT_BUSY_TONE, 0, 1}, {QSD_EVT_BUSY_TONE, 0, 2}};
    EXPECT_EQ(Events(), expected);
    EXPECT_EQ(QsdVox_GetToneAnalyzeResult(kVoltageLine), 0);
    ASSERT_EQ(Sim("farend 0"), "OK");
    EXPECT_EQ(QsdVox_GetToneAnalyzeResult(kVoltageLine), QSD_TONE_FAR_END_GONE);

    ASSERT_EQ(QsdVox_StartToneAnalyze(kVoltageLine), QSD_OK);
    EXPECT_EQ(QsdVox_GetToneAnalyzeResult(kVoltageLine), 0);
    EXPECT_EQ(QsdVox_GetBusyToneCount(kVoltageLine), 0);
}

TEST_F(LinesTest, PlaybackEndsWithAnEventAfterTheFilesPlayingTime) {
    const std::string greeting = WriteFile("greeting.wav", std::string(100, 'x'));
    ASSERT_EQ(Sim("set speed 10"), "OK");
    // 8000 A-law bytes play for 1 s of audio, 100 ms at this speed.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(QsdVox_FilePlayStart(kVoltageLine, greeting.c_str(), QSD_CODEC_ALAW, 0, 8000), QSD_OK);
    ASSERT_TRUE(WaitForEvents(1));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(95));
    EXPECT_EQ(Events()[0], (RecordedEvent{QSD_EVT_PLAY_END, kVoltageLine, 0}));

    // 80 MB play for 1000 s at this speed: still playing when looked at, however late.
    ASSERT_EQ(QsdVox_FilePlayStart(kVoltageLine, greeting.c_str(), QSD_CODEC_ALAW, 0, 80000000), QSD_OK);
    EXPECT_EQ(Show(kVoltageLine)["playing"], "1");
    EXPECT_EQ(QsdVox_StopPlay(kVoltageLine), QSD_OK);
    EXPECT_EQ(Show(kVoltageLine)["playing"], "0");
    EXPECT_EQ(QsdVox_FilePlayStart(kVoltageLine, (Folder() + "\\none.wav").c_str(), QSD_CODEC_ALAW, 0, 10), QSD_ERR);
    EXPECT_EQ(EventCount(), 1u);
}

TEST_F(LinesTest, LineFaultsAndVoiceDetectionRaiseEventsOnEventDrivenLines) {
    ASSERT_EQ(Sim("lineerror 2"), "OK");
    ASSERT_EQ(Sim("linelost 1"), "OK");
    ASSERT_EQ(Sim("voice 2 on"), "OK");
    ASSERT_EQ(Sim("voice 2 off"), "OK");
    const std::vector<RecordedEvent> expected = {{QSD_EVT_LINE, 2, QSD_LINE_ERROR},
                                                 {QSD_EVT_LINE, 1, QSD_LINE_LOST},
                                                 {QSD_EVT_VOICE_ON, 2, 0},
                                                 {QSD_EVT_VOICE_OFF, 2, 0}};
    EXPECT_EQ(Events(), expected);
}

TEST_F(LinesTest, DetectionSettingsAreKeptPerLine) {
    EXPECT_EQ(QsdVox_SetFlag(1, QSD_FLAG_CALLERID_MODE, 1), QSD_OK);
    EXPECT_EQ(QsdVox_SetDtrmLineVoltage(1, 30), QSD_OK);
    EXPECT_EQ(QsdVox_SetCheckBargeInPara(1, 5, 300), QSD_OK);
    EXPECT_EQ(QsdVox_SetVocValidTime(1, 2000, 300), QSD_OK);
    EXPECT_EQ(QsdVox_SetFlag(1, 16, 1), QSD_ERR);
    EXPECT_EQ(QsdVox_SetFlag(8, QSD_FLAG_CALLERID_MODE, 1), QSD_ERR);
    auto fields = Show(1);
    EXPECT_EQ(fields["flag7"], "1");
    EXPECT_EQ(fields["detect"], "30");
}

// Events come on the simulator's own thread, with its lock free: the callback may call in.
int WINAPI CallBackIn(WORD, int channel, WORD, DWORD_PTR) {
    QsdVox_GetLineVoltage(channel);
    QsdVox_GetRingCount(channel);
    char number[QSD_NUMBER_BYTES];
    QsdChl_CallerNumberGet(channel, number);
    return 0;
}

TEST_F(LinesTest, EventsArriveOnTheSimulatorThreadWhichTheCallbackMayCallInto) {
    ASSERT_EQ(Sim("ring 1 2"), "OK");
    ASSERT_TRUE(WaitForEvents(2));
    for (const RecordedEvent& event : Events())
        EXPECT_NE(event.thread, GetCurrentThreadId());
    EXPECT_EQ(Events()[0].thread, Events()[1].thread);

    const QSD_EVENT_MODE mode = {QSD_EVENT_MODE_CALLBACK, CallBackIn};
    ASSERT_EQ(QsdEvt_ModeSet(&mode), QSD_OK);
    ASSERT_EQ(Sim("dtmf 1 5"), "OK");
    // The command returns once the callback, and the calls it made, are done.
    const std::string journal = Sim("journal 0 QsdChl_CallerNumberGet");
    EXPECT_EQ(journal.rfind("OK 1 ", 0), 0u) << journal;
}

TEST_F(LinesTest, RawEventsReachTheCallbackAsGiven) {
    ASSERT_EQ(Sim("event 512 11 13"), "OK");
    EXPECT_EQ(Events(), (std::vector<RecordedEvent>{{QSD_EVT_LINE, 512, QSD_LINE_RING}}));
    QsdSys_DisableBoard();
    EXPECT_EQ(Sim("event 0 11 13").rfind("ERR events are off", 0), 0u);
}

}  // namespace
