#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/MonitorCommands.h"

#include "clients/ClientFrame.h"
#include "remote/ClientReply.h"
#include "clients/ClientSlot.h"
#include "channels/ChannelTable.h"
#include "settings/LangText.h"
#include "engine/CardEngineState.h"
#include "storage/RecordFields.h"
#include "storage/SysLogStore.h"

#include <iterator>

namespace {

constexpr const wchar_t* kMonitorStartNameKey = L"0186";
constexpr uint8_t kMonitorStopped = 1;

// "<name> <phone> <channel + 1>", the system-log notes of a channel.
void WriteMonitorRow(int event, const wchar_t* name, int channel) {
    const ChannelRecord& record = ChannelTable[channel];
    wchar_t notes[250];
    FormatToField(notes, L"%ls %ls %03d", record.Name, record.Phone, channel + 1);
    QueueSysLogEvent(event, name, notes);
}

}  // namespace

void HandleMonitorStart(ClientSlot& slot, const uint8_t* payload, int) {
    const int channel = payload[0] | payload[1] << 8;
    if (channel >= kMaxChannels)
        return;
    const uint32_t connection = slot.CurrentConnection();
    {
        auto lock = slot.LockFields();
        if (slot.Rights[channel] == 0 || slot.Account.bPlayer == 0)
            return;
    }
    WriteMonitorRow(kSysLogMonitorStarted, LangText(kMonitorStartNameKey).c_str(), channel);

    auto lock = slot.LockFields();
    if (slot.Connection != connection)
        return;
    slot.MonitorFlag = 1;
    slot.MonitoredChannel = channel;
}

void HandleMonitorStop(ClientSlot& slot, const uint8_t*, int) {
    const uint32_t connection = slot.CurrentConnection();
    int channel = kNoMonitoredChannel;
    {
        auto lock = slot.LockFields();
        if (slot.Connection != connection)
            return;
        if (slot.MonitorFlag)
            channel = slot.MonitoredChannel;
        slot.MonitorFlag = 0;
        slot.MonitoredChannel = kNoMonitoredChannel;
    }
    if (channel >= 0 && channel < kMaxChannels)
        WriteMonitorRow(kSysLogMonitorStopped, slot.UserName().c_str(), channel);
    SendResult(slot, connection, kFrameMonitorStopped, kMonitorStopped);
}
