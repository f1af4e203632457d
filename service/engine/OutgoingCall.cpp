#include "engine/OutgoingCall.h"

#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "engine/ChannelRows.h"
#include "engine/RecordingFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

constexpr DWORD kPickupToDigitsMs = 500;

bool IsTableChannel(int channel) {
    return channel >= 0 && channel < kMaxChannels;
}

void CloseRecordingFile(ChannelRecord& record) {
    std::lock_guard<std::recursive_mutex> lock(record.FileLock);
    record.FileHandle.Close();
}

}  // namespace

void PlaceOutgoingCall(int channel, const std::string& number) {
    if (!IsTableChannel(channel))
        return;
    ChannelRecord& record = ChannelTable[channel];
    std::memset(record.DialNumber, 0, sizeof(record.DialNumber));
    std::memset(record.DialledDigits, 0, sizeof(record.DialledDigits));
    record.DialActive = 1;
    const size_t digits = std::min(number.size(), sizeof(record.DialledDigits) - 1);
    std::memcpy(record.DialledDigits, number.data(), digits);
    const size_t shown = std::min(number.size(), std::size(record.DialNumber) - 1);
    for (size_t i = 0; i < shown; ++i)
        record.DialNumber[i] = static_cast<wchar_t>(static_cast<unsigned char>(number[i]));

    CloseRecordingFile(record);
    StartLineRecording(record);  // without a file the call is dialled all the same
    ShowChannelOutgoingRecording(channel);
    ShowChannelKeepFlag(channel);
    ShowChannelDialledNumber(channel);

    QsdChl_Pickup(channel);
    Sleep(kPickupToDigitsMs);
    QsdVox_SendDtmf(channel, record.DialledDigits);
    QsdVox_StartToneAnalyze(channel);
}

bool HangUpOutgoingCall(int channel) {
    if (!IsTableChannel(channel))
        return false;
    ChannelRecord& record = ChannelTable[channel];
    if (!record.DialActive)
        return false;
    record.DialActive = 0;
    QsdChl_ClearCall(channel);
    QsdVox_StopToneAnalyze(channel);
    return true;
}
