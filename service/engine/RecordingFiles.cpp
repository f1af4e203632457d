#include "engine/RecordingFiles.h"

#include "engine/RecordBlockCallback.h"
#include "engine/RecordingFolders.h"
#include "engine/WavFormat.h"

#include "channels/DriverBinding.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"

#include <cstring>
#include <mutex>
#include <new>
#include <string>

namespace {

bool IsG711(int audioFmt) {
    return audioFmt == kAudioALaw || audioFmt == kAudioMuLaw;
}

bool HasFile(const ChannelRecord& record) {
    return record.FileHandle.IsValid();
}

int StartBlockRecording(ChannelRecord& record) {
    return QsdVox_RecordMemBlock(record.DriverChannel, RecordingCodec(record.AudioFmt), record.Buffer.get(),
                                 kRecordBlockBytes, RecordBlockCallback, 0);
}

int StartSpyMemoryRecording(ChannelRecord& record) {
    return QsdSpy_RecToMem(record.SpyCic, QSD_SPY_MIX_BOTH, record.Buffer.get(), RecordingCodec(record.AudioFmt),
                           kRecordBlockBytes, 0);
}

// The driver sometimes refuses a start while an earlier recording is still winding down: stop it and try once more.
template <class Start, class Stop>
bool StartWithOneRetry(ChannelRecord& record, Start start, Stop stop) {
    if (start(record) == QSD_OK)
        return true;
    stop(record);
    return start(record) == QSD_OK;
}

int StopBlockRecording(ChannelRecord& record) {
    return QsdVox_StopRec(record.DriverChannel);
}

int StopSpyMemoryRecording(ChannelRecord& record) {
    return QsdSpy_StopRecToMem(record.SpyCic);
}

void ClearBuffer(ChannelRecord& record) {
    std::memset(record.Buffer.get(), 0, kRecordBufferBytes);
}

bool WriteZeros(HANDLE file, uint32_t bytes) {
    const uint8_t zeros[sizeof(ImaWavHeader)] = {};
    DWORD written = 0;
    return ::WriteFile(file, zeros, bytes, &written, nullptr) && written == bytes;
}

// The steps shared by both kinds of channel: buffer, start time, folder, keep flag, file and placeholder header.
bool OpenRecordingFile(ChannelRecord& record) {
    if (!record.Buffer) {
        record.Buffer.reset(new (std::nothrow) uint8_t[kRecordBufferBytes]);
        if (!record.Buffer)
            return false;
    }
    ClearBuffer(record);
    ::GetLocalTime(&record.StartTime);

    const std::wstring base = ChooseRecordingFolder();
    if (base.empty())
        return false;
    if (record.Rec == kRecordDtmfKeepDelete)
        record.KeepRecording = (record.KeySave[0] == L'\0' || record.KeyDel[0] == L'\0') ? 1 : 0;

    std::lock_guard<std::recursive_mutex> lock(record.FileLock);
    record.FilePath[0] = L'\0';
    const std::wstring path = PrepareRecordingPath(base, record.DriverChannel, record.StartTime);
    if (path.empty())
        return false;
    ::lstrcpynW(record.FilePath, path.c_str(), MAX_PATH);
    record.FileHandle.Attach(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!HasFile(record))
        return false;
    record.AudioFmt = ReadCorrectedInt(kSectionSettings, kKeyAudioFmt, kAudioFmtCorrection);
    WriteZeros(record.FileHandle.Get(), RecordingHeaderBytes(record.AudioFmt));
    return true;
}

}  // namespace

int RecordingCodec(int audioFmt) {
    switch (audioFmt) {
        case kAudioALaw:
            return QSD_CODEC_ALAW;
        case kAudioMuLaw:
            return QSD_CODEC_MULAW;
        default:
            return QSD_CODEC_IMA_ADPCM;
    }
}

uint32_t RecordingHeaderBytes(int audioFmt) {
    return IsG711(audioFmt) ? sizeof(G711WavHeader) : sizeof(ImaWavHeader);
}

int RecordedBytesPerMs(int audioFmt) {
    return IsG711(audioFmt) ? 8 : 4;
}

bool StartLineRecording(ChannelRecord& record) {
    if (!OpenRecordingFile(record))
        return false;
    ClearBuffer(record);
    return StartWithOneRetry(record, StartBlockRecording, StopBlockRecording);
}

bool StartSpyRecording(ChannelRecord& record) {
    if (!OpenRecordingFile(record))
        return false;
    ClearBuffer(record);
    return StartWithOneRetry(record, StartSpyMemoryRecording, StopSpyMemoryRecording);
}

bool StopLineRecorder(ChannelRecord& record) {
    return StopBlockRecording(record) == QSD_OK;
}

bool StopSpyRecorder(ChannelRecord& record) {
    StopSpyMemoryRecording(record);
    return true;
}

bool RearmRecordBlock(ChannelRecord& record) {
    if (!record.Buffer || !HasFile(record))
        return false;
    StopBlockRecording(record);
    ClearBuffer(record);
    return StartWithOneRetry(record, StartBlockRecording, StopBlockRecording);
}

bool RestartSpyRecording(ChannelRecord& record) {
    if (!record.Buffer || !HasFile(record))
        return false;
    // The running recording is a spy recording, so the spy stop is the one that ends it.
    StopSpyMemoryRecording(record);
    ClearBuffer(record);
    return StartWithOneRetry(record, StartSpyMemoryRecording, StopSpyMemoryRecording);
}

bool FinishWavHeader(HANDLE file, const ChannelRecord& record) {
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = ::GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE)
        return false;
    DWORD written = 0;
    if (IsG711(record.AudioFmt)) {
        const uint16_t tag = record.AudioFmt == kAudioALaw ? kWaveFormatALaw : kWaveFormatMuLaw;
        const uint32_t data = size > sizeof(G711WavHeader) ? size - sizeof(G711WavHeader) : 0;
        const G711WavHeader header = MakeG711WavHeader(tag, data, kRecordingG711FactValue);
        ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        ::WriteFile(file, &header, sizeof(header), &written, nullptr);
        return true;
    }
    const ImaWavHeader header = MakeImaWavHeader(size);
    if (::SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    return ::WriteFile(file, &header, sizeof(header), &written, nullptr) && written == sizeof(header);
}

void ClearCallInfo(ChannelRecord& record) {
    {
        std::lock_guard<std::recursive_mutex> lock(record.FileLock);
        record.FilePath[0] = L'\0';
        record.FileHandle.Detach();  // closed or handed on by the caller
    }
    record.DialledDigits[0] = '\0';
    record.CallerId[0] = '\0';
    record.SpyCallerId[0] = '\0';
    record.SpyCalleeId[0] = '\0';
    record.MonitorPos = 0;
    record.Direction = kDirectionOutgoing;
    record.Ringing = 0;
    record.RingMs = 0;
    record.RingCount = 0;
    record.RecordedMs = 0;
    record.KeepRecording = 0;
    record.DtmfPos = 0;
    record.DtmfActive = 0;
    record.NumberFrozen = 0;
    record.SpyConnected = 0;
}
