#pragma once
// WriteSysLogNow: how the window side logs an event. Views, dialogs and their one-shot threads write their rows at
// once, each with a store of its own, instead of queueing them for the engine's system-log writer.

#include "records/StorageRecords.h"

// Stamps the row with the current local time and writes it into that day's system-log file (month folder and
// table made when missing). Every failure is swallowed and the row is then lost: the caller's operation goes on
// as if it had been logged. Any thread; it may wait for another writer's lock up to the busy timeout.
void WriteSysLogNow(SysLogRow row);
