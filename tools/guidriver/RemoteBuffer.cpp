#include "RemoteBuffer.h"

namespace {

constexpr UINT kSendTimeoutMs = 10000;

}  // namespace

CRemoteBuffer::CRemoteBuffer(HWND window, size_t size) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_process)
        m_address = ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

CRemoteBuffer::~CRemoteBuffer() {
    if (m_address)
        ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    if (m_process)
        ::CloseHandle(m_process);
}

bool CRemoteBuffer::Write(const void* data, size_t size, size_t offset) {
    SIZE_T written = 0;
    return ::WriteProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size, &written) &&
           written == size;
}

bool CRemoteBuffer::Read(void* data, size_t size, size_t offset) const {
    SIZE_T read = 0;
    return ::ReadProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size, &read) && read == size;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}
