#pragma once
// ClientSlot: one of the 64 remote-client records of the TCP server (ClientSlots()): the connection, its counters,
// the logged-in account with its channel rights, the slot's query workers and its reader's receive buffer. Its
// states (free, connected, logged in) are drawn in ClientSlot.cpp.
//
// Locking: one lock per slot (LockFields) guards the connection fields below. Every send takes it, so frames of
// different threads never interleave; pushes test the socket and the right under it, so a frame never reaches
// the next client of a reused slot. It is never held while calling the view or waiting for a thread.
//
// Each slot's reader thread is started with its first connection and serves every later connection of the slot
// until the process ends; the slots are therefore never destroyed.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h

#include "ProtocolRecords.h"
#include "QueryWorker.h"
#include "engine/ChannelTable.h"
#include "storage/StorageRecords.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

constexpr int kReceiveBufferBytes = 32768;
constexpr int kNoMonitoredChannel = 0xFFFF;
// A client that takes no data for this long gets its connection shut down, so that one stuck client cannot hold
// its slot's lock, and with it every push, for ever.
constexpr DWORD kSendTimeoutMs = 10000;

class ClientSlot {
public:
    ClientSlot();
    ClientSlot(const ClientSlot&) = delete;
    ClientSlot& operator=(const ClientSlot&) = delete;

    // Connection
    // Accept thread: takes the new connection when the slot is free. False leaves the socket to the caller.
    bool Attach(SOCKET socket, const char* peerAddress);
    // The thread that receives and handles the slot's frames (ClientReaderThread), started with the slot.
    using ReaderThread = unsigned(__stdcall*)(void* slot);
    // Starts reader (slot) unless the slot's reader runs already.
    void StartReader(ReaderThread reader);
    // Frees the slot: closes the socket, clears the counters, monitor, account and rights, closes an open download
    // and raises the stop flags of the slot's queries (their rows are never sent to a later client). The peer
    // address and the reader are kept. Any thread.
    void Reset();
    void ResetLocked();  // the caller holds LockFields
    // Frees the slot, when it still serves that connection, as the idle timeout does: a clients-pane row
    // "timed out" first when somebody had logged in on it, and the peer address cleared. Any thread.
    void DropConnection(uint32_t connection);

    bool IsConnected();
    bool IsLoggedIn();
    uint32_t CurrentConnection();
    std::wstring UserName();

    // Sending. A frame is sent whole or the connection is shut down (the reader then frees the slot). Each send
    // resets the seconds since the last send and adds the frame's length field to SentBytes. The result is the
    // frame's length, or SOCKET_ERROR when the slot is free or the send failed.
    int Send(const void* data, int length);
    int Send(const std::vector<uint8_t>& frame) { return Send(frame.data(), static_cast<int>(frame.size())); }
    // Sends only when the slot is connected and condition (slot) holds, tested under the lock.
    template <class Condition>
    int SendIf(Condition condition, const void* data, int length) {
        std::lock_guard<std::mutex> guard(m_lock);
        if (Socket == INVALID_SOCKET || !condition(*this))
            return SOCKET_ERROR;
        return SendLocked(data, length);
    }
    template <class Condition>
    int SendIf(Condition condition, const std::vector<uint8_t>& frame) {
        return SendIf(condition, frame.data(), static_cast<int>(frame.size()));
    }
    int SendLocked(const void* data, int length);  // the caller holds LockFields

    // Hold while reading or writing the guarded fields below.
    std::unique_lock<std::mutex> LockFields() { return std::unique_lock<std::mutex>(m_lock); }

    // Reader thread only
    // The socket to receive from, marked as being read so that Reset only shuts it down and leaves the close to
    // EndReceive (its handle cannot be reused by a new connection while recv uses it). INVALID_SOCKET when free.
    SOCKET BeginReceive(uint32_t& connection);
    // Closes the socket when Reset retired it meanwhile. True when the slot still serves that connection.
    bool EndReceive(SOCKET socket, uint32_t connection);
    // Waits up to timeoutMs for Attach.
    void WaitForConnection(DWORD timeoutMs);

    // Guarded by LockFields
    SOCKET Socket = INVALID_SOCKET;     // INVALID_SOCKET marks a free slot
    uint32_t Connection = 0;            // changes with every Attach and Reset
    char PeerAddress[32] = {};          // "%d.%d.%d.%d"
    AccountRecord Account = {};         // all zero while nobody is logged in
    uint8_t Rights[kMaxChannels] = {};  // one per driver channel, from the account's rights file
    int MonitorFlag = 0;
    int MonitoredChannel = kNoMonitoredChannel;
    HANDLE DownloadFile = INVALID_HANDLE_VALUE;  // the file a download command has open

    // Any thread
    std::atomic<int> SecondsSinceSend{0};  // counted by KeepAliveThread
    std::atomic<int> SecondsSinceReceive{0};
    std::atomic<int> SentBytes{0};  // sum of the length fields of the frames sent; nothing reads it

    // Started and stopped by the slot's reader, stop flags raised by Reset.
    QueryWorker CdrSearch;
    QueryWorker Statistics;
    QueryWorker SysLogSearch;
    QueryWorker ContactList;  // the phone-book list; a request while it runs is ignored

    // Reader thread only
    uint8_t ReceiveBuffer[kReceiveBufferBytes] = {};
    int ReceiveCount = 0;
    uint32_t BufferConnection = 0;  // the connection whose bytes ReceiveBuffer holds

private:
    void CloseSocketLocked();

    std::mutex m_lock;                        // guards the fields marked above and the two below
    SOCKET m_readingSocket = INVALID_SOCKET;  // the socket the reader is in recv on
    SOCKET m_retiredSocket = INVALID_SOCKET;  // shut down by Reset while being read; EndReceive closes it
    HANDLE m_attached;                        // auto-reset event set by Attach; owned, lives with the slot
    HANDLE m_readerThread = nullptr;          // owned
};

// The 64 slots. Built on first use and never destroyed (their readers run until the process ends).
std::array<ClientSlot, kMaxClientSlots>& ClientSlots();
