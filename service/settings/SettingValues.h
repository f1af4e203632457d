#pragma once
// Corrected reads of Server_Settings.ini: the replacements the server applies to out-of-range values, and the
// values read once at start-up that the engine and the remote-client server hold for the life of the process.
// Each correction is a row below; a reader applies it with ReadCorrectedInt. Any thread.

#include <atomic>
#include <climits>

// Values outside [Low, High] are read as Replacement; with WriteBack the replacement is also stored.
struct IntCorrection {
    int Low;
    int High;
    int Replacement;
    bool WriteBack;
};

// Section Settings, as read at start-up (and by the settings dialog for MissedRing and StartRecByPickup). A port
// number that does not fit 16 bits is no port: it is refused like one below 1, not cut to its low 16 bits.
inline constexpr IntCorrection kNetPortCorrection{1, 65535, 6691, false};
inline constexpr IntCorrection kStartRecordByRingSignalCorrection{0, INT_MAX, 0, false};
inline constexpr IntCorrection kMissedRingCorrection{2000, INT_MAX, 6000, true};
inline constexpr IntCorrection kStartRecByPickupCorrection{0, 1, 1, true};
// Section Settings, as read at every recording start; the settings dialog stores its value when it saves.
inline constexpr IntCorrection kAudioFmtCorrection{0, 3, 0, false};
// Section Settings, as read by the settings dialog.
inline constexpr IntCorrection kMinRecDialogCorrection{0, INT_MAX, 5, true};
inline constexpr IntCorrection kInPopupDialogCorrection{0, INT_MAX, 0, true};
inline constexpr IntCorrection kAudioFmtDialogCorrection{0, 3, 0, true};
// AutoHour, AutoMin and Day0..Day6 in the settings dialog; LanguageID and DialLine of section Setting; the
// Trigger, SoundTime, MuteTime, Announcement and CallerIDFormat keys of a channel at start-up.
inline constexpr IntCorrection kNotNegativeCorrection{0, INT_MAX, 0, false};
// Section ChannelParam, as read by the channel configuration at start-up (the file is never changed).
inline constexpr IntCorrection kChannelRecCorrection{0, 2, 0, false};
inline constexpr IntCorrection kPickupVoltageCorrection{0, INT_MAX, 20, false};
inline constexpr IntCorrection kAutoAnswerRingsCorrection{0, INT_MAX, 3, false};
inline constexpr IntCorrection kAutoAnswerMaxTimeCorrection{0, INT_MAX, 30, false};
inline constexpr IntCorrection kHookOnTimeCorrection{50, INT_MAX, 800, false};
inline constexpr IntCorrection kHookOffTimeCorrection{50, INT_MAX, 100, false};

int ReadCorrectedInt(const wchar_t* section, const wchar_t* key, const IntCorrection& correction);

// DtmfKeySave in ms: 0 switches the keep/delete key timer off; any other value (an absent key included) is at
// least 3000.
int ReadDtmfKeySave();

// The language number of settings Language ("ChineseSimplified", "ChineseTraditional", "English"), or else of
// LanguageID (below 0 read as 0).
int ReadLanguageSetting();

// Settings read once at start-up and held in memory. MissedRing may be changed by the poll thread.
struct StartupSettings {
    std::atomic<int> NetPort{6691};
    std::atomic<int> StartRecordByRingSignal{0};
    std::atomic<int> MissedRing{6000};  // ms
    std::atomic<int> StartRecByPickup{1};
};

extern StartupSettings Startup;

// Start-up reading, in the program's start-up order: sets LanguageNumber, then reads NetPort,
// StartRecordByRingSignal, MissedRing and StartRecByPickup into Startup with their corrections (MissedRing and
// StartRecByPickup written back). Called once, before the engine and the server threads start.
void LoadStartupSettings();
