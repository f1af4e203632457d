// BoardDevice.h - how the library reaches the driver's board devices.
//
// Every probe goes through one backend (open, one 32-bit query, close). The shipped library
// uses the default backend: the real devices, or the simulated boards of the program folder
// when there are none (ScenarioBoardDevices.h). Tests install a table of fake boards instead.
#pragma once

#include <windows.h>
#include <winioctl.h>

constexpr int kMaxBoards = 20;

// Both requests take no input and return one 32-bit value.
constexpr DWORD kIoctlBoardType = CTL_CODE(0xAFC8, 0x868, METHOD_NEITHER, FILE_ANY_ACCESS);
constexpr DWORD kIoctlBoardSerial = CTL_CODE(0xAFC8, 0x844, METHOD_BUFFERED, FILE_ANY_ACCESS);
static_assert(kIoctlBoardType == 0xAFC821A3);
static_assert(kIoctlBoardSerial == 0xAFC82110);

class CBoardDeviceBackend {
public:
    virtual ~CBoardDeviceBackend() = default;
    // Opens the device of board n; INVALID_HANDLE_VALUE when there is no board n.
    virtual HANDLE Open(int board) = 0;
    // Asks the device for one 32-bit value; false when the request fails (value untouched).
    virtual bool Query(HANDLE device, DWORD code, DWORD& value) = 0;
    virtual void Close(HANDLE device) = 0;
};

// The backend in use. SetBoardDevices installs another one (not owned); null restores the default.
CBoardDeviceBackend& BoardDevices();
void SetBoardDevices(CBoardDeviceBackend* backend);

// One opened board device, closed when it goes out of scope. Devices are opened without
// sharing, so a device left open after a failed request would hide its board from every
// later open: closing on every path keeps the board reachable.
class CBoardDevice {
public:
    explicit CBoardDevice(int board);
    ~CBoardDevice();
    CBoardDevice(const CBoardDevice&) = delete;
    CBoardDevice& operator=(const CBoardDevice&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Query(DWORD code, DWORD& value) { return m_backend.Query(m_handle, code, value); }

private:
    CBoardDeviceBackend& m_backend;
    HANDLE m_handle;
};
