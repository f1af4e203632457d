#pragma once
// What the frame's once-a-second housekeeping decides and shows: the status panes' texts, the hourly status row's
// notes, when the machine is restarted, when the call-record lists are emptied and whether the recording folders
// are full. The clock and the restart request are seams, so tests give their own times and never restart the
// machine; the free space of the folders goes through the disk-space seam (settings/DiskSpace.h). Any thread.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

// ---- Seams
// The local time the housekeeping reads: the system's, unless a test installed its own clock.
using HousekeepingClock = SYSTEMTIME (*)();
SYSTEMTIME HousekeepingNow();
// Installs a test clock (null restores the system's); returns the one it replaces.
HousekeepingClock SetHousekeepingClock(HousekeepingClock clock);

// Asks the system to restart now, forced, with the shutdown privilege enabled first when the process may enable
// it. Results are not looked at: the request is simply made again at the next tick.
using RebootRequest = void (*)();
void RequestReboot();
// Installs a test request (null restores the system's); returns the one it replaces.
RebootRequest SetRebootRequest(RebootRequest request);

// ---- Status pane texts
// The language's texts, each read from the language file once: the language stays the same while the program
// runs, and the panes are filled every second. Used by one thread.
class LangTextCache {
public:
    const std::wstring& operator()(const wchar_t* key);

private:
    std::map<std::wstring, std::wstring, std::less<>> m_texts;
};

// Pane 1: the version and whether an operator is logged in.
std::wstring VersionPaneText(LangTextCache& text, bool loggedIn);
// Pane 2: the number of voice channels.
std::wstring ChannelCountPaneText(LangTextCache& text, int voiceChannels);
// Pane 3: the channels recording now, and the calls waiting for the call writer plus the uptime.
std::wstring RecordingPaneText(LangTextCache& text, int recordingChannels, uint32_t queueAndUptime);
// Pane 4 while the disk clean-up works on a day.
std::wstring CleanupDayText(LangTextCache& text, const SYSTEMTIME& day);
// Pane 5: the frame's start and the uptime in seconds as hours:minutes:seconds.
std::wstring UptimePaneText(LangTextCache& text, const SYSTEMTIME& start, uint32_t uptime);

// ---- Decisions
// The hourly status row is written when the uptime is a whole number of hours, never at 0.
inline bool IsHourlyTick(uint32_t uptime) {
    return uptime != 0 && uptime % 3600 == 0;
}
// The hourly row's notes: calls waiting for the call writer, then free and total physical memory in MiB.
std::wstring HourlyStatusNotes(size_t waitingCalls, uint32_t freeMB, uint32_t totalMB);
// True when restarts are enabled for now's weekday (Day0 Sunday to Day6) and now lies from second 50 on in the
// minute AutoHour:AutoMin.
bool IsRebootDue(const SYSTEMTIME& now);
// True from 23:59:55 to the end of the day.
bool IsMidnightResetDue(const SYSTEMTIME& now);
// True when at least one of RecFolder1 to RecFolder5 is set, the volume of at least one set folder could be
// queried, and none of the queried volumes has roomMB free. A volume that cannot be queried (a drive that is gone)
// is passed over: it is no reason to delete recordings elsewhere.
bool RecordingFoldersFull(uint32_t roomMB);
