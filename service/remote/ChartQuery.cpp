// Command 9, the call statistics: per selected channel and day, nine counts and sums of the day's Rec_Table,
// added to the channel's running totals and sent as one ChartStatFrame. Declared in SearchCommands.h.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "ClientFrame.h"
#include "ClientSlot.h"
#include "QueryDays.h"
#include "SearchCommands.h"
#include "storage/CallRecordStore.h"
#include "storage/StoragePaths.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

// The counters of one channel, in the order of ChartStatFrame.
enum Counter {
    kIncomingCount,
    kIncomingSeconds,
    kOutgoingCount,
    kOutgoingSeconds,
    kMissedCount,
    kVoiceCount,
    kVoiceSeconds,
    kAutoAnsweredCount,
    kAutoAnsweredSeconds,
    kCounterCount,
};

using Counters = std::array<int32_t, kCounterCount>;

struct StatisticQuery {
    Counter Target;
    bool IsSum;             // QuerySum of TotalValue, else QueryCount
    const wchar_t* Format;  // the call types, then the channel
    int CallTypes[4];
    int CallTypeCount;
};

// The missed count also counts the spy calls recorded from alerting (6, 7), which are counted in their direction
// as well: clients rely on exactly these numbers.
constexpr StatisticQuery kStatisticQueries[] = {
    {kIncomingCount,
     false,
     L"select COUNT(*) from Rec_Table where ((CallType = %d or CallType = %d) and Channel = %d)",
     {1, 6},
     2},
    {kIncomingSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where ((CallType = %d or CallType = %d) and Channel = %d)",
     {1, 6},
     2},
    {kOutgoingCount,
     false,
     L"select COUNT(*) from Rec_Table where ((CallType = %d or CallType = %d )and Channel = %d)",
     {2, 7},
     2},
    {kOutgoingSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where ((CallType = %d or CallType = %d ) and Channel = %d)",
     {2, 7},
     2},
    {kMissedCount,
     false,
     L"select COUNT(*) from Rec_Table where ((CallType = %d or CallType =%d or CallType=%d or CallType=%d) and "
     L"Channel = %d)",
     {3, 8, 6, 7},
     4},
    {kVoiceCount, false, L"select COUNT(*) from Rec_Table where (CallType = %d and Channel = %d)", {4}, 1},
    {kVoiceSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where (CallType = %d and Channel = %d)",
     {4},
     1},
    {kAutoAnsweredCount, false, L"select COUNT(*) from Rec_Table where (CallType = %d and Channel = %d)", {5}, 1},
    {kAutoAnsweredSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where (CallType = %d and Channel = %d)",
     {5},
     1},
};

constexpr uint8_t kSelected = 1;

int RunStatisticQuery(CallRecordStore& store, const StatisticQuery& query, int channel) {
    int arguments[5] = {};
    std::copy(query.CallTypes, query.CallTypes + query.CallTypeCount, arguments);
    arguments[query.CallTypeCount] = channel;
    wchar_t sql[256];
    _snwprintf(sql, std::size(sql), query.Format, arguments[0], arguments[1], arguments[2], arguments[3], arguments[4]);
    sql[std::size(sql) - 1] = L'\0';
    return query.IsSum ? store.QuerySum(sql) : store.QueryCount(sql);
}

ChartStatFrame MakeChartStatFrame(int channel, const Counters& sums) {
    ChartStatFrame frame;
    frame.Channel = static_cast<uint16_t>(channel);
    frame.IncomingCount = sums[kIncomingCount];
    frame.IncomingSeconds = sums[kIncomingSeconds];
    frame.OutgoingCount = sums[kOutgoingCount];
    frame.OutgoingSeconds = sums[kOutgoingSeconds];
    frame.MissedCount = sums[kMissedCount];
    frame.VoiceCount = sums[kVoiceCount];
    frame.VoiceSeconds = sums[kVoiceSeconds];
    frame.AutoAnsweredCount = sums[kAutoAnsweredCount];
    frame.AutoAnsweredSeconds = sums[kAutoAnsweredSeconds];
    frame.TotalCount =
        sums[kIncomingCount] + sums[kOutgoingCount] + sums[kMissedCount] + sums[kVoiceCount] + sums[kAutoAnsweredCount];
    frame.TotalSeconds =
        sums[kIncomingSeconds] + sums[kOutgoingSeconds] + sums[kVoiceSeconds] + sums[kAutoAnsweredSeconds];
    return frame;
}

struct ChartRequest {
    QueryRequest Range;
    std::array<uint8_t, kMaxChannels> Selection;
};

void ChartQueryThread(ClientSlot& slot, uint32_t connection, const ChartRequest& request, QueryStop& stop) {
    auto sums = std::make_unique<std::array<Counters, kMaxChannels>>();
    ForEachQueryDay(DayDatabase::Cdr, request.Range.From, request.Range.To, stop, [&](const SYSTEMTIME& day) {
        CallRecordStore store;
        const QueryStop::Link link(stop, store);
        if (!store.OpenForSearch(day, CdrWorkingCopy::Chart))
            return;
        for (int channel = 0; channel < kMaxChannels && !stop; ++channel) {
            if (request.Selection[channel] != kSelected)
                continue;
            Counters& channelSums = (*sums)[channel];
            for (const StatisticQuery& query : kStatisticQueries) {
                if (stop)
                    break;
                channelSums[query.Target] += RunStatisticQuery(store, query, channel);
            }
            // A stop cuts the channel's queries short (an interrupted one counts 0): such sums are not sent.
            if (stop)
                break;
            const ChartStatFrame frame = MakeChartStatFrame(channel, channelSums);
            slot.SendIf(
                FrameKind::Reply, [&](const ClientSlot& s) { return s.Connection == connection && !stop; }, &frame,
                sizeof(frame));
        }
        store.Close();
    });
}

}  // namespace

void HandleChartQuery(ClientSlot& slot, const uint8_t* payload, int payloadBytes) {
    {
        auto lock = slot.LockFields();
        if (!slot.Account.bChart)
            return;  // the account lacks the statistics right
    }
    ChartRequest request;
    request.Range = ReadQueryRequest(payload, kQueryRangeBytes, 0);
    std::memcpy(request.Selection.data(), payload + kQueryRangeBytes, kMaxChannels);
    const uint32_t connection = slot.CurrentConnection();
    slot.Statistics.Start(
        [&slot, connection, request](QueryStop& stop) { ChartQueryThread(slot, connection, request, stop); });
}
