// Command 9, the call statistics: per selected channel and day, nine counts and sums of the day's Rec_Table,
// added to the channel's running totals and sent as one ChartStatFrame. Declared in SearchCommands.h.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "clients/ClientFrame.h"
#include "clients/ClientSlot.h"
#include "remote/QueryDays.h"
#include "remote/SearchCommands.h"
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

// Every query names its call types as ?1..?4 and the channel as ?5; all five are bound, unused types included.
struct StatisticQuery {
    Counter Target;
    bool IsSum;  // QuerySum of TotalValue, else QueryCount
    const wchar_t* Sql;
    int32_t CallTypes[4];  // ?1..?4; the ones the text does not name are unused
};

// The missed count also counts the spy calls recorded from alerting, which are counted in their direction as well:
// clients rely on exactly these numbers.
constexpr StatisticQuery kStatisticQueries[] = {
    {kIncomingCount,
     false,
     L"select COUNT(*) from Rec_Table where ((CallType = ?1 or CallType = ?2) and Channel = ?5)",
     {kCallIncoming, kCallSpyIncomingUnanswered}},
    {kIncomingSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where ((CallType = ?1 or CallType = ?2) and Channel = ?5)",
     {kCallIncoming, kCallSpyIncomingUnanswered}},
    {kOutgoingCount,
     false,
     L"select COUNT(*) from Rec_Table where ((CallType = ?1 or CallType = ?2) and Channel = ?5)",
     {kCallOutgoing, kCallSpyOutgoingUnanswered}},
    {kOutgoingSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where ((CallType = ?1 or CallType = ?2) and Channel = ?5)",
     {kCallOutgoing, kCallSpyOutgoingUnanswered}},
    {kMissedCount,
     false,
     L"select COUNT(*) from Rec_Table where ((CallType = ?1 or CallType = ?2 or CallType = ?3 or CallType = ?4) and "
     L"Channel = ?5)",
     {kCallMissed, kCallSpyOutgoingMissed, kCallSpyIncomingUnanswered, kCallSpyOutgoingUnanswered}},
    {kVoiceCount, false, L"select COUNT(*) from Rec_Table where (CallType = ?1 and Channel = ?5)", {kCallVoice}},
    {kVoiceSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where (CallType = ?1 and Channel = ?5)",
     {kCallVoice}},
    {kAutoAnsweredCount,
     false,
     L"select COUNT(*) from Rec_Table where (CallType = ?1 and Channel = ?5)",
     {kCallAutoAnswered}},
    {kAutoAnsweredSeconds,
     true,
     L"select sum(RecTime) AS TotalValue from Rec_Table where (CallType = ?1 and Channel = ?5)",
     {kCallAutoAnswered}},
};

constexpr uint8_t kSelected = 1;

int RunStatisticQuery(CallRecordStore& store, const StatisticQuery& query, int channel) {
    const int32_t* types = query.CallTypes;
    const SqlValues values = {types[0], types[1], types[2], types[3], static_cast<int32_t>(channel)};
    return query.IsSum ? store.QuerySum(query.Sql, values) : store.QueryCount(query.Sql, values);
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
