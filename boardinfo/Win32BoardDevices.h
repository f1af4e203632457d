// Win32BoardDevices.h - the driver's real board devices, "\\.\QSdev-<n>".
#pragma once

#include "BoardDevice.h"

class CWin32BoardDevices : public CBoardDeviceBackend {
public:
    HANDLE Open(int board) override;
    bool Query(HANDLE device, DWORD code, DWORD& value) override;
    void Close(HANDLE device) override;
};
