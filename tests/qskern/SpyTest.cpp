// Tapped circuits: the call steps and their events, sides and numbers, and the trunks' status.
#include "SimulatorFixture.h"

namespace {

class SpyTest : public CSimulatorTest {
protected:
    void SetUp() override {
        CSimulatorTest::SetUp();
        Load(kMixedScenario);
    }
};

TEST_F(SpyTest, CallStepsRaiseSpyEventsOnTheCircuit) {
    ASSERT_EQ(Sim("spy alert 3 in 13900001111 88001234"), "OK");
    EXPECT_EQ(QsdChl_GetState(11), QSD_CHSTATE_RINGING);
    ASSERT_EQ(Sim("spy numbers 3 13900001111 88005678"), "OK");
    ASSERT_EQ(Sim("spy answer 3"), "OK");
    EXPECT_EQ(QsdChl_GetState(11), QSD_CHSTATE_BUSY);
    ASSERT_EQ(Sim("spy release 3"), "OK");
    EXPECT_EQ(QsdChl_GetState(11), QSD_CHSTATE_IDLE);
    const std::vector<RecordedEvent> expected = {{QSD_EVT_SPY_CALL, 3, QSD_SPY_ALERTING},
                                                 {QSD_EVT_SPY_CALL, 3, QSD_SPY_NUMBERS},
                                                 {QSD_EVT_SPY_CALL, 3, QSD_SPY_ANSWER},
                                                 {QSD_EVT_SPY_CALL, 3, QSD_SPY_RELEASE}};
    EXPECT_EQ(Events(), expected);
    EXPECT_EQ(Sim("spy answer 3").rfind("ERR circuit 3 has no call", 0), 0u);
    EXPECT_EQ(Sim("spy alert 30 in").rfind("ERR no circuit", 0), 0u);
}

TEST_F(SpyTest, CallSidesTellTheDirectionAndNumbersStayUntilTheNextCall) {
    ASSERT_EQ(Sim("spy alert 3 in 13900001111 88001234"), "OK");
    EXPECT_LT(QsdSpy_GetCallOutCh(3), QsdSpy_GetCallInCh(3));  // incoming
    char caller[QSD_NUMBER_BYTES] = {};
    char callee[QSD_NUMBER_BYTES] = {};
    EXPECT_EQ(QsdSpy_GetCallerId(3, caller), 11);
    EXPECT_STREQ(caller, "13900001111");
    EXPECT_EQ(QsdSpy_GetCalleeId(3, callee), 8);
    EXPECT_STREQ(callee, "88001234");
    // The channel functions of the spy channel read the same call.
    EXPECT_EQ(QsdChl_CalleeNumberGet(11, callee), 8);
    EXPECT_EQ(QsdChl_CallerNumberGet(11, caller), 11);
    ASSERT_EQ(Sim("spy release 3"), "OK");
    EXPECT_EQ(QsdSpy_GetCallerId(3, caller), 11);

    ASSERT_EQ(Sim("spy alert 3 out"), "OK");
    EXPECT_GT(QsdSpy_GetCallOutCh(3), QsdSpy_GetCallInCh(3));  // outgoing
    EXPECT_EQ(QsdSpy_GetCallerId(3, caller), 0);
    EXPECT_EQ(QsdSpy_GetCallerId(3, nullptr), QSD_ERR);
}

TEST_F(SpyTest, TrunkStatusWordsAndTheirCircuits) {
    EXPECT_EQ(QsdSys_GetMaxPcm(), 2);
    ASSERT_EQ(Sim("link 1 down"), "OK");
    EXPECT_NE(QsdTrk_GetPcmLinkStatus(1) & QSD_LINK_STATUS_MASK, 0);
    EXPECT_EQ(QsdChl_GetState(8), QSD_CHSTATE_NO_LINE);  // circuits 0..29 ride trunks 0 and 1
    // Low bits 0, 4, 8 and 12 all mean the link is up.
    ASSERT_EQ(Sim("link 1 0x1234567C"), "OK");
    EXPECT_EQ(static_cast<unsigned>(QsdTrk_GetPcmLinkStatus(1)), 0x1234567Cu);
    EXPECT_EQ(QsdChl_GetState(8), QSD_CHSTATE_IDLE);
    ASSERT_EQ(Sim("link 1 up"), "OK");
    EXPECT_EQ(QsdTrk_GetPcmLinkStatus(1), 0);
    EXPECT_EQ(Sim("link 2 up").rfind("ERR no trunk", 0), 0u);
    EXPECT_TRUE(Events().empty());  // link changes are found by reading the status
}

}  // namespace
