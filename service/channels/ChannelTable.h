#pragma once
// ChannelTable: one ChannelRecord per driver channel, shared by the engine threads, the driver callbacks, the
// remote-client command threads and the channel pane. Only the first CardEngineState::ChannelCount entries are
// used. The table is not locked: every field is a naturally aligned 32-bit value or a text that one writer owns at
// a time, so a reader may see a text being rewritten but never a torn number.

#include "channels/DriverBinding.h"
#include "records/EngineRecords.h"
#include "mfc.h"

#include <windows.h>

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
    int Rec = kRecordByLineState;  // a RecordMode
    int CallerIDFormat = 0;
    wchar_t KeySave[32] = {};
    wchar_t KeyDel[32] = {};
    int DtmfPos = 0;
    int KeepRecording = 0;
    int DtmfActive = 0;
    int DtmfIdleMs = 0;
    int NumberFrozen = 0;
    int Trigger = 0;
    int SoundTime = 0;
    int MuteTime = 0;
    int PickupVoltage = 0;  // volts; below it the line is off-hook
    int HookOnTime = 0;     // ms
    int HookOffTime = 0;    // ms
    int OffHookPending = 0;
    int OffHookMs = 0;
    int OnHookPending = 0;
    int OnHookMs = 0;
    int NoLinePending = 0;
    int NoLineMs = 0;
    int DialActive = 0;
    wchar_t DialNumber[32] = {};
    ScheduleDayBlock RecordAllWeek[kScheduleDays] = {};  // indexed by weekday, 0 Sunday
    ScheduleDayBlock AutoAnswerWeek[kScheduleDays] = {};
    int Announcement = 0;
    wchar_t AnnouncementFile[MAX_PATH] = {};
    wchar_t AutoFile[MAX_PATH] = {};
    int AutoAnserWaitRingCnt = 0;
    int AutoAnswerMaxTimeLong = 0;  // s

    // Live line state and the current call.
    int LineVoltage = 0;  // volts; 0 for spy channels
    int DriverChannel = 0;
    int MonitorPos = 0;  // bytes of the current block already streamed
    int LocalMonitor = 0;
    int AutoAnswered = 0;
    int Direction = kDirectionOutgoing;  // a CallDirection
    int Ringing = 0;
    int RingMs = 0;
    int RingCount = 0;
    int RecordedMs = 0;
    char DialledDigits[64] = {};  // spy channels: the callee number
    char CallerId[64] = {};
    int Present = 0;
    int CallerIdPending = 0;
    int CallerIdWaitMs = 0;
    int LineType = QSD_CHTYPE_LINE_RECORD;
    int State = kStateNoLine;        // a ChannelState
    SYSTEMTIME StartTime = {};       // local time
    CScopedKernelHandle FileHandle;  // the open recording
    // Guards FileHandle, FilePath and the file's contents between the block callback (on the driver's thread) and
    // the threads that start and finish recordings: held around the file's opening, each block append, the 64 MiB
    // split, and the final header and close. Recursive, because the split opens the next file under it. Never
    // held while calling the view, nor, outside the block callback, while calling the driver.
    std::recursive_mutex FileLock;
    std::unique_ptr<uint8_t[]> Buffer;  // kRecordBufferBytes, allocated by the first recording start
    wchar_t FilePath[MAX_PATH] = {};
    int RecordAllActive = 0;
    int AudioFmt = kAudioImaAdpcm;  // an AudioFormat: the codec of the open recording
    int SpyCic = 0;
    int CallInCh = 0;
    int CallOutCh = 0;
    char SpyCallerId[64] = {};
    char SpyCalleeId[64] = {};
    bool LinkLost = false;  // the spy channel's PCM link is down
    int SpyConnected = 0;

    ChannelRecord(const ChannelRecord&) = delete;
    ChannelRecord& operator=(const ChannelRecord&) = delete;
};

extern ChannelRecord ChannelTable[kMaxChannels];
