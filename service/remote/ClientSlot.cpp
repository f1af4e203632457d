// A slot is free (no socket), connected (socket, no account) or logged in (account and rights loaded):
//
//   free --Attach (AcceptThread)--> connected --HandleLogin--> logged in
//   connected, logged in --Reset--> free
//
// Reset comes from a logout, a refused login, an invalid frame length, a broken connection or 60 s of silence
// (DropConnection), the operator's forced logout and a port change. Connection counts up at every Attach and
// Reset, so work started for one connection (query rows, the reader's buffer) never reaches the next.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "ClientSlot.h"

#include "ClientFrame.h"
#include "ServiceView.h"

#include <process.h>

#include <cstring>
#include <cwchar>
#include <iterator>

ClientSlot::ClientSlot() : m_attached(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

bool ClientSlot::Attach(SOCKET socket, const char* peerAddress) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (Socket != INVALID_SOCKET)
        return false;
    const DWORD timeout = kSendTimeoutMs;
    setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    Socket = socket;
    ++Connection;
    SecondsSinceSend = 0;
    SecondsSinceReceive = 0;
    strncpy(PeerAddress, peerAddress, sizeof(PeerAddress) - 1);
    PeerAddress[sizeof(PeerAddress) - 1] = '\0';
    SetEvent(m_attached);
    return true;
}

void ClientSlot::StartReader(ReaderThread reader) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_readerThread)
        return;
    const uintptr_t thread = _beginthreadex(nullptr, 0, reader, this, 0, nullptr);
    m_readerThread = reinterpret_cast<HANDLE>(thread);
}

void ClientSlot::Reset() {
    std::lock_guard<std::mutex> guard(m_lock);
    ResetLocked();
}

void ClientSlot::ResetLocked() {
    SecondsSinceSend = 0;
    SecondsSinceReceive = 0;
    MonitorFlag = 0;
    MonitoredChannel = kNoMonitoredChannel;
    CloseSocketLocked();
    ++Connection;
    Account = {};
    std::memset(Rights, 0, sizeof(Rights));
    // The next client of the slot must not read on in this client's download or receive its query rows.
    if (DownloadFile != INVALID_HANDLE_VALUE) {
        CloseHandle(DownloadFile);
        DownloadFile = INVALID_HANDLE_VALUE;
    }
    CdrSearch.RequestStop();
    Statistics.RequestStop();
    SysLogSearch.RequestStop();
    ContactList.RequestStop();
}

void ClientSlot::DropConnection(uint32_t connection) {
    ClientEventRecord event{};
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (Connection != connection || Socket == INVALID_SOCKET)
            return;
        GetLocalTime(&event.Time);
        std::memcpy(event.PeerAddress, PeerAddress, sizeof(event.PeerAddress));
        std::memcpy(event.UserName, Account.UserName, sizeof(event.UserName));
        event.Event = kClientTimedOut;
    }
    if (event.UserName[0])
        if (IServiceView* view = GetServiceView())
            view->ClientEvent(event);

    std::lock_guard<std::mutex> guard(m_lock);
    if (Connection != connection)
        return;
    ResetLocked();
    std::memset(PeerAddress, 0, sizeof(PeerAddress));
}

bool ClientSlot::IsConnected() {
    std::lock_guard<std::mutex> guard(m_lock);
    return Socket != INVALID_SOCKET;
}

bool ClientSlot::IsLoggedIn() {
    std::lock_guard<std::mutex> guard(m_lock);
    return Socket != INVALID_SOCKET && Account.UserName[0] != L'\0';
}

uint32_t ClientSlot::CurrentConnection() {
    std::lock_guard<std::mutex> guard(m_lock);
    return Connection;
}

std::wstring ClientSlot::UserName() {
    std::lock_guard<std::mutex> guard(m_lock);
    return std::wstring(Account.UserName, wcsnlen(Account.UserName, std::size(Account.UserName)));
}

int ClientSlot::Send(const void* data, int length) {
    std::lock_guard<std::mutex> guard(m_lock);
    return SendLocked(data, length);
}

int ClientSlot::SendLocked(const void* data, int length) {
    if (Socket == INVALID_SOCKET)
        return SOCKET_ERROR;
    const auto* bytes = static_cast<const char*>(data);
    SecondsSinceSend = 0;
    if (length >= kFrameHeaderBytes)
        SentBytes += ReadFrameLength(reinterpret_cast<const uint8_t*>(bytes));

    for (int sent = 0; sent < length;) {
        const int result = send(Socket, bytes + sent, length - sent, 0);
        if (result == SOCKET_ERROR) {
            // Part of a frame may be out: the stream can no longer be cut into frames by the client.
            shutdown(Socket, SD_BOTH);
            return SOCKET_ERROR;
        }
        sent += result;
    }
    return length;
}

SOCKET ClientSlot::BeginReceive(uint32_t& connection) {
    std::lock_guard<std::mutex> guard(m_lock);
    connection = Connection;
    m_readingSocket = Socket;
    return Socket;
}

bool ClientSlot::EndReceive(SOCKET socket, uint32_t connection) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_readingSocket = INVALID_SOCKET;
    if (m_retiredSocket == socket) {
        closesocket(socket);
        m_retiredSocket = INVALID_SOCKET;
    }
    return Connection == connection;
}

void ClientSlot::WaitForConnection(DWORD timeoutMs) {
    WaitForSingleObject(m_attached, timeoutMs);
}

void ClientSlot::CloseSocketLocked() {
    if (Socket == INVALID_SOCKET)
        return;
    if (Socket == m_readingSocket) {
        // Wakes the reader's recv; the handle stays valid until EndReceive closes it.
        shutdown(Socket, SD_BOTH);
        m_retiredSocket = Socket;
    } else {
        closesocket(Socket);
    }
    Socket = INVALID_SOCKET;
}

std::array<ClientSlot, kMaxClientSlots>& ClientSlots() {
    static auto* slots = new std::array<ClientSlot, kMaxClientSlots>;
    return *slots;
}
