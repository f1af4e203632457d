#pragma once
// ClientSlot: one of the 64 remote-client records of the TCP server (ClientSlots()): the connection, its counters,
// the logged-in account with its channel rights, the slot's query workers, its reader's receive buffer and its
// outgoing queue. Its states (free, connected, logged in, closing) are drawn in ClientSlot.cpp.
//
// Sending never waits on the client. Every frame is queued whole, in order, and the slot's own sender thread
// (ClientSenderThread) writes the queue to the socket, so a client that stops reading holds up only that thread.
// The queue is bounded in bytes; what a full queue means depends on the frame's kind (FrameKind).
//
// Locking: one lock per slot (LockFields) guards the connection fields below and the queue. Pushes test the socket
// and the right under it, so a frame never reaches the next client of a reused slot. It is held only for short
// steps: never while calling the view, waiting for a thread, or in a recv or send.
//
// Each slot's reader and sender threads are started with its first connection and serve every later connection of
// the slot until the process ends; the slots are therefore never destroyed.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h

#include "records/ProtocolRecords.h"
#include "clients/QueryWorker.h"
#include "WorkerThread.h"
#include "channels/ChannelTable.h"
#include "records/StorageRecords.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

constexpr int kReceiveBufferBytes = 32768;
constexpr int kNoMonitoredChannel = 0xFFFF;

// The outgoing queue of a slot holds at most this many bytes of frames: a client that falls further behind is too
// slow to serve.
constexpr size_t kOutgoingQueueBytes = 1 << 20;
// Replies and search rows fill the queue only up to this mark, so that the pushes of a client that reads always
// find room, however long its search.
constexpr size_t kReplyQueueBytes = kOutgoingQueueBytes / 2;
// A client that takes no data for this long while frames wait for it is too slow as well: the send fails and the
// connection is dropped.
constexpr DWORD kSendTimeoutMs = 10000;
// The system's send buffer of a client connection, kept small so that a client's backlog stays in the queue, where
// it is bounded and counted.
constexpr int kSocketSendBufferBytes = 64 * 1024;

// What becomes of a frame that does not fit the queue.
enum class FrameKind {
    // A reply, search row or statistics frame, queued by the slot's own reader or worker: it waits until the queue
    // is below kReplyQueueBytes (or the connection ends, or the waiting sender no longer wants it).
    Reply,
    // Sent by the server on its own (status, record, caller number, logout), from threads that must never wait: the
    // queued live audio is dropped to make room, and when there is still none the connection is dropped as a
    // broken one (the client event "timed out").
    Push,
    // Live audio and keep-alives: dropped when there is no room.
    Droppable,
};

// A client connection's socket, closed when the last of the slot, its reader and its sender lets go of it: a
// socket in use is never closed (and its handle reused by the next connection) under a recv or send.
class ClientSocket {
public:
    explicit ClientSocket(SOCKET socket) : m_socket(socket) {}
    ~ClientSocket() { closesocket(m_socket); }
    ClientSocket(const ClientSocket&) = delete;
    ClientSocket& operator=(const ClientSocket&) = delete;

    SOCKET Handle() const { return m_socket; }
    // Shuts the connection down and ends the recv and send that the slot's threads may be blocked in (a shut-down
    // socket alone does not end a send that waits for the peer); the handle stays valid until the last user lets go.
    void Abort() const {
        shutdown(m_socket, SD_BOTH);
        CancelIoEx(reinterpret_cast<HANDLE>(m_socket), nullptr);
    }

private:
    const SOCKET m_socket;  // owned
};

class ClientSlot {
public:
    ClientSlot();
    ClientSlot(const ClientSlot&) = delete;
    ClientSlot& operator=(const ClientSlot&) = delete;

    // Connection
    // Accept thread: takes the new connection when the slot is free (not connected, not closing), and starts the
    // slot's sender with its first connection. False leaves the socket to the caller.
    bool Attach(SOCKET socket, const char* peerAddress);
    // The thread that receives and handles the slot's frames (ClientReaderThread), started with the slot.
    using ReaderThread = unsigned(__stdcall*)(void* slot);
    // Starts reader (slot) unless the slot's reader runs already.
    void StartReader(ReaderThread reader);
    // Frees the slot at once: drops the queued frames and the connection, clears the counters, monitor, account
    // and rights, closes an open download and raises the stop flags of the slot's queries (their rows are never sent
    // to a later client). The peer address and the threads are kept. Any thread.
    void Reset();
    void ResetLocked();  // the caller holds LockFields
    // The same, except that the frames already queued are still sent before the connection closes (the answer of
    // a logout or a refused login, a forced logout). Until then the slot is closing: not connected, and not free
    // for a new connection. Never waits.
    void ResetAfterSendingLocked();
    // Frees the slot, when it still serves that connection, as the idle timeout does: a clients-pane row
    // "timed out" first when somebody had logged in on it, and the peer address cleared. Any thread.
    void DropConnection(uint32_t connection);

    bool IsConnected();
    bool IsConnectedLocked() const { return m_socket != nullptr; }
    bool IsLoggedIn();
    uint32_t CurrentConnection();
    std::wstring UserName();

    // Sending. Each queued frame resets the seconds since the last send and adds its length field to SentBytes.
    // The result is the frame's length, or SOCKET_ERROR when it was not queued: the slot is not connected, the
    // condition does not hold, or the queue had no room (FrameKind).
    // Queues the frame when the slot is connected and condition (slot) holds, tested under the lock. A Reply may
    // wait for room, testing the condition again meanwhile: a condition that turns false ends the wait.
    template <class Condition>
    int SendIf(FrameKind kind, Condition condition, const void* data, int length) {
        std::unique_lock<std::mutex> lock(m_lock);
        if (kind == FrameKind::Reply)
            WaitForReplyRoom(lock, length, [&] { return condition(*this); });
        if (!IsConnectedLocked() || !condition(*this))
            return SOCKET_ERROR;
        return QueueLocked(kind, data, length);
    }
    template <class Condition>
    int SendIf(FrameKind kind, Condition condition, const std::vector<uint8_t>& frame) {
        return SendIf(kind, condition, frame.data(), static_cast<int>(frame.size()));
    }
    // A reply on whatever connection the slot serves.
    int Send(const void* data, int length);
    // Queues the frame; the caller holds LockFields, so it never waits: a Reply is queued as a Push.
    int QueueLocked(FrameKind kind, const void* data, int length);

    // Hold while reading or writing the guarded fields below.
    std::unique_lock<std::mutex> LockFields() { return std::unique_lock<std::mutex>(m_lock); }

    // Reader thread only
    // The connection to receive from (null while none), which the reader holds during its recv.
    std::shared_ptr<ClientSocket> BeginReceive(uint32_t& connection);
    // True when the slot still serves that connection.
    bool EndReceive(uint32_t connection);
    // Waits up to timeoutMs for Attach.
    void WaitForConnection(DWORD timeoutMs);

    // Sender thread only (ClientSenderThread)
    // What the sender does next: write Bytes (whole frames, oldest first) to Socket, or, with no bytes, let a
    // closing connection go; Drop says that the connection's frames no longer fit and it is to be dropped.
    struct SendWork {
        std::shared_ptr<ClientSocket> Socket;
        uint32_t Connection = 0;
        std::vector<uint8_t> Bytes;
        bool Closing = false;
        bool Drop = false;
    };
    // Waits for work.
    SendWork TakeSendWork();
    // After the work: a closing connection is let go once its frames are out (or the send failed). True when an
    // open connection failed to take the bytes and is to be dropped.
    bool EndSendWork(const SendWork& work, bool sent);

    // Guarded by LockFields
    uint32_t Connection = 0;            // changes with every Attach and Reset
    char PeerAddress[32] = {};          // "%d.%d.%d.%d"
    AccountRecord Account = {};         // all zero while nobody is logged in
    uint8_t Rights[kMaxChannels] = {};  // one per driver channel, from the account's rights file
    int MonitorFlag = 0;
    int MonitoredChannel = kNoMonitoredChannel;
    CScopedKernelHandle DownloadFile;  // the file a download command has open

    // Any thread
    std::atomic<int> SecondsSinceSend{0};  // counted by KeepAliveThread
    std::atomic<int> SecondsSinceReceive{0};
    std::atomic<int> SentBytes{0};  // sum of the length fields of the frames queued; nothing reads it

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
    struct OutgoingFrame {
        std::vector<uint8_t> Bytes;
        bool Droppable;
    };

    // Waits, releasing the lock meanwhile, until a frame of length bytes fits below kReplyQueueBytes, or the slot
    // no longer serves a connection that wants it.
    void WaitForReplyRoom(std::unique_lock<std::mutex>& lock, int length, const std::function<bool()>& wanted);
    bool HasRoomLocked(size_t length, size_t limit) const { return m_queuedBytes + length <= limit; }
    bool HasSendWorkLocked() const { return (m_socket && (m_sendFailed || !m_queue.empty())) || m_closingSocket; }
    // Wakes the sender when it waits for work, and the replies waiting for room; each only when it waits, since
    // pushes come by the thousand.
    void WakeSenderLocked();
    void WakeReplyWaitersLocked();
    // Makes room by dropping the queued droppable frames; true when the frame then fits.
    bool MakeRoomLocked(size_t length);
    void ClearQueueLocked();
    // Debug builds: the states drawn in ClientSlot.cpp hold after each change (a programmer error otherwise).
    void AssertStateLocked() const;
    // The part of Reset that the connection's end shares: the counters, monitor, account, rights, download and the
    // queries' stops.
    void ClearConnectionLocked();

    std::mutex m_lock;                   // guards the fields marked above and all below
    std::condition_variable m_roomMade;  // for replies waiting: room made, or the connection changed
    int m_replyWaiters = 0;              // threads waiting on m_roomMade
    // The sender waits for this count to change (WaitOnAddress): waking it costs no system call while it works,
    // and no more than a futex when it waits, where an event would cost a round trip to the system each time.
    volatile LONG m_senderWakeCount = 0;
    bool m_senderWaiting = false;                   // the sender waits on m_senderWakeCount
    std::shared_ptr<ClientSocket> m_socket;         // the open connection; null while free or closing
    std::shared_ptr<ClientSocket> m_closingSocket;  // a connection sending its last frames before it closes
    std::deque<OutgoingFrame> m_queue;              // the frames of the open or closing connection, oldest first
    size_t m_queuedBytes = 0;
    bool m_sendFailed = false;  // the open connection takes no more frames: it is being dropped
    HANDLE m_attached;          // auto-reset event set by Attach; owned, lives with the slot
    WorkerThread m_readerThread{L"ClientReaderThread"};  // runs while the process does
    WorkerThread m_senderThread{L"ClientSenderThread"};
};

// The 64 slots. Built on first use and never destroyed (their threads run until the process ends).
std::array<ClientSlot, kMaxClientSlots>& ClientSlots();

// The thread that writes a slot's outgoing queue to its connection (argument: the ClientSlot).
unsigned __stdcall ClientSenderThread(void* slot);
