#pragma once
// Listening to a channel live (commands 13 and 14). Starting only marks the slot: the poll thread pushes every new
// 4096 bytes of the channel's recording to the slots that listen to it (PushLiveAudio). Reader thread of the slot,
// logged-in slots only.

#include <cstdint>

class ClientSlot;

// Command 13: a 16-bit channel; 512 and above are ignored. The slot listens to that channel
// from now on, in place of any other, when its account has the listen right and a right for the channel;
// otherwise nothing happens. No reply.
void HandleMonitorStart(ClientSlot& slot, const uint8_t* payload, int payloadBytes);

// Command 14: the slot listens to nothing; answers 04 00 0E 01 00 00 whether it listened or not.
void HandleMonitorStop(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
