#pragma once
// A client's outgoing call on an analogue line (command 26): the server picks the line up, records the call and
// dials the number, as the dial from the server's own screen does; the rest of the call (its end, the CDR and the
// pushes) is the engine's, as for any outgoing call. Reader thread of the slot, logged-in slots only.

#include <cstdint>

class ClientSlot;

// Dial statuses, sent as 04 00 1A s s s.
enum DialStatus : uint8_t {
    kDialStarted = 0,
    kDialRefused = 1,      // channel outside 0..511, no right for it, or a number that cannot be dialled
    kDialNotAnalogue = 2,  // not a voltage-watched analogue line
    kDialLineBusy = 3,     // the line is neither idle nor off-hook without a recording
};

// Command 26: sub-command (10 dial, 11 hang up), the number (8-bit, 32 bytes: at most 31 characters of
// 0-9 * # A-D, up to its first 0 byte) and a 32-bit channel. The account needs a right for the channel.
//   10: answers a DialStatus; the dial blocks this slot's reader for the 500 ms between pick-up and digits.
//   11: hangs up a dial in progress on the channel (dialled from here or from the server's screen); no reply.
void HandleRemoteDial(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
