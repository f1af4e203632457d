#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/ChannelParamCommands.h"

#include "clients/ClientFrame.h"
#include "remote/ClientReply.h"
#include "clients/ClientSlot.h"
#include "remote/ReceivedText.h"
#include "ServiceView.h"
#include "engine/ChannelSettings.h"
#include "channels/ChannelTable.h"
#include "engine/Greetings.h"
#include "engine/Schedules.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "storage/RecordFields.h"

#include <climits>
#include <cstring>

namespace {

constexpr uint8_t kReadParams = 0;
constexpr uint8_t kWriteParams = 1;

constexpr int kReadPayloadBytes = 1 + static_cast<int>(sizeof(uint16_t));
constexpr int kWritePayloadBytes = 1 + static_cast<int>(sizeof(ChannelParamBlock));
constexpr int kSaturday = 6;

// What a read replaces. Unlike the channel start-up, which raises hook times below 50 ms, a read replaces only
// negative ones.
constexpr ChannelSettingCorrections kReadCorrections{
    kChannelRecCorrection, {0, INT_MAX, 800, false}, {0, INT_MAX, 100, false}};

ChannelParamBlock ReadParams(int channel) {
    ChannelParamBlock block{};
    block.Channel = channel;
    ReadChannelSettings(block, channel, kReadCorrections);
    block.RecordAllWeek[0] = ChannelTable[channel].RecordAllWeek[kSaturday];
    block.AutoAnswerWeek[0] = ChannelTable[channel].AutoAnswerWeek[kSaturday];
    return block;
}

void SendParams(ClientSlot& slot, int channel) {
    const uint32_t connection = slot.CurrentConnection();
    const ChannelParamBlock block = ReadParams(channel);
    SendReply(slot, connection, BuildFrame(kFrameChannelParams, {PartOf(kReadParams), PartOf(block)}));
}

void ApplyToRecord(const ChannelParamBlock& block, ChannelRecord& record) {
    CopyToField(record.KeySave, block.KeySave);
    CopyToField(record.KeyDel, block.KeyDel);
    CopyToField(record.Name, block.Name);
    CopyToField(record.Phone, block.Phone);
    CopyToField(record.AnnouncementFile, block.AnnouncementFile);
    CopyToField(record.AutoFile, block.AutoFile);
    record.Trigger = block.Trigger;
    record.SoundTime = block.SoundTime;
    record.MuteTime = block.MuteTime;
    record.PickupVoltage = block.PickupVoltage;
    record.Announcement = block.Announcement;
    record.AutoAnserWaitRingCnt = block.AutoAnserWaitRingCnt;
    record.AutoAnswerMaxTimeLong = block.AutoAnswerMaxTimeLong;
    record.CallerIDFormat = block.CallerIDFormat;
    record.HookOnTime = block.HookOnTime;
    record.HookOffTime = block.HookOffTime;
    for (int day = 0; day < kScheduleDays; ++day) {
        record.RecordAllWeek[day] = block.RecordAllWeek[0];
        record.AutoAnswerWeek[day] = block.AutoAnswerWeek[0];
    }
}

bool HasRightFor(ClientSlot& slot, int channel) {
    auto lock = slot.LockFields();
    return slot.Rights[channel] != 0;
}

void WriteParams(ClientSlot& slot, const uint8_t* blockBytes) {
    ChannelParamBlock block;
    std::memcpy(&block, blockBytes, sizeof(block));
    const int channel = block.Channel;
    if (channel < 0 || channel >= kMaxChannels || !HasRightFor(slot, channel))
        return;
    TerminateSettingTexts(block);
    // A greeting from outside the program's folders refuses the whole write, as a write without right does.
    if (!IsAcceptableGreeting(block.AnnouncementFile) || !IsAcceptableGreeting(block.AutoFile))
        return;

    ChannelRecord& record = ChannelTable[channel];
    // Voice-activated recording is not offered on voltage-watched lines: mode 2 is not taken for them.
    if (!(block.Rec == kRecordVoiceActivated && IsVoltageWatchedLine(record.LineType))) {
        WriteChannelInt(channel, kChannelRec, block.Rec);
        record.Rec = block.Rec;
    }
    WriteChannelSettingsAfterRec(block, channel);
    ApplyToRecord(block, record);
    SaveChannelSchedules(record, channel);
    if (IServiceView* view = GetServiceView())
        view->ChannelSettingsChanged(channel);
}

}  // namespace

void HandleChannelParams(ClientSlot& slot, const uint8_t* payload, int payloadBytes) {
    if (payload[0] == kReadParams && payloadBytes >= kReadPayloadBytes) {
        const int channel = payload[1] | payload[2] << 8;
        if (channel < kMaxChannels)
            SendParams(slot, channel);
    } else if (payload[0] == kWriteParams && payloadBytes == kWritePayloadBytes) {
        WriteParams(slot, payload + 1);
    }
}
