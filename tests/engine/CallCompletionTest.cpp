// The end of a call as the record shows it, without boards: the driver's calls fail and the buffer holds nothing.
#include "EngineScenario.h"

#include "TestFiles.h"
#include "engine/CallCompletion.h"
#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "engine/WavFormat.h"

#include <cstring>

namespace {

class CallCompletion : public EngineScenario {
protected:
    static constexpr int kChannel = 8;

    void PrepareSpyCall(int lineType, int connected) {
        ChannelRecord& record = ChannelTable[kChannel];
        record.LineType = lineType;
        record.SpyConnected = connected;
        std::strcpy(record.SpyCallerId, "100");
        std::strcpy(record.SpyCalleeId, "200");
        record.RecordedMs = 1500;
        record.RingCount = 4;
    }
};

}  // namespace

// A spy call answered is named by its direction; one recorded from alerting and never answered has a call type of
// its own. The caller comes first for an incoming call, the callee for an outgoing one.
TEST_F(CallCompletion, SpyCallTypeFollowsAnswerAndDirection) {
    struct Case {
        int LineType;
        int Connected;
        int Direction;
        int CallType;
        const wchar_t* Number;
    };
    const Case cases[] = {
        {10, 1, 1, kCallIncoming, L"100-200"},
        {10, 1, 0, kCallOutgoing, L"200-100"},
        {10, 0, 1, kCallSpyIncomingUnanswered, L"100-200"},
        {10, 0, 0, kCallSpyOutgoingUnanswered, L"200-100"},
        {7, 0, 1, kCallIncoming, L"100-200"},  // an analogue line counts as answered
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.LineType << "/" << c.Connected << "/" << c.Direction);
        PrepareSpyCall(c.LineType, c.Connected);
        StopSpyRecording(kChannel, c.Direction);
        std::unique_ptr<CallRecord> call = EngineState.CallQueue.Pop();
        ASSERT_TRUE(call);
        EXPECT_EQ(c.CallType, call->CallType);
        EXPECT_STREQ(c.Number, call->PhoneNumber);
        EXPECT_EQ(1, call->RingCnt) << "a spy call counts one ring";
        EXPECT_EQ(1, call->RecTime);
        EXPECT_EQ(kStateIdle, ChannelTable[kChannel].State);
        EXPECT_EQ(0, ChannelTable[kChannel].RecordedMs) << "the call data are reset";
    }
}

// A call with less than 100 ms recorded queues no record, but its file is still finished and closed.
TEST_F(CallCompletion, CallWithoutRecordedTimeClosesItsFileAndQueuesNothing) {
    const std::wstring path = ProgramFolder() + L"\\short.wav";
    ChannelRecord& record = ChannelTable[2];
    record.FileHandle.Attach(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, record.FileHandle.Get());
    const std::vector<uint8_t> placeholder(sizeof(ImaWavHeader) + 100, 0);
    DWORD written = 0;
    WriteFile(record.FileHandle.Get(), placeholder.data(), static_cast<DWORD>(placeholder.size()), &written, nullptr);

    FinishCall(2, CallEnd::OnHookOutgoing);

    EXPECT_EQ(INVALID_HANDLE_VALUE, record.FileHandle.Get());
    EXPECT_FALSE(EngineState.CallQueue.Pop());
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_EQ(placeholder.size(), bytes.size());
    const ImaWavHeader expected = MakeImaWavHeader(static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(0, std::memcmp(&expected, bytes.data(), sizeof(expected)));
}

TEST_F(CallCompletion, SpyMissedCallNamesAMadeUpPathAndCountsOneRing) {
    for (int direction : {1, 0}) {
        SCOPED_TRACE(direction);
        ChannelRecord& record = ChannelTable[kChannel];
        record.LineType = 10;
        std::strcpy(record.SpyCallerId, "100");
        std::strcpy(record.SpyCalleeId, "200");
        record.RingCount = 3;
        record.Ringing = 1;
        record.StartTime = {2024, 3, 2, 5, 7, 8, 9, 0};

        QueueSpyMissedCall(kChannel, direction);

        std::unique_ptr<CallRecord> call = EngineState.CallQueue.Pop();
        ASSERT_TRUE(call);
        EXPECT_EQ(direction == 1 ? kCallMissed : kCallSpyOutgoingMissed, call->CallType);
        EXPECT_STREQ(L"100-200", call->PhoneNumber);
        EXPECT_EQ(0, call->RecTime);
        EXPECT_EQ(1, call->RingCnt);
        // The program folder is followed by the year with no separator between them.
        EXPECT_EQ(ProgramFolder() + L"2024\\202403\\20240305\\009\\20240305070809-Out-L009.wav", call->FilePath);
        EXPECT_EQ(0, record.Ringing);
        EXPECT_EQ(0, record.RingCount);
    }
}
