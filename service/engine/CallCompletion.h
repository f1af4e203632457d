#pragma once
// The end of a call, the same for every way a call ends: stop the driver's recording, write what is left in the
// channel's buffer, give the file its final header and close it, build the finished-call record, apply the DTMF
// delete rule of record mode 1, queue the record for CallWriterThread and reset the channel's call data.
//
// Runs on whichever thread ends the call: the driver's event thread, the poll thread or the hook monitor. The file
// is closed under the channel's FileLock, so a block the driver delivers meanwhile is either appended before the
// close or finds no file. Only the queue appends are locked otherwise (first the system-log queue, then the call
// queue, never both at once); the rows are shown with no lock held.

#include "channels/ChannelTable.h"
#include "records/EngineRecords.h"

#include <memory>
#include <string>

// The ways a call ends. Each fixes the record's CallType and PhoneNumber and whether the delete rule applies.
enum class CallEnd {
    Line,            // an analogue call ended (line stop): CallType by direction, the delete rule
    Spy,             // a spy call ended: 1/2 when answered (or on an analogue line), else 6/7; the delete rule
    LineError,       // the line failed: as Line, spy channels numbered as Spy; the delete rule
    VoiceStop,       // voice-activated recording stopped on silence: CallType 4, no delete rule
    RecordAllEnd,    // a record-all window ended: CallType 4, the idle row once the file is closed, no delete rule
    OnHookIncoming,  // voltage-watched line back on-hook after an incoming call: 5 when auto-answered, else 1
    OnHookOutgoing,  // voltage-watched line back on-hook after an outgoing call: 2
};

// Whether a recording file is open on the channel (a call is being recorded).
inline bool HasRecordingFile(const ChannelRecord& record) {
    return record.FileHandle.IsValid();
}

// A new zeroed record for the channel's current call: channel, CallType, PhoneNumber as given, RecTime from the
// recorded milliseconds, rings, start time, channel name and phone, site name and number (settings read afresh)
// and the recording's path. Null when it cannot be allocated.
std::unique_ptr<CallRecord> BuildCallRecord(int channel, int callType, const std::wstring& phoneNumber);

// Ends the channel's call as the variant says. A call with no recorded time queues no record (its file, if any,
// is still finished and closed). The call data are reset afterwards.
void FinishCall(int channel, CallEnd variant);

// Ends an analogue channel's call: nothing in record mode 2 or while the line rings; else the idle row first,
// then FinishCall (Line) and the ring count cleared.
void StopLineRecording(int channel);

// Ends a spy channel's recorded call; direction is the channel's CallDirection at the time. The idle row
// first; the record counts one ring.
void StopSpyRecording(int channel, int direction);

// Queues a spy call that was released after ringing and never recorded: CallType 3 (incoming) or 8, no recording
// time, one ring, the made-up path of MissedCallPath; then the ring count is cleared and the call data reset. A
// recording started at alerting that has no recorded time yet is stopped, and its file closed and removed.
void QueueSpyMissedCall(int channel, int direction);

// The path a missed call's record names: the temporary-name pattern of a recording, rooted at the program folder
// with no separator after it, at the channel's StartTime. No file of that name is ever made.
std::wstring MissedCallPath(int channel);
