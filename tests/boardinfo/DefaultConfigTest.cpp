// The driver's default configuration, read back with the profile API.
#include "ConfigPath.h"
#include "DefaultConfig.h"
#include "FakeBoards.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Splits the double-0-terminated lists the profile API returns.
Lines SplitList(const std::vector<char>& buffer) {
    Lines lines;
    for (const char* p = buffer.data(); *p; p += lines.back().size() + 1)
        lines.emplace_back(p);
    return lines;
}

class DefaultConfig : public testing::Test {
protected:
    CFakeBoards fake;
    CTempFolder folder;
    std::string configFile = folder.Path("qscfg.ini");
    std::string promptFile = folder.Path("prompt.ini");

    int Make(int isdnMode, int spyFlag, int rcvGain) {
        return MakeDefaultConfig(isdnMode, spyFlag, rcvGain, configFile, promptFile);
    }

    Lines Sections() const {
        std::vector<char> buffer(8192);
        GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), configFile.c_str());
        return SplitList(buffer);
    }

    // The section's "key=value" lines in file order.
    Lines Section(const char* name, const std::string& file = {}) const {
        std::vector<char> buffer(32768);
        GetPrivateProfileSectionA(name, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  (file.empty() ? configFile : file).c_str());
        return SplitList(buffer);
    }

    std::string Value(const char* section, const std::string& key) const {
        char text[256];
        GetPrivateProfileStringA(section, key.c_str(), "<missing>", text, sizeof text, configFile.c_str());
        return text;
    }
};

Lines PcmKeys(int pcm, int isdnMode, int rcvGain, int clockMode) {
    const std::string i = "[" + std::to_string(pcm) + "]=";
    return {"PcmSSx" + i + std::to_string(isdnMode),
            "CRC-4" + i + "0",
            "PcmRcvGain" + i + std::to_string(rcvGain),
            "SS_Slot" + i + "16",
            "PcmClkMode" + i + std::to_string(clockMode),
            "PcmInterfImp" + i + "0",
            "AutoCallInTimeSlot" + i + "0,0",
            "SS_SlotMode" + i + "0"};
}

Lines Concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Lines Rules() {
    Lines rules;
    for (int i = 0; i < 10; ++i)
        rules.push_back("Rule[" + std::to_string(i) + "]=\"" + std::to_string(i) + "\",1,0");
    return rules;
}

}  // namespace

TEST_F(DefaultConfig, OneSixtyChannelBoardWithTwoTrunks) {
    fake.boards[0] = {15, 40412};

    EXPECT_EQ(Make(0, 0, 0), 1);

    EXPECT_EQ(Sections(), (Lines{"BaseSet", "Board0", "UsableChOnSys", "PcmSet", "ISDN"}));
    EXPECT_EQ(Section("BaseSet"), (Lines{"TotalCards=1", "SysIntOnCard=0", "SysClkOnCard=0", "MultiProcess=0"}));
    EXPECT_EQ(
        Section("Board0"),
        Concat(Concat(Lines{"CardType=DT060A", "CardSN=40412", "MaxChOnBoard=60", "WorkWithQsr=0", "TotalPcmonCard=2"},
                      PcmKeys(0, 0, 0, 0)),
               PcmKeys(1, 0, 0, 2)));
    // TotalUsableCh is first written as 32 per board, then overwritten in place by the real sum.
    EXPECT_EQ(Section("UsableChOnSys"), (Lines{"TotalUsableCh=60", "UsableCh[0]=0,0..59"}));
    EXPECT_EQ(Section("PcmSet"), (Lines{"TotalPcm=2", "Pcm[0]=0,0", "Pcm[1]=0,1"}));
    EXPECT_EQ(Section("ISDN"), Concat(Concat(Lines{"UseISDNMode=0", "MaxPhoNumRule=10"}, Rules()),
                                      Lines{"TotalUserLinker=2", "TotalNetLinker=0", "UserPcmLink[0]=LocalPCM[0]",
                                            "UserPcmLink[1]=LocalPCM[1]"}));
    EXPECT_EQ(Section("System", promptFile), (Lines{"MaxIndexSeg=20"}));
    EXPECT_TRUE(fake.open.empty());
}

TEST_F(DefaultConfig, TwoThirtyTwoChannelBoardsWithoutTrunks) {
    fake.boards[0] = {293, 5};
    fake.boards[1] = {402, 6};

    EXPECT_EQ(Make(0, 1, 0), 2);

    EXPECT_EQ(Sections(), (Lines{"BaseSet", "Board0", "Board1", "UsableChOnSys"}));
    EXPECT_EQ(Value("BaseSet", "TotalCards"), "2");
    EXPECT_EQ(Section("Board0"), (Lines{"CardType=AL032A", "CardSN=5", "MaxChOnBoard=32"}));
    EXPECT_EQ(Section("Board1"), (Lines{"CardType=AL032B", "CardSN=6", "MaxChOnBoard=32"}));
    EXPECT_EQ(Section("UsableChOnSys"), (Lines{"TotalUsableCh=64", "UsableCh[0]=0,0..31", "UsableCh[32]=1,0..31"}));
    EXPECT_EQ(Section("System", promptFile), (Lines{"MaxIndexSeg=20"}));
}

TEST_F(DefaultConfig, TrunksOfAllBoardsAreNumberedInOrderAndPairedForTapping) {
    fake.boards[0] = {304, 1};  // 60 channels, 2 trunks
    fake.boards[1] = {16, 2};   // 120 channels, 4 trunks

    EXPECT_EQ(Make(0, 1, 0), 2);

    EXPECT_EQ(Value("Board0", "WorkWithQsr"), "1");
    EXPECT_EQ(Value("Board1", "WorkWithQsr"), "1");
    EXPECT_EQ(Value("Board1", "TotalPcmonCard"), "4");
    // Only the first trunk of the first board gives the clock.
    EXPECT_EQ(Value("Board1", "PcmClkMode[0]"), "2");
    EXPECT_EQ(Section("UsableChOnSys"), (Lines{"TotalUsableCh=180", "UsableCh[0]=0,0..59", "UsableCh[60]=1,0..119"}));
    EXPECT_EQ(Section("PcmSet"), (Lines{"TotalPcm=6", "Pcm[0]=0,0", "Pcm[1]=0,1", "Pcm[2]=1,0", "Pcm[3]=1,1",
                                        "Pcm[4]=1,2", "Pcm[5]=1,3"}));
    EXPECT_EQ(Value("ISDN", "TotalUserLinker"), "6");
    EXPECT_EQ(Value("ISDN", "UserPcmLink[5]"), "LocalPCM[5]");
    EXPECT_EQ(Section("QsrSpy"),
              (Lines{"TotalSpyPcm=3", "TotalAppSpyCIC=90", "SpyPcm[0]=Pcm[0],Pcm[1]", "AppSpyCIC[0]=SpyPcm[0],0..29",
                     "SpyPcm[1]=Pcm[2],Pcm[3]", "AppSpyCIC[30]=SpyPcm[1],0..29", "SpyPcm[2]=Pcm[4],Pcm[5]",
                     "AppSpyCIC[60]=SpyPcm[2],0..29"}));
}

TEST_F(DefaultConfig, NetworkSideIsdnLinksEveryTrunkAsNetworkLink) {
    fake.boards[0] = {16, 9};

    EXPECT_EQ(Make(2, 0, 7), 1);

    EXPECT_EQ(Value("ISDN", "UseISDNMode"), "2");
    EXPECT_EQ(Value("ISDN", "TotalUserLinker"), "0");
    EXPECT_EQ(Value("ISDN", "TotalNetLinker"), "4");
    EXPECT_EQ(Value("ISDN", "UserPcmLink[0]"), "<missing>");
    EXPECT_EQ(Value("ISDN", "NetPcmLink[3]"), "LocalPCM[3]");
    EXPECT_EQ(Value("Board0", "PcmSSx[3]"), "2");
    EXPECT_EQ(Value("Board0", "PcmRcvGain[3]"), "7");
    EXPECT_EQ(Value("QsrSpy", "TotalSpyPcm"), "<missing>");
}

TEST_F(DefaultConfig, UnknownArgumentValuesFallBackToUserSideWithoutTapping) {
    fake.boards[0] = {15, 9};

    EXPECT_EQ(Make(1, 3, -4), 1);

    EXPECT_EQ(Value("ISDN", "UseISDNMode"), "0");
    EXPECT_EQ(Value("ISDN", "TotalUserLinker"), "2");
    EXPECT_EQ(Value("ISDN", "TotalNetLinker"), "0");
    EXPECT_EQ(Value("Board0", "PcmSSx[0]"), "0");
    EXPECT_EQ(Value("Board0", "WorkWithQsr"), "0");
    EXPECT_EQ(Value("Board0", "PcmRcvGain[1]"), "-4");
    EXPECT_EQ(Value("QsrSpy", "TotalSpyPcm"), "<missing>");
}

// The board list ends at the first board that does not answer, and its device is closed.
TEST_F(DefaultConfig, BoardListEndsAtTheFirstBoardThatDoesNotAnswer) {
    struct Case {
        const char* what;
        std::map<int, FakeBoard> boards;
        int written;
    };
    const Case cases[] = {
        {"no boards", {}, 0},
        {"gap after board 0", {{0, {297, 1}}, {2, {297, 3}}}, 1},
        {"unknown type", {{0, {297, 1}}, {1, {999, 2}}, {2, {297, 3}}}, 1},
        {"type request fails", {{0, {297, 1}}, {1, {297, 2, true}}, {2, {297, 3}}}, 1},
        {"unknown first board", {{0, {0, 1}}, {1, {297, 2}}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(configFile.c_str());
        DeleteFileA(promptFile.c_str());
        fake.boards = c.boards;

        EXPECT_EQ(Make(0, 0, 0), c.written);

        EXPECT_TRUE(fake.open.empty());
        EXPECT_EQ(Value("BaseSet", "TotalCards"), std::to_string(c.written));
        EXPECT_EQ(Value("Board1", "CardType"), "<missing>");
        EXPECT_EQ(Section("System", promptFile), (Lines{"MaxIndexSeg=20"}));
        if (c.written == 0) {
            EXPECT_EQ(Sections(), (Lines{"BaseSet"}));
        }
    }
}

TEST(ConfigPath, NamesResolveBesideTheProgramInTheWindowsFolderOrAsGiven) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string programFolder(exe);
    programFolder.erase(programFolder.find_last_of('\\'));
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);

    EXPECT_EQ(ResolveConfigPath("qscfg.ini", "x.ini"), programFolder + "\\qscfg.ini");
    EXPECT_EQ(ResolveConfigPath("", "qscfg.ini"), std::string(windows) + "\\qscfg.ini");
    EXPECT_EQ(ResolveConfigPath("D:\\drv\\qscfg.ini", "x.ini"), "D:\\drv\\qscfg.ini");
}
