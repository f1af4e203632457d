// What the operator stores for a channel: both schedule files, then every settings key, record mode first, in one
// fixed order.

#include "channels/ChannelTable.h"
#include "engine/ChannelSettings.h"
#include "engine/Schedules.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The key names of the file's lines in their order (the file is UTF-16 with a byte-order mark).
std::vector<std::wstring> KeysInFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    std::wstring text(bytes.size() / 2, L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    std::vector<std::wstring> keys;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = text.substr(start, end - start);
        const size_t equals = line.find(L'=');
        if (equals != std::wstring::npos)
            keys.push_back(line.substr(0, equals));
        start = end + 1;
    }
    return keys;
}

}  // namespace

TEST(ChannelSettings, StoreWritesBothScheduleFilesThenEveryKeyInOrder) {
    TestFolder folder;
    ChannelRecord record;
    record.Rec = kRecordVoiceActivated;
    CopyToField(record.Name, L"Front desk");
    CopyToField(record.AutoFile, L"C:\\greet.wav");
    record.PickupVoltage = 18;
    record.HookOffTime = 150;
    record.RecordAllWeek[3].Enabled[2] = 1;
    StoreChannelParams(record, 4);

    for (const std::wstring& path : {RecordAllSchedulePath(4), AutoAnswerSchedulePath(4)}) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(static_cast<DWORD>(kScheduleFileBytes), data.nFileSizeLow);
    }
    ChannelRecord loaded;
    LoadChannelSchedules(loaded, 4);
    EXPECT_EQ(1, loaded.RecordAllWeek[3].Enabled[2]);

    const std::vector<std::wstring> expected = {L"Channel005Rec",
                                                L"Channel005Name",
                                                L"Channel005Phone",
                                                L"Channel005KeySave",
                                                L"Channel005KeyDel",
                                                L"Channel005SoundTime",
                                                L"Channel005MuteTime",
                                                L"Channel005Trigger",
                                                L"Channel005PickupVoltage",
                                                L"Channel005Announcement",
                                                L"Channel005AnnouncementFile",
                                                L"Channel005AutoFile",
                                                L"Channel005AutoAnserWaitRingCnt",
                                                L"Channel005AutoAnswerMaxTimeLong",
                                                L"Channel005CallerIDFormat",
                                                L"Channel005HookOnTime",
                                                L"Channel005HookOffTime"};
    EXPECT_EQ(expected, KeysInFile(folder.ProgramFolder() + L"\\Server_Settings.ini"));

    ChannelRecord read;
    LoadChannelSettings(read, 4);
    EXPECT_EQ(kRecordVoiceActivated, read.Rec);
    EXPECT_STREQ(L"Front desk", read.Name);
    EXPECT_STREQ(L"C:\\greet.wav", read.AutoFile);
    EXPECT_EQ(18, read.PickupVoltage);
    EXPECT_EQ(150, read.HookOffTime);
}
