#include "engine/ChannelSettings.h"

#include "channels/ChannelTable.h"

void LoadChannelSettings(ChannelRecord& record, int channel) {
    ReadChannelSettings(record, channel, kStartupChannelCorrections);
}
