#pragma once
// The channel rows: every change of a channel that the channel pane shows goes through one of these functions.
// Each does the service's part first, in this order: it writes the channel's ChannelState (the state functions),
// pushes the channel's status record to the clients whose right for the channel is 1, queues its system-log row
// for SysLogWriterThread (line error only), and then tells the view which part of the row changed. Without a view the service's part
// still happens, so the states and pushes do not depend on the window.
//
// Called by the engine threads, the driver's callbacks, the client command threads and the UI thread. Nothing is
// locked here; callers must not hold a channel's FileLock or a queue's lock, because the view runs each call as a
// message to the UI thread. A channel outside 0..511 is ignored.

// State functions: the state written, then the push (by line type unless said otherwise).
void ShowChannelIdle(int channel);               // 0
void ShowChannelLineError(int channel);          // 1, always the analogue form, then a system-log row (code 9)
void ShowChannelLinkLost(int channel);           // 1
void ShowChannelOffHook(int channel);            // 2
void ShowChannelOutgoingRecording(int channel);  // 3
void ShowChannelRinging(int channel);            // 4
void ShowChannelIncomingRecording(int channel);  // 5
void ShowChannelVoiceRecording(int channel);     // 6
void ShowChannelVoiceWaiting(int channel);       // 7
void ShowChannelOutgoingConnect(int channel);    // 14, always the spy form

// Cell functions: no state is written.
void ShowChannelCallerId(int channel);
void ShowChannelDialledNumber(int channel);
void ShowChannelLineInfo(int channel);  // display only: nothing is pushed
void ShowChannelCallTime(int channel);
void ShowChannelKeepFlag(int channel);  // record mode 1 only; any other mode changes nothing

// The channels are configured: the view builds one row per channel, then each channel's start-up state is shown
// through the state functions (0 idle, 8 off-hook found at start-up, 17 no line found at start-up; any other
// state is left as it is).
void FillChannelList();
