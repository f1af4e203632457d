#pragma once
// CBlockJournal: when each channel's recording was armed, read from the simulated driver's journal. The engine
// arms a recording with QsdVox_RecordMemBlock when the call starts, and arms it again from the block callback
// once the full block is in the file; a block is full one block length of audio after its arming. So the time
// from a block being full to its bytes being on disk is the re-arming time minus the previous arming time minus
// the block length.
//
// The journal keeps the latest 200000 driver calls; Collect must be called often enough (every few seconds at 512
// channels) that no arming is lost. Main thread only.

#include <vector>

class CBlockJournal {
public:
    // Reads the journal entries added since the last call.
    void Collect();

    // Journal times (ms) of the armings of the channel, oldest first.
    const std::vector<double>& Armings(int channel) const { return m_armings[channel]; }

    // The journal's time (ms) of a driver call made now by this thread, less the benchmark clock's time, so that
    // journal times can be compared with NowMs (about 1 ms exact).
    double OffsetFromBenchClock();

private:
    unsigned long long m_lastSequence = 0;
    std::vector<double> m_armings[512];
};
