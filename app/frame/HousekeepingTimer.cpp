#include "frame/HousekeepingTimer.h"

#include "channels/ChannelTable.h"
#include "common/OperatorSession.h"
#include "common/SysLogNow.h"
#include "engine/CardEngineState.h"
#include "frame/Housekeeping.h"
#include "frame/MainFrame.h"
#include "storage/RecordFields.h"
#include "storage/SysLogStore.h"

#include <commctrl.h>

#include <mutex>

namespace {

constexpr uint32_t kDiskCheckTicks = 60;
constexpr uint32_t kCleanupStartMB = 201;  // a folder with more than 200 MB free needs no clean-up
constexpr uint64_t kMegabyte = 1048576;

}  // namespace

void CHousekeepingTimer::Tick(const SYSTEMTIME& now) {
    ++m_uptime;
    ++m_minuteTicks;
    SetPaneText(5, UptimePaneText(m_texts, m_frame.StartTime(), m_uptime));
    if (IsHourlyTick(m_uptime))
        WriteHourlyStatusRow();
    SetPaneText(2, ChannelCountPaneText(m_texts, EngineState.ChannelCount));
    const uint32_t waiting = static_cast<uint32_t>(EngineState.CallQueue.Count());
    SetPaneText(3, RecordingPaneText(m_texts, RecordingChannelCount(), waiting + m_uptime));
    SetPaneText(1, VersionPaneText(m_texts, OperatorLoggedIn != 0));

    if (IsRebootDue(now))
        RequestReboot();  // again at every tick of the minute until the system goes down
    if (IsMidnightResetDue(now) && !m_midnightReset.IsRunning())
        m_midnightReset.Start(m_frame.ClientPane().GetRightView());
    if (m_minuteTicks >= kDiskCheckTicks) {
        m_minuteTicks = 0;
        CheckDiskSpace();
    }
}

void CHousekeepingTimer::Stop() {
    m_diskCleanup.Stop();
    m_midnightReset.Stop();
}

void CHousekeepingTimer::SetPaneText(int pane, const std::wstring& text) {
    m_frame.StatusBar().SendMessage(SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(text.c_str()));
}

void CHousekeepingTimer::WriteHourlyStatusRow() {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    ::GlobalMemoryStatusEx(&memory);
    SysLogRow row{};
    row.SysLog_Cmd = kSysLogHourlyStatus;
    CopyToField(row.Name, CurrentOperator.UserName);
    // The third figure is the total physical memory, so the free figure can be read against it.
    const std::wstring notes =
        HourlyStatusNotes(EngineState.CallQueue.Count(), static_cast<uint32_t>(memory.ullAvailPhys / kMegabyte),
                          static_cast<uint32_t>(memory.ullTotalPhys / kMegabyte));
    CopyToField(row.Notes, notes.c_str());
    WriteSysLogNow(row);
}

// Channels present on the boards with a recording open now.
int CHousekeepingTimer::RecordingChannelCount() const {
    int count = 0;
    for (ChannelRecord& channel : ChannelTable) {
        if (!channel.Present)
            continue;
        const std::lock_guard lock(channel.FileLock);
        if (channel.FileHandle.IsValid())
            ++count;
    }
    return count;
}

void CHousekeepingTimer::CheckDiskSpace() {
    if (!m_diskCleanup.IsRunning() && RecordingFoldersFull(kCleanupStartMB))
        m_diskCleanup.Start(m_frame.StatusBar().GetSafeHwnd());
}
