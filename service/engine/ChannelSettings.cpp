#include "engine/ChannelSettings.h"

#include "engine/ChannelTable.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"

#include <string>

namespace {

int ReadChannelInt(int channel, const wchar_t* key, const IntCorrection& correction)
{
    return ReadCorrectedInt(kSectionChannelParam, ChannelKey(channel, key).c_str(), correction);
}

template <size_t N>
void ReadChannelText(int channel, const wchar_t* key, wchar_t (&field)[N])
{
    CopyToField(field, ReadSettingString(kSectionChannelParam, ChannelKey(channel, key).c_str()).c_str());
}

}  // namespace

void LoadChannelSettings(ChannelRecord& record, int channel)
{
    record.Rec = ReadChannelInt(channel, kChannelRec, kChannelRecCorrection);
    ReadChannelText(channel, kChannelName, record.Name);
    ReadChannelText(channel, kChannelPhone, record.Phone);
    ReadChannelText(channel, kChannelKeySave, record.KeySave);
    ReadChannelText(channel, kChannelKeyDel, record.KeyDel);
    record.Trigger = ReadChannelInt(channel, kChannelTrigger, kNotNegativeCorrection);
    record.SoundTime = ReadChannelInt(channel, kChannelSoundTime, kNotNegativeCorrection);
    record.MuteTime = ReadChannelInt(channel, kChannelMuteTime, kNotNegativeCorrection);
    record.PickupVoltage = ReadChannelInt(channel, kChannelPickupVoltage, kPickupVoltageCorrection);
    record.Announcement = ReadChannelInt(channel, kChannelAnnouncement, kNotNegativeCorrection);
    ReadChannelText(channel, kChannelAnnouncementFile, record.AnnouncementFile);
    ReadChannelText(channel, kChannelAutoFile, record.AutoFile);
    record.AutoAnserWaitRingCnt = ReadChannelInt(channel, kChannelAutoAnserWaitRingCnt, kAutoAnswerRingsCorrection);
    record.AutoAnswerMaxTimeLong = ReadChannelInt(channel, kChannelAutoAnswerMaxTimeLong, kAutoAnswerMaxTimeCorrection);
    record.CallerIDFormat = ReadChannelInt(channel, kChannelCallerIDFormat, kNotNegativeCorrection);
    record.HookOnTime = ReadChannelInt(channel, kChannelHookOnTime, kHookOnTimeCorrection);
    record.HookOffTime = ReadChannelInt(channel, kChannelHookOffTime, kHookOffTimeCorrection);
}
