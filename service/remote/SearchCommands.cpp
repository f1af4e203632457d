#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/SearchCommands.h"

#include "clients/ClientFrame.h"
#include "clients/ClientSlot.h"
#include "remote/QueryDays.h"
#include "remote/ReadOnlyQuery.h"
#include "storage/CallRecordStore.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

namespace {

constexpr size_t kCdrQueryChars = 1023;
constexpr size_t kSysLogQueryChars = 511;

constexpr uint8_t kStopCdrSearch = 1;
constexpr uint8_t kStopStatistics = 2;

// The row senders of the searches: to the connection that asked only, and CDR rows only of the channels its
// account has a right for. A row waits for room in the slot's queue until it is sent or the search is stopped.
void SendCdrRowCallback(const CallRecord& record, ClientSlot& slot, uint32_t connection, const QueryStop& stop) {
    const int channel = record.Channel;
    if (channel < 0 || channel >= kMaxChannels)
        return;
    slot.SendIf(
        FrameKind::Reply,
        [&](const ClientSlot& s) { return s.Connection == connection && s.Rights[channel] != 0 && !stop; },
        BuildFrame(kFrameCdrRow, {PartOf(record)}));
}

void SendSysLogRowCallback(const SysLogRow& row, ClientSlot& slot, uint32_t connection, const QueryStop& stop) {
    slot.SendIf(
        FrameKind::Reply, [&](const ClientSlot& s) { return s.Connection == connection && !stop; },
        BuildFrame(kFrameSysLogRow, {PartOf(row)}));
}

void CdrSearchThread(ClientSlot& slot, uint32_t connection, const QueryRequest& request, QueryStop& stop) {
    ForEachQueryDay(DayDatabase::Cdr, request.From, request.To, stop, [&](const SYSTEMTIME& day) {
        const std::wstring dayFile = CdrDayFile(day);
        CallRecordStore store;
        const QueryStop::Link link(stop, store);
        if (!store.OpenForSearch(day, CdrWorkingCopy::Search))
            return;
        if (IsReadOnlySelect(dayFile.c_str(), request.Text)) {
            store.ForEachRecord([&](const CallRecord& record) { SendCdrRowCallback(record, slot, connection, stop); },
                                request.Text.c_str());
        }
        store.Close();
    });
}

bool IsToday(const SYSTEMTIME& day) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    return day.wYear == today.wYear && day.wMonth == today.wMonth && day.wDay == today.wDay;
}

void ClientSysLogSearchThread(ClientSlot& slot, uint32_t connection, QueryRequest request, QueryStop& stop) {
    request.From.wHour = 0;
    request.From.wMinute = 0;
    request.From.wSecond = 1;
    request.To.wHour = 23;
    request.To.wMinute = 59;
    request.To.wSecond = 59;
    ForEachQueryDay(DayDatabase::SysLog, request.From, request.To, stop, [&](const SYSTEMTIME& day) {
        const std::wstring dayFile = SysLogDayFile(day);
        SysLogStore store;
        const QueryStop::Link link(stop, store);
        // Today's log is written while the search runs (line errors, logins): the search reads a copy of it, so
        // that a client reading its rows slowly keeps no writer waiting.
        if (!(IsToday(day) ? store.OpenCopy(dayFile.c_str()) : store.Open(dayFile.c_str())))
            return;
        if (IsReadOnlySelect(dayFile.c_str(), request.Text)) {
            store.ForEachRow(request.Text.c_str(),
                             [&](const SysLogRow& row) { SendSysLogRowCallback(row, slot, connection, stop); });
        }
        store.Close();
    });
}

}  // namespace

void HandleCdrSearch(ClientSlot& slot, const uint8_t* payload, int payloadBytes) {
    const QueryRequest request = ReadQueryRequest(payload, payloadBytes, kCdrQueryChars);
    const uint32_t connection = slot.CurrentConnection();
    slot.CdrSearch.Start(
        [&slot, connection, request](QueryStop& stop) { CdrSearchThread(slot, connection, request, stop); });
}

void HandleSysLogSearch(ClientSlot& slot, const uint8_t* payload, int payloadBytes) {
    if (slot.SysLogSearch.IsRunning())
        return;
    const QueryRequest request = ReadQueryRequest(payload, payloadBytes, kSysLogQueryChars);
    const uint32_t connection = slot.CurrentConnection();
    slot.SysLogSearch.Start(
        [&slot, connection, request](QueryStop& stop) { ClientSysLogSearchThread(slot, connection, request, stop); });
}

void HandleStopQuery(ClientSlot& slot, const uint8_t* payload, int) {
    QueryWorker* worker = nullptr;
    if (payload[0] == kStopCdrSearch)
        worker = &slot.CdrSearch;
    else if (payload[0] == kStopStatistics)
        worker = &slot.Statistics;
    if (!worker || !worker->Stop())
        return;
    const ResultFrame stopped = MakeResultFrame(kFrameStatistics, 0);
    slot.Send(&stopped, sizeof(stopped));
}
