#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>

namespace {

constexpr int kAbsent = INT_MIN;  // the key is not in the file

void Store(const wchar_t* section, const wchar_t* key, int value) {
    if (value == kAbsent)
        WritePrivateProfileStringW(section, key, nullptr, SettingsFilePath().c_str());
    else
        WriteSettingInt(section, key, value);
}

}  // namespace

TEST(SettingValues, CorrectionsReplaceOutOfRangeValuesAndWriteBackWhereSaid) {
    struct Row {
        const wchar_t* key;
        IntCorrection correction;
        int stored;
        int read;
        int storedAfter;  // -1: still absent
    } rows[] = {
        {kKeyNetPort, kNetPortCorrection, kAbsent, 6691, -1},
        {kKeyNetPort, kNetPortCorrection, 0, 6691, 0},
        {kKeyNetPort, kNetPortCorrection, 1, 1, 1},
        {kKeyNetPort, kNetPortCorrection, 65535, 65535, 65535},
        {kKeyNetPort, kNetPortCorrection, 65536, 6691, 65536},
        {kKeyNetPort, kNetPortCorrection, 70000, 6691, 70000},  // would listen on 4464 if cut to 16 bits
        {kKeyStartRecordByRingSignal, kStartRecordByRingSignalCorrection, -3, 0, -3},
        {kKeyStartRecordByRingSignal, kStartRecordByRingSignalCorrection, 2, 2, 2},
        {kKeyMissedRing, kMissedRingCorrection, kAbsent, 6000, 6000},
        {kKeyMissedRing, kMissedRingCorrection, 1999, 6000, 6000},
        {kKeyMissedRing, kMissedRingCorrection, 2000, 2000, 2000},
        {kKeyMissedRing, kMissedRingCorrection, 20000, 20000, 20000},
        {kKeyStartRecByPickup, kStartRecByPickupCorrection, kAbsent, 1, 1},
        {kKeyStartRecByPickup, kStartRecByPickupCorrection, 2, 1, 1},
        {kKeyStartRecByPickup, kStartRecByPickupCorrection, 0, 0, 0},
        {kKeyAudioFmt, kAudioFmtCorrection, 7, 0, 7},
        {kKeyAudioFmt, kAudioFmtCorrection, 3, 3, 3},
        {kKeyMinRec, kMinRecDialogCorrection, -1, 5, 5},
        {kKeyMinRec, kMinRecDialogCorrection, 0, 0, 0},
        {kKeyInPopup, kInPopupDialogCorrection, kAbsent, 0, 0},
        {kKeyAutoHour, kNotNegativeCorrection, -2, 0, -2},
        {L"Channel001HookOnTime", kHookOnTimeCorrection, 49, 800, 49},
        {L"Channel001HookOnTime", kHookOnTimeCorrection, 50, 50, 50},
        {L"Channel001HookOffTime", kHookOffTimeCorrection, 0, 100, 0},
        {L"Channel001Rec", kChannelRecCorrection, 3, 0, 3},
        {L"Channel001Rec", kChannelRecCorrection, 2, 2, 2},
        {L"Channel001PickupVoltage", kPickupVoltageCorrection, kAbsent, 20, -1},
        {L"Channel001AutoAnserWaitRingCnt", kAutoAnswerRingsCorrection, -1, 3, -1},
        {L"Channel001AutoAnswerMaxTimeLong", kAutoAnswerMaxTimeCorrection, -9, 30, -9},
    };
    TestFolder folder;
    for (const Row& row : rows) {
        Store(kSectionSettings, row.key, row.stored);
        EXPECT_EQ(row.read, ReadCorrectedInt(kSectionSettings, row.key, row.correction))
            << row.key << " " << row.stored;
        EXPECT_EQ(row.storedAfter, ReadSettingInt(kSectionSettings, row.key)) << row.key << " " << row.stored;
    }
}

TEST(SettingValues, DtmfKeySaveIsOffAtZeroElseAtLeast3000) {
    struct Row {
        int stored;
        int read;
    } rows[] = {{0, 0}, {kAbsent, 3000}, {1000, 3000}, {2999, 3000}, {3000, 3000}, {8000, 8000}};
    TestFolder folder;
    for (const Row& row : rows) {
        Store(kSectionSettings, kKeyDtmfKeySave, row.stored);
        EXPECT_EQ(row.read, ReadDtmfKeySave()) << row.stored;
    }
}

TEST(SettingValues, LanguageNameWinsOverLanguageID) {
    struct Row {
        const wchar_t* name;  // null: absent
        int id;
        int language;
    } rows[] = {
        {L"English", 0, kLanguageEnglish},
        {L"ChineseTraditional", 2, kLanguageChineseTraditional},
        {L"ChineseSimplified", 2, kLanguageChineseSimplified},
        {L"english", 1, 1},  // not one of the three names: the number decides
        {nullptr, 2, 2},
        {nullptr, -4, 0},
        {nullptr, kAbsent, 0},
    };
    TestFolder folder;
    for (const Row& row : rows) {
        WritePrivateProfileStringW(kSectionSetting, kKeyLanguage, row.name, SettingsFilePath().c_str());
        Store(kSectionSetting, kKeyLanguageID, row.id);
        EXPECT_EQ(row.language, ReadLanguageSetting()) << (row.name ? row.name : L"-") << " " << row.id;
    }
}

TEST(SettingValues, StartupReadsHeldValuesAndWritesBackOnlyItsTwoKeys) {
    TestFolder folder;
    WriteSettingString(kSectionSetting, kKeyLanguage, L"English");
    WriteSettingInt(kSectionSettings, kKeyStartRecordByRingSignal, -1);
    WriteSettingInt(kSectionSettings, kKeyStartRecByPickup, 0);

    LoadStartupSettings();

    EXPECT_EQ(kLanguageEnglish, LanguageNumber);
    EXPECT_EQ(6691, Startup.NetPort);
    EXPECT_EQ(0, Startup.StartRecordByRingSignal);
    EXPECT_EQ(6000, Startup.MissedRing);
    EXPECT_EQ(0, Startup.StartRecByPickup);
    EXPECT_EQ(-1, ReadSettingInt(kSectionSettings, kKeyNetPort));
    EXPECT_EQ(-1, ReadSettingInt(kSectionSettings, kKeyStartRecordByRingSignal));
    EXPECT_EQ(6000, ReadSettingInt(kSectionSettings, kKeyMissedRing));
    LanguageNumber = kLanguageChineseSimplified;
}
