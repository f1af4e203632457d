#pragma once
// Greeting files: the file played to a voltage-watched line that the server or the caller has just picked up.
//
// Greetings come from the program's own folders only. The engine opens them on its real-time threads: a file on
// another host (a UNC path) would stall a whole pass on the network and make the server authenticate there, and
// any other local file (the account database, say) could be played down a telephone line. A greeting is therefore
// a plain file name, looked for in the program folder, or a path inside the program folder tree, and it names a
// ".wav" file; an empty text means no greeting. The remote channel parameters and the operator's dialog store
// only texts that pass this rule, and the engine plays nothing for one that does not.

#include <string>

// The full path of the greeting that the stored text names; empty when the text is empty or breaks the rule.
std::wstring GreetingFilePath(const wchar_t* text);

// Whether the text may be stored as a greeting: empty (no greeting) or a greeting GreetingFilePath accepts.
bool IsAcceptableGreeting(const wchar_t* text);

// Plays the greeting (A-law, from its start to its end) on the channel. Nothing happens when the text names no
// acceptable greeting or the file does not open; the call goes on without a greeting. The driver reports the end
// as a playback event.
void PlayGreeting(int channel, const wchar_t* text);
