#pragma once
// Frames the server sends on its own: what the engine and the channel rows push to the clients as it happens, and
// the forced logouts of the operator and of a port change. Each frame is built once and queued whole for each
// recipient, under the recipient slot's lock (ClientSlot.h); none of these functions waits on a client. A client
// whose queue is full loses its live audio, and when a status or record frame still does not fit, its connection
// (FrameKind). Any thread; never while holding a lock the view may need.

#include "records/EngineRecords.h"
#include "records/StorageRecords.h"

#include <cstdint>
#include <vector>

// To every connected slot whose right for the channel is exactly 1 (rights exist only after a login); a channel
// outside 0..511 reaches nobody.
// The channel's ChannelStatusRecord: in the form of its line type, or always the analogue or the spy form.
void PushChannelStatus(int channel);
void PushAnalogChannelStatus(int channel);
void PushSpyChannelStatus(int channel);
// A new call record (F1 0A 0A + the record), for record.Channel.
void PushCallRecord(const CallRecord& record);
// The records of calls filed together, in their order: the same frames as PushCallRecord for each, each slot taking
// all of its frames at once.
void PushCallRecords(const std::vector<const CallRecord*>& records);
// An incoming caller number: 41 07 0B, the 8-bit number (up to 63 characters, zero-filled to 64 bytes) and the
// contact found for it (all zero when none).
void PushCallerId(int channel, const char* callerId, const ContactRecord& contact);

// To every connected slot listening to the channel (its monitor flag set and its monitored channel this one):
// 02 10 0D, the channel's AudioFmt as one byte, then the 4096 bytes of recording at piece.
void PushLiveAudio(int channel, int audioFmt, const uint8_t* piece);

// Sends the forced-logout frame 04 00 01 00 00 00 and frees the slot (ClientSlot::Reset): to every slot logged in
// with exactly this user name (the clients pane's force-offline), or to every connected slot (before the server
// is restarted on another port).
void ForceClientOffline(const wchar_t* userName);
void ForceAllClientsOffline();
