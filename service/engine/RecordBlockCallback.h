#pragma once
// The driver's block callback for analogue recordings (QsdVox_RecordMemBlock). Runs on the driver's thread.

#include <windows.h>

// Block rules, in order: for IMA ADPCM the byte count is cut to whole 256-byte blocks; an event other than a
// filled block only rewinds the channel's monitor position; a filled block of 1025 to 122880 bytes is appended
// to the channel's open file (shorter ones are dropped). A file that has reached 64 MiB is finished and queued
// as a finished call of its own (CallType 4 for voice and record-all recordings, else by direction), and the
// channel goes on recording into a new file; otherwise the driver is re-armed. Always answers 1. A channel
// outside the table is ignored.
int WINAPI RecordBlockCallback(int channel, int event, BYTE* block, int bytes, DWORD_PTR unused);

// Test seam: called on the driver's thread with the channel's FileLock held, right before a block is appended, so
// a test can hold an append in progress while another thread ends the call. Null (the default) calls nothing.
using BlockAppendHook = void (*)(int channel);
void SetBlockAppendHook(BlockAppendHook hook);
