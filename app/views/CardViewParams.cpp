// The channel pane's parameter command: the operator edits one channel's parameters in the parameter dialog; the
// pane stores them in the channel's record, its schedule files, the settings file and the running driver, and on
// request gives every other voice channel the same parameters.

#include "views/CardView.h"

#include "channels/ChannelTable.h"
#include "common/OperatorDialogs.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelSettings.h"
#include "settings/LangText.h"
#include "storage/RecordFields.h"
#include "views/ChannelRowCells.h"

#include <algorithm>
#include <iterator>

namespace {

// Voice-activated recording is refused on a voltage-watched line.
constexpr const wchar_t* kVoiceRefusedTextKey = L"0409";
constexpr const wchar_t* kVoiceRefusedCaptionKey = L"0410";
constexpr const wchar_t* kApplyToAllTextKey = L"0340";
constexpr const wchar_t* kApplyToAllCaptionKey = L"0341";

// The edited channel's line voltage goes to the driver first; in the loop over the other channels it goes last.
enum class VoltageCall { First, Last };

template <size_t N>
void ReplaceText(wchar_t (&field)[N], const wchar_t* text) {
    std::fill(std::begin(field), std::end(field), L'\0');
    CopyToField(field, text);
}

ChannelParamFields FieldsOf(const ChannelRecord& record) {
    ChannelParamFields fields{};
    CopyToField(fields.Name, record.Name);
    CopyToField(fields.Phone, record.Phone);
    CopyToField(fields.KeySave, record.KeySave);
    CopyToField(fields.KeyDel, record.KeyDel);
    CopyToField(fields.AnnouncementFile, record.AnnouncementFile);
    CopyToField(fields.AutoFile, record.AutoFile);
    fields.Trigger = record.Trigger;
    fields.Rec = record.Rec;
    fields.SoundTime = record.SoundTime;
    fields.PickupVoltage = record.PickupVoltage;
    fields.MuteTime = record.MuteTime;
    fields.Announcement = record.Announcement;
    fields.AutoAnswerMaxTimeLong = record.AutoAnswerMaxTimeLong;
    fields.AutoAnserWaitRingCnt = record.AutoAnserWaitRingCnt;
    fields.CallerIDFormat = record.CallerIDFormat;
    fields.HookOffTime = record.HookOffTime;
    fields.HookOnTime = record.HookOnTime;
    std::copy(std::begin(record.RecordAllWeek), std::end(record.RecordAllWeek), fields.RecordAllWeek);
    std::copy(std::begin(record.AutoAnswerWeek), std::end(record.AutoAnswerWeek), fields.AutoAnswerWeek);
    return fields;
}

// Everything the dialog sets but the name, the phone and the record mode.
void StoreSharedFields(ChannelRecord& record, const ChannelParamFields& fields) {
    std::copy(std::begin(fields.RecordAllWeek), std::end(fields.RecordAllWeek), record.RecordAllWeek);
    std::copy(std::begin(fields.AutoAnswerWeek), std::end(fields.AutoAnswerWeek), record.AutoAnswerWeek);
    ReplaceText(record.KeySave, fields.KeySave);
    ReplaceText(record.KeyDel, fields.KeyDel);
    ReplaceText(record.AnnouncementFile, fields.AnnouncementFile);
    ReplaceText(record.AutoFile, fields.AutoFile);
    record.Trigger = fields.Trigger;
    record.SoundTime = fields.SoundTime;
    record.MuteTime = fields.MuteTime;
    record.PickupVoltage = fields.PickupVoltage;
    record.HookOnTime = fields.HookOnTime;
    record.HookOffTime = fields.HookOffTime;
    record.CallerIDFormat = fields.CallerIDFormat;
    record.Announcement = fields.Announcement;
    record.AutoAnserWaitRingCnt = fields.AutoAnserWaitRingCnt;
    record.AutoAnswerMaxTimeLong = fields.AutoAnswerMaxTimeLong;
}

// The parameters the driver of an analogue line works with; digital channels take none. Results are not checked:
// the record and the files hold the values either way.
void ApplyDriverParams(int channel, const ChannelRecord& record, VoltageCall voltage) {
    if (!IsAnalogueLine(record.LineType))
        return;
    if (voltage == VoltageCall::First)
        QsdVox_SetDtrmLineVoltage(channel, static_cast<WORD>(record.PickupVoltage));
    QsdVox_SetFlag(channel, QSD_FLAG_CALLERID_MODE, record.CallerIDFormat == 0 ? 1 : 0);
    if (record.Rec == kRecordVoiceActivated) {
        QsdVox_SetCheckBargeInPara(channel, record.Trigger, record.SoundTime);
        QsdVox_SetVocValidTime(channel, record.MuteTime, record.SoundTime);
    }
    if (voltage == VoltageCall::Last)
        QsdVox_SetDtrmLineVoltage(channel, static_cast<WORD>(record.PickupVoltage));
}

bool RefusesVoiceActivated(const ChannelRecord& record, int rec) {
    return rec == kRecordVoiceActivated && IsVoltageWatchedLine(record.LineType);
}

}  // namespace

void CCardView::OnChannelParams() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    const int channel = ChannelOfRow(row);
    if (channel < 0 || channel >= kMaxChannels)
        return;
    ChannelRecord& record = ChannelTable[channel];
    ChannelParamFields fields = FieldsOf(record);
    if (OperatorDialogs().ChannelParams.Run(this, channel, fields) != IDOK)
        return;
    if (RefusesVoiceActivated(record, fields.Rec)) {
        MessageBox(LangText(kVoiceRefusedTextKey).c_str(), LangText(kVoiceRefusedCaptionKey).c_str(),
                   MB_ICONEXCLAMATION);
        return;
    }

    StoreSharedFields(record, fields);
    ReplaceText(record.Name, fields.Name);
    ReplaceText(record.Phone, fields.Phone);
    record.Rec = fields.Rec;
    StoreChannelParams(record, channel);
    m_channelList.SetItemText(row, kColumnName, record.Name);
    m_channelList.SetItemText(row, kColumnPhone, record.Phone);
    SetRecordModeCell(m_channelList, row, record.Rec);
    ApplyDriverParams(channel, record, VoltageCall::First);

    if (MessageBox(LangText(kApplyToAllTextKey).c_str(), LangText(kApplyToAllCaptionKey).c_str(),
                   MB_YESNO | MB_ICONQUESTION) == IDYES)
        ApplyToOtherChannels(channel, fields);
}

void CCardView::ApplyToOtherChannels(int edited, const ChannelParamFields& fields) {
    const int count = std::min(EngineState.ChannelCount, kMaxChannels);
    for (int channel = 0; channel < count; ++channel) {
        if (channel == edited)
            continue;
        ChannelRecord& record = ChannelTable[channel];
        if (!RefusesVoiceActivated(record, fields.Rec))
            record.Rec = fields.Rec;
        StoreSharedFields(record, fields);
        StoreChannelParams(record, channel);
        // Found by its channel: the operator may have sorted the list.
        SetRecordModeCell(m_channelList, FindChannelRow(m_channelList, channel), record.Rec);
        ApplyDriverParams(channel, record, VoltageCall::Last);
    }
}
