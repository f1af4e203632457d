#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/DialCommands.h"

#include "clients/ClientFrame.h"
#include "remote/ClientReply.h"
#include "clients/ClientSlot.h"
#include "channels/ChannelTable.h"
#include "engine/OutgoingCall.h"

#include <cstring>
#include <string>

namespace {

constexpr uint8_t kDial = 10;
constexpr uint8_t kHangUp = 11;

constexpr int kNumberBytes = 32;
constexpr int kChannelOffset = 1 + kNumberBytes;

// The sent number, cut at its 31st character.
std::string ReadNumber(const uint8_t* bytes) {
    const char* text = reinterpret_cast<const char*>(bytes);
    return std::string(text, strnlen(text, kNumberBytes - 1));
}

// Only what the line can send as tones is dialled; the number also names the recording file.
bool IsDialable(const std::string& number) {
    return number.find_first_not_of("0123456789*#ABCDabcd") == std::string::npos;
}

bool HasRightFor(ClientSlot& slot, int channel) {
    if (channel < 0 || channel >= kMaxChannels)
        return false;
    auto lock = slot.LockFields();
    return slot.Rights[channel] != 0;
}

DialStatus CheckDial(ClientSlot& slot, int channel, const std::string& number) {
    if (!HasRightFor(slot, channel) || !IsDialable(number))
        return kDialRefused;
    const ChannelRecord& record = ChannelTable[channel];
    if (!IsVoltageWatchedLine(record.LineType))
        return kDialNotAnalogue;
    if (record.State != kStateIdle && record.State != kStateOffHook)
        return kDialLineBusy;
    return kDialStarted;
}

void SendDialStatus(ClientSlot& slot, uint32_t connection, DialStatus status) {
    ResultFrame frame = MakeResultFrame(kFrameDialStatus, status);
    frame.R2 = frame.R3 = status;
    SendReply(slot, connection, &frame, sizeof(frame));
}

void HangUp(ClientSlot& slot, int channel) {
    if (!HasRightFor(slot, channel))
        return;
    HangUpOutgoingCall(channel);
}

}  // namespace

void HandleRemoteDial(ClientSlot& slot, const uint8_t* payload, int) {
    int32_t channel = 0;
    std::memcpy(&channel, payload + kChannelOffset, sizeof(channel));
    const uint32_t connection = slot.CurrentConnection();
    if (payload[0] == kDial) {
        const std::string number = ReadNumber(payload + 1);
        const DialStatus status = CheckDial(slot, channel, number);
        if (status == kDialStarted)
            PlaceOutgoingCall(channel, number);
        SendDialStatus(slot, connection, status);
    } else if (payload[0] == kHangUp) {
        HangUp(slot, channel);
    }
}
