#pragma once
// Finding a dialog or message box of this test process by its caption. Test programs run side by side on one
// desktop, often showing boxes with the same caption: a search of the whole desktop could answer another
// program's box and leave this one's open for ever.

#include <windows.h>

#include <string>

inline HWND FindOwnDialog(const std::wstring& caption) {
    struct Search {
        const std::wstring& Caption;
        HWND Found;
    } search{caption, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<Search*>(param);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            wchar_t className[16] = {};
            if (process != ::GetCurrentProcessId() || !::GetClassNameW(window, className, 16) ||
                std::wstring(className) != L"#32770")
                return TRUE;
            // Not GetWindowTextW: it sends WM_GETTEXT to the box's thread, which may be waiting for this one.
            wchar_t title[256] = {};
            ::InternalGetWindowText(window, title, 256);
            if (search->Caption != title)
                return TRUE;
            search->Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}
