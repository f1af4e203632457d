// SysLogWriterThread: the only consumer of the system-log queue. Every 100 ms it takes the queued rows, oldest
// first, and writes each into the system-log database of the row's own day (a row queued just before midnight goes
// into that day's file) with a store of its own. Every queued row is written before the next pause, so that a burst
// (a board's lines failing at once) does not trail behind by a pause per row. It takes the queue's lock only to
// remove a row and owns the row from then on; the database is written without any lock, and may wait for another
// connection's lock: the threads that queue rows never do. A row that cannot be stored is lost. It ends when the
// engine stops, after the row in hand.
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
        while (std::unique_ptr<SysLogRow> row = engine.SysLogQueue.Pop()) {
            try {
                WriteSysLogRow(*row);
            } catch (...) {
                // The row is lost; the thread goes on with the next one.
            }
            if (WaitForEngineStop(0))
                break;
        }
    }
    return 0;
}
