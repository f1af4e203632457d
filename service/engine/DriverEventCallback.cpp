// The channel states this callback moves a channel through (the state functions of ChannelRows.h write them):
//
//   event-driven line (types 7, 8)
//     ring start / ring ............................ -> 4 ringing                      OnLineRing
//     pick-up after ringing ........................ 4 -> 5 incoming recording         OnLinePickup
//     pick-up without ringing ...................... -> 3 outgoing recording, or 2 off-hook (StartRecByPickup 0)
//     first DTMF digits with no recording .......... 2 -> 3                            OnDtmf
//     stop ......................................... -> 0, call finished              StopLineRecording
//     line error ................................... -> 1, call finished              OnLineError
//     line lost .................................... -> 1, a recorded call finished   OnLineLost
//     mode 2: voice ................................ -> 6, silence -> 7, call finished OnVoice, OnSilence
//   voltage-watched line (type 6): only DTMF (2 -> 3), playback end and the busy tone of an auto-answered call;
//     its hook state comes from HookMonitorThread.
//   spy channel
//     alerting ..................................... -> 14 (out) or 4 (in); with StartRecordByRingSignal
//                                                       recording from here: 3 or 5         OnSpyAlerting
//     answer ....................................... -> 3 or 5, recording                 OnSpyAnswer
//     release ...................................... -> 0, call finished or missed call  OnSpyRelease
//     any event while the PCM link is down ......... call finished, -> 1
#include "engine/DriverEventCallback.h"

#include "ServiceView.h"
#include "engine/CallCompletion.h"
#include "engine/CallerIdMode.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelRows.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "engine/RecordingFiles.h"
#include "settings/SettingValues.h"
#include "storage/RecordFields.h"

#include <cstring>
#include <cwchar>

namespace {

constexpr int kMostDtmfDigits = 32;  // a longer DTMF text is not taken
constexpr int kBusyTonesToRelease = 2;

// Reads a number the driver writes into a caller's 64-byte buffer into a field, always terminated.
template <class Read>
void ReadNumber(Read read, int id, char (&field)[QSD_NUMBER_BYTES]) {
    char number[QSD_NUMBER_BYTES] = {};
    read(id, number);
    number[QSD_NUMBER_BYTES - 1] = '\0';
    std::memcpy(field, number, sizeof(number));
}

void ReadSpyNumbers(ChannelRecord& record) {
    ReadNumber(QsdSpy_GetCallerId, record.SpyCic, record.SpyCallerId);
    ReadNumber(QsdSpy_GetCalleeId, record.SpyCic, record.SpyCalleeId);
}

void RefillCallerId(ChannelRecord& record) {
    if (record.CallerId[0] == '\0')
        ReadNumber(QsdSpy_GetCallerId, record.SpyCic, record.CallerId);
}

// An incoming call reports its outgoing side on the lower channel.
int SpyDirection(const ChannelRecord& record) {
    return QsdSpy_GetCallOutCh(record.SpyCic) < QsdSpy_GetCallInCh(record.SpyCic) ? 1 : 0;
}

// The spy events name a CIC: the first spy channel that carries it, with its call sides refreshed; else the
// channel whose number is the value given.
int ChannelOfCic(int cic) {
    for (int channel = 0; channel < EngineState.ChannelCount && channel < kMaxChannels; ++channel) {
        ChannelRecord& record = ChannelTable[channel];
        if (IsSpyChannel(record.LineType) && record.SpyCic == cic) {
            record.CallInCh = QsdSpy_GetCallInCh(cic);
            record.CallOutCh = QsdSpy_GetCallOutCh(cic);
            ShowChannelLineInfo(channel);
            return channel;
        }
    }
    return cic;
}

void RefreshLineVoltage(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    const int volts = QsdVox_GetLineVoltage(channel);
    if (volts != record.LineVoltage) {
        record.LineVoltage = volts;
        ShowChannelLineInfo(channel);
    }
}

void StartSpyCallRecording(int channel, bool incoming) {
    ChannelRecord& record = ChannelTable[channel];
    StartSpyRecording(record);
    if (incoming)
        ShowChannelIncomingRecording(channel);
    else
        ShowChannelOutgoingRecording(channel);
    ShowChannelKeepFlag(channel);
}

void OnSpyRelease(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (record.RecordedMs <= 0 && record.RingCount > 0)
        QueueSpyMissedCall(channel, record.Direction);
    else
        StopSpyRecording(channel, record.Direction);
    ShowChannelIdle(channel);
}

void OnSpyAnswer(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.Direction = SpyDirection(record);
    record.SpyConnected = 1;
    if (record.Direction == kDirectionOutgoing) {
        ReadNumber(QsdChl_CalleeNumberGet, channel, record.DialledDigits);
        ReadSpyNumbers(record);
        ShowChannelDialledNumber(channel);
        if (!HasRecordingFile(record))
            StartSpyCallRecording(channel, false);
        return;
    }
    RefillCallerId(record);
    ReadSpyNumbers(record);
    ShowChannelCallerId(channel);
    if (!HasRecordingFile(record)) {
        record.State = kStateIncomingRecording;
        StartSpyCallRecording(channel, true);
    }
}

void OnSpyNumbers(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (record.Direction == kDirectionIncoming) {
        RefillCallerId(record);
        ReadSpyNumbers(record);
        ShowChannelCallerId(channel);
    } else {
        ReadNumber(QsdChl_CalleeNumberGet, channel, record.DialledDigits);
        ReadSpyNumbers(record);
        ShowChannelDialledNumber(channel);
    }
}

void OnSpyAlerting(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.Direction = SpyDirection(record);
    const bool recordFromRing = Startup.StartRecordByRingSignal != 0;
    if (record.Direction == kDirectionOutgoing) {
        ReadNumber(QsdChl_CalleeNumberGet, channel, record.DialledDigits);
        ReadSpyNumbers(record);
        ShowChannelDialledNumber(channel);
        ShowChannelOutgoingConnect(channel);
        if (!recordFromRing)
            return;
        record.State = kStateOutgoingRecording;
        if (HasRecordingFile(record))
            ShowChannelOutgoingRecording(channel);
        else
            StartSpyCallRecording(channel, false);
        return;
    }
    ++record.RingCount;
    ShowChannelRinging(channel);
    RefillCallerId(record);
    ReadSpyNumbers(record);
    ShowChannelCallerId(channel);
    if (!recordFromRing)
        return;
    record.State = kStateIncomingRecording;
    if (HasRecordingFile(record))
        ShowChannelIncomingRecording(channel);
    else
        StartSpyCallRecording(channel, true);
}

void OnSpyCall(int channel, int parameter) {
    ChannelRecord& record = ChannelTable[channel];
    if (record.LinkLost) {
        StopSpyRecording(channel, record.Direction);
        ShowChannelLinkLost(channel);
        return;
    }
    switch (parameter) {
        case QSD_SPY_RELEASE:
            OnSpyRelease(channel);
            break;
        case QSD_SPY_ANSWER:
            OnSpyAnswer(channel);
            break;
        case QSD_SPY_NUMBERS:
            OnSpyNumbers(channel);
            break;
        case QSD_SPY_ALERTING:
            OnSpyAlerting(channel);
            break;
        default:
            break;
    }
}

// Record mode 1: a key found in the received digits from DtmfPos on decides whether the recording survives.
// The received text keeps growing until the driver's DTMF buffer is cleared, so each match moves DtmfPos on by
// the key's length and the same keys can decide again later in the call.
bool MatchKey(ChannelRecord& record, const wchar_t* digits, const wchar_t* key) {
    const size_t keyLength = wcsnlen(key, std::size(record.KeySave));
    const size_t length = std::wcslen(digits);
    if (keyLength < 2 || record.DtmfPos < 0 || static_cast<size_t>(record.DtmfPos) > length)
        return false;
    if (!std::wcsstr(digits + record.DtmfPos, key))
        return false;
    record.DtmfPos += static_cast<int>(keyLength);
    return true;
}

void ApplyKeepKeys(int channel, const char* text) {
    ChannelRecord& record = ChannelTable[channel];
    wchar_t digits[QSD_NUMBER_BYTES];
    FormatToField(digits, L"%hs", text);
    if (MatchKey(record, digits, record.KeySave)) {
        record.KeepRecording = 1;
        ShowChannelKeepFlag(channel);
    }
    if (MatchKey(record, digits, record.KeyDel)) {
        record.KeepRecording = 0;
        ShowChannelKeepFlag(channel);
    }
}

void OnDtmf(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if ((IsSpyChannel(record.LineType) && record.LinkLost) || record.State == kStateIdle ||
        record.State == kStateRinging || record.RecordAllActive == 1)
        return;
    if (QsdVox_GetRcvDtmfLen(channel) > kMostDtmfDigits)
        return;
    char text[QSD_NUMBER_BYTES] = {};
    if (QsdVox_GetDtmfStr(channel, text, 0) < 1)
        return;
    text[QSD_NUMBER_BYTES - 1] = '\0';

    record.DtmfActive = 1;
    record.DtmfIdleMs = 0;
    if (record.NumberFrozen == 0)
        std::memcpy(record.DialledDigits, text, sizeof(text));
    if (record.Rec == kRecordVoiceActivated) {
        ShowChannelDialledNumber(channel);
        return;
    }
    if (record.Direction == kDirectionOutgoing && !HasRecordingFile(record)) {
        StartLineRecording(record);
        ShowChannelOutgoingRecording(channel);
        ShowChannelKeepFlag(channel);
    }
    ShowChannelDialledNumber(channel);
    if (record.Rec == kRecordDtmfKeepDelete)
        ApplyKeepKeys(channel, text);
}

void OnLinePickup(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (IsVoltageWatchedLine(record.LineType) || record.Rec == kRecordVoiceActivated || HasRecordingFile(record))
        return;
    record.RingMs = 0;
    record.Ringing = 0;
    if (record.Direction == kDirectionIncoming) {
        record.State = kStateIncomingRecording;
        StartLineRecording(record);
        ShowChannelIncomingRecording(channel);
        ShowChannelKeepFlag(channel);
    } else if (Startup.StartRecByPickup != 1) {
        record.State = kStateOffHook;
        ShowChannelOffHook(channel);
    } else {
        StartLineRecording(record);
        ShowChannelOutgoingRecording(channel);
        ShowChannelKeepFlag(channel);
    }
}

bool TakesRings(const ChannelRecord& record) {
    return record.Rec != kRecordVoiceActivated && !HasRecordingFile(record);
}

void MarkRinging(ChannelRecord& record) {
    record.State = kStateRinging;
    record.Direction = kDirectionIncoming;
    record.Ringing = 1;
    record.RingMs = 0;
}

// Ringing starts: the line is marked as ringing without a row; the ring events count the rings.
void OnLineRingStart(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (TakesRings(record))
        MarkRinging(record);
}

void OnLineRing(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (!TakesRings(record))
        return;
    ++record.RingCount;
    MarkRinging(record);
    if (record.RingCount == 1) {
        SetCallerIdMode(channel);
        ::GetLocalTime(&record.StartTime);
    }
    ShowChannelRinging(channel);
}

// A lost line ends a recorded call like any other end of call (file finished, record queued) before the row
// shows the loss, so the recording is neither left open nor lost.
void OnLineLost(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (record.Rec == kRecordVoiceActivated)
        return;
    if (HasRecordingFile(record))
        FinishCall(channel, CallEnd::Line);
    ShowChannelLinkLost(channel);
}

void OnLineError(int channel) {
    const ChannelRecord& record = ChannelTable[channel];
    if (IsVoltageWatchedLine(record.LineType) || record.Rec == kRecordVoiceActivated)
        return;
    ShowChannelLineError(channel);
    FinishCall(channel, CallEnd::LineError);
}

void OnLineState(int channel, int parameter) {
    const ChannelRecord& record = ChannelTable[channel];
    if (record.RecordAllActive == 1)
        return;
    switch (parameter) {
        case QSD_LINE_STOP:
            if (!IsVoltageWatchedLine(record.LineType))
                StopLineRecording(channel);
            break;
        case QSD_LINE_LOST:
            OnLineLost(channel);
            break;
        case QSD_LINE_PICKUP:
            OnLinePickup(channel);
            break;
        case QSD_LINE_RING_START:
            OnLineRingStart(channel);
            break;
        case QSD_LINE_RING:
            OnLineRing(channel);
            break;
        case QSD_LINE_ERROR:
            OnLineError(channel);
            break;
        default:
            break;
    }
}

bool TakesVoiceEvents(const ChannelRecord& record) {
    return record.RecordAllActive == 0 && !IsVoltageWatchedLine(record.LineType) && record.Rec == kRecordVoiceActivated;
}

void OnVoice(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (!TakesVoiceEvents(record) || HasRecordingFile(record))
        return;
    StartLineRecording(record);
    ShowChannelVoiceRecording(channel);
    ShowChannelKeepFlag(channel);
}

void OnSilence(int channel) {
    if (!TakesVoiceEvents(ChannelTable[channel]))
        return;
    ShowChannelVoiceWaiting(channel);
    FinishCall(channel, CallEnd::VoiceStop);
}

// An auto-answered call whose caller hung up: the busy tone counted twice releases the line, and the hook monitor
// then sees the on-hook and ends the call.
void OnBusyTone(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (!IsVoltageWatchedLine(record.LineType) || record.AutoAnswered != 1)
        return;
    if (QsdVox_GetBusyToneCount(channel) >= kBusyTonesToRelease) {
        record.DialActive = 0;
        QsdChl_ClearCall(channel);
    }
}

void HandleEvent(int event, int channel, int parameter) {
    if (!MainWindowExists() || channel < 0 || channel >= kMaxChannels)
        return;
    if (event == QSD_EVT_SPY_CIC || event == QSD_EVT_SPY_CALL)
        channel = ChannelOfCic(channel);
    else if (IsAnalogueLine(ChannelTable[channel].LineType))
        RefreshLineVoltage(channel);

    switch (event) {
        case QSD_EVT_SPY_CALL:
            OnSpyCall(channel, parameter);
            break;
        case QSD_EVT_DTMF:
            OnDtmf(channel);
            break;
        case QSD_EVT_PLAY_END:
            if (IsVoltageWatchedLine(ChannelTable[channel].LineType))
                QsdVox_StopPlay(channel);
            break;
        case QSD_EVT_LINE:
            OnLineState(channel, parameter);
            break;
        case QSD_EVT_VOICE_ON:
            OnVoice(channel);
            break;
        case QSD_EVT_VOICE_OFF:
            OnSilence(channel);
            break;
        case QSD_EVT_BUSY_TONE:
            OnBusyTone(channel);
            break;
        default:
            break;
    }
}

}  // namespace

int WINAPI DriverEventCallback(WORD event, int channel, WORD parameter, DWORD_PTR) {
    try {
        HandleEvent(event, channel, parameter);
    } catch (...) {
        // Nothing may unwind into the driver.
    }
    return 0;
}
