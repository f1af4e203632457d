#include "engine/PcmLinks.h"

#include "engine/CallCompletion.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelRows.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"

namespace {

constexpr int kPairedLinks = 16;
constexpr int kCicsPerLinkPair = 30;

// Calls visit(channel) for every spy channel whose CIC the link carries.
template <class Visit>
void ForEachSpyChannelOf(int link, Visit visit) {
    if (link < 0 || link >= kPairedLinks)
        return;
    const int firstCic = link / 2 * kCicsPerLinkPair;
    for (int channel = 0; channel < EngineState.ChannelCount && channel < kMaxChannels; ++channel) {
        const ChannelRecord& record = ChannelTable[channel];
        if (IsSpyChannel(record.LineType) && record.SpyCic >= firstCic && record.SpyCic < firstCic + kCicsPerLinkPair)
            visit(channel);
    }
}

bool PairUp(int link, uint32_t status) {
    const int partner = link ^ 1;
    return IsPcmLinkUp(status) && (partner >= EngineState.PcmCount || IsPcmLinkUp(EngineState.PcmLinkStatus[partner]));
}

}  // namespace

void ApplyStartupLinkStatus(int link, uint32_t status) {
    const bool up = PairUp(link, status);
    ForEachSpyChannelOf(link, [up](int channel) {
        ChannelRecord& record = ChannelTable[channel];
        if (up) {
            record.LinkLost = false;
            record.State = kStateIdle;
        } else {
            record.LinkLost = true;
        }
    });
}

void ApplyLinkStatus(int link, uint32_t status) {
    const bool up = PairUp(link, status);
    ForEachSpyChannelOf(link, [up](int channel) {
        ChannelRecord& record = ChannelTable[channel];
        if (up) {
            if (record.LinkLost || record.State == kStateLineError)
                ShowChannelIdle(channel);
            record.LinkLost = false;
            return;
        }
        record.LinkLost = true;
        if (HasRecordingFile(record))
            StopSpyRecording(channel, record.Direction);
        if (record.State != kStateLineError)
            ShowChannelLinkLost(channel);
    });
}
