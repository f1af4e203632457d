// HookMonitorThread: the hook state of the voltage-watched lines (line type 6), whose driver reports no pick-up
// or hang-up. Every 50 ms it reads each such line's voltage and sorts it into a band; a band must last for a set
// time before the thread acts on it:
//
//   band       voltage V (negative read as 0)          lasts               action
//   off-hook   2 <= V < PickupVoltage                  HookOffTime (>=50)  OnOffHook
//   on-hook    V >= PickupVoltage                      HookOnTime (>=50)   OnOnHook
//   no line    V < 2 and V < PickupVoltage             2000 ms             OnNoLine
//
//   0 idle --off-hook, not rung--> 2 off-hook (recording starts at the first DTMF digits, DriverEventCallback)
//   4 ringing --off-hook--> 5 incoming recording (greeting played when set)
//   5 or 3 --on-hook--> 0 idle, call finished and queued
//   any --no line--> 1 line error (a call being recorded is finished first)
//
// A band's count goes on while the voltage stays in it and starts again after an excursion into another band; once
// a band has acted, its count starts again, so the action repeats while the band lasts (each action is written to
// be harmless when repeated). Record mode 2 lines are followed but never acted on. The on-hook is not taken during
// the first 10 s of an auto-answered call; its count then starts again.
//
// Shares the channel records with the driver's callbacks and the poll thread without a lock; ends a call (file
// tail and header written) on this thread. Sleeps in WaitForEngineStop and ends when the engine stops.
#include "engine/CallCompletion.h"
#include "engine/CallerIdMode.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelRows.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "engine/EngineThreads.h"
#include "engine/Greetings.h"
#include "engine/RecordingFiles.h"

#include <algorithm>

namespace {

constexpr DWORD kPassMs = 50;
constexpr int kNoLineVolts = 2;
constexpr int kNoLineMs = 2000;
constexpr int kShortestHookMs = 50;
constexpr int kAutoAnswerOnHookGuardSeconds = 10;

enum class Band { NoLine, OffHook, OnHook };

Band BandOf(int volts, int pickupVoltage) {
    if (volts >= pickupVoltage)
        return Band::OnHook;
    return volts < kNoLineVolts ? Band::NoLine : Band::OffHook;
}

// The band found clears the counts of the other two and starts its own unless it is already counting.
void EnterBand(ChannelRecord& record, Band band) {
    struct Count {
        int& Pending;
        int& Ms;
    };
    Count counts[] = {{record.NoLinePending, record.NoLineMs},
                      {record.OffHookPending, record.OffHookMs},
                      {record.OnHookPending, record.OnHookMs}};
    for (int i = 0; i < 3; ++i) {
        Count& count = counts[i];
        if (i != static_cast<int>(band)) {
            count.Pending = 0;
            count.Ms = 0;
        } else if (count.Pending == 0) {
            count.Pending = 1;
            count.Ms = 0;
        }
    }
}

void OnOffHook(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (record.Direction == kDirectionOutgoing) {
        // The line did not ring: an outgoing call, recorded from its first DTMF digits.
        if (!HasRecordingFile(record) && record.State != kStateOffHook) {
            QsdVox_SetFlag(channel, QSD_FLAG_CALLERID_MODE, 0);
            record.State = kStateOffHook;
            ShowChannelOffHook(channel);
        }
        return;
    }
    record.Ringing = 0;
    record.RingMs = 0;
    if (HasRecordingFile(record) || record.AutoAnswered != 0)
        return;
    // Someone picked up a ringing line.
    record.State = kStateIncomingRecording;
    StartLineRecording(record);
    ShowChannelIncomingRecording(channel);
    ShowChannelKeepFlag(channel);
    if (record.Announcement == 1)
        PlayGreeting(channel, record.AnnouncementFile);
}

void EndIncomingCall(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (record.AutoAnswered == 1)
        QsdChl_ClearCall(channel);
    QsdChl_ClearCallerNumber(channel);
    QsdVox_StopPlay(channel);
    QsdVox_ClearRingCount(channel);
    ShowChannelIdle(channel);
    FinishCall(channel, CallEnd::OnHookIncoming);
    record.AutoAnswered = 0;
    QsdVox_StopToneAnalyze(channel);
    QsdVox_ClrRcvDtmfBuf(channel);
    QsdChl_ClearCallerNumber(channel);
    ClearCallInfo(record);
}

void OnOnHook(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (record.Direction == kDirectionIncoming) {
        if (HasRecordingFile(record)) {
            EndIncomingCall(channel);
        } else if (record.State == kStateIncomingRecording) {
            // The answer found no recording folder with room: the call still ends, so the line is free again.
            ShowChannelIdle(channel);
            QsdVox_ClearRingCount(channel);
            ClearCallInfo(record);
        }
        return;
    }
    // An outgoing call, or a pick-up that made no call, ends.
    if (record.State != kStateIdle)
        ShowChannelIdle(channel);
    if (HasRecordingFile(record)) {
        SetCallerIdMode(channel);
        QsdChl_ClearCallerNumber(channel);
        FinishCall(channel, CallEnd::OnHookOutgoing);
    }
    QsdVox_StopToneAnalyze(channel);
    QsdVox_ClrRcvDtmfBuf(channel);
    ClearCallInfo(record);
}

// A line that disappears during a recorded call ends that call like a hang-up (file finished, record queued)
// before it is shown as failed, so the recording is neither left open nor lost.
void OnNoLine(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (HasRecordingFile(record)) {
        FinishCall(channel, record.Direction == kDirectionIncoming ? CallEnd::OnHookIncoming : CallEnd::OnHookOutgoing);
        record.AutoAnswered = 0;
    }
    if (record.State != kStateLineError)
        ShowChannelLineError(channel);
    ClearCallInfo(record);
}

// Counts this pass in the band's time: true once the band has held for limitMs, its count then starting over
// (EnterBand restarts it on the next pass).
bool BandHeld(int& pending, int& ms, int limitMs) {
    ms += kPassMs;
    if (ms < limitMs)
        return false;
    pending = 0;
    ms = 0;
    return true;
}

void FollowOffHook(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.HookOffTime = std::max(record.HookOffTime.load(), kShortestHookMs);
    if (BandHeld(record.OffHookPending, record.OffHookMs, record.HookOffTime) && record.Rec != kRecordVoiceActivated)
        OnOffHook(channel);
}

void FollowOnHook(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.HookOnTime = std::max(record.HookOnTime.load(), kShortestHookMs);
    if (!BandHeld(record.OnHookPending, record.OnHookMs, record.HookOnTime))
        return;
    // The first seconds of an auto-answered call do not end it: the on-hook count starts over.
    if (record.AutoAnswered == 1 && record.RecordedMs / 1000 < kAutoAnswerOnHookGuardSeconds)
        return;
    if (record.Rec != kRecordVoiceActivated)
        OnOnHook(channel);
}

void FollowNoLine(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (BandHeld(record.NoLinePending, record.NoLineMs, kNoLineMs) && record.Rec != kRecordVoiceActivated)
        OnNoLine(channel);
}

void FollowLine(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.LineVoltage = std::max(QsdVox_GetLineVoltage(channel), 0);
    const Band band = BandOf(record.LineVoltage, record.PickupVoltage);
    EnterBand(record, band);
    switch (band) {
        case Band::OffHook:
            FollowOffHook(channel);
            break;
        case Band::OnHook:
            FollowOnHook(channel);
            break;
        case Band::NoLine:
            FollowNoLine(channel);
            break;
    }
}

}  // namespace

void RunHookMonitorPass(const CardEngineState& engine) {
    const int count = std::min(engine.ChannelCount, kMaxChannels);
    for (int channel = 0; channel < count; ++channel) {
        if (!IsVoltageWatchedLine(ChannelTable[channel].LineType))
            continue;
        try {
            FollowLine(channel);
        } catch (...) {
            // The channel is looked at again in the next pass.
        }
    }
}

unsigned __stdcall HookMonitorThread(void* state) {
    const CardEngineState& engine = *static_cast<CardEngineState*>(state);
    while (!WaitForEngineStop(kPassMs))
        RunHookMonitorPass(engine);
    return 0;
}
