#include "frame/Housekeeping.h"

#include "settings/DiskSpace.h"
#include "settings/FormatText.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include "mfc.h"

#include <atomic>
#include <iterator>

namespace {

constexpr wchar_t kVersionText[] = L"Ver1.30(20190426)(服务器)";

SYSTEMTIME SystemLocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

void RebootMachine() {
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        CScopedKernelHandle owned(token);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (::LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(owned.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    // Without the token the request is made all the same: the account may hold the privilege already.
    ::ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0);
}

std::atomic<HousekeepingClock> g_clock = nullptr;
std::atomic<RebootRequest> g_reboot = nullptr;

}  // namespace

SYSTEMTIME HousekeepingNow() {
    const HousekeepingClock clock = g_clock;
    return clock ? clock() : SystemLocalTime();
}

HousekeepingClock SetHousekeepingClock(HousekeepingClock clock) {
    return g_clock.exchange(clock);
}

void RequestReboot() {
    const RebootRequest request = g_reboot;
    if (request)
        request();
    else
        RebootMachine();
}

RebootRequest SetRebootRequest(RebootRequest request) {
    return g_reboot.exchange(request);
}

const std::wstring& LangTextCache::operator()(const wchar_t* key) {
    const auto found = m_texts.find(key);
    if (found != m_texts.end())
        return found->second;
    return m_texts.emplace(key, LangText(key)).first->second;
}

std::wstring VersionPaneText(LangTextCache& text, bool loggedIn) {
    return FormatText(L"%ls %ls", kVersionText, text(loggedIn ? L"0343" : L"0344").c_str());
}

std::wstring ChannelCountPaneText(LangTextCache& text, int voiceChannels) {
    // The two other kinds of channel this status once counted do not exist on these boards: they stay 0.
    return FormatText(L"%ls:%d %ls:%d %ls:%d<%ls> ", text(L"0255").c_str(), voiceChannels, text(L"0256").c_str(), 0,
                      text(L"0257").c_str(), 0, text(L"0287").c_str());
}

std::wstring RecordingPaneText(LangTextCache& text, int recordingChannels, uint32_t queueAndUptime) {
    return FormatText(L"%ls%d | %u", text(L"0325").c_str(), recordingChannels, queueAndUptime);
}

std::wstring CleanupDayText(LangTextCache& text, const SYSTEMTIME& day) {
    return FormatText(L"%ls %04d-%02d-%02d", text(L"0386").c_str(), day.wYear, day.wMonth, day.wDay);
}

std::wstring UptimePaneText(LangTextCache& text, const SYSTEMTIME& start, uint32_t uptime) {
    wchar_t date[64] = {};
    wchar_t time[64] = {};
    ::GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &start, nullptr, date, static_cast<int>(std::size(date)));
    ::GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &start, nullptr, time, static_cast<int>(std::size(time)));
    return FormatText(L"%ls:%ls %ls<%u:%02u:%02u>", text(L"0025").c_str(), date, time, uptime / 3600,
                      uptime % 3600 / 60, uptime % 60);
}

std::wstring HourlyStatusNotes(size_t waitingCalls, uint32_t freeMB, uint32_t totalMB) {
    return FormatText(L"db=%d memory=%u/%u", static_cast<int>(waitingCalls), freeMB, totalMB);
}

bool IsRebootDue(const SYSTEMTIME& now) {
    if (now.wDayOfWeek > 6 || ReadSettingInt(kSectionSettings, kKeyDay[now.wDayOfWeek]) != 1)
        return false;
    return ReadSettingInt(kSectionSettings, kKeyAutoHour) == now.wHour &&
           ReadSettingInt(kSectionSettings, kKeyAutoMin) == now.wMinute && now.wSecond >= 50;
}

bool IsMidnightResetDue(const SYSTEMTIME& now) {
    return now.wHour == 23 && now.wMinute == 59 && now.wSecond >= 55;
}

bool RecordingFoldersFull(uint32_t roomMB) {
    bool queried = false;
    for (const wchar_t* key : kKeyRecFolderN) {
        const std::wstring folder = ReadSettingString(kSectionSettings, key);
        if (folder.empty())
            continue;
        uint32_t totalMB = 0;
        uint32_t freeMB = 0;
        if (!GetDiskSpaceMB(folder.c_str(), totalMB, freeMB))
            continue;
        if (freeMB >= roomMB)
            return false;
        queried = true;
    }
    return queried;
}
