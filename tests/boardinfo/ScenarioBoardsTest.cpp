// The simulated driver's scenario as a source of boards.
#include "Brenholt.h"
#include "DefaultConfig.h"
#include "ScenarioBoardDevices.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The scenario layout the simulated driver reads; its other sections and keys are ignored here.
void WriteScenario(const std::string& path) {
    std::ofstream(path) << "[Simulator]\nSpeed=4\n"
                           "[Board0]\nType=15\nSerialNo=501\n"
                           "[Board1]\nType=293\nSerialNo=502\nLineTypes=6,7,8\n"
                           "[Board3]\nType=16\nSerialNo=504\n";
}

class InstalledBoards {
public:
    explicit InstalledBoards(CBoardDeviceBackend& backend) { SetBoardDevices(&backend); }
    ~InstalledBoards() { SetBoardDevices(nullptr); }
};

}  // namespace

TEST(ScenarioBoards, BoardsAreTheScenarioSectionsUpToTheFirstGap) {
    CTempFolder folder;
    WriteScenario(folder.Path("qskern.ini"));
    CScenarioBoardDevices scenario;
    ASSERT_TRUE(scenario.Load(folder.Path("qskern.ini")));
    InstalledBoards installed(scenario);

    ASSERT_EQ(QsPciLoadBoardInfo(), 0);
    ASSERT_EQ(QsPciGetTotalBoard(), 2);
    int type = 0;
    char serial[32] = {};
    EXPECT_EQ(QsPciGetBoardType(1, &type), 0);
    EXPECT_EQ(type, 293);
    EXPECT_EQ(QsPciGetBoardSerialNo(0, serial), 0);
    EXPECT_STREQ(serial, "501");

    const std::string config = folder.Path("qscfg.ini");
    EXPECT_EQ(MakeDefaultConfig(0, 0, 0, config, folder.Path("prompt.ini")), 2);
    char text[64] = {};
    GetPrivateProfileStringA("Board1", "CardSN", "", text, sizeof text, config.c_str());
    EXPECT_STREQ(text, "502");
    GetPrivateProfileStringA("UsableChOnSys", "TotalUsableCh", "", text, sizeof text, config.c_str());
    EXPECT_STREQ(text, "92");
}

TEST(ScenarioBoards, MissingScenarioFileIsRefused) {
    CTempFolder folder;
    CScenarioBoardDevices scenario;
    EXPECT_FALSE(scenario.Load(folder.Path("qskern.ini")));
}
