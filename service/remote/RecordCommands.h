#pragma once
// The client's access to the call records it found: fetching a recording in chunks (command 4), changing a
// record's call notes (5) or flag (6) and deleting a record with its recording (7). Each request carries the
// CallRecord as the client received it: its FilePath names the row and the file, its start date the day's
// database. Every request is written to the system log first.
//
// Only listed calls are served or changed: the sent FilePath must be exactly the FilePath of a row of that day's
// database, and the account must have a right for the row's channel; downloading also needs the account's
// download right, deleting its delete right. Reader thread of the slot, logged-in slots only.

#include <cstdint>

class ClientSlot;

// Command 4, by the sub-command in the first payload byte:
//   0 open (followed by a CallRecord, 2801 payload bytes at least): closes a download still open, opens the
//     recording and answers 08 00 04 00 + 32-bit size + 00 00; a file that may not be served, cannot be opened or
//     is empty answers the ResultFrame r = 3;
//   1 next chunk: (n + 6) as 16 bits, 04, 01, 32-bit n and n bytes (1 <= n <= 12288); at the end of the file (or
//     a read error) the file is closed and r = 2 answers; without an open file r = 3;
//   2 and 4 close the file without a reply; any other value does nothing.
// The open file stays in the slot (ClientSlot::DownloadFile) until then, or until the slot is freed.
void HandleDownload(ClientSlot& slot, const uint8_t* payload, int payloadBytes);

// Commands 5, 6 and 7 (payload: exactly one CallRecord). Answer the ResultFrame of the command: r = 1 done, 0 not
// done (no such row, no right, no database, a failed statement). A delete removes the row, and the recording only
// once its row is gone; an account without the delete right gets r = 0 and no system-log row.
void HandleUpdateNotes(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
void HandleUpdateFlag(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
void HandleDeleteRecord(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
