#pragma once
// The recording file of a channel, from start to final header. A recording starts with a placeholder header in a
// new file (RecordingFolders.h says where) and the driver recording into the channel's buffer: block recording
// for analogue lines, whose blocks RecordBlockCallback appends, or spy recording for trunk channels, whose buffer
// the poll thread writes out. The engine ends the call: it stops the driver, writes what is left, writes the final
// header with FinishWavHeader, closes the file under the channel's FileLock and resets the call with ClearCallInfo.
//
// Called from the engine threads, the driver's threads, the UI thread (PC dial) and the client reader threads
// (remote dial). The file fields are guarded by ChannelRecord::FileLock; the other fields are written without a
// lock, like the rest of the channel table.

#include "channels/ChannelTable.h"

#include <windows.h>

#include <cstdint>

constexpr uint32_t kRecordingSplitBytes = 64u << 20;  // a file this long is finished and the call goes on in a new one

// Per AudioFormat (any other value counts as IMA ADPCM): the codec number given to the driver, the size of the
// file's header and the bytes a line records in a millisecond.
int RecordingCodec(int audioFmt);
uint32_t RecordingHeaderBytes(int audioFmt);
int RecordedBytesPerMs(int audioFmt);

// Opens a new recording file for an analogue line and starts the driver's block recording into the channel's
// buffer with RecordBlockCallback. Sets StartTime, FilePath, FileHandle and AudioFmt (read afresh from the
// settings), and in record mode 1 the keep flag. False when no recording folder qualifies, the buffer or the file
// cannot be had (nothing is then recorded), or the driver refused twice (the file then stays open).
bool StartLineRecording(ChannelRecord& record);

// The same for a spy channel, with the driver's spy recording into memory on the record's CIC.
bool StartSpyRecording(ChannelRecord& record);

// Stops the driver's block recording; true when the driver accepted.
bool StopLineRecorder(ChannelRecord& record);
// Stops the spy recording of the record's CIC; always true.
bool StopSpyRecorder(ChannelRecord& record);

// Restarts block recording into the same, cleared buffer (after each block). False without a buffer or a file,
// or when the driver refused twice.
bool RearmRecordBlock(ChannelRecord& record);
// The same for a spy channel.
bool RestartSpyRecording(ChannelRecord& record);

// Writes the final header for the record's AudioFmt at the start of file, from the file's size: the 58-byte
// G.711 header, or the 60-byte IMA ADPCM header that counts the whole 256-byte blocks. Leaves the file pointer
// after the header. False without a file or when its size cannot be read; for IMA ADPCM also when the header
// cannot be written. The caller holds the channel's FileLock.
bool FinishWavHeader(HANDLE file, const ChannelRecord& record);

// Resets the per-call fields after a call. FileHandle becomes invalid without being closed: the caller has
// closed or handed on the file.
void ClearCallInfo(ChannelRecord& record);
