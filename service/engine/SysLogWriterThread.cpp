// SysLogWriterThread: the only consumer of the system-log queue. Every 100 ms it takes the oldest row, if any, and
// writes it into the system-log database of the row's own day (a row queued just before midnight goes into that
// day's file) with a store of its own. It takes the queue's lock only to remove the row and owns the row from then
// on; the database is written without any lock. A row that cannot be stored is lost. It ends when the engine
// stops, after the row in hand.
#include "engine/CardEngineState.h"
#include "engine/EngineThreads.h"
#include "storage/StorageRecords.h"
#include "storage/SysLogStore.h"

#include <memory>

namespace {

constexpr DWORD kPollMs = 100;

}  // namespace

unsigned __stdcall SysLogWriterThread(void* state) {
    CardEngineState& engine = *static_cast<CardEngineState*>(state);
    while (!WaitForEngineStop(kPollMs)) {
        try {
            if (std::unique_ptr<SysLogRow> row = engine.SysLogQueue.Pop())
                WriteSysLogRow(*row);
        } catch (...) {
            // The row is lost; the thread goes on with the next one.
        }
    }
    return 0;
}
