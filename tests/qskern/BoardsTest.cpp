// Boards, counts and the channel layout a scenario gives; board start and its failure count; the
// export table.
#include "SimulatorFixture.h"

#include <windows.h>

namespace {

class BoardsTest : public CSimulatorTest {};

// Every board type the default configuration knows, with the channel and trunk counts it writes.
TEST_F(BoardsTest, EveryBoardTypeHasTheChannelsAndTrunksOfTheDefaultConfiguration) {
    struct Case {
        int type;
        int channels;
        int pcms;
    };
    const Case cases[] = {{15, 60, 2},  {304, 60, 2}, {16, 120, 4}, {303, 120, 4}, {290, 120, 4}, {32, 240, 8},
                          {293, 32, 0}, {294, 16, 0}, {297, 8, 0},  {400, 8, 0},   {401, 16, 0},  {402, 32, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Load("[Board0]\nType=" + std::to_string(c.type) + "\nSerialNo=77\n");
        EXPECT_EQ(QsdSys_GetMaxUsableBoard(), 1);
        EXPECT_EQ(QsdSys_GetCardType(0), c.type);
        EXPECT_EQ(QsdSys_GetBoardSerialNo(0), 77);
        EXPECT_EQ(QsdSys_GetMaxCh(), c.channels);
        EXPECT_EQ(QsdSys_GetMaxPcm(), c.pcms);
        // An E1 board taps 30 circuits per pair of trunks; the program's channels are the rest.
        const int cics = c.pcms / 2 * 30;
        EXPECT_EQ(QsdSpy_GetMaxCic(), cics);
        const int programChannels = c.channels - cics;
        EXPECT_EQ(QsdChl_GetType(programChannels - 1), c.pcms ? QSD_CHTYPE_SPY : QSD_CHTYPE_LINE_VOLTAGE);
        EXPECT_EQ(QsdChl_GetType(programChannels), QSD_ERR);
    }
}

TEST_F(BoardsTest, MixedBoardsNumberLinesThenCircuitsInBoardOrder) {
    Load(
        "[Board0]\nType=297\nSerialNo=1\nLineTypes=6,7,8\n"
        "[Board1]\nType=16\nSerialNo=2\n"
        "[Board2]\nType=294\nSerialNo=3\nLineTypes=8\n");
    EXPECT_EQ(QsdSys_GetMaxUsableBoard(), 3);
    EXPECT_EQ(QsdSys_GetMaxCh(), 8 + 120 + 16);
    EXPECT_EQ(QsdSpy_GetMaxCic(), 60);
    EXPECT_EQ(QsdSys_GetMaxPcm(), 4);
    const int expected[][2] = {{0, 6},  {1, 7},  {2, 8}, {3, 6}, {7, 6}, {8, QSD_CHTYPE_SPY}, {67, QSD_CHTYPE_SPY},
                               {68, 8}, {69, 6}, {83, 6}};
    for (const auto& [channel, type] : expected)
        EXPECT_EQ(QsdChl_GetType(channel), type) << "channel " << channel;
    EXPECT_EQ(QsdChl_GetType(84), QSD_ERR);
    EXPECT_EQ(Show(8)["cic"], "0");
    EXPECT_EQ(Show(67)["cic"], "59");
    for (int pcm = 0; pcm < 4; ++pcm)
        EXPECT_EQ(QsdTrk_GetPcmLinkStatus(pcm) & QSD_LINK_STATUS_MASK, 0) << "trunk " << pcm;
    EXPECT_EQ(QsdTrk_GetPcmLinkStatus(4), QSD_ERR);
}

TEST_F(BoardsTest, NothingExistsUntilTheBoardsStartAndAfterTheyStop) {
    Load(kMixedScenario, false);
    EXPECT_EQ(QsdSys_GetMaxCh(), 0);
    EXPECT_EQ(QsdSys_GetMaxUsableBoard(), 0);
    EXPECT_EQ(QsdChl_GetType(0), QSD_ERR);
    EXPECT_EQ(QsdVox_GetLineVoltage(0), QSD_ERR);

    ASSERT_EQ(QsdSys_EnableBoard(), QSD_OK);
    EXPECT_EQ(QsdSys_GetMaxCh(), 68);
    EXPECT_EQ(QsdVox_GetLineVoltage(0), 48);

    EXPECT_EQ(QsdSys_DisableBoard(), QSD_OK);
    EXPECT_EQ(QsdSys_GetMaxCh(), 0);
    EXPECT_EQ(QsdChl_GetType(0), QSD_ERR);
}

TEST_F(BoardsTest, BoardStartFailureCountIsHonouredAcrossBothStartFunctions) {
    Load(kMixedScenario, false);
    ASSERT_EQ(Sim("boardfail 2"), "OK");
    // The service's order: extended start, plain start, new configuration, extended start.
    EXPECT_EQ(QsdSys_EnableBoardEx("qscfg.ini", "prompt.ini"), QSD_ERR);
    EXPECT_EQ(QsdSys_GetMaxCh(), 0);
    EXPECT_EQ(QsdSys_EnableBoard(), QSD_ERR);
    EXPECT_EQ(QsdSys_EnableBoardEx("qscfg.ini", "prompt.ini"), QSD_OK);
    EXPECT_EQ(QsdSys_GetMaxCh(), 68);
}

TEST_F(BoardsTest, ScenarioFailureCountAndNoBoardsRefuseEveryStart) {
    Load("[Simulator]\nBoardStartFailures=3\n[Board0]\nType=297\n", false);
    for (int attempt = 0; attempt < 3; ++attempt)
        EXPECT_EQ(QsdSys_EnableBoard(), QSD_ERR) << attempt;
    EXPECT_EQ(QsdSys_EnableBoard(), QSD_OK);

    Load("[Simulator]\nSpeed=1\n", false);
    for (int attempt = 0; attempt < 3; ++attempt)
        EXPECT_EQ(QsdSys_EnableBoardEx("qscfg.ini", "prompt.ini"), QSD_ERR) << attempt;
}

TEST_F(BoardsTest, InvalidScenariosAreRefusedWithTheReason) {
    const struct {
        const char* scenario;
        const char* reason;
    } cases[] = {
        {"[Board0]\nType=99\n", "unknown board type 99"},
        {"[Board0]\nType=297\nLineTypes=6,9\n", "type 6, 7 or 8"},
        {"[Board0]\nType=297\nLineTypes=6,6,6,6,6,6,6,6,6\n", "more entries"},
        {"[Board0]\nType=297\nSerialNo=abc\n", "not a number"},
        {"[Simulator]\nSpeed=0\n", "Speed"},
        {"[Simulator]\nAudio=noise\n", "Audio"},
    };
    for (const auto& c : cases) {
        const std::string reply = Sim("load \"" + WriteFile("bad.ini", c.scenario) + "\"");
        EXPECT_EQ(reply.rfind("ERR", 0), 0u) << c.scenario;
        EXPECT_NE(reply.find(c.reason), std::string::npos) << reply;
    }
    EXPECT_EQ(Sim("load \"" + Folder() + "\\missing.ini\"").rfind("ERR no scenario file", 0), 0u);
}

TEST(QskernExports, FortyFiveDriverFunctionsAndTheControlEntryByName) {
    const char* const names[] = {"QsdSys_EnableBoardEx",
                                 "QsdSys_EnableBoard",
                                 "QsdSys_DisableBoard",
                                 "QsdSys_GetMaxUsableBoard",
                                 "QsdSys_GetMaxCh",
                                 "QsdSys_GetMaxPcm",
                                 "QsdSys_GetBoardSerialNo",
                                 "QsdSys_GetCardType",
                                 "QsdTrk_GetPcmLinkStatus",
                                 "QsdEvt_ModeSet",
                                 "QsdChl_GetType",
                                 "QsdChl_GetState",
                                 "QsdChl_CallerNumberGet",
                                 "QsdChl_ClearCallerNumber",
                                 "QsdChl_CalleeNumberGet",
                                 "QsdChl_Pickup",
                                 "QsdChl_ClearCall",
                                 "QsdVox_GetLineVoltage",
                                 "QsdVox_SetFlag",
                                 "QsdVox_SetDtrmLineVoltage",
                                 "QsdVox_SetCheckBargeInPara",
                                 "QsdVox_SetVocValidTime",
                                 "QsdVox_GetRingCount",
                                 "QsdVox_ClearRingCount",
                                 "QsdVox_GetRcvDtmfLen",
                                 "QsdVox_GetDtmfStr",
                                 "QsdVox_ClrRcvDtmfBuf",
                                 "QsdVox_SendDtmf",
                                 "QsdVox_FilePlayStart",
                                 "QsdVox_StopPlay",
                                 "QsdVox_StartToneAnalyze",
                                 "QsdVox_StopToneAnalyze",
                                 "QsdVox_GetToneAnalyzeResult",
                                 "QsdVox_GetBusyToneCount",
                                 "QsdVox_RecordMemBlock",
                                 "QsdVox_StopRec",
                                 "QsdVox_QueryRecInfo",
                                 "QsdSpy_GetMaxCic",
                                 "QsdSpy_RecToMem",
                                 "QsdSpy_StopRecToMem",
                                 "QsdSpy_QueryMemOffset",
                                 "QsdSpy_GetCallInCh",
                                 "QsdSpy_GetCallOutCh",
                                 "QsdSpy_GetCallerId",
                                 "QsdSpy_GetCalleeId",
                                 "QsSim_Command"};
    HMODULE module = GetModuleHandleA("qskern.dll");
    ASSERT_NE(module, nullptr);
    for (const char* name : names)
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;

    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    EXPECT_EQ(exports->NumberOfNames, std::size(names));
}

}  // namespace
