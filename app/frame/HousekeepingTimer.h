#pragma once
// CHousekeepingTimer: the work of the frame's once-a-second timer. Each tick counts the uptime, fills status panes
// 5, 2, 3 and 1, writes the hourly status row, restarts the machine at the configured weekday and time, empties the
// call-record lists just before midnight and, once a minute, starts the disk clean-up when the recording folders
// are full. It owns the clean-up and midnight threads.
//
// A member of the frame; Tick runs on the UI thread from the frame's timer, and Stop is called by the frame's
// destruction before its windows go.

#include "frame/DiskCleanup.h"
#include "frame/Housekeeping.h"
#include "frame/MidnightReset.h"

#include <cstdint>

class CMainFrame;

class CHousekeepingTimer {
public:
    explicit CHousekeepingTimer(CMainFrame& frame) : m_frame(frame) {}

    // One tick at the local time now.
    void Tick(const SYSTEMTIME& now);
    // Stops the clean-up and midnight threads (each with a bound).
    void Stop();

private:
    void SetPaneText(int pane, const std::wstring& text);
    void WriteHourlyStatusRow();
    int RecordingChannelCount() const;
    void CheckDiskSpace();

    CMainFrame& m_frame;
    uint32_t m_uptime = 0;       // ticks since the frame's start, as seconds
    uint32_t m_minuteTicks = 0;  // ticks since the last disk check
    LangTextCache m_texts;
    CDiskCleanup m_diskCleanup;
    CMidnightReset m_midnightReset;
};
