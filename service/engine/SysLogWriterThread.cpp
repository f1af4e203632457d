// SysLogWriterThread: the only consumer of the system-log queue. Every 100 ms it takes the queued rows, oldest
// first, and writes each into the system-log database of the row's own day (a row queued just before midnight goes
// into that day's file). The rows of one day that have queued up are written together in one transaction, so that a
// burst (a board's lines failing at once, clients logging in by the dozen) costs one flush of the file. It takes
// the queue's lock only to remove a row and owns the rows from then on; the database is written without any lock,
// and may wait for another connection's lock: the threads that queue rows never do. A row that cannot be stored
// is lost. When the engine stops it writes what is still queued, then ends.
#include "engine/CardEngineState.h"
#include "engine/EngineThreads.h"
#include "records/StorageRecords.h"
#include "storage/SysLogStore.h"

#include <memory>
#include <vector>

namespace {

constexpr DWORD kPollMs = 100;

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// Writes every row queued now, a day's run of rows at a time.
void WriteQueuedRows(CardEngineState& engine) {
    std::vector<std::unique_ptr<SysLogRow>> rows;
    while (std::unique_ptr<SysLogRow> row = engine.SysLogQueue.Pop())
        rows.push_back(std::move(row));
    for (size_t first = 0; first < rows.size();) {
        std::vector<const SysLogRow*> day;
        for (size_t i = first; i < rows.size() && SameDay(rows[i]->Time, rows[first]->Time); ++i)
            day.push_back(rows[i].get());
        first += day.size();
        WriteSysLogRows(day);
    }
}

}  // namespace

unsigned __stdcall SysLogWriterThread(void* state) {
    CardEngineState& engine = *static_cast<CardEngineState*>(state);
    for (;;) {
        const bool stopping = WaitForEngineStop(kPollMs);
        try {
            WriteQueuedRows(engine);
        } catch (...) {
            // The rows in hand are lost; the thread goes on with the next ones.
        }
        if (stopping)
            return 0;
    }
}
