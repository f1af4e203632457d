#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "records/EngineRecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

template <class T>
T ReadAt(const std::vector<uint8_t>& bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

}  // namespace

TEST(CallRecord, FieldsLieAtTheirWireOffsets) {
    CallRecord record = {};
    record.ChannelPhone[0] = L'P';
    record.CallNotes[254] = L'N';
    record.FilePath[0] = L'F';
    record.CusAJBH[63] = L'J';
    record.Channel = 0x01020304;
    record.CallType = kCallSpyOutgoingMissed;
    record.RecTime = 1799;
    record.Flag = 1;
    record.StartTime.wYear = 2024;
    record.StartTime.wMilliseconds = 999;

    std::vector<uint8_t> bytes(sizeof(record));
    std::memcpy(bytes.data(), &record, sizeof(record));
    ASSERT_EQ(2800u, bytes.size());
    EXPECT_EQ(L'P', ReadAt<wchar_t>(bytes, 64));
    EXPECT_EQ(L'N', ReadAt<wchar_t>(bytes, 512 + 254 * 2));
    EXPECT_EQ(L'F', ReadAt<wchar_t>(bytes, 1022));
    EXPECT_EQ(L'J', ReadAt<wchar_t>(bytes, 2626 + 63 * 2));
    EXPECT_EQ(0, ReadAt<uint16_t>(bytes, 2754));  // padding
    EXPECT_EQ(0x04, bytes[2756]);                 // little-endian channel
    EXPECT_EQ(0x01, bytes[2759]);
    EXPECT_EQ(8, ReadAt<int32_t>(bytes, 2760));
    EXPECT_EQ(1799, ReadAt<int32_t>(bytes, 2764));
    EXPECT_EQ(1, ReadAt<int32_t>(bytes, 2780));
    EXPECT_EQ(2024, ReadAt<uint16_t>(bytes, 2784));
    EXPECT_EQ(999, ReadAt<uint16_t>(bytes, 2798));
}

TEST(ScheduleDayBlock, WindowsPrecedeTheirFourFlags) {
    ScheduleDayBlock day = {};
    day.Window[2].End.wHour = 23;
    day.Enabled[3] = 1;
    std::vector<uint8_t> bytes(sizeof(day));
    std::memcpy(bytes.data(), &day, sizeof(day));
    ASSERT_EQ(144u, bytes.size());
    EXPECT_EQ(23, ReadAt<uint16_t>(bytes, 80 + offsetof(SYSTEMTIME, wHour)));
    EXPECT_EQ(1, ReadAt<int32_t>(bytes, 140));
}

TEST(ChannelRecord, StartsAsAnEventDrivenLineWithNoLineAndNoFile) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    ChannelRecord record;
    EXPECT_EQ(8, record.LineType);
    EXPECT_EQ(kStateNoLine, record.State);
    EXPECT_EQ(INVALID_HANDLE_VALUE, record.FileHandle.Get());
    EXPECT_EQ(nullptr, record.Buffer);
    EXPECT_EQ(0, record.PickupVoltage);
    EXPECT_EQ(now.wYear, record.StartTime.wYear);
    EXPECT_EQ(0, record.RecordAllWeek[6].Enabled[3]);
    EXPECT_EQ(L'\0', record.Name[0]);
}

TEST(ChannelRecord, LineKindFollowsTheDriverType) {
    struct Row {
        int type;
        bool voltage, event, analogue, spy;
    } rows[] = {
        {6, true, false, true, false},   {7, false, true, true, false},  {8, false, true, true, false},
        {10, false, false, false, true}, {0, false, false, false, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.voltage, IsVoltageWatchedLine(row.type)) << row.type;
        EXPECT_EQ(row.event, IsEventDrivenLine(row.type)) << row.type;
        EXPECT_EQ(row.analogue, IsAnalogueLine(row.type)) << row.type;
        EXPECT_EQ(row.spy, IsSpyChannel(row.type)) << row.type;
    }
}

TEST(DriverBinding, PcmLinkIsUpWhenItsLowBitsAreAMultipleOfFour) {
    for (uint32_t status : {0u, 4u, 8u, 12u, 0x10u, 0xFFFFFFF0u})
        EXPECT_TRUE(IsPcmLinkUp(status)) << status;
    for (uint32_t status : {1u, 2u, 3u, 5u, 15u, 0x13u})
        EXPECT_FALSE(IsPcmLinkUp(status)) << status;
}

TEST(CardEngineState, QueueHandsRecordsOverInOrderAcrossThreads) {
    RecordQueue<CallRecord> queue;
    EXPECT_EQ(nullptr, queue.Pop());

    constexpr int kProducers = 4;
    constexpr int kPerProducer = 500;
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back([&queue, p] {
            for (int i = 0; i < kPerProducer; ++i) {
                auto record = std::make_unique<CallRecord>();
                record->Channel = p;
                record->RecTime = i;
                queue.Push(std::move(record));
            }
        });
    }
    // One consumer, as the writer threads are: each producer's records arrive in its order, none is lost.
    std::vector<int> next(kProducers, 0);
    int received = 0;
    while (received < kProducers * kPerProducer) {
        if (std::unique_ptr<CallRecord> record = queue.Pop()) {
            EXPECT_EQ(next[record->Channel]++, record->RecTime);
            ++received;
        }
    }
    for (std::thread& producer : producers)
        producer.join();
    EXPECT_EQ(0u, queue.Count());
}

TEST(CardEngineState, CountsStayZeroUntilTheBoardsStart) {
    EXPECT_EQ(0, EngineState.BoardCount);
    EXPECT_EQ(0, EngineState.ChannelCount);
    EXPECT_EQ(0u, EngineState.CallQueue.Count());
    EXPECT_EQ(0u, EngineState.SysLogQueue.Count());
    EXPECT_FALSE(EngineState.ChannelPollThread.IsStarted());
}
