#pragma once
// The driver's caller-id mode of an analogue line (driver flag 7): 1 for the channel's CallerIDFormat 0, else 0.
// Set at start-up, at the first ring of a call and when an outgoing call ends, so the next call's number is read
// in the channel's format.

#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"

inline void SetCallerIdMode(int channel) {
    QsdVox_SetFlag(channel, QSD_FLAG_CALLERID_MODE, ChannelTable[channel].CallerIDFormat == 0 ? 1 : 0);
}
