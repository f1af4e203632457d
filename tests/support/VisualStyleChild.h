// VisualStyleChild.h - cases under Wine's own visual style ("Light"). Wine reads the style when uxtheme loads, so a
// parent case switches the prefix's style on, runs its own program again for the child cases, and puts the setting
// back. The prefix is shared with parallel tests: the parent case runs alone.
#pragma once

#include <windows.h>

#include <string>

// Whether this process is a child run, marked by the environment variable.
inline bool IsVisualStyleChild(const char* childVariable) {
    return ::GetEnvironmentVariableA(childVariable, nullptr, 0) != 0;
}

// Runs this program again with the case filter (a --gtest_filter pattern), the style on and the variable set, and
// waits up to two minutes; afterwards the style is off and the variable gone. Answers whether the child started,
// and its exit code in exitCode.
inline bool RunVisualStyleChild(const char* childVariable, const wchar_t* filter, DWORD& exitCode) {
    const auto setThemeActive = [](const wchar_t* value) {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        const LONG result = ::RegSetValueExW(key, L"ThemeActive", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                             static_cast<DWORD>((::lstrlenW(value) + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
        return result == ERROR_SUCCESS;
    };
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) + L"\" --gtest_filter=" + filter;
    exitCode = 1;
    if (!setThemeActive(L"1"))
        return false;
    ::SetEnvironmentVariableA(childVariable, "1");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const BOOL started =
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    if (started) {
        ::WaitForSingleObject(process.hProcess, 120000);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::SetEnvironmentVariableA(childVariable, nullptr);
    setThemeActive(L"0");
    return started != FALSE;
}
