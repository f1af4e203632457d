#pragma once
// The date ranges the list panes search and count over: the quick ranges of their toolbars (today, this week, this
// month, always up to now) and the walk over a range one day at a time, each day read from its own file.

#include <windows.h>

#include <functional>

// The local time now: where the quick ranges end, and the first dates the search forms offer.
SYSTEMTIME LocalNow();

enum class QuickRange { Today, ThisWeek, ThisMonth };

struct DayRange {
    SYSTEMTIME From;  // the date part counts
    SYSTEMTIME To;
};

// The quick range that ends at now: today; from the Monday of now's week (a Sunday belongs to the week that began
// six days earlier); from the first of the month at 00:00:01.
DayRange QuickRangeAt(QuickRange range, const SYSTEMTIME& now);

// The range's first day from 00:00:01 and its last day up to 23:59:59 (milliseconds kept).
DayRange WholeDays(const DayRange& range);

// The whole days between the two times of WholeDays(range), truncated; 0 or less when From lies after To.
int WholeDayCount(const DayRange& range);

// Walks the days of WholeDays(range) from the first, one day at a time, while the day is not after the last;
// visit gets the day (at 00:00:01) and answers false to end the walk. A range whose first day lies after its last
// visits none.
void ForEachDay(const DayRange& range, const std::function<bool(const SYSTEMTIME& day)>& visit);
