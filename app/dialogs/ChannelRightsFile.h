#pragma once
// The channel-rights file of a client account: 512 bytes, byte i is 1 when the client may see driver channel i, any
// other value when not. It lies in the data folder, named "YYYYMMDDhhmmss(<user>).txt" after the local time and the
// user name when the account was added; the name stays when the account is renamed. The client login reads it
// whole. Any thread.

#include "common/OperatorDialogs.h"

#include <string>

// The file name for a client account added now. The user name is cleaned of what would leave the data folder or
// change the name (a path separator, a drive or stream colon), since account names are typed freely.
std::wstring NewRightsFilePath(const wchar_t* userName);

// True when path names a rights file: directly in the data folder, in the form above. Only such files are written
// or deleted here: the path comes from the account table, and a row that names any other file must not make the
// dialog overwrite or delete it.
bool IsRightsFilePath(const wchar_t* path);

// Reads up to 512 bytes into mask, the rest zero. False, with mask all zero, when the file cannot be opened: a
// missing file allows no channel, as the client login treats it.
bool ReadRightsFile(const wchar_t* path, ChannelMask& mask);

// Creates the file anew with the mask; false when path is no rights file or the file cannot be written.
bool WriteRightsFile(const wchar_t* path, const ChannelMask& mask);

// Deletes the file when path is a rights file.
void DeleteRightsFile(const wchar_t* path);

// The number of channels the mask allows (bytes equal to 1).
int CountAllowedChannels(const ChannelMask& mask);
