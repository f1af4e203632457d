#pragma once
// Records of the recording engine that leave the process: the finished-call record (a row image of Rec_Table,
// the payload of the remote-client record frames and the entry of the failed-insert log) and the day block of
// the channel schedule files. Their byte layouts are fixed; the static_asserts below hold them.
// Also the channel states, call types, record modes, directions and audio formats that these records and
// ChannelRecord carry.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The value of ChannelRecord::State, shown by the channel pane.
enum ChannelState : int32_t {
    kStateIdle = 0,
    kStateLineError = 1,  // line error, or the spy channel's PCM link is down
    kStateOffHook = 2,    // off-hook, not recording
    kStateOutgoingRecording = 3,
    kStateRinging = 4,
    kStateIncomingRecording = 5,
    kStateVoiceRecording = 6,  // voice-activated or record-all recording
    kStateVoiceWaiting = 7,    // voice-activated, waiting for sound
    kStateOffHookAtStartup = 8,
    kStateSpyOutgoingConnect = 14,
    kStateNoLine = 17,  // no line at start-up; also the value of a fresh record
};

// The kind of a finished call (CallRecord::CallType, column CallType of Rec_Table).
enum CallType : int32_t {
    kCallIncoming = 1,
    kCallOutgoing = 2,
    kCallMissed = 3,  // incoming call not answered
    kCallVoice = 4,   // voice-activated or record-all recording, and each 64 MiB segment of one
    kCallAutoAnswered = 5,
    kCallSpyIncomingUnanswered = 6,  // spy incoming call recorded from alerting, never answered
    kCallSpyOutgoingUnanswered = 7,  // spy outgoing call recorded from alerting, never answered
    kCallSpyOutgoingMissed = 8,      // spy outgoing call released after ringing without a recording
};

// How a channel decides what it records (ChannelRecord::Rec, the channel setting Rec, the remote parameter block).
enum RecordMode : int32_t {
    kRecordByLineState = 0,
    kRecordDtmfKeepDelete = 1,  // the keys typed during the call keep or delete the recording
    kRecordVoiceActivated = 2,
};

// The direction of the current call (ChannelRecord::Direction).
enum CallDirection : int32_t {
    kDirectionOutgoing = 0,
    kDirectionIncoming = 1,
};

// The codec of a recording: the setting AudioFmt, ChannelRecord::AudioFmt and the format of a live-audio piece
// (monitor block and push). Any other value is taken as IMA ADPCM.
enum AudioFormat : int32_t {
    kAudioImaAdpcm = 0,
    kAudioImaAdpcmToMp3 = 1,  // recorded as IMA ADPCM, converted to MP3 when the call is filed
    kAudioALaw = 2,
    kAudioMuLaw = 3,
};

// One finished call, 2800 bytes, little-endian, zeroed before filling. Texts are UTF-16, NUL-terminated inside
// their fields. Producers allocate it, CallWriterThread frees it.
struct CallRecord {
    wchar_t ChannelName[32];
    wchar_t ChannelPhone[32];
    wchar_t PhoneNumber[32];  // the other party
    wchar_t PhoneName[32];    // contact found for PhoneNumber
    wchar_t Extension[32];
    wchar_t ExtensionName[32];
    wchar_t SiteName[32];    // setting LocalName
    wchar_t SiteNumber[32];  // setting LocalSerialNo
    wchar_t CallNotes[255];
    wchar_t FilePath[MAX_PATH];
    wchar_t CusAutoID[32];   // contact's UserID
    wchar_t CusNotes1[255];  // contact's UserNotes
    wchar_t CusNotes2[255];  // contact's CompanyAddress
    wchar_t CusAJBH[64];     // contact's CompanyName
    uint16_t Padding;        // always zero
    int32_t Channel;         // 0-based driver channel
    int32_t CallType;        // a CallType
    int32_t RecTime;         // seconds recorded
    int32_t RingCnt;
    int32_t CloudSave;
    int32_t Ftp;
    int32_t Flag;          // 1 once uploaded
    SYSTEMTIME StartTime;  // local time
};

constexpr size_t kCallRecordSize = 2800;
static_assert(sizeof(wchar_t) == 2);
static_assert(sizeof(CallRecord) == kCallRecordSize);
static_assert(offsetof(CallRecord, ChannelPhone) == 64);
static_assert(offsetof(CallRecord, PhoneNumber) == 128);
static_assert(offsetof(CallRecord, PhoneName) == 192);
static_assert(offsetof(CallRecord, Extension) == 256);
static_assert(offsetof(CallRecord, ExtensionName) == 320);
static_assert(offsetof(CallRecord, SiteName) == 384);
static_assert(offsetof(CallRecord, SiteNumber) == 448);
static_assert(offsetof(CallRecord, CallNotes) == 512);
static_assert(offsetof(CallRecord, FilePath) == 1022);
static_assert(offsetof(CallRecord, CusAutoID) == 1542);
static_assert(offsetof(CallRecord, CusNotes1) == 1606);
static_assert(offsetof(CallRecord, CusNotes2) == 2116);
static_assert(offsetof(CallRecord, CusAJBH) == 2626);
static_assert(offsetof(CallRecord, Padding) == 2754);
static_assert(offsetof(CallRecord, Channel) == 2756);
static_assert(offsetof(CallRecord, CallType) == 2760);
static_assert(offsetof(CallRecord, RecTime) == 2764);
static_assert(offsetof(CallRecord, RingCnt) == 2768);
static_assert(offsetof(CallRecord, CloudSave) == 2772);
static_assert(offsetof(CallRecord, Ftp) == 2776);
static_assert(offsetof(CallRecord, Flag) == 2780);
static_assert(offsetof(CallRecord, StartTime) == 2784);

// One time window of a schedule day. Only hour, minute and second are used; an end hour below the start hour
// runs past midnight.
struct ScheduleWindow {
    SYSTEMTIME Start;
    SYSTEMTIME End;
};

constexpr int kScheduleWindows = 4;
constexpr int kScheduleDays = 7;  // Sunday first

// One day of a channel's record-all or auto-answer week: 144 bytes, stored raw in the schedule files.
struct ScheduleDayBlock {
    ScheduleWindow Window[kScheduleWindows];
    int32_t Enabled[kScheduleWindows];  // 1 = on
};

static_assert(sizeof(SYSTEMTIME) == 16);
static_assert(sizeof(ScheduleDayBlock) == 144);
static_assert(offsetof(ScheduleDayBlock, Window[1]) == 32);
static_assert(offsetof(ScheduleDayBlock, Window[3].End) == 112);
static_assert(offsetof(ScheduleDayBlock, Enabled) == 128);
