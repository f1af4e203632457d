// Journal.cpp - keeping and reading the call journal.
#include "Journal.h"

CJournal::CJournal() : m_start(std::chrono::steady_clock::now()) {}

void CJournal::Add(const char* function, const std::string& arguments, int result) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start).count();
    std::string call = std::string(function) + "(" + arguments + ") = " + std::to_string(result);
    std::lock_guard<std::mutex> guard(m_entriesLock);
    m_entries.push_back({++m_lastSequence, ms, GetCurrentThreadId(), std::move(call)});
    if (m_entries.size() > kMaxEntries)
        m_entries.pop_front();
}

void CJournal::Clear() {
    std::lock_guard<std::mutex> guard(m_entriesLock);
    m_entries.clear();
}

std::string CJournal::Read(uint64_t since, const std::string& prefix) const {
    std::lock_guard<std::mutex> guard(m_entriesLock);
    std::string lines;
    size_t count = 0;
    for (const Entry& entry : m_entries) {
        if (entry.sequence <= since || entry.call.compare(0, prefix.size(), prefix) != 0)
            continue;
        lines += std::to_string(entry.sequence) + " " + std::to_string(entry.ms) + " " + std::to_string(entry.thread) +
                 " " + entry.call + "\n";
        ++count;
    }
    return "OK " + std::to_string(count) + " " + std::to_string(m_lastSequence) + "\n" + lines;
}
