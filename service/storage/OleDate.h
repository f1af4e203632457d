#pragma once
// Dates of the stores' DOUBLE columns: OLE automation dates (days since 30 December 1899, local time).
// Milliseconds play no part.

#include <windows.h>

// An invalid time gives 0.0.
double ToOleDate(const SYSTEMTIME& time);
// An invalid date gives an all-zero SYSTEMTIME.
SYSTEMTIME FromOleDate(double date);
