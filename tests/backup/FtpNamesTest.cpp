#include "backup/FtpRemotePaths.h"
#include "backup/FtpSettings.h"

#include "BackupTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

TEST(FtpNames, RemotePathsUseTheSerialAndTheCallsDay) {
    const SYSTEMTIME day = MakeTime(2024, 3, 5, 23, 59, 59);
    const std::wstring name = RemoteFileName(L"D:\\Rec\\202403\\Ch001\\20240305235959-in-001(Desk #2 100)-#55*.wav");
    EXPECT_STREQ(L"20240305235959-in-001(Desk B2 100)-B55A.wav", name.c_str());
    EXPECT_STREQ(L"/00002098/202403/20240305/20240305235959-in-001(Desk B2 100)-B55A.wav",
                 RecordingRemotePath(L"00002098", day, name.c_str()).c_str());
    EXPECT_STREQ(L"/00002098/202403/20240305/dbFiles/CDR20240305.db", CdrRemotePath(L"00002098", day).c_str());
    EXPECT_STREQ(L"plain.wav", RemoteFileName(L"plain.wav").c_str());
}

TEST(FtpNames, ServerTextIsMostSignificantByteFirst) {
    EXPECT_STREQ(L"127.0.0.1", FtpServerText(0x7F000001).c_str());
    EXPECT_STREQ(L"192.168.1.10", FtpServerText(-1062731510).c_str());  // stored negative from 128.0.0.0 up
    EXPECT_STREQ(L"0.0.0.0", FtpServerText(0).c_str());
    EXPECT_STREQ(L"255.255.255.255", FtpServerText(-1).c_str());
}

TEST(FtpNames, AnEmptySerialIsMadeFromNowAndKept) {
    TestFolder folder;
    const SYSTEMTIME now = MakeTime(2024, 3, 5, 10, 20, 30);  // 2024 + 3 + 5 + 10 + 20 + 30, weekday not added
    EXPECT_EQ(L"00002092", FtpSerialNumber(now));
    EXPECT_EQ(L"00002092", ReadSettingString(kSectionSettings, kKeyLocalSerialNo));
    EXPECT_EQ(L"00002092", FtpSerialNumber(MakeTime(2025, 1, 1)));
}

TEST(FtpNames, SettingTextsAreCutTo31Characters) {
    TestFolder folder;
    const std::wstring longText(40, L'x');
    WriteFtpText(kKeyLocalSerialNo, longText.c_str());
    WriteFtpText(kKeyFtpUserName, longText.c_str());
    WriteFtpText(kKeyFtpUserPsw, longText.c_str());
    EXPECT_EQ(std::wstring(31, L'x'), FtpSerialNumber(Now()));
    const FtpLogin login = ReadFtpLogin();
    EXPECT_EQ(std::wstring(31, L'x'), login.UserName);
    EXPECT_EQ(std::wstring(31, L'x'), login.Password);
}
