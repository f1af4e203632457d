#pragma once
// The ChannelStatusRecord of a channel, built from its ChannelRecord, as sent at login and pushed after every
// change of the channel (ClientPushes.h).

#include "records/ProtocolRecords.h"

#include <cstdint>
#include <vector>

// Which numbers fill the record's Number and Caller fields: an analogue line's dialled digits and caller id, or a
// spy call's callee and caller numbers.
enum class ChannelStatusForm { Analogue, Spy };

// The form that matches the channel's line type.
ChannelStatusForm StatusFormOf(int channel);

// The record of a channel below kMaxChannels, zero where nothing is written.
ChannelStatusRecord BuildChannelStatus(int channel, ChannelStatusForm form);

// 29 01 14 + the record.
std::vector<uint8_t> BuildChannelStatusFrame(int channel, ChannelStatusForm form);
