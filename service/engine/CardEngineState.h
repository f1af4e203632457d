#pragma once
// CardEngineState: the engine context shared by the engine threads: the board, channel and PCM counts, the PCM
// link states, and the two queues that carry finished calls to CallWriterThread and system-log rows to
// SysLogWriterThread. One global instance, EngineState. The counts stay 0 until the boards start; the queues are
// the only locked state of the engine, each by its own lock, held only while one record is appended or removed.

#include "WorkerThread.h"
#include "records/EngineRecords.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

struct SysLogRow;

constexpr int kMaxPcmLinks = 256;

// A FIFO of records handed from producer threads to one consumer. The producer allocates a zeroed record and
// pushes it; the consumer pops it and owns it from then on.
template <class Record>
class RecordQueue {
public:
    void Push(std::unique_ptr<Record> record) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_records.push_back(std::move(record));
    }

    // The oldest record, or null when the queue is empty.
    std::unique_ptr<Record> Pop() {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_records.empty())
            return nullptr;
        std::unique_ptr<Record> record = std::move(m_records.front());
        m_records.pop_front();
        return record;
    }

    size_t Count() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_records.size();
    }

private:
    std::mutex m_lock;  // guards m_records
    std::deque<std::unique_ptr<Record>> m_records;
};

struct CardEngineState {
    CardEngineState();
    ~CardEngineState();

    int BoardCount = 0;
    int ChannelCount = 0;  // the driver's channels minus its CICs; the bound of every channel scan
    int CicCount = 0;
    int PcmCount = 0;
    uint32_t PcmLinkStatus[kMaxPcmLinks] = {};  // last status word read per link

    RecordQueue<CallRecord> CallQueue;   // to CallWriterThread
    RecordQueue<SysLogRow> SysLogQueue;  // to SysLogWriterThread

    WorkerThread ChannelPollThread{L"ChannelPollThread"};
    WorkerThread CallWriterThread{L"CallWriterThread"};
    WorkerThread SysLogWriterThread{L"SysLogWriterThread"};
    WorkerThread HookMonitorThread{L"HookMonitorThread"};

    CardEngineState(const CardEngineState&) = delete;
    CardEngineState& operator=(const CardEngineState&) = delete;
};

extern CardEngineState EngineState;

// Queues the row of an event happening now (name and notes cut to their fields) for SysLogWriterThread. The
// engine's real-time threads and the client readers log through it: they must not wait for the system-log file
// while a search or another writer holds it, nor hold each other up on its lock. Any thread.
void QueueSysLogEvent(int code, const wchar_t* name, const wchar_t* notes);
