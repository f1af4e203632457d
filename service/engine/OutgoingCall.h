#pragma once
// An outgoing call that the server places on a voltage-watched analogue line: from the operator's dial dialog and
// from a remote client's dial command alike. The server picks the line up, records the call and sends the number
// as DTMF tones; the rest of the call (its end when the line goes on hook, the CDR and the pushes) is the engine's,
// as for any outgoing call. Each caller checks the channel first (its range, its line kind, its state and its own
// rules); these functions only guard the table's bounds. UI thread or a client's reader thread.

#include <string>

// Places the call: the channel's dialled number and shown number become the number (cut to their fields) and its
// dialled-call flag is set; an open recording file of the channel is closed and a new recording started (the call
// is dialled all the same when none starts); the row shows the outgoing recording, the keep flag and the number;
// then the driver picks the line up and, 500 ms later, sends the digits and starts the call-progress tone
// analysis. Blocks the calling thread for those 500 ms.
void PlaceOutgoingCall(int channel, const std::string& number);

// Hangs up the channel's dialled call, only while its dialled-call flag is set: the flag is cleared, then the
// driver clears the call and stops the tone analysis. The recording ends when the engine sees the line on hook.
// True when a call was hung up.
bool HangUpOutgoingCall(int channel);
