#pragma once
// The threads of the recording engine: ChannelConfigThread, the one-shot start-up thread, and the four engine
// threads that run until the engine stops: ChannelPollThread (100 ms), CallWriterThread (drains the finished-call
// queue), SysLogWriterThread (drains the system-log queue) and HookMonitorThread (50 ms).
//
// The main window starts ChannelConfigThread and then the engine threads while it is being created, and calls
// StopEngine when it is destroyed (UI thread). The engine threads start at once, before the boards run; until
// ChannelConfigThread has started the boards they scan no channel.
//
// Stopping is cooperative: every thread sleeps in WaitForEngineStop, which returns at once when StopEngine raises
// the stop request, so a thread ends after the step in hand. StopEngine waits for each thread with a bound,
// serving the view calls the threads make of the UI thread meanwhile (WaitForServiceThread), and terminates only a
// thread that did not end within it; a thread is thus never killed in the middle of a database or heap operation
// unless it hung there.

#include <windows.h>

// Thread entry points, started with the runtime library's thread start.
using EngineThreadEntry = unsigned(__stdcall*)(void*);
unsigned __stdcall ChannelConfigThread(void* unused);
unsigned __stdcall ChannelPollThread(void* state);  // state: the CardEngineState
unsigned __stdcall CallWriterThread(void* state);
unsigned __stdcall SysLogWriterThread(void* state);
unsigned __stdcall HookMonitorThread(void* state);

struct CardEngineState;
// One pass of HookMonitorThread over the voltage-watched lines; the thread makes one every 50 ms. Tests of the
// debounce step the passes themselves.
void RunHookMonitorPass(const CardEngineState& engine);

// Starts ChannelConfigThread: after 5 s it starts the boards and configures the channels (ChannelConfig.h).
void StartChannelConfigThread();

// Starts ChannelPollThread, CallWriterThread, SysLogWriterThread and HookMonitorThread, in this order, with
// EngineState as argument, and keeps their handles in EngineState.
void StartEngineThreads();

// Starts one thread on EngineState (default stack); null when it cannot be started.
HANDLE StartEngineThread(EngineThreadEntry entry);

// Disables the boards, stops ChannelConfigThread and every engine thread whose handle EngineState holds, closes
// and clears the handles, and clears the stop request again. Returns only once they have ended. 1 when the
// driver disabled the boards, else 0.
int StopEngine();

// The engine threads' sleep: waits up to ms; true as soon as the engine is being stopped.
bool WaitForEngineStop(DWORD ms);
