#pragma once
// ChannelTable: one ChannelRecord per driver channel, shared by the engine threads, the driver callbacks, the
// remote-client command threads and the channel pane. Only the first CardEngineState::ChannelCount entries are
// used. Every number or flag that more than one thread touches is a std::atomic, so a reader always sees a value
// some writer stored (and what that writer wrote before it, such as the recording buffer behind MonitorPos).
// The recording file is guarded by FileLock. The texts are not locked: each has one writer at a time (the
// configuration thread or a parameter command for the settings, the driver callback or the poll thread for the
// call's numbers), so a reader may see a text being rewritten.

#include "channels/DriverBinding.h"
#include "records/EngineRecords.h"
#include "mfc.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

constexpr int kMaxChannels = 512;
constexpr int kRecordBufferBytes = 0x20000;  // the driver records blocks of 0x1E000 bytes into it

// Line kinds follow from the driver's channel type (ChannelRecord::LineType): a voltage-watched line has its hook
// state read from the line voltage, an event-driven line reports it by driver events, and every other type is a
// spy channel tapping a digital trunk.
inline bool IsVoltageWatchedLine(int lineType) {
    return lineType == QSD_CHTYPE_LINE_VOLTAGE;
}
inline bool IsEventDrivenLine(int lineType) {
    return lineType == QSD_CHTYPE_LINE_TRUNK || lineType == QSD_CHTYPE_LINE_RECORD;
}
inline bool IsAnalogueLine(int lineType) {
    return IsVoltageWatchedLine(lineType) || IsEventDrivenLine(lineType);
}
inline bool IsSpyChannel(int lineType) {
    return !IsAnalogueLine(lineType);
}

// Configuration, live line state and the current call of one channel. Texts are NUL-terminated; char texts are
// the driver's 8-bit digits. Longer values are cut to the field by whoever fills them.
struct ChannelRecord {
    ChannelRecord();

    // Configuration (section ChannelParam and the schedule files).
    wchar_t Name[64] = {};
    wchar_t Phone[64] = {};
    std::atomic<int> Rec = kRecordByLineState;  // a RecordMode
    std::atomic<int> CallerIDFormat = 0;
    wchar_t KeySave[32] = {};
    wchar_t KeyDel[32] = {};
    std::atomic<int> DtmfPos = 0;
    std::atomic<int> KeepRecording = 0;
    std::atomic<int> DtmfActive = 0;
    std::atomic<int> DtmfIdleMs = 0;
    std::atomic<int> NumberFrozen = 0;
    std::atomic<int> Trigger = 0;
    std::atomic<int> SoundTime = 0;
    std::atomic<int> MuteTime = 0;
    std::atomic<int> PickupVoltage = 0;  // volts; below it the line is off-hook
    std::atomic<int> HookOnTime = 0;     // ms
    std::atomic<int> HookOffTime = 0;    // ms
    std::atomic<int> DialActive = 0;
    wchar_t DialNumber[32] = {};
    ScheduleDayBlock RecordAllWeek[kScheduleDays] = {};  // indexed by weekday, 0 Sunday
    ScheduleDayBlock AutoAnswerWeek[kScheduleDays] = {};
    std::atomic<int> Announcement = 0;
    wchar_t AnnouncementFile[MAX_PATH] = {};
    wchar_t AutoFile[MAX_PATH] = {};
    std::atomic<int> AutoAnserWaitRingCnt = 0;
    std::atomic<int> AutoAnswerMaxTimeLong = 0;  // s

    // Live line state and the current call.
    std::atomic<int> LineVoltage = 0;  // volts; 0 for spy channels
    std::atomic<int> DriverChannel = 0;
    std::atomic<int> MonitorPos = 0;  // bytes of the current block already streamed
    std::atomic<int> LocalMonitor = 0;
    std::atomic<int> AutoAnswered = 0;
    std::atomic<int> Direction = kDirectionOutgoing;  // a CallDirection
    std::atomic<int> Ringing = 0;
    std::atomic<int> RingMs = 0;
    std::atomic<int> RingCount = 0;
    std::atomic<int> RecordedMs = 0;
    char DialledDigits[64] = {};  // spy channels: the callee number
    char CallerId[64] = {};
    std::atomic<int> Present = 0;
    std::atomic<int> LineType = QSD_CHTYPE_LINE_RECORD;
    std::atomic<int> State = kStateNoLine;  // a ChannelState
    SYSTEMTIME StartTime = {};              // local time
    CScopedKernelHandle FileHandle;         // the open recording
    // Guards FileHandle, FilePath and the file's contents between the block callback (on the driver's thread) and
    // the threads that start and finish recordings: held around the file's opening, each block append, the 64 MiB
    // split, and the final header and close. Recursive, because the split opens the next file under it. Never
    // held while calling the view, nor, outside the block callback, while calling the driver.
    std::recursive_mutex FileLock;
    std::unique_ptr<uint8_t[]> Buffer;  // kRecordBufferBytes, allocated by the first recording start
    wchar_t FilePath[MAX_PATH] = {};
    std::atomic<int> RecordAllActive = 0;
    std::atomic<int> AudioFmt = kAudioImaAdpcm;  // an AudioFormat: the codec of the open recording
    std::atomic<int> SpyCic = 0;
    std::atomic<int> CallInCh = 0;
    std::atomic<int> CallOutCh = 0;
    char SpyCallerId[64] = {};
    char SpyCalleeId[64] = {};
    std::atomic<bool> LinkLost = false;  // the spy channel's PCM link is down
    std::atomic<int> SpyConnected = 0;

    // The hook monitor thread's own debounce timers and the poll thread's caller-ID wait: each is read and
    // written by that one thread only, so they stay plain.
    int OffHookPending = 0;
    int OffHookMs = 0;
    int OnHookPending = 0;
    int OnHookMs = 0;
    int NoLinePending = 0;
    int NoLineMs = 0;
    int CallerIdPending = 0;
    int CallerIdWaitMs = 0;

    ChannelRecord(const ChannelRecord&) = delete;
    ChannelRecord& operator=(const ChannelRecord&) = delete;
};

extern ChannelRecord ChannelTable[kMaxChannels];
