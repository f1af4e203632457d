#pragma once
// The driver's event callback, registered by StartBoards. It follows every line, DTMF, voice-detection, playback
// and spy-call event: it moves the channel through its states, starts recordings and ends calls.

#include <windows.h>

// Runs on the driver's event thread, concurrently with the engine threads, which change the same channel records
// without a lock. `channel` is the driver channel, or for the spy events (2 and 3) the CIC of a spy channel. Events
// are ignored while no view is installed (the main window does not exist yet) and for channels outside 0..511.
// Always answers 0; nothing unwinds into the driver.
int WINAPI DriverEventCallback(WORD event, int channel, WORD parameter, DWORD_PTR reserved);
