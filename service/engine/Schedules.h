#pragma once
// The channel schedule files "<program folder>\Config\RecordAll%03d.db" and "...\AutoAnswer%03d.db" (channel + 1):
// seven raw ScheduleDayBlocks, Sunday first, 1008 bytes, nothing before or after. Read once at start-up into the
// channel's weeks; written by the channel-parameter dialog and the remote channel-parameter command. Any thread.

#include "records/EngineRecords.h"

#include <string>

struct ChannelRecord;

constexpr int kScheduleFileBytes = kScheduleDays * static_cast<int>(sizeof(ScheduleDayBlock));

// Paths of a channel's two schedule files (channel is the 0-based driver channel).
std::wstring RecordAllSchedulePath(int channel);
std::wstring AutoAnswerSchedulePath(int channel);

// Fills the week with the default of a missing file: every window starts and ends today at 08:00 (the current
// seconds and milliseconds kept), all disabled.
void SetDefaultScheduleWeek(ScheduleDayBlock (&week)[kScheduleDays]);

// Reads a schedule file into the week. A file that does not open gives the default week; a short file leaves the
// days it does not supply as they were.
void ReadScheduleWeek(const std::wstring& path, ScheduleDayBlock (&week)[kScheduleDays]);

// Writes the week to a new file (replacing an old one, not shared while open). False when it cannot be created or
// written.
bool WriteScheduleWeek(const std::wstring& path, const ScheduleDayBlock (&week)[kScheduleDays]);

// Both files of one channel into or out of its record. Saving creates the Config folder first; a file that
// cannot be written is skipped.
void LoadChannelSchedules(ChannelRecord& record, int channel);
void SaveChannelSchedules(const ChannelRecord& record, int channel);
