// Journal.h - the record of every driver call the program made.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

// Entries carry a sequence number that keeps growing across Clear, so a reader can ask for what
// came after the last entry it saw. The oldest entries go once kMaxEntries are kept.
class CJournal {
public:
    static constexpr size_t kMaxEntries = 200000;

    CJournal();

    // Called by every driver function on the caller's thread, after the call: "Function(args) = result".
    void Add(const char* function, const std::string& arguments, int result);
    void Clear();

    // "OK <count> <last sequence number>\n" and one line per entry after `since` whose function
    // name starts with `prefix`: "<seq> <ms since load> <thread id> Function(args) = result".
    std::string Read(uint64_t since, const std::string& prefix) const;

private:
    struct Entry {
        uint64_t sequence;
        int64_t ms;
        DWORD thread;
        std::string call;
    };

    const std::chrono::steady_clock::time_point m_start;
    mutable std::mutex m_entriesLock;
    std::deque<Entry> m_entries;
    uint64_t m_lastSequence = 0;
};
