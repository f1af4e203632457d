#include "channels/ChannelTable.h"

ChannelRecord ChannelTable[kMaxChannels];

ChannelRecord::ChannelRecord() {
    GetLocalTime(&StartTime);
}
