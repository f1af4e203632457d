#include "engine/RecordingNames.h"

#include "storage/RecordFields.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kFolder[] = L"D:\\Rec\\2026\\202603\\20260307\\004\\";

CallRecord MakeRecord(int callType, const wchar_t* name, const wchar_t* phone, const wchar_t* number,
                      const std::wstring& folder = kFolder) {
    CallRecord record{};
    record.Channel = 3;
    record.CallType = callType;
    record.StartTime = {2026, 3, 6, 7, 9, 5, 4, 0};
    CopyToField(record.ChannelName, name);
    CopyToField(record.ChannelPhone, phone);
    CopyToField(record.PhoneNumber, number);
    CopyToField(record.FilePath, (folder + L"20260307090504-Out-L004.wav").c_str());
    return record;
}

}  // namespace

TEST(RecordingNames, FinalNameFollowsTheCallType) {
    const struct {
        int CallType;
        const wchar_t* Name;
    } cases[] = {
        {kCallIncoming, L"20260307090504-in-004(Desk 8001)-5551234.wav"},
        {kCallAutoAnswered, L"20260307090504-in-004(Desk 8001)-5551234.wav"},
        {kCallSpyIncomingUnanswered, L"20260307090504-in-004(Desk 8001)-5551234.wav"},
        {kCallMissed, L"20260307090504-missed-004(Desk 8001)-5551234.tmp"},
        {kCallSpyOutgoingMissed, L"20260307090504-missed-004(Desk 8001)-5551234.tmp"},
        {kCallVoice, L"20260307090504-mic-004(Desk 8001)-5551234.wav"},
        {kCallOutgoing, L"20260307090504-out-004(Desk 8001)-5551234.wav"},
        {kCallSpyOutgoingUnanswered, L"20260307090504-out-004(Desk 8001)-5551234.wav"},
        {42, L"20260307090504-out-004(Desk 8001)-5551234.wav"},
    };
    for (const auto& c : cases) {
        const CallRecord record = MakeRecord(c.CallType, L"Desk", L"8001", L"5551234");
        EXPECT_EQ(std::wstring(kFolder) + c.Name, FinalRecordingPath(record)) << "CallType " << c.CallType;
    }
}

TEST(RecordingNames, NamePartsCannotLeaveTheFolder) {
    const CallRecord record = MakeRecord(kCallOutgoing, L"..\\..\\x", L"a/b|c", L"*21*a:b?\"<>\t#");
    EXPECT_EQ(std::wstring(kFolder) + L"20260307090504-out-004(.._.._x a_b_c)-#21#a_b_____#.wav",
              FinalRecordingPath(record));
}

TEST(RecordingNames, AsteriskAnywhereInThePathBecomesANumberSign) {
    const CallRecord record = MakeRecord(kCallIncoming, L"Desk", L"8001", L"5*5", L"D:\\Rec*\\");
    EXPECT_EQ(L"D:\\Rec#\\20260307090504-in-004(Desk 8001)-5#5.wav", FinalRecordingPath(record));
}

TEST(RecordingNames, LongPathsShortenTheChannelNameThenPhoneThenNumber) {
    const std::wstring name(31, L'n');
    const std::wstring phone(31, L'p');
    const std::wstring number(31, L'd');
    // "yyyymmddhhmmss-out-ccc(", the space between name and phone, ")-" and ".wav": 30 characters.
    const size_t frame = 30;
    const struct {
        size_t FolderLength;
        size_t NameKept, PhoneKept, NumberKept;
    } cases[] = {
        {259 - frame - 93, 31, 31, 31},  // fits exactly
        {259 - frame - 93 + 10, 21, 31, 31}, {259 - frame - 93 + 40, 0, 22, 31},
        {259 - frame - 93 + 70, 0, 0, 23},   {259 - frame, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const std::wstring folder = L"D:\\" + std::wstring(c.FolderLength - 4, L'f') + L"\\";
        ASSERT_EQ(c.FolderLength, folder.size());
        const CallRecord record = MakeRecord(kCallOutgoing, name.c_str(), phone.c_str(), number.c_str(), folder);
        const std::wstring expected = folder + L"20260307090504-out-004(" + name.substr(0, c.NameKept) + L" " +
                                      phone.substr(0, c.PhoneKept) + L")-" + number.substr(0, c.NumberKept) + L".wav";
        const std::wstring path = FinalRecordingPath(record);
        EXPECT_EQ(expected, path) << "folder of " << c.FolderLength;
        EXPECT_LE(path.size(), 259u);
    }
}

TEST(RecordingNames, PathThatCannotBeShortenedEnoughKeepsTheTemporaryName) {
    const std::wstring folder = L"D:\\" + std::wstring(224, L'f') + L"\\";
    const CallRecord record = MakeRecord(kCallMissed, L"Desk", L"8001", L"5551234", folder);
    EXPECT_EQ(std::wstring(FieldText(record.FilePath)), FinalRecordingPath(record));
}
