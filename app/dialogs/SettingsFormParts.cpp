#include "dialogs/SettingsFormParts.h"

#include "common/Prompts.h"
#include "dialogs/DialogTexts.h"
#include "settings/DiskSpace.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"

#include <cstdint>

namespace {

constexpr int kRecordingHoursPerGB = 70;
constexpr double kMBPerGB = 1024.0;

constexpr const wchar_t* kLanguageKeys[] = {L"0319", L"0320", L"0321"};
constexpr const wchar_t* kPopupKeys[] = {L"0270", L"0269"};

}  // namespace

std::wstring FreeSpaceLine(const std::wstring& folder) {
    uint32_t totalMB = 0;
    uint32_t freeMB = 0;
    GetDiskSpaceMB(folder.c_str(), totalMB, freeMB);
    const int hours = static_cast<int>(freeMB / 1024) * kRecordingHoursPerGB;
    CString line;
    line.Format(L"%ls  %.2f(GB)/%.2f(GB) -->%d %ls", folder.c_str(), freeMB / kMBPerGB, totalMB / kMBPerGB, hours,
                LangText(L"0338").c_str());
    return line.GetString();
}

void BrowseRecordingFolder(CWnd* dialog, int folder, int editId) {
    const wchar_t* key = kKeyRecFolderN[folder];
    std::wstring path = ReadSettingString(kSectionSettings, key);
    if (Prompts().BrowseForFolder(&path, path.c_str())) {
        WriteSettingString(kSectionSettings, key, path.c_str());
        dialog->SetDlgItemText(editId, FreeSpaceLine(path).c_str());
    } else {
        dialog->SetDlgItemText(editId, L"");
        WriteSettingString(kSectionSettings, key, L"");
    }
}

void FillLanguageList(CWnd* dialog, int comboId) {
    FillComboTexts(dialog, comboId, kLanguageKeys);
    dialog->SendDlgItemMessage(comboId, CB_SETCURSEL, static_cast<WPARAM>(LanguageNumber));
}

void NoticeLanguageChange(CWnd* dialog, int language) {
    if (language != LanguageNumber)
        ShowLangMessage(dialog, L"0322", L"0109", MB_ICONINFORMATION | MB_OK);
}

void StoreLanguage(int language) {
    WriteSettingInt(kSectionSetting, kKeyLanguageID, language);
    const bool listed = language >= 0 && language < static_cast<int>(std::size(kLanguageName));
    WriteSettingString(kSectionSetting, kKeyLanguage, kLanguageName[listed ? language : kLanguageChineseSimplified]);
}

void FillPopupList(CWnd* dialog, int comboId) {
    FillComboTexts(dialog, comboId, kPopupKeys);
    dialog->SendDlgItemMessage(comboId, CB_SETCURSEL, 0);
    const int popup = ReadCorrectedInt(kSectionSettings, kKeyInPopup, kInPopupDialogCorrection);
    dialog->SendDlgItemMessage(comboId, CB_SETCURSEL, static_cast<WPARAM>(popup));
}
