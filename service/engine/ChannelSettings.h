#pragma once
// A channel's settings in section ChannelParam of the settings file ("Channel%03d" + key, channel + 1).
//
// Reading: out-of-range values are replaced in the record, never in the file, and texts are cut to their fields.
// A missing key gives record mode 0, pick-up voltage 20 V, 3 rings and 30 s for auto-answer, hook-on 800 ms,
// hook-off 100 ms, and 0 or empty for everything else.
//
// Writing, by the operator's channel pane and by a client's channel-parameter command: the values go in as they
// are, in one fixed key order (record mode first). Any thread.

#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"

#include <cstddef>

struct ChannelRecord;

// The replacements of the three values that are not corrected alike by every reader.
struct ChannelSettingCorrections {
    IntCorrection Rec;
    IntCorrection HookOnTime;
    IntCorrection HookOffTime;
};

// The engine's at start-up: record mode 0 to 2, hook times of at least 50 ms.
inline constexpr ChannelSettingCorrections kStartupChannelCorrections{kChannelRecCorrection, kHookOnTimeCorrection,
                                                                      kHookOffTimeCorrection};

inline int ReadChannelInt(int channel, const wchar_t* key, const IntCorrection& correction) {
    return ReadCorrectedInt(kSectionChannelParam, ChannelKey(channel, key).c_str(), correction);
}

template <size_t N>
void ReadChannelText(int channel, const wchar_t* key, wchar_t (&field)[N]) {
    CopyToField(field, ReadSettingString(kSectionChannelParam, ChannelKey(channel, key).c_str()).c_str());
}

// Reads the settings into a record that has their fields by their names: the engine's ChannelRecord, or the
// ChannelParamBlock a client reads.
template <class Record>
void ReadChannelSettings(Record& record, int channel, const ChannelSettingCorrections& corrections) {
    record.Rec = ReadChannelInt(channel, kChannelRec, corrections.Rec);
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
    record.HookOnTime = ReadChannelInt(channel, kChannelHookOnTime, corrections.HookOnTime);
    record.HookOffTime = ReadChannelInt(channel, kChannelHookOffTime, corrections.HookOffTime);
}

// As the engine reads them at start-up, with kStartupChannelCorrections.
void LoadChannelSettings(ChannelRecord& record, int channel);

inline void WriteChannelInt(int channel, const wchar_t* key, int value) {
    WriteSettingInt(kSectionChannelParam, ChannelKey(channel, key).c_str(), value);
}

inline void WriteChannelText(int channel, const wchar_t* key, const wchar_t* text) {
    WriteSettingString(kSectionChannelParam, ChannelKey(channel, key).c_str(), text);
}

// Every key after the record mode, which a writer stores first (WriteChannelInt with kChannelRec) unless it
// refuses the mode: from a ChannelRecord or a ChannelParamBlock, which have the fields by the same names.
template <class Record>
void WriteChannelSettingsAfterRec(const Record& record, int channel) {
    WriteChannelText(channel, kChannelName, record.Name);
    WriteChannelText(channel, kChannelPhone, record.Phone);
    WriteChannelText(channel, kChannelKeySave, record.KeySave);
    WriteChannelText(channel, kChannelKeyDel, record.KeyDel);
    WriteChannelInt(channel, kChannelSoundTime, record.SoundTime);
    WriteChannelInt(channel, kChannelMuteTime, record.MuteTime);
    WriteChannelInt(channel, kChannelTrigger, record.Trigger);
    WriteChannelInt(channel, kChannelPickupVoltage, record.PickupVoltage);
    WriteChannelInt(channel, kChannelAnnouncement, record.Announcement);
    WriteChannelText(channel, kChannelAnnouncementFile, record.AnnouncementFile);
    WriteChannelText(channel, kChannelAutoFile, record.AutoFile);
    WriteChannelInt(channel, kChannelAutoAnserWaitRingCnt, record.AutoAnserWaitRingCnt);
    WriteChannelInt(channel, kChannelAutoAnswerMaxTimeLong, record.AutoAnswerMaxTimeLong);
    WriteChannelInt(channel, kChannelCallerIDFormat, record.CallerIDFormat);
    WriteChannelInt(channel, kChannelHookOnTime, record.HookOnTime);
    WriteChannelInt(channel, kChannelHookOffTime, record.HookOffTime);
}

// Stores what the operator set for a channel: its two schedule files (Config folder created first, a file that
// cannot be written skipped), then every settings key, record mode first. Failures are not reported.
void StoreChannelParams(const ChannelRecord& record, int channel);
