#include "WindowFind.h"

#include <vector>

namespace {

constexpr DWORD kPollMs = 50;

struct Search {
    std::wstring Title;
    TitleMatch Match;
    bool VisibleOnly;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
    Search& search = *reinterpret_cast<Search*>(param);
    if (search.VisibleOnly && !::IsWindowVisible(window))
        return TRUE;
    // The title as the window manager keeps it: no message to a window that may be busy.
    wchar_t title[512] = {};
    ::InternalGetWindowText(window, title, std::size(title));
    const std::wstring text = title;
    const bool matches = search.Match == TitleMatch::Exact ? text == search.Title
                                                           : text.compare(0, search.Title.size(), search.Title) == 0;
    if (!matches)
        return TRUE;
    search.Found = window;
    return FALSE;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

HWND WaitForTopLevel(const std::wstring& title, TitleMatch match, bool visibleOnly, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        Search search{title, match, visibleOnly};
        ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.Found || ::GetTickCount64() >= deadline)
            return search.Found;
        ::Sleep(kPollMs);
    }
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT, unlike GetWindowText, also answers for the controls of another process.
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          &copied);
    return text;
}

std::wstring WindowClass(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, std::size(name));
    return name;
}

void DescribeWindow(HWND window, CJsonWriter& out) {
    RECT rect{};
    RECT client{};
    ::GetWindowRect(window, &rect);
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    out.Number("hwnd", reinterpret_cast<int64_t>(window));
    out.Number("id", ::GetDlgCtrlID(window));
    out.Text("class", WindowClass(window)).Text("text", WindowText(window));
    out.Bool("visible", ::IsWindowVisible(window)).Bool("enabled", ::IsWindowEnabled(window));
    out.Bool("maximized", ::IsZoomed(window));
    out.Number("parent", reinterpret_cast<int64_t>(::GetAncestor(window, GA_PARENT)));
    out.Number("owner", reinterpret_cast<int64_t>(::GetWindow(window, GW_OWNER)));
    out.Number("pid", pid);
    out.Number("menu", reinterpret_cast<int64_t>(::GetMenu(window)));
    out.BeginArray("rect").Number(rect.left).Number(rect.top).Number(rect.right).Number(rect.bottom).EndArray();
    out.BeginArray("client")
        .Number(origin.x)
        .Number(origin.y)
        .Number(origin.x + client.right)
        .Number(origin.y + client.bottom)
        .EndArray();
}

void DescribeChildren(HWND window, CJsonWriter& out) {
    std::vector<HWND> children;
    ::EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&children));
    out.BeginArray("windows");
    for (HWND child : children) {
        out.BeginObject();
        DescribeWindow(child, out);
        out.EndObject();
    }
    out.EndArray();
}

void DescribeTopLevelsOfProcess(HWND window, CJsonWriter& out) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    std::vector<HWND> all;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    out.BeginArray("windows");
    for (HWND top : all) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(top, &owner);
        if (owner != pid)
            continue;
        out.BeginObject();
        DescribeWindow(top, out);
        out.EndObject();
    }
    out.EndArray();
}
