// Memory inside the process that owns a window: messages that carry a pointer are answered into it and read back.
#pragma once

#include <windows.h>

#include <cstddef>

class CRemoteBuffer {
public:
    CRemoteBuffer(HWND window, size_t size);
    ~CRemoteBuffer();
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    bool IsValid() const { return m_address != nullptr; }
    void* Address() const { return m_address; }
    LPARAM Param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(m_address) + offset); }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

// A message to a window of another process, with a deadline so a busy or hung window cannot stop the driver.
LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
