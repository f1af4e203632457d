#include "engine/ChannelRows.h"

#include "ServiceView.h"
#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "clients/ClientPushes.h"
#include "settings/LangText.h"
#include "storage/RecordFields.h"
#include "storage/SysLogStore.h"

#include <windows.h>

#include <iterator>
#include <memory>

namespace {

bool IsRowChannel(int channel) {
    return channel >= 0 && channel < kMaxChannels;
}

void Tell(int channel, ChannelRowChange what) {
    if (IServiceView* view = GetServiceView())
        view->ChannelRowChanged(channel, what);
}

// The common shape of the state functions: state, push by line type, view.
void ShowState(int channel, ChannelState state, ChannelRowChange what) {
    if (!IsRowChannel(channel))
        return;
    ChannelTable[channel].State = state;
    PushChannelStatus(channel);
    Tell(channel, what);
}

// The cell functions that push: no state, push by line type, view.
void ShowCell(int channel, ChannelRowChange what) {
    if (!IsRowChannel(channel))
        return;
    PushChannelStatus(channel);
    Tell(channel, what);
}

void WriteLineErrorLogRow(int channel) {
    const ChannelRecord& record = ChannelTable[channel];
    wchar_t notes[250];
    FormatToField(notes, L"%ls(%ls %ls %03d)", LangText(L"0266").c_str(), record.Name, record.Phone, channel + 1);
    // Queued: this runs on the hook monitor and the driver's event thread.
    QueueSysLogEvent(kSysLogLineError, LangText(L"0291").c_str(), notes);
}

}  // namespace

void ShowChannelIdle(int channel) {
    ShowState(channel, kStateIdle, ChannelRowChange::Idle);
}

void ShowChannelLineError(int channel) {
    if (!IsRowChannel(channel))
        return;
    ChannelTable[channel].State = kStateLineError;
    PushAnalogChannelStatus(channel);
    WriteLineErrorLogRow(channel);
    Tell(channel, ChannelRowChange::LineError);
}

void ShowChannelLinkLost(int channel) {
    ShowState(channel, kStateLineError, ChannelRowChange::LinkLost);
}

void ShowChannelOffHook(int channel) {
    ShowState(channel, kStateOffHook, ChannelRowChange::OffHook);
}

void ShowChannelOutgoingRecording(int channel) {
    ShowState(channel, kStateOutgoingRecording, ChannelRowChange::OutgoingRecording);
}

void ShowChannelRinging(int channel) {
    ShowState(channel, kStateRinging, ChannelRowChange::Ringing);
}

void ShowChannelIncomingRecording(int channel) {
    ShowState(channel, kStateIncomingRecording, ChannelRowChange::IncomingRecording);
}

void ShowChannelVoiceRecording(int channel) {
    ShowState(channel, kStateVoiceRecording, ChannelRowChange::VoiceRecording);
}

void ShowChannelVoiceWaiting(int channel) {
    ShowState(channel, kStateVoiceWaiting, ChannelRowChange::VoiceWaiting);
}

void ShowChannelOutgoingConnect(int channel) {
    if (!IsRowChannel(channel))
        return;
    ChannelTable[channel].State = kStateSpyOutgoingConnect;
    PushSpyChannelStatus(channel);
    Tell(channel, ChannelRowChange::OutgoingConnect);
}

void ShowChannelCallerId(int channel) {
    ShowCell(channel, ChannelRowChange::CallerId);
}

void ShowChannelDialledNumber(int channel) {
    ShowCell(channel, ChannelRowChange::DialledNumber);
}

void ShowChannelLineInfo(int channel) {
    if (IsRowChannel(channel))
        Tell(channel, ChannelRowChange::LineInfo);
}

void ShowChannelCallTime(int channel) {
    ShowCell(channel, ChannelRowChange::CallTime);
}

void ShowChannelKeepFlag(int channel) {
    if (IsRowChannel(channel) && ChannelTable[channel].Rec == kRecordDtmfKeepDelete)
        ShowCell(channel, ChannelRowChange::KeepFlag);
}

void FillChannelList() {
    const int count = EngineState.ChannelCount;
    if (IServiceView* view = GetServiceView())
        view->ChannelsReady(count);
    for (int channel = 0; channel < count; ++channel) {
        switch (ChannelTable[channel].State) {
            case kStateIdle:
                ShowChannelIdle(channel);
                break;
            case kStateOffHookAtStartup:
                ShowChannelOffHook(channel);
                break;
            case kStateNoLine:
                ShowChannelLineError(channel);
                break;
            default:
                break;
        }
    }
}
