// ChannelConfigThread: the one-shot start-up thread of the engine. It gives the rest of the start-up 5 s, then
// starts the boards and configures every channel (ConfigureChannels) and ends. The engine threads run meanwhile
// and scan the channels as soon as the boards have started, and driver events may arrive for channels whose
// settings are not read yet. It takes no lock; when the engine is stopped it ends after the channel in hand.
//
// Start-up state of a channel, from the driver's type and the line voltage V:
//   spy channel ........................... 17 no line, until its PCM link is seen up
//   analogue line, V <= 3 ................. 17 no line
//   analogue line, 3 < V < PickupVoltage .. 8 off-hook
//   analogue line, V >= PickupVoltage ..... 0 idle
#include "engine/ChannelConfig.h"

#include "ServiceView.h"
#include "engine/BoardStartup.h"
#include "engine/CardEngineState.h"
#include "engine/CallerIdMode.h"
#include "engine/CardInfoLog.h"
#include "engine/ChannelRows.h"
#include "engine/ChannelSettings.h"
#include "channels/ChannelTable.h"
#include "channels/DriverBinding.h"
#include "engine/EngineThreads.h"
#include "engine/Schedules.h"

#include <algorithm>

namespace {

constexpr DWORD kStartupDelayMs = 5000;
constexpr int kNoLineVolts = 3;  // at or below: no line at start-up

void ShowProgress(int done, int total) {
    if (IServiceView* view = GetServiceView())
        view->StartupProgress(done, total);
}

void ReadChannelConfiguration(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    record.DriverChannel = channel;
    LoadChannelSettings(record, channel);
    LoadChannelSchedules(record, channel);
}

void SetStartupState(int channel, int& nextCic) {
    ChannelRecord& record = ChannelTable[channel];
    if (IsSpyChannel(record.LineType)) {
        record.SpyCic = nextCic++;
        record.LineVoltage = 0;
        ShowChannelLineError(channel);
        record.State = kStateNoLine;
        return;
    }
    record.LineVoltage = QsdVox_GetLineVoltage(channel);
    record.SpyCic = channel;
    if (record.LineVoltage <= kNoLineVolts) {
        ShowChannelLineError(channel);
        record.State = kStateNoLine;
    } else if (record.LineVoltage < record.PickupVoltage) {
        ShowChannelOffHook(channel);
        record.State = kStateOffHookAtStartup;
    } else {
        ShowChannelIdle(channel);
        record.State = kStateIdle;
    }
}

// The channel's detection settings, as the driver needs them for its line kind.
void SendDriverSettings(int channel) {
    ChannelRecord& record = ChannelTable[channel];
    if (!IsAnalogueLine(record.LineType))
        return;
    SetCallerIdMode(channel);
    // Voice-activated recording is not offered on voltage-watched lines.
    if (IsVoltageWatchedLine(record.LineType) && record.Rec == kRecordVoiceActivated)
        record.Rec = kRecordByLineState;
    if (record.Rec == kRecordVoiceActivated) {
        QsdVox_SetCheckBargeInPara(channel, record.Trigger, record.SoundTime);
        QsdVox_SetVocValidTime(channel, record.MuteTime, record.SoundTime);
    }
    QsdVox_SetDtrmLineVoltage(channel, static_cast<WORD>(record.PickupVoltage & 0xFFFF));
}

}  // namespace

void ConfigureChannels() {
    StartBoards();
    const int count = std::min(EngineState.ChannelCount, kMaxChannels);

    ShowProgress(0, kMaxChannels);
    for (int channel = 0; channel < count; ++channel) {
        if (WaitForEngineStop(0))
            return;
        ReadChannelConfiguration(channel);
        ShowProgress(channel + 1, kMaxChannels);
    }

    ShowProgress(0, count);
    int nextCic = 0;
    for (int channel = 0; channel < count; ++channel) {
        if (WaitForEngineStop(0))
            return;
        ChannelRecord& record = ChannelTable[channel];
        record.Present = 1;
        record.LineType = QsdChl_GetType(channel);
        record.State = QsdChl_GetState(channel);
        AppendChannelInfoLine(record.LineType, record.State);
        SetStartupState(channel, nextCic);
        SendDriverSettings(channel);
        ShowProgress(channel + 1, count);
    }
    FillChannelList();
}

unsigned __stdcall ChannelConfigThread(void*) {
    if (WaitForEngineStop(kStartupDelayMs))
        return 0;
    try {
        ConfigureChannels();
    } catch (...) {
        // Nothing may unwind out of the thread; the channels configured so far stay as they are.
    }
    return 0;
}
