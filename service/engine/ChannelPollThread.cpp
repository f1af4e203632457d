// ChannelPollThread: the engine's clock. Every 100 ms it walks the channels and does what the driver does not
// report by event, in this order for each channel:
//
//   1 record-all windows (every 5 s)   2 DtmfKeySave timer          3 rings, auto-answer and caller id
//   4 auto-answer supervision          5 ringing ends with a file   6 missed calls
//   7 recorded time, spy buffer flush and live streaming of new 4096-byte pieces
//
// and after the channels it reads every PCM link's status and applies the link rule.
//
// Shares the channel records with the driver's callbacks and the hook monitor without a lock; writes a spy
// buffer to its file under the channel's FileLock. Its only own state is the per-channel pass count of the
// record-all check. Sleeps in WaitForEngineStop and ends when the engine stops. Until the boards run (no channel,
// no link) each pass only sleeps.
#include "ServiceView.h"
#include "engine/CallCompletion.h"
#include "engine/CallerIdMode.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelRows.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "engine/EngineThreads.h"
#include "engine/Greetings.h"
#include "engine/PcmLinks.h"
#include "engine/RecordingFiles.h"
#include "engine/ScheduleWindows.h"
#include "engine/WaveOut.h"
#include "clients/ClientPushes.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>

namespace {

constexpr DWORD kPassMs = 100;
constexpr int kStepMs = 100;
constexpr int kCallerIdSettleMs = 1500;  // the driver's number is read again once it has stood this long
constexpr int kShortestCallerId = 2;     // digits; a shorter number is not taken
constexpr int kShortestMissedRing = 2000;
constexpr int kLongestMissedRing = 15000;
constexpr int kDefaultMissedRing = 6000;
constexpr int kSpyFlushMargin = 0x4000;     // a spy buffer this close to a full block is written out
constexpr int kRecordAllCheckPasses = 50;   // the record-all windows are looked at every 5 s
constexpr DWORD kAutoAnswerSettleMs = 200;  // the line settles after the pick-up before the recording starts
constexpr int kMonitorPieceBytes = 4096;

// The per-channel pass count of the record-all check.
using PassCounts = std::array<int, kMaxChannels>;

// The caller's digits, without the separators some lines send.
void KeepDigits(const char* number, char (&digits)[QSD_NUMBER_BYTES]) {
    size_t length = 0;
    for (size_t i = 0; i < QSD_NUMBER_BYTES && number[i] != '\0'; ++i) {
        if (number[i] >= '0' && number[i] <= '9' && length < QSD_NUMBER_BYTES - 1)
            digits[length++] = number[i];
    }
    digits[length] = '\0';
}

int ReadCallerNumber(int channel, char (&number)[QSD_NUMBER_BYTES]) {
    std::memset(number, 0, sizeof(number));
    const int length = QsdChl_CallerNumberGet(channel, number);
    number[QSD_NUMBER_BYTES - 1] = '\0';
    return length;
}

// True when the ring count changed.
bool CountRings(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    const int rings = QsdVox_GetRingCount(channel);
    if (rings <= 0 || rings == record.RingCount)
        return false;
    record.Direction = kDirectionIncoming;
    record.RingMs = 0;
    record.Ringing = 1;
    record.RingCount = rings;
    if (rings == 1) {
        SetCallerIdMode(channel);
        ::GetLocalTime(&record.StartTime);
    }
    ShowChannelRinging(channel);
    return true;
}

// A voltage-watched line that rang often enough inside one of its auto-answer windows is picked up by the board,
// recorded and greeted.
void AutoAnswer(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (!IsVoltageWatchedLine(record.LineType) || !InAutoAnswerWindow(record) ||
        record.RingCount < record.AutoAnserWaitRingCnt)
        return;
    record.AutoAnswered = 1;
    QsdVox_ClearRingCount(channel);
    QsdChl_Pickup(channel);
    ::Sleep(kAutoAnswerSettleMs);
    record.Ringing = 0;
    record.RingMs = 0;
    record.State = kStateIncomingRecording;
    StartLineRecording(record);
    ShowChannelIncomingRecording(channel);
    ShowChannelKeepFlag(channel);
    PlayGreeting(channel, record.AutoFile);
    QsdVox_StartToneAnalyze(channel);
}

// The board releases an auto-answered line once the caller has gone or the longest message is reached; the hook
// monitor then sees the on-hook and ends the call.
void SuperviseAutoAnswer(int channel) {
    const ChannelRecord& record = ChannelTable[channel];
    if (QsdVox_GetToneAnalyzeResult(channel) == QSD_TONE_FAR_END_GONE ||
        record.RecordedMs / 1000 > record.AutoAnswerMaxTimeLong)
        QsdChl_ClearCall(channel);
}

void ShowCallerId(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    wchar_t number[QSD_NUMBER_BYTES];
    FormatToField(number, L"%hs", record.CallerId);
    ContactRecord contact{};
    TheContactStore().FindContactByNumber(number, contact);
    if (ReadSettingInt(kSectionSettings, kKeyInPopup) == 1) {
        if (IServiceView* view = GetServiceView())
            view->IncomingCall(record.CallerId, contact);
    }
    PushCallerId(channel, record.CallerId, contact);
    ShowChannelRinging(channel);
    ShowChannelCallerId(channel);
    record.Direction = kDirectionIncoming;
    record.RingMs = 0;
    record.Ringing = 1;
}

bool AwaitsCallerId(const ChannelRecord& record) {
    return !HasRecordingFile(record) && (record.State == kStateRinging || record.State == kStateIdle);
}

// The number is noted when the driver first has digits, and taken 1500 ms later, when it is complete.
void FollowCallerId(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    char number[QSD_NUMBER_BYTES];
    if (record.CallerIdPending == 0 && (record.State == kStateRinging || record.State == kStateIdle) &&
        ReadCallerNumber(channel, number) > 0) {
        if (!HasRecordingFile(record)) {
            record.CallerIdPending = 1;
            record.CallerIdWaitMs = 0;
        } else {
            QsdChl_ClearCallerNumber(channel);
            record.CallerIdPending = 0;
            record.CallerIdWaitMs = 0;
        }
    }
    if (record.CallerIdPending == 0)
        return;
    record.CallerIdWaitMs += kStepMs;
    if (record.CallerIdWaitMs < kCallerIdSettleMs || !AwaitsCallerId(record))
        return;
    record.CallerIdPending = 0;
    record.CallerIdWaitMs = 0;
    if (ReadCallerNumber(channel, number) >= kShortestCallerId) {
        KeepDigits(number, record.CallerId);
        QsdChl_ClearCallerNumber(channel);
    }
    if (record.CallerId[0] != '\0')
        ShowCallerId(channel);
}

int CurrentMissedRing() {
    int missedRing = Startup.MissedRing;
    if (missedRing < kShortestMissedRing || missedRing > kLongestMissedRing) {
        missedRing = kDefaultMissedRing;
        Startup.MissedRing = missedRing;
    }
    return missedRing;
}

// A line that stopped ringing unanswered: the call is queued as missed.
void FollowMissedCall(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    const int missedRing = CurrentMissedRing();
    record.RingMs += kStepMs;
    if (record.RingMs < missedRing)
        return;
    record.Direction = kDirectionOutgoing;
    QsdVox_ClearRingCount(channel);
    record.RingMs = 0;
    record.Ringing = 0;
    wchar_t number[QSD_NUMBER_BYTES];
    FormatToField(number, L"%hs", record.CallerId);
    if (std::unique_ptr<CallRecord> call = BuildCallRecord(channel, kCallMissed, number)) {
        call->RecTime = 0;
        CopyToField(call->FilePath, MissedCallPath(channel).c_str());
        EngineState.CallQueue.Push(std::move(call));
    }
    record.State = kStateIdle;
    ShowChannelIdle(channel);
    ClearCallInfo(record);
}

// A spy recording fills the channel's buffer once and then holds still, so it is written out and restarted
// before it is full.
void FlushSpyBuffer(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    const int filled = QsdSpy_QueryMemOffset(record.SpyCic);
    if (filled + kSpyFlushMargin < kRecordBlockBytes)
        return;
    {
        std::lock_guard<std::recursive_mutex> lock(record.FileLock);
        if (record.Buffer && HasRecordingFile(record)) {
            DWORD written = 0;
            ::WriteFile(record.FileHandle.Get(), record.Buffer.get(),
                        static_cast<DWORD>(std::min(filled, kRecordBufferBytes)), &written, nullptr);
        }
    }
    RestartSpyRecording(record);
    record.MonitorPos = 0;
}

void CountRecordedTime(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.RecordedMs += kStepMs;
    if (record.RecordedMs % 1000 != 0)
        return;
    if (MainWindowExists())
        ShowChannelCallTime(channel);
    if (IsSpyChannel(record.LineType))
        FlushSpyBuffer(channel);
}

// The bytes of the current block the driver has recorded: the audio time at the codec's rate for a line, the
// memory filled for a spy recording.
int RecordedBytes(int channel) {
    const ChannelRecord& record = ChannelTable[channel];
    if (IsSpyChannel(record.LineType))
        return QsdSpy_QueryMemOffset(record.SpyCic);
    int info[QSD_RECINFO_COUNT] = {};
    if (QsdVox_QueryRecInfo(channel, info) != QSD_OK)
        return 0;
    return info[QSD_RECINFO_MS] * RecordedBytesPerMs(record.AudioFmt);
}

// The server's own player follows the format of the channel it plays; it plays straight out of the channel's
// buffer, so it must not free what it is given.
void PlayLocally(int audioFmt, const uint8_t* piece) {
    if (IServiceView* view = GetServiceView())
        view->MonitorBlock(audioFmt, piece, kMonitorPieceBytes);
    if (!MonitorPlayer.IsDeviceOpen())
        return;
    const int code = audioFmt == kAudioALaw || audioFmt == kAudioMuLaw ? audioFmt : kAudioImaAdpcm;
    if (MonitorPlayer.FormatCode() != code) {
        MonitorPlayer.Close();
        MonitorPlayer.Channels = 1;
        MonitorPlayer.Start(code);
    }
    MonitorPlayer.KeepData = 1;
    MonitorPlayer.Write(piece, kMonitorPieceBytes);
}

// At most one new piece per pass, which outruns every recording rate, so the stream keeps pace.
void StreamNewPiece(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    const int position = record.MonitorPos;
    if (!record.Buffer || position < 0 || position + kMonitorPieceBytes > kRecordBufferBytes ||
        position + kMonitorPieceBytes > RecordedBytes(channel))
        return;
    const uint8_t* piece = record.Buffer.get() + position;
    if (record.LocalMonitor == 1)
        PlayLocally(record.AudioFmt, piece);
    PushLiveAudio(channel, record.AudioFmt, piece);
    record.MonitorPos = position + kMonitorPieceBytes;
}

// Record-all windows of event-driven lines: a window starts a recording (or takes over the call being recorded),
// its end finishes it.
void FollowRecordAllWindow(int channel, int& passes) {
    if (++passes < kRecordAllCheckPasses)
        return;
    passes = 0;
    ChannelRecord& record = ChannelTable[channel];
    if (InRecordAllWindow(record)) {
        if (!IsEventDrivenLine(record.LineType))
            return;
        record.RecordAllActive = 1;
        if (!HasRecordingFile(record)) {
            StartLineRecording(record);
            ShowChannelVoiceRecording(channel);
            ShowChannelKeepFlag(channel);
        }
    } else if (record.RecordAllActive == 1 && IsAnalogueLine(record.LineType)) {
        record.RecordAllActive = 0;
        FinishCall(channel, CallEnd::RecordAllEnd);
    }
}

// After the last DTMF digit has stood for DtmfKeySave ms, later digits no longer change the dialled number.
void FollowDtmfTimer(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.DtmfIdleMs += kStepMs;
    const int keySave = ReadDtmfKeySave();
    if (keySave == 0 || record.DtmfIdleMs < keySave)
        return;
    record.DtmfActive = 0;
    record.DtmfIdleMs = 0;
    record.NumberFrozen = 1;
}

void PollChannel(int channel, int& recordAllPasses) {
    ChannelRecord& record = ChannelTable[channel];
    const bool analogue = IsAnalogueLine(record.LineType);
    FollowRecordAllWindow(channel, recordAllPasses);
    if (analogue && record.DtmfActive == 1)
        FollowDtmfTimer(channel);
    if (analogue && record.Rec != kRecordVoiceActivated && record.RecordAllActive == 0 && !HasRecordingFile(record)) {
        if (CountRings(channel))
            AutoAnswer(channel);
        FollowCallerId(channel);
    }
    if (IsVoltageWatchedLine(record.LineType) && record.AutoAnswered == 1)
        SuperviseAutoAnswer(channel);
    if (HasRecordingFile(record)) {
        record.Ringing = 0;
        record.RingMs = 0;
    }
    if (analogue && record.Ringing == 1 && record.Rec != kRecordVoiceActivated && record.RecordAllActive == 0)
        FollowMissedCall(channel);
    if (HasRecordingFile(record)) {
        CountRecordedTime(channel);
        StreamNewPiece(channel);
    }
}

void PollPcmLinks(CardEngineState& engine) {
    const int count = std::min(engine.PcmCount, kMaxPcmLinks);
    for (int link = 0; link < count; ++link) {
        const uint32_t status = static_cast<uint32_t>(QsdTrk_GetPcmLinkStatus(link));
        engine.PcmLinkStatus[link] = status;
        if (IServiceView* view = GetServiceView()) {
            SYSTEMTIME now;
            ::GetLocalTime(&now);
            view->PcmLinkRow(link, status, now);
        }
        ApplyLinkStatus(link, status);
    }
}

}  // namespace

unsigned __stdcall ChannelPollThread(void* state) {
    CardEngineState& engine = *static_cast<CardEngineState*>(state);
    PassCounts recordAllPasses{};
    while (!WaitForEngineStop(kPassMs)) {
        const int count = std::min(engine.ChannelCount, kMaxChannels);
        for (int channel = 0; channel < count; ++channel) {
            try {
                PollChannel(channel, recordAllPasses[channel]);
            } catch (...) {
                // The channel is looked at again in the next pass.
            }
        }
        try {
            PollPcmLinks(engine);
        } catch (...) {
            // The links are read again in the next pass.
        }
    }
    return 0;
}
