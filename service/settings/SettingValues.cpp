#include "settings/SettingValues.h"

#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <string>

namespace {

constexpr int kShortestDtmfKeySave = 3000;  // ms

}  // namespace

StartupSettings Startup;

int ReadCorrectedInt(const wchar_t* section, const wchar_t* key, const IntCorrection& correction) {
    int value = ReadSettingInt(section, key);
    if (value >= correction.Low && value <= correction.High)
        return value;
    if (correction.WriteBack)
        WriteSettingInt(section, key, correction.Replacement);
    return correction.Replacement;
}

int ReadDtmfKeySave() {
    int value = ReadSettingInt(kSectionSettings, kKeyDtmfKeySave);
    if (value == 0)
        return 0;
    return value < kShortestDtmfKeySave ? kShortestDtmfKeySave : value;
}

int ReadLanguageSetting() {
    std::wstring name = ReadSettingString(kSectionSetting, kKeyLanguage);
    for (int language = 0; language < 3; ++language) {
        if (name == kLanguageName[language])
            return language;
    }
    return ReadCorrectedInt(kSectionSetting, kKeyLanguageID, kNotNegativeCorrection);
}

void LoadStartupSettings() {
    LanguageNumber = ReadLanguageSetting();
    Startup.NetPort = ReadCorrectedInt(kSectionSettings, kKeyNetPort, kNetPortCorrection);
    Startup.StartRecordByRingSignal =
        ReadCorrectedInt(kSectionSettings, kKeyStartRecordByRingSignal, kStartRecordByRingSignalCorrection);
    Startup.MissedRing = ReadCorrectedInt(kSectionSettings, kKeyMissedRing, kMissedRingCorrection);
    Startup.StartRecByPickup = ReadCorrectedInt(kSectionSettings, kKeyStartRecByPickup, kStartRecByPickupCorrection);
}
