#pragma once
// Playing a greeting file to a voltage-watched line that the server or the caller has just picked up.

// Plays the file (A-law, from its start to its end) on the channel. Nothing happens when the name is empty or
// the file does not open; the call goes on without a greeting. The driver reports the end as a playback event.
void PlayGreeting(int channel, const wchar_t* file);
