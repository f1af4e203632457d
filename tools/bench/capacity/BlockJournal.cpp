#include "BlockJournal.h"

#include "BenchClock.h"

#include "QsSimControl.h"
#include "qskern.h"

#include <cstdio>
#include <sstream>
#include <string>

namespace {

// The reply of a simulator command, however long.
std::string Command(const std::string& command) {
    std::string reply(1 << 20, '\0');
    int length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    if (length >= static_cast<int>(reply.size())) {
        reply.assign(length + 1, '\0');
        length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    }
    reply.resize(length > 0 ? length : 0);
    return reply;
}

}  // namespace

void CBlockJournal::Collect() {
    std::istringstream reply(Command("journal " + std::to_string(m_lastSequence) + " QsdVox_RecordMemBlock"));
    std::string line;
    std::getline(reply, line);  // "OK <entries> <last sequence>"
    unsigned long long entries = 0, last = 0;
    if (std::sscanf(line.c_str(), "OK %llu %llu", &entries, &last) != 2)
        return;
    m_lastSequence = last;
    while (std::getline(reply, line)) {
        unsigned long long sequence = 0;
        long long ms = 0;
        unsigned long thread = 0;
        int channel = -1;
        if (std::sscanf(line.c_str(), "%llu %lld %lu QsdVox_RecordMemBlock(%d,", &sequence, &ms, &thread, &channel) ==
                4 &&
            channel >= 0 && channel < 512)
            m_armings[channel].push_back(static_cast<double>(ms));
    }
}

double CBlockJournal::OffsetFromBenchClock() {
    const double before = NowMs();
    QsdSys_GetMaxCh();
    const double after = NowMs();
    std::istringstream reply(Command("journal " + std::to_string(m_lastSequence) + " QsdSys_GetMaxCh"));
    std::string line;
    long long ms = 0;
    while (std::getline(reply, line)) {
        unsigned long long sequence = 0;
        unsigned long thread = 0;
        long long entryMs = 0;
        if (std::sscanf(line.c_str(), "%llu %lld %lu QsdSys_GetMaxCh", &sequence, &entryMs, &thread) == 3)
            ms = entryMs;  // the last one is this thread's call
    }
    return static_cast<double>(ms) - (before + after) / 2;
}
