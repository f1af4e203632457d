#include "settings/Folders.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(Settings, AbsentKeysReadAsMinusOneAndEmpty) {
    TestFolder folder;
    EXPECT_EQ(-1, ReadSettingInt(kSectionSettings, kKeyNetPort));  // no file at all
    EXPECT_EQ(L"", ReadSettingString(kSectionSettings, kKeyLocalName));
    EXPECT_EQ(L"", ReadOemString(L"Settings", L"CompanyName"));

    WriteSettingInt(kSectionSettings, kKeyMinRec, 7);
    EXPECT_EQ(-1, ReadSettingInt(kSectionSettings, kKeyNetPort));  // file present, key absent
    EXPECT_EQ(-1, ReadSettingInt(kSectionSetting, kKeyMinRec));    // same key in the other section
    EXPECT_EQ(L"", ReadSettingString(kSectionSettings, kKeyLocalName));
}

TEST(Settings, IntegersRoundTripAsSignedDecimal) {
    TestFolder folder;
    // 192.168.1.10 as FtpServer stores its 32-bit value as a negative decimal.
    const int ftpServer = static_cast<int>((192u << 24) | (168u << 16) | (1u << 8) | 10u);
    for (int value : {0, 6691, -5, ftpServer}) {
        WriteSettingInt(kSectionSettings, kKeyFtpServer, value);
        EXPECT_EQ(value, ReadSettingInt(kSectionSettings, kKeyFtpServer));
    }
    EXPECT_EQ(L"-1062731510", ReadSettingString(kSectionSettings, kKeyFtpServer));

    WriteSettingString(kSectionSettings, kKeyFtpPort, L"abc");
    EXPECT_EQ(0, ReadSettingInt(kSectionSettings, kKeyFtpPort));
}

TEST(Settings, BackslashNBecomesLineFeedInEveryTextReader) {
    struct Row {
        const wchar_t* stored;
        const wchar_t* read;
    } rows[] = {
        {L"a\\nb", L"a\nb"},      {L"\\n\\n", L"\n\n"}, {L"a\\\\nb", L"a\\\nb"},  // the pair after the first backslash
        {L"a\\tb\\", L"a\\tb\\"},                                                 // other backslashes stay
        {L"an", L"an"},
    };
    TestFolder folder;
    for (const Row& row : rows) {
        WriteSettingString(kSectionSettings, kKeyLocalName, row.stored);
        EXPECT_EQ(row.read, ReadSettingString(kSectionSettings, kKeyLocalName)) << row.stored;

        WriteUtf16File(folder.ProgramFolder() + L"\\OEM\\Server_oem.ini",
                       std::wstring(L"[Settings]\r\nCompanyName=") + row.stored + L"\r\n");
        EXPECT_EQ(row.read, ReadOemString(L"Settings", L"CompanyName")) << row.stored;

        WriteUtf16File(LanguageFilePath(LanguageNumber), std::wstring(L"[Language]\r\n0001=") + row.stored + L"\r\n");
        EXPECT_EQ(row.read, LangText(L"0001")) << row.stored;
    }
}

TEST(Settings, LongTextsAreCutTo999Characters) {
    TestFolder folder;
    WriteSettingString(kSectionSettings, kKeyLocalName, std::wstring(1500, L'x').c_str());
    EXPECT_EQ(std::wstring(999, L'x'), ReadSettingString(kSectionSettings, kKeyLocalName));
}

TEST(Settings, NewSettingsFileIsUtf16SoChineseNamesSurvive) {
    TestFolder folder;
    const std::wstring name = L"\u5ba2\u670d\u4e00\u7ebf";  // a channel name outside any Western code page
    WriteSettingString(kSectionChannelParam, ChannelKey(0, kChannelName).c_str(), name.c_str());

    EXPECT_EQ(name, ReadSettingString(kSectionChannelParam, L"Channel001Name"));
    EXPECT_EQ(std::string("\xFF\xFE", 2), ReadBytes(SettingsFilePath()).substr(0, 2));
}

TEST(Settings, ExistingEightBitFileKeepsItsEncoding) {
    TestFolder folder;
    {
        std::ofstream out(std::filesystem::path(SettingsFilePath()), std::ios::binary);
        out << "[Settings]\r\nMinRec=3\r\n";
    }
    WriteSettingInt(kSectionSettings, kKeyInPopup, 1);

    std::string bytes = ReadBytes(SettingsFilePath());
    EXPECT_EQ("[S", bytes.substr(0, 2));
    EXPECT_EQ(3, ReadSettingInt(kSectionSettings, kKeyMinRec));
    EXPECT_EQ(1, ReadSettingInt(kSectionSettings, kKeyInPopup));
}

TEST(Settings, ShippedBrandingFileNamesTheCompany) {
    TestFolder folder;
    SetExeFolderOverride(TESS_RESOURCES_DIR);
    for (const wchar_t* key :
         {L"CompanyName", L"CompanyAddr", L"CompanyTel", L"CompanyFax", L"CompanyEmail", L"CompanyWeb"})
        EXPECT_NE(L"", ReadOemString(L"Settings", key)) << key;
}

// Reads are served from what was read before until the file changes; a change made outside these functions (the
// operator editing the file, another program) is seen at the next read all the same.
TEST(Settings, AChangeOfTheFileIsSeenAtTheNextRead) {
    TestFolder folder;
    WriteSettingInt(kSectionSettings, kKeyMinRec, 7);
    EXPECT_EQ(7, ReadSettingInt(kSectionSettings, kKeyMinRec));
    EXPECT_EQ(7, ReadSettingInt(kSectionSettings, kKeyMinRec));

    WritePrivateProfileStringW(kSectionSettings, kKeyMinRec, L"12", SettingsFilePath().c_str());
    EXPECT_EQ(12, ReadSettingInt(kSectionSettings, kKeyMinRec));
    WritePrivateProfileStringW(kSectionSettings, kKeyLocalName, L"Branch", SettingsFilePath().c_str());
    EXPECT_EQ(L"Branch", ReadSettingString(kSectionSettings, kKeyLocalName));
    ::DeleteFileW(SettingsFilePath().c_str());
    EXPECT_EQ(-1, ReadSettingInt(kSectionSettings, kKeyMinRec));
}
