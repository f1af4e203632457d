#pragma once
// The final name of a recording, given by the call writer once the call is over, and the cleaning of the texts
// that go into file and folder names.
//
//   <folder of the temporary file><yyyymmddhhmmss>-<kind>-<ccc>(<channel name> <channel phone>)-<number>.<ext>
//
// kind and ext follow the CallType: "in" (1, 5, 6), "missed" with ".tmp" (3, 8), "mic" (4), "out" (2, 7 and
// any other); ccc is the driver channel + 1. Any thread.

#include "records/EngineRecords.h"

#include <string>
#include <string_view>

// The text made safe as a part of one file or folder name: '*' (a key of the telephone) becomes '#', and every
// other character that would leave or change the name becomes '_': path separators, the drive and stream
// separator, '?', '"', '<', '>', '|' and control characters. Channel names and phones, numbers and user names are
// set from remote clients and from the line, so every file or folder name built from them goes through here.
std::wstring SanitizeNamePart(std::wstring_view text);

// The final path of the record's recording: its temporary file's folder followed by the final name, built from
// the cleaned name parts, with every '*' of the whole path turned into '#'. When the path would pass
// MAX_PATH - 1 characters, the channel name is shortened first, then the channel phone, then the number; when
// even that is not enough the record's current path is returned unchanged.
std::wstring FinalRecordingPath(const CallRecord& record);
