#pragma once
#include "mfc.h"

// The running Windows version with named tests, and the version of the common-controls library.
// Both are read once, on first use, and never refreshed. Read-only afterwards, so any thread may ask;
// the first use is made on the UI thread.

struct OSVersionInfo : public OSVERSIONINFOW {
    BOOL IsWindows95() const { return dwPlatformId == 1 && dwMajorVersion == 4 && dwMinorVersion < 10; }
    BOOL IsWindows98() const { return dwPlatformId == 1 && dwMajorVersion == 4 && dwMinorVersion == 10; }
    BOOL IsWin9x() const { return dwPlatformId == 1; }
    BOOL IsWindowsNT4() const { return dwPlatformId == 2 && IsVersion(4, 0); }
    BOOL IsWinNT4OrLater() const { return dwPlatformId >= 2 && dwMajorVersion >= 4; }
    BOOL IsWindows2000() const { return dwPlatformId == 2 && IsVersion(5, 0); }
    BOOL IsWin2000OrLater() const { return dwPlatformId >= 2 && dwMajorVersion >= 5; }
    BOOL IsWindowsXP() const { return dwPlatformId == 2 && IsVersion(5, 1); }
    BOOL IsWinXPOrLater() const { return dwPlatformId > 1 && IsVersionAtLeast(5, 1); }
    bool IsWinXPOrLaterBool() const { return IsWinXPOrLater() != FALSE; }
    BOOL IsVersionAtLeast(DWORD dwMajor, DWORD dwMinor) const {
        return dwMajorVersion > dwMajor || (dwMajorVersion == dwMajor && dwMinorVersion >= dwMinor);
    }
    BOOL IsVersion(DWORD dwMajor, DWORD dwMinor) const {
        return dwMajorVersion == dwMajor && dwMinorVersion == dwMinor;
    }

    // The version of "COMCTL32.DLL" as the process loads it (major << 16 | minor), read from its
    // DllGetVersion on first call and cached; 4.0 (0x40000) when it cannot be read.
    static DWORD GetComCtlVersion();
};

// Version 4.0: what a common-controls library without DllGetVersion counts as.
constexpr DWORD kComCtlVersion4 = 0x40000;

// The process-wide record, filled by GetVersionExW on first call; never fails.
const OSVersionInfo* GetOSVersionInfo();
