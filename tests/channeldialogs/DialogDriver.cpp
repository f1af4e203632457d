#include "DialogDriver.h"

#include <commctrl.h>

namespace {

constexpr UINT kTickMs = 20;
constexpr int kMessageBoxTextId = 0xFFFF;  // the static text of a message box

DialogDriver* g_driver = nullptr;  // the one driver of the test thread

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

bool IsMessageBox(HWND window) {
    return ::GetDlgItem(window, kMessageBoxTextId) != nullptr;
}

struct ShownWindows {
    HWND Dialog = nullptr;
    HWND MessageBox = nullptr;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto* shown = reinterpret_cast<ShownWindows*>(param);
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window) || ClassOf(window) != L"#32770")
        return TRUE;
    if (IsMessageBox(window))
        shown->MessageBox = window;
    else if (!shown->Dialog)
        shown->Dialog = window;
    return TRUE;
}

}  // namespace

DialogDriver::DialogDriver() {
    g_driver = this;
    m_timer = ::SetTimer(nullptr, 0, kTickMs, Tick);
}

DialogDriver::~DialogDriver() {
    ::KillTimer(nullptr, m_timer);
    g_driver = nullptr;
}

void DialogDriver::WhenShown(std::function<void(HWND)> steps) {
    m_steps.push_back(std::move(steps));
}

std::vector<DialogDriver::MessageBoxSeen> DialogDriver::TakeMessageBoxes() {
    std::vector<MessageBoxSeen> seen;
    seen.swap(m_messageBoxes);
    return seen;
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driver)
        g_driver->OnTick();
}

void DialogDriver::OnTick() {
    ShownWindows shown;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShown, reinterpret_cast<LPARAM>(&shown));
    if (shown.MessageBox) {
        m_messageBoxes.push_back({ItemText(shown.MessageBox, kMessageBoxTextId), [&] {
                                      wchar_t caption[256] = {};
                                      ::GetWindowTextW(shown.MessageBox, caption, 256);
                                      return std::wstring(caption);
                                  }()});
        ::PostMessageW(shown.MessageBox, WM_COMMAND, IDOK, 0);
        return;
    }
    if (m_running || !shown.Dialog || m_steps.empty())
        return;
    std::function<void(HWND)> steps = std::move(m_steps.front());
    m_steps.pop_front();
    m_running = true;
    steps(shown.Dialog);
    m_running = false;
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

bool IsItemEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int id) {
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Choose(HWND dialog, int id, int item) {
    HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int Selection(HWND dialog, int id) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

SYSTEMTIME PickerTime(HWND dialog, int id) {
    SYSTEMTIME time{};
    ::SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

void SetPickerTime(HWND dialog, int id, const SYSTEMTIME& time) {
    ::SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void SetPickerTime(HWND dialog, int id, WORD hour, WORD minute) {
    SYSTEMTIME time = PickerTime(dialog, id);
    time.wHour = hour;
    time.wMinute = minute;
    SetPickerTime(dialog, id, time);
}
