#include "OSVersionInfo.h"

#include "TkModuleHandle.h"

static_assert(sizeof(OSVERSIONINFOW) == 276, "OSVERSIONINFOW keeps its size on both word sizes");

const OSVersionInfo* GetOSVersionInfo() {
    static const OSVersionInfo info = [] {
        OSVersionInfo read = {};
        read.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        ::GetVersionExW(&read);
#pragma GCC diagnostic pop
        return read;
    }();
    return &info;
}

DWORD OSVersionInfo::GetComCtlVersion() {
    static DWORD s_dwVersion = 0;
    if (s_dwVersion == 0) {
        CTkModuleHandle comctl(L"COMCTL32.DLL");
        const DWORD dwVersion = comctl.GetDllVersion();
        s_dwVersion = dwVersion != 0 ? dwVersion : kComCtlVersion4;
    }
    return s_dwVersion;
}
