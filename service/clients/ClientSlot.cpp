// A slot is free (no socket), connected (socket, no account), logged in (account and rights loaded) or closing (its
// last frames going out):
//
//   free --Attach (AcceptThread)--> connected --HandleLogin--> logged in
//   connected, logged in --ResetLocked--> free
//   connected, logged in --ResetAfterSendingLocked--> closing --EndSendWork (queue sent, or the send failed)--> free
//
// ResetLocked comes from an invalid frame length, a broken connection, 60 s of silence or a queue that overflowed
// (DropConnection); ResetAfterSendingLocked from a logout, a refused login, the operator's forced logout and a port
// change, each after its last frame. Connection counts up at every Attach and reset, so work started for one
// connection (query rows, replies, the reader's buffer) never reaches the next.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "clients/ClientSlot.h"

#include "clients/ClientFrame.h"
#include "ServiceView.h"

#include <chrono>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace {

// How often a reply waiting for room looks again whether it is still wanted (its query may have been stopped).
constexpr auto kReplyWaitPoll = std::chrono::milliseconds(100);
// The sender writes up to this many bytes of whole frames in one send.
constexpr size_t kSendBatchBytes = 64 * 1024;

}  // namespace

ClientSlot::ClientSlot() : m_attached(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

bool ClientSlot::Attach(SOCKET socket, const char* peerAddress) {
    ASSERT(socket != INVALID_SOCKET && peerAddress != nullptr);
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_socket || m_closingSocket)
        return false;
    const DWORD timeout = kSendTimeoutMs;
    setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    const int sendBuffer = kSocketSendBufferBytes;
    setsockopt(socket, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sendBuffer), sizeof(sendBuffer));
    if (!m_senderThread.IsStarted())
        m_senderThread.Start(ClientSenderThread, this);
    m_socket = std::make_shared<ClientSocket>(socket);
    m_sendFailed = false;
    ++Connection;
    SecondsSinceSend = 0;
    SecondsSinceReceive = 0;
    strncpy(PeerAddress, peerAddress, sizeof(PeerAddress) - 1);
    PeerAddress[sizeof(PeerAddress) - 1] = '\0';
    AssertStateLocked();
    SetEvent(m_attached);
    return true;
}

void ClientSlot::StartReader(ReaderThread reader) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_readerThread.IsStarted())
        m_readerThread.Start(reader, this);
}

void ClientSlot::Reset() {
    std::lock_guard<std::mutex> guard(m_lock);
    ResetLocked();
}

void ClientSlot::ResetLocked() {
    ClearConnectionLocked();
    if (m_socket) {
        // Wakes the reader's recv and the sender's send; the socket closes when they let go of it.
        m_socket->Abort();
        m_socket.reset();
        ClearQueueLocked();
    }
    AssertStateLocked();
}

void ClientSlot::ResetAfterSendingLocked() {
    if (!m_socket || m_queue.empty() || m_sendFailed) {
        ResetLocked();
        return;
    }
    ClearConnectionLocked();
    // The sender sends what is queued, then shuts the connection down (EndSendWork).
    m_closingSocket = std::move(m_socket);
    AssertStateLocked();
    WakeSenderLocked();
}

void ClientSlot::ClearConnectionLocked() {
    SecondsSinceSend = 0;
    SecondsSinceReceive = 0;
    MonitorFlag = 0;
    MonitoredChannel = kNoMonitoredChannel;
    ++Connection;
    Account = {};
    std::memset(Rights, 0, sizeof(Rights));
    // The next client of the slot must not read on in this client's download or receive its query rows.
    DownloadFile.Close();
    CdrSearch.RequestStop();
    Statistics.RequestStop();
    SysLogSearch.RequestStop();
    ContactList.RequestStop();
    WakeReplyWaitersLocked();
}

void ClientSlot::DropConnection(uint32_t connection) {
    ClientEventRecord event{};
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (Connection != connection || !m_socket)
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
    return IsConnectedLocked();
}

bool ClientSlot::IsLoggedIn() {
    std::lock_guard<std::mutex> guard(m_lock);
    return IsConnectedLocked() && Account.UserName[0] != L'\0';
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
    const uint32_t connection = CurrentConnection();
    return SendIf(
        FrameKind::Reply, [connection](const ClientSlot& s) { return s.Connection == connection; }, data, length);
}

int ClientSlot::QueueLocked(FrameKind kind, const void* data, int length) {
    if (!m_socket || m_sendFailed || length <= 0)
        return SOCKET_ERROR;
    const size_t size = static_cast<size_t>(length);
    if (!HasRoomLocked(size, kOutgoingQueueBytes)) {
        if (kind == FrameKind::Droppable)
            return SOCKET_ERROR;
        if (!MakeRoomLocked(size)) {
            // The client has fallen too far behind. Nothing more is queued for it, and the shut-down connection
            // ends the sender's send and the reader's recv; the slot is then freed as for a broken connection.
            m_sendFailed = true;
            ClearQueueLocked();
            m_socket->Abort();
            WakeSenderLocked();
            WakeReplyWaitersLocked();
            return SOCKET_ERROR;
        }
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    m_queue.push_back({std::vector<uint8_t>(bytes, bytes + size), kind == FrameKind::Droppable});
    m_queuedBytes += size;
    SecondsSinceSend = 0;
    if (length >= kFrameHeaderBytes)
        SentBytes += ReadFrameLength(bytes);
    WakeSenderLocked();
    return length;
}

void ClientSlot::WaitForReplyRoom(std::unique_lock<std::mutex>& lock, int length, const std::function<bool()>& wanted) {
    ++m_replyWaiters;
    while (IsConnectedLocked() && !m_sendFailed && wanted() &&
           !HasRoomLocked(static_cast<size_t>(length), kReplyQueueBytes))
        m_roomMade.wait_for(lock, kReplyWaitPoll);
    --m_replyWaiters;
}

void ClientSlot::WakeSenderLocked() {
    if (m_senderWaiting) {
        m_senderWaiting = false;
        ++m_senderWakeCount;
        WakeByAddressSingle(const_cast<LONG*>(&m_senderWakeCount));
    }
}

void ClientSlot::WakeReplyWaitersLocked() {
    if (m_replyWaiters > 0)
        m_roomMade.notify_all();
}

bool ClientSlot::MakeRoomLocked(size_t length) {
    for (auto frame = m_queue.begin(); frame != m_queue.end();) {
        if (frame->Droppable) {
            m_queuedBytes -= frame->Bytes.size();
            frame = m_queue.erase(frame);
        } else {
            ++frame;
        }
    }
    return HasRoomLocked(length, kOutgoingQueueBytes);
}

void ClientSlot::AssertStateLocked() const {
    // One connection at a time: Attach refuses a slot that is still sending a closed connection's last frames.
    ASSERT(!(m_socket && m_closingSocket));
    // A connection whose send failed is reset, never left to close after its last frames.
    ASSERT(!(m_closingSocket && m_sendFailed));
    // The queue belongs to the open or closing connection, and its byte count follows it.
    ASSERT(m_socket || m_closingSocket || m_queue.empty());
    ASSERT(!m_queue.empty() || m_queuedBytes == 0);
}

void ClientSlot::ClearQueueLocked() {
    m_queue.clear();
    m_queuedBytes = 0;
}

std::shared_ptr<ClientSocket> ClientSlot::BeginReceive(uint32_t& connection) {
    std::lock_guard<std::mutex> guard(m_lock);
    connection = Connection;
    return m_socket;
}

bool ClientSlot::EndReceive(uint32_t connection) {
    std::lock_guard<std::mutex> guard(m_lock);
    return Connection == connection;
}

void ClientSlot::WaitForConnection(DWORD timeoutMs) {
    WaitForSingleObject(m_attached, timeoutMs);
}

ClientSlot::SendWork ClientSlot::TakeSendWork() {
    std::unique_lock<std::mutex> lock(m_lock);
    while (!HasSendWorkLocked()) {
        // A wake between the unlock and the wait changes the count first: the wait then returns at once.
        LONG seen = m_senderWakeCount;
        m_senderWaiting = true;
        lock.unlock();
        WaitOnAddress(const_cast<LONG*>(&m_senderWakeCount), &seen, sizeof(seen), INFINITE);
        lock.lock();
    }
    SendWork work;
    work.Closing = !m_socket;
    work.Socket = work.Closing ? m_closingSocket : m_socket;
    work.Connection = Connection;
    work.Drop = !work.Closing && m_sendFailed;
    if (work.Drop)
        return work;
    while (!m_queue.empty() &&
           (work.Bytes.empty() || work.Bytes.size() + m_queue.front().Bytes.size() <= kSendBatchBytes)) {
        const std::vector<uint8_t>& frame = m_queue.front().Bytes;
        work.Bytes.insert(work.Bytes.end(), frame.begin(), frame.end());
        m_queuedBytes -= frame.size();
        m_queue.pop_front();
    }
    WakeReplyWaitersLocked();
    return work;
}

bool ClientSlot::EndSendWork(const SendWork& work, bool sent) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (work.Closing) {
        if (m_closingSocket != work.Socket)
            return false;
        if (!sent)
            ClearQueueLocked();
        if (m_queue.empty()) {
            // Ends the reader's recv as well; the socket closes when the reader lets go of it.
            m_closingSocket->Abort();
            m_closingSocket.reset();
        }
        AssertStateLocked();
        return false;
    }
    if (sent || m_socket != work.Socket || Connection != work.Connection)
        return false;
    // Part of a frame may be out: the stream can no longer be cut into frames by the client.
    m_sendFailed = true;
    ClearQueueLocked();
    return true;
}

std::array<ClientSlot, kMaxClientSlots>& ClientSlots() {
    static auto* slots = new std::array<ClientSlot, kMaxClientSlots>;
    return *slots;
}
