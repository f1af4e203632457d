#include "engine/ChannelSettings.h"

#include "channels/ChannelTable.h"
#include "engine/Schedules.h"

void LoadChannelSettings(ChannelRecord& record, int channel) {
    ReadChannelSettings(record, channel, kStartupChannelCorrections);
}

void StoreChannelParams(const ChannelRecord& record, int channel) {
    SaveChannelSchedules(record, channel);
    WriteChannelInt(channel, kChannelRec, record.Rec);
    WriteChannelSettingsAfterRec(record, channel);
}
