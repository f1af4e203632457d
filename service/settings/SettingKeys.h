#pragma once
// Every section and key of Server_Settings.ini, so that all readers and writers spell them alike.
// Integer keys read -1 when absent, text keys read empty (Settings.h); the corrections applied to them are in
// SettingValues.h.

#include <string>

// Sections.
inline constexpr wchar_t kSectionSettings[] = L"Settings";
inline constexpr wchar_t kSectionSetting[] = L"Setting";  // language and dial dialog, beside "Settings"
inline constexpr wchar_t kSectionChannelParam[] = L"ChannelParam";
inline constexpr wchar_t kSectionSearchRec[] = L"SearchRec";
inline constexpr wchar_t kSectionDBPath[] = L"DBPath";

// Section Settings.
inline constexpr wchar_t kKeyNetPort[] = L"NetPort";
inline constexpr wchar_t kKeyStartRecordByRingSignal[] = L"StartRecordByRingSignal";
inline constexpr wchar_t kKeyMissedRing[] = L"MissedRing";  // ms
inline constexpr wchar_t kKeyStartRecByPickup[] = L"StartRecByPickup";
inline constexpr wchar_t kKeyAudioFmt[] = L"AudioFmt";  // 0 IMA ADPCM, 1 ADPCM then MP3, 2 A-law, 3 mu-law
inline constexpr wchar_t kKeyMinRec[] = L"MinRec";      // s
inline constexpr wchar_t kKeySaveHeimingDanInbound[] = L"SaveHeimingDanInbound";
inline constexpr wchar_t kKeySaveHeimingDanOutbound[] = L"SaveHeimingDanOutbound";
inline constexpr wchar_t kKeyDtmfKeySave[] = L"DtmfKeySave";  // ms
inline constexpr wchar_t kKeyInPopup[] = L"InPopup";
inline constexpr wchar_t kKeyAutoHour[] = L"AutoHour";
inline constexpr wchar_t kKeyAutoMin[] = L"AutoMin";
inline constexpr const wchar_t* kKeyDay[7] = {L"Day0", L"Day1", L"Day2", L"Day3", L"Day4", L"Day5", L"Day6"};
inline constexpr wchar_t kKeyLocalName[] = L"LocalName";
inline constexpr wchar_t kKeyLocalSerialNo[] = L"LocalSerialNo";
inline constexpr const wchar_t* kKeyRecFolderN[5] = {L"RecFolder1", L"RecFolder2", L"RecFolder3", L"RecFolder4",
                                                     L"RecFolder5"};
inline constexpr wchar_t kKeyRecFolder[] = L"RecFolder";  // last folder chosen for copying recordings
inline constexpr wchar_t kKeySaveAs[] = L"SaveAs";
inline constexpr wchar_t kKeyLoginSeverUser[] = L"LoginSeverUser";
inline constexpr wchar_t kKeySearchPhoneKey[] = L"SearchPhoneKey";
inline constexpr wchar_t kKeyFtpBackup[] = L"FtpBackup";
inline constexpr const wchar_t* kKeyFtpAllDay[7] = {L"FtpAllDay0", L"FtpAllDay1", L"FtpAllDay2", L"FtpAllDay3",
                                                    L"FtpAllDay4", L"FtpAllDay5", L"FtpAllDay6"};
inline constexpr wchar_t kKeyFtpServer[] = L"FtpServer";  // IPv4, first octet most significant, signed decimal
inline constexpr wchar_t kKeyFtpPort[] = L"FtpPort";
inline constexpr wchar_t kKeyFtpUserName[] = L"FtpUserName";
inline constexpr wchar_t kKeyFtpUserPsw[] = L"FtpUserPsw";
inline constexpr wchar_t kKeyFtpFromHour[] = L"FtpFromHour";
inline constexpr wchar_t kKeyFtpFromMin[] = L"FtpFromMin";
inline constexpr wchar_t kKeyFtpToHour[] = L"FtpToHour";
inline constexpr wchar_t kKeyFtpToMin[] = L"FtpToMin";

// Section Setting.
inline constexpr wchar_t kKeyLanguage[] = L"Language";  // one of the kLanguageName texts
inline constexpr wchar_t kKeyLanguageID[] = L"LanguageID";
inline constexpr wchar_t kKeyDialNum[] = L"DialNum";
inline constexpr wchar_t kKeyDialLine[] = L"DialLine";

// Section SearchRec: ticked criteria, then the texts of the record search form.
inline constexpr const wchar_t* kKeyCheck[11] = {L"Check1", L"Check2", L"Check3", L"Check4",  L"Check5", L"Check6",
                                                 L"Check7", L"Check8", L"Check9", L"Check10", L"Check18"};
inline constexpr wchar_t kKeyPhoneNumber[] = L"PhoneNumber";
inline constexpr wchar_t kKeyPhoneName[] = L"PhoneName";
inline constexpr wchar_t kKeyExt[] = L"Ext";
inline constexpr wchar_t kKeyExtName[] = L"ExtName";
inline constexpr wchar_t kKeyNotes[] = L"Notes";
inline constexpr wchar_t kKeyMin[] = L"Min";
inline constexpr wchar_t kKeyMax[] = L"Max";
inline constexpr wchar_t kKeyChannelName[] = L"ChannelName";
inline constexpr wchar_t kKeyChannelPhone[] = L"ChannelPhone";

// Section DBPath: full database paths, written at every start, read by nothing.
inline constexpr wchar_t kKeyMyContact[] = L"MyContact";
inline constexpr wchar_t kKeyMyLoginServer[] = L"MyLoginServer";
inline constexpr wchar_t kKeyMyLoginClient[] = L"MyLoginClient";
inline constexpr wchar_t kKeyMyFtp[] = L"MyFtp";

// Section ChannelParam: one group per channel, "Channel%03d" (driver channel + 1) followed by the suffix.
inline constexpr wchar_t kChannelRec[] = L"Rec";
inline constexpr wchar_t kChannelName[] = L"Name";
inline constexpr wchar_t kChannelPhone[] = L"Phone";
inline constexpr wchar_t kChannelKeySave[] = L"KeySave";
inline constexpr wchar_t kChannelKeyDel[] = L"KeyDel";
inline constexpr wchar_t kChannelTrigger[] = L"Trigger";
inline constexpr wchar_t kChannelSoundTime[] = L"SoundTime";
inline constexpr wchar_t kChannelMuteTime[] = L"MuteTime";
inline constexpr wchar_t kChannelPickupVoltage[] = L"PickupVoltage";
inline constexpr wchar_t kChannelAnnouncement[] = L"Announcement";
inline constexpr wchar_t kChannelAnnouncementFile[] = L"AnnouncementFile";
inline constexpr wchar_t kChannelAutoFile[] = L"AutoFile";
inline constexpr wchar_t kChannelAutoAnserWaitRingCnt[] = L"AutoAnserWaitRingCnt";
inline constexpr wchar_t kChannelAutoAnswerMaxTimeLong[] = L"AutoAnswerMaxTimeLong";
inline constexpr wchar_t kChannelCallerIDFormat[] = L"CallerIDFormat";
inline constexpr wchar_t kChannelHookOnTime[] = L"HookOnTime";
inline constexpr wchar_t kChannelHookOffTime[] = L"HookOffTime";

// "Channel%03d<suffix>" for the 0-based driver channel.
std::wstring ChannelKey(int channel, const wchar_t* suffix);
