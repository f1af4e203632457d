#pragma once
// Whether a moment lies inside one of a channel's record-all or auto-answer windows. Only the day of the week of
// `now` is consulted, with the times of day of its four windows; a window whose end hour is below its start hour
// runs on past midnight of that day. After midnight a window that began the evening before no longer counts.
// Any thread.

#include "channels/ChannelTable.h"

#include <windows.h>

// Record-all windows never apply to voltage-watched lines.
bool InRecordAllWindow(const ChannelRecord& record, const SYSTEMTIME& now);
bool InAutoAnswerWindow(const ChannelRecord& record, const SYSTEMTIME& now);

// The same at the current local time.
bool InRecordAllWindow(const ChannelRecord& record);
bool InAutoAnswerWindow(const ChannelRecord& record);
