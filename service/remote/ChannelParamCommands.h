#pragma once
// A channel's recording parameters and schedules, read and changed by a client (command 25): the values the
// operator edits on the server, as a ChannelParamBlock. Reading takes them from the settings file; writing stores
// them in the settings file, the live ChannelRecord and the channel's schedule files, and refreshes the channel's
// row. Reader thread of the slot, logged-in slots only.

#include <cstdint>

class ClientSlot;

// By the sub-command in the first payload byte:
//   0 read, followed by a 16-bit channel (3 payload bytes at least): answers C2 0C 19 00 + the block of a channel
//     below 512, with out-of-range settings replaced by their defaults and the channel's Saturday schedules in the
//     first block of each week; a channel of 512 or more gets nothing;
//   1 write, followed by the block (exactly 3265 payload bytes): stored only for a block channel in 0..511 that
//     the account has a right for, values as received, except that record mode 2 is not stored for a
//     voltage-watched line and that line breaks in the texts become spaces. The first block of each week applies
//     to all seven days. No reply.
void HandleChannelParams(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
