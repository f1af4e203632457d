#include "engine/ChannelSettings.h"

#include "engine/ChannelTable.h"

void LoadChannelSettings(ChannelRecord& record, int channel) {
    ReadChannelSettings(record, channel, kStartupChannelCorrections);
}
