#include "engine/RecordBlockCallback.h"

#include "engine/RecordingFiles.h"

#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <new>
#include <string>

namespace {

constexpr int kSmallestBlockBytes = 1025;  // shorter blocks are dropped

std::atomic<BlockAppendHook> g_blockAppendHook{nullptr};

template <size_t N>
void CopyText(wchar_t (&field)[N], const wchar_t* text) {
    ::lstrcpynW(field, text, N);
}

// The finished call of one 64 MiB segment; null when it cannot be allocated.
std::unique_ptr<CallRecord> MakeSegmentRecord(const ChannelRecord& record, int channel) {
    std::unique_ptr<CallRecord> call(new (std::nothrow) CallRecord());
    if (!call)
        return call;
    call->Channel = channel;
    if (record.Rec == kRecordVoiceActivated || record.RecordAllActive)
        call->CallType = kCallVoice;
    else
        call->CallType = record.Direction == kDirectionIncoming ? kCallIncoming : kCallOutgoing;
    call->RecTime = record.RecordedMs / 1000;
    call->RingCnt = record.RingCount;
    call->StartTime = record.StartTime;
    // The other party as the end of the call names it: the caller of an incoming call, else the dialled digits.
    const char* number = call->CallType == kCallIncoming ? record.CallerId : record.DialledDigits;
    FormatToField(call->PhoneNumber, L"%hs", number);
    CopyText(call->ChannelName, record.Name);
    CopyText(call->ChannelPhone, record.Phone);
    CopyText(call->SiteName, ReadSettingString(kSectionSettings, kKeyLocalName).c_str());
    CopyText(call->SiteNumber, ReadSettingString(kSectionSettings, kKeyLocalSerialNo).c_str());
    CopyText(call->FilePath, record.FilePath);
    return call;
}

// Finishes the file, queues it as a call of its own and goes on in a new file. The caller holds FileLock.
void SplitRecording(ChannelRecord& record, int channel) {
    FinishWavHeader(record.FileHandle.Get(), record);
    record.FileHandle.Close();
    if (std::unique_ptr<CallRecord> segment = MakeSegmentRecord(record, channel))
        EngineState.CallQueue.Push(std::move(segment));
    record.RecordedMs = 0;
    StartLineRecording(record);
}

// Appends a filled block; true when the channel's file is still open below the split size and wants re-arming.
bool StoreBlock(ChannelRecord& record, int channel, const BYTE* block, int bytes) {
    std::lock_guard<std::recursive_mutex> lock(record.FileLock);
    if (!record.FileHandle.IsValid())
        return false;
    if (block && bytes >= kSmallestBlockBytes && bytes <= kRecordBlockBytes) {
        if (BlockAppendHook hook = g_blockAppendHook)
            hook(channel);
        DWORD written = 0;
        ::WriteFile(record.FileHandle.Get(), block, static_cast<DWORD>(bytes), &written, nullptr);
    }
    const DWORD size = ::GetFileSize(record.FileHandle.Get(), nullptr);
    if (size != INVALID_FILE_SIZE && size >= kRecordingSplitBytes) {
        SplitRecording(record, channel);
        return false;
    }
    return true;
}

}  // namespace

void SetBlockAppendHook(BlockAppendHook hook) {
    g_blockAppendHook = hook;
}

int WINAPI RecordBlockCallback(int channel, int event, BYTE* block, int bytes, DWORD_PTR) {
    if (channel < 0 || channel >= kMaxChannels)
        return 1;
    ChannelRecord& record = ChannelTable[channel];
    try {
        if (RecordingCodec(record.AudioFmt) == QSD_CODEC_IMA_ADPCM)
            bytes &= ~0xFF;  // whole ADPCM blocks only
        if (event == QSD_REC_BLOCK_FULL && StoreBlock(record, channel, block, bytes))
            RearmRecordBlock(record);
    } catch (...) {
        // Nothing may unwind into the driver.
    }
    record.MonitorPos = 0;
    return 1;
}
