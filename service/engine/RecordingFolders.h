#pragma once
// Where a new recording goes: the choice of the recording folder among the settings RecFolder1..RecFolder5, the
// dated folder tree below it and the temporary file name, which the call writer replaces with the final name.
//
//   <base><yyyy>\<yyyymm>\<yyyymmdd>\<ccc>\<yyyymmddhhmmss>-Out-L<ccc>.wav     (ccc = driver channel + 1)
//
// The base is used as the setting holds it; it is expected to end with a backslash. Any thread.

#include <windows.h>

#include <cstdint>
#include <string>

// A recording folder among RecFolder1..4 needs this much free space (MiB) to be chosen.
constexpr uint64_t kMinRecordingFolderFreeMB = 200;

// The first of RecFolder1..4 that is not empty and whose volume has at least 200 MiB free (through the
// free-space seam), else RecFolder5 when it is not empty, whatever its free space; empty when none qualifies.
std::wstring ChooseRecordingFolder();

// Creates the four folder levels for a recording of the 0-based driver channel started at the local time start
// (an existing folder is no error) and returns the recording's temporary path; empty when the path would not fit
// in MAX_PATH characters.
std::wstring PrepareRecordingPath(const std::wstring& base, int channel, const SYSTEMTIME& start);
