// Win32BoardDevices.cpp - the real devices through CreateFileA and DeviceIoControl.
#include "Win32BoardDevices.h"

#include <cstdio>

HANDLE CWin32BoardDevices::Open(int board) {
    char path[32];
    std::snprintf(path, sizeof path, "\\\\.\\QSdev-%d", board);
    return CreateFileA(path, 0, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool CWin32BoardDevices::Query(HANDLE device, DWORD code, DWORD& value) {
    DWORD returned = 0;
    return DeviceIoControl(device, code, nullptr, 0, &value, sizeof value, &returned, nullptr) != FALSE;
}

void CWin32BoardDevices::Close(HANDLE device) {
    CloseHandle(device);
}
