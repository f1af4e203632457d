#pragma once
// The remote-client protocol: frame format, command numbers in both directions, and the records that travel in
// the frames or leave the server through the view. Byte layouts are fixed (little-endian, UTF-16 texts
// NUL-terminated inside their fields); the static_asserts below hold them.
//
// A frame is a 16-bit length N, then N bytes whose first byte is the command. N counts the command byte and what
// follows, not the two length bytes.
//   ResultFrame          6 bytes  reply of several commands: 04 00, command, r, r2, r3
//   ServerInfoBlock    132 bytes  payload of command 8 at login
//   ChannelStatusRecord 296 bytes payload of command 20 at login and after every change of a channel
//   ChartStatFrame      64 bytes  the whole frame of one channel's statistics (command 9)
//   ClientEventRecord  116 bytes  a login, timeout or logout for the connected-clients pane
//   ChannelParamBlock 3264 bytes  a channel's recording parameters and schedules (command 25)

#include "records/EngineRecords.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr int kMaxClientSlots = 64;
constexpr int kFrameHeaderBytes = 2;            // the length field
constexpr uint16_t kInvalidLengthBit = 0x8000;  // a received length with this bit closes the connection

// Commands a client sends (the first byte of the frame body).
enum ClientCommand : uint8_t {
    kCmdLogin = 0,
    kCmdLogout = 1,
    kCmdKeepAlive = 2,
    kCmdCdrSearch = 3,
    kCmdDownload = 4,
    kCmdUpdateNotes = 5,
    kCmdUpdateFlag = 6,
    kCmdDeleteRecord = 7,
    kCmdStatistics = 9,
    kCmdStartMonitor = 13,
    kCmdStopMonitor = 14,
    kCmdStopQuery = 16,
    kCmdPhoneBook = 19,
    kCmdChangePassword = 23,
    kCmdSysLogSearch = 24,
    kCmdChannelParams = 25,
    kCmdRemoteDial = 26,
};

// Command bytes of the frames the server sends.
enum ServerFrame : uint8_t {
    kFrameLogin = 0,      // DA 02 00 01 + AccountRecord, or a ResultFrame refusing the login
    kFrameLogout = 1,     // forced logout 04 00 01 00 00 00
    kFrameKeepAlive = 2,  // 04 00 02 00 00 00
    kFrameCdrRow = 3,     // one CDR search result: F1 0A 03 + CallRecord
    kFrameDownload = 4,
    kFrameServerInfo = 8,  // 85 00 08 + ServerInfoBlock at login
    kFrameStatistics = 9,  // ChartStatFrame, or 04 00 09 00 00 00 when a running query was stopped
    kFrameNewCdr = 10,     // push: F1 0A 0A + CallRecord
    kFrameCallerId = 11,   // push: 41 07 0B + 64-byte caller number + ContactRecord
    kFrameLiveAudio = 13,  // push: 02 10 0D + AudioFmt byte + 4096 bytes of recording
    kFrameMonitorStopped = 14,
    kFramePhoneBook = 19,
    kFrameChannelStatus = 20,  // 29 01 14 + ChannelStatusRecord
    kFramePhoneBookResult = 22,
    kFrameSysLogRow = 24,  // one system-log search result: 49 02 18 + SysLogRow
    kFrameChannelParams = 25,
    kFrameDialStatus = 26,
    kFrameRights = 27,  // 01 02 1B + the slot's 512 channel rights
};

// r of the login refusal.
constexpr uint8_t kLoginUnknownAccount = 10;  // no such account, wrong password, or no account store
constexpr uint8_t kLoginDuplicate = 11;       // the account is logged in already
// The byte after the command in the accepted-login frame.
constexpr uint8_t kLoginAccepted = 1;

constexpr int kCallerIdBytes = 64;     // the 8-bit caller number of the caller-id push
constexpr int kLiveAudioBytes = 4096;  // one piece of a recording in the live-audio push

#pragma pack(push, 1)

// The six-byte reply frame; r2 and r3 are 0 unless a handler says otherwise.
struct ResultFrame {
    uint16_t Length = 4;
    uint8_t Command = 0;
    uint8_t R = 0;
    uint8_t R2 = 0;
    uint8_t R3 = 0;
};

static_assert(sizeof(ResultFrame) == 6);

// Statistics of one channel over the days handled so far: running sums, the whole frame.
struct ChartStatFrame {
    uint16_t Length = sizeof(ChartStatFrame) - kFrameHeaderBytes;
    uint8_t Command = kFrameStatistics;
    uint16_t Channel = 0;
    int32_t IncomingCount = 0;
    int32_t IncomingSeconds = 0;
    int32_t OutgoingCount = 0;
    int32_t OutgoingSeconds = 0;
    int32_t MissedCount = 0;
    int32_t VoiceCount = 0;
    int32_t VoiceSeconds = 0;
    int32_t AutoAnsweredCount = 0;
    int32_t AutoAnsweredSeconds = 0;
    int32_t TotalCount = 0;
    int32_t TotalSeconds = 0;
    uint8_t Zero[15] = {};
};

static_assert(sizeof(ChartStatFrame) == 64);
static_assert(offsetof(ChartStatFrame, Channel) == 3);
static_assert(offsetof(ChartStatFrame, IncomingCount) == 5);
static_assert(offsetof(ChartStatFrame, MissedCount) == 21);
static_assert(offsetof(ChartStatFrame, TotalCount) == 41);
static_assert(offsetof(ChartStatFrame, TotalSeconds) == 45);
static_assert(offsetof(ChartStatFrame, Zero) == 49);

#pragma pack(pop)

// The server's identity, sent at login.
struct ServerInfoBlock {
    wchar_t ServerName[32];    // setting LocalName
    wchar_t ServerSerial[32];  // setting LocalSerialNo
    int32_t ChannelCount;      // voice channels of the boards
};

static_assert(sizeof(wchar_t) == 2);
static_assert(sizeof(ServerInfoBlock) == 132);
static_assert(offsetof(ServerInfoBlock, ServerSerial) == 64);
static_assert(offsetof(ServerInfoBlock, ChannelCount) == 128);

// The state of one channel as a client shows it. Texts longer than 31 characters are cut to their field.
struct ChannelStatusRecord {
    int32_t Channel;          // driver channel
    int32_t RecordMode;       // Rec: 0 line state, 1 DTMF keep/delete keys, 2 voice-activated
    int32_t ChannelType;      // LineType
    int32_t State;            // a ChannelState
    int32_t RecordedSeconds;  // RecordedMs / 1000
    int32_t LineVoltage;      // volts
    wchar_t Name[32];
    wchar_t Phone[32];
    wchar_t Number[32];    // analogue: dialled digits; spy: callee number
    wchar_t Caller[32];    // analogue: caller id; spy: caller number of the spy call
    SYSTEMTIME StartTime;  // start of the current call
};

static_assert(sizeof(SYSTEMTIME) == 16);
static_assert(sizeof(ChannelStatusRecord) == 296);
static_assert(offsetof(ChannelStatusRecord, LineVoltage) == 20);
static_assert(offsetof(ChannelStatusRecord, Name) == 24);
static_assert(offsetof(ChannelStatusRecord, Phone) == 88);
static_assert(offsetof(ChannelStatusRecord, Number) == 152);
static_assert(offsetof(ChannelStatusRecord, Caller) == 216);
static_assert(offsetof(ChannelStatusRecord, StartTime) == 280);

// ClientEventRecord::Event.
enum ClientEventCode : int32_t {
    kClientLoggedIn = 0,
    kClientTimedOut = 1,  // silent for 60 s, or the connection broke
    kClientLoggedOut = 2,
};

// One row of the connected-clients pane. The caller keeps the record; the view copies it.
struct ClientEventRecord {
    SYSTEMTIME Time;       // local time
    char PeerAddress[32];  // "%d.%d.%d.%d"
    wchar_t UserName[32];
    int32_t Event;  // a ClientEventCode
};

static_assert(sizeof(ClientEventRecord) == 116);
static_assert(offsetof(ClientEventRecord, PeerAddress) == 16);
static_assert(offsetof(ClientEventRecord, UserName) == 48);
static_assert(offsetof(ClientEventRecord, Event) == 112);

// The recording parameters of one channel as a client reads and writes them: the values of section ChannelParam
// ("Channel%03d" + the field's name, channel + 1) and one day of each schedule week. Only the first block of each
// week is used: a read fills it with the channel's Saturday, a write applies it to every day.
struct ChannelParamBlock {
    int32_t Channel;  // driver channel
    int32_t Rec;      // record mode 0..2
    int32_t Trigger;
    int32_t SoundTime;
    int32_t MuteTime;
    int32_t PickupVoltage;  // volts
    int32_t Announcement;   // greeting switch
    int32_t AutoAnserWaitRingCnt;
    int32_t AutoAnswerMaxTimeLong;  // s
    int32_t CallerIDFormat;
    int32_t HookOnTime;   // ms
    int32_t HookOffTime;  // ms
    wchar_t AnnouncementFile[MAX_PATH];
    wchar_t AutoFile[MAX_PATH];
    wchar_t Name[32];
    wchar_t Phone[32];
    wchar_t KeySave[8];
    wchar_t KeyDel[8];
    ScheduleDayBlock RecordAllWeek[kScheduleDays];
    ScheduleDayBlock AutoAnswerWeek[kScheduleDays];
};

static_assert(sizeof(ChannelParamBlock) == 3264);
static_assert(offsetof(ChannelParamBlock, HookOffTime) == 44);
static_assert(offsetof(ChannelParamBlock, AnnouncementFile) == 48);
static_assert(offsetof(ChannelParamBlock, AutoFile) == 568);
static_assert(offsetof(ChannelParamBlock, Name) == 1088);
static_assert(offsetof(ChannelParamBlock, Phone) == 1152);
static_assert(offsetof(ChannelParamBlock, KeySave) == 1216);
static_assert(offsetof(ChannelParamBlock, KeyDel) == 1232);
static_assert(offsetof(ChannelParamBlock, RecordAllWeek) == 1248);
static_assert(offsetof(ChannelParamBlock, AutoAnswerWeek) == 2256);
