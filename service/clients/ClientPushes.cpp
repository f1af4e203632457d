#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "clients/ClientPushes.h"

#include "clients/ChannelStatus.h"
#include "clients/ClientFrame.h"
#include "clients/ClientSlot.h"

#include <cstring>
#include <cwchar>
#include <iterator>
#include <utility>
#include <vector>

namespace {

bool IsChannel(int channel) {
    return channel >= 0 && channel < kMaxChannels;
}

void PushToPermitted(int channel, const std::vector<uint8_t>& frame) {
    if (!IsChannel(channel))
        return;
    for (ClientSlot& slot : ClientSlots())
        slot.SendIf(
            FrameKind::Push, [channel](const ClientSlot& s) { return s.Rights[channel] == 1; }, frame);
}

void PushStatus(int channel, ChannelStatusForm form) {
    if (IsChannel(channel))
        PushToPermitted(channel, BuildChannelStatusFrame(channel, form));
}

// Queues the forced logout for every connected slot that matches and frees it; the logout still goes out after
// whatever was queued before it, but nobody waits for the client to take it.
template <class Match>
void ForceOffline(Match match) {
    const ResultFrame logout = MakeResultFrame(kFrameLogout, 0);
    for (ClientSlot& slot : ClientSlots()) {
        auto lock = slot.LockFields();
        if (!slot.IsConnectedLocked() || !match(slot))
            continue;
        slot.QueueLocked(FrameKind::Push, &logout, sizeof(logout));
        slot.ResetAfterSendingLocked();
    }
}

}  // namespace

void PushChannelStatus(int channel) {
    if (IsChannel(channel))
        PushStatus(channel, StatusFormOf(channel));
}

void PushAnalogChannelStatus(int channel) {
    PushStatus(channel, ChannelStatusForm::Analogue);
}

void PushSpyChannelStatus(int channel) {
    PushStatus(channel, ChannelStatusForm::Spy);
}

void PushCallRecord(const CallRecord& record) {
    PushCallRecords({&record});
}

void PushCallRecords(const std::vector<const CallRecord*>& records) {
    std::vector<std::pair<int, std::vector<uint8_t>>> frames;
    for (const CallRecord* record : records) {
        if (IsChannel(record->Channel))
            frames.emplace_back(record->Channel, BuildFrame(kFrameNewCdr, {PartOf(*record)}));
    }
    if (frames.empty())
        return;
    // Each slot takes all of its frames under one lock, so that its sender finds them together and writes them in
    // one send: every send is a round trip to the system, which the fan-out to every client multiplies.
    for (ClientSlot& slot : ClientSlots()) {
        auto lock = slot.LockFields();
        for (const auto& [channel, frame] : frames) {
            if (slot.IsConnectedLocked() && slot.Rights[channel] == 1)
                slot.QueueLocked(FrameKind::Push, frame.data(), static_cast<int>(frame.size()));
        }
    }
}

void PushCallerId(int channel, const char* callerId, const ContactRecord& contact) {
    char number[kCallerIdBytes] = {};
    if (callerId)
        std::memcpy(number, callerId, strnlen(callerId, kCallerIdBytes - 1));
    PushToPermitted(channel, BuildFrame(kFrameCallerId, {PartOf(number), PartOf(contact)}));
}

void PushLiveAudio(int channel, int audioFmt, const uint8_t* piece) {
    const uint8_t format = static_cast<uint8_t>(audioFmt);
    const std::vector<uint8_t> frame = BuildFrame(kFrameLiveAudio, {PartOf(format), {piece, kLiveAudioBytes}});
    for (ClientSlot& slot : ClientSlots()) {
        slot.SendIf(
            FrameKind::Droppable,
            [channel](const ClientSlot& s) { return s.MonitorFlag && s.MonitoredChannel == channel; }, frame);
    }
}

void ForceClientOffline(const wchar_t* userName) {
    if (!userName || !userName[0])
        return;
    ForceOffline([userName](const ClientSlot& slot) {
        return wcsncmp(slot.Account.UserName, userName, std::size(slot.Account.UserName)) == 0;
    });
}

void ForceAllClientsOffline() {
    ForceOffline([](const ClientSlot&) { return true; });
}
