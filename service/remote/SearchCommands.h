#pragma once
// The client's queries over a range of days of the daily databases, each streamed back one frame per row or per
// channel from a worker thread of the slot (ClientSlot's CdrSearch, Statistics and SysLogSearch), so the slot's
// reader stays free: the CDR search (command 3), the call statistics (command 9), the system-log search
// (command 24), and stopping a CDR search or the statistics (command 16). Handlers run on the slot's reader thread
// and only for a logged-in slot.
//
// The client's SQL runs only when it is a single read-only SELECT (ReadOnlyQuery.h); any other text yields no
// rows, as SQL that SQLite rejects does. Days without a database are skipped. Rows are sent only to the
// connection that asked, and stop with its slot's Reset.

#include <cstdint>

class ClientSlot;

// Command 3: from, to, the query text. Replaces a running CDR search; sends F1 0A 03 + CallRecord per row of a
// channel the account has a right for. No frame ends the results.
void HandleCdrSearch(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
// Command 9: from, to, 512 selection bytes (1 selects). Replaces running statistics; per day and selected channel
// one ChartStatFrame with the sums so far. Ignored for an account without the statistics right.
void HandleChartQuery(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
// Command 24: from, to (whole days), the query text. Ignored while the slot's system-log search runs; sends
// 49 02 18 + SysLogRow per row, whatever the account's channel rights.
void HandleSysLogSearch(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
// Command 16: sub-command 1 stops the CDR search, 2 the statistics; a query that was still running is answered
// 04 00 09 00 00 00 once it has stopped.
void HandleStopQuery(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
