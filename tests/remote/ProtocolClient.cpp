#include "ProtocolClient.h"

#include "storage/RecordFields.h"
#include "records/ProtocolRecords.h"
#include "records/StorageRecords.h"

#include <chrono>

namespace {

constexpr int kLoginQuietMs = 700;

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

template <class Record>
void AppendBytes(std::vector<uint8_t>& bytes, const Record& record) {
    const auto* data = reinterpret_cast<const uint8_t*>(&record);
    bytes.insert(bytes.end(), data, data + sizeof(Record));
}

}  // namespace

ProtocolClient::ProtocolClient() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

ProtocolClient::~ProtocolClient() {
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
    WSACleanup();
}

bool ProtocolClient::Connect(int port, int receiveBufferBytes) {
    m_socket = socket(AF_INET, SOCK_STREAM, 0);
    if (receiveBufferBytes > 0)
        setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBufferBytes),
                   sizeof(receiveBufferBytes));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    return m_socket != INVALID_SOCKET &&
           connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
}

void ProtocolClient::Abort() {
    if (m_socket == INVALID_SOCKET)
        return;
    const linger reset{1, 0};
    setsockopt(m_socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof(reset));
    closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    m_closed = true;
}

bool ProtocolClient::SendBytes(const std::vector<uint8_t>& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int result = send(m_socket, reinterpret_cast<const char*>(bytes.data()) + sent,
                                static_cast<int>(bytes.size() - sent), 0);
        if (result == SOCKET_ERROR)
            return false;
        sent += result;
    }
    return true;
}

bool ProtocolClient::SendFrame(uint8_t command, const std::vector<uint8_t>& payload) {
    return SendBytes(ClientFrameBytes(command, payload));
}

std::optional<ReceivedFrame> ProtocolClient::Receive(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (auto frame = TakeFrame())
            return frame;
        if (m_closed || !ReadMore(MsLeft(deadline)))
            return std::nullopt;
    }
}

std::optional<ReceivedFrame> ProtocolClient::ReceiveCommand(uint8_t command, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (auto frame = Receive(MsLeft(deadline))) {
        if (frame->Command == command)
            return frame;
    }
    return std::nullopt;
}

std::vector<ReceivedFrame> ProtocolClient::ReceiveUntilQuiet(int quietMs) {
    std::vector<ReceivedFrame> frames;
    while (auto frame = Receive(quietMs))
        frames.push_back(std::move(*frame));
    return frames;
}

bool ProtocolClient::WaitClosed(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!m_closed) {
        m_pending.clear();
        if (!ReadMore(MsLeft(deadline)) && !m_closed)
            return false;
    }
    return true;
}

bool ProtocolClient::SendLogin(const std::wstring& userName, const std::wstring& password) {
    return SendFrame(kCmdLogin, LoginPayload(userName, password));
}

std::vector<ReceivedFrame> ProtocolClient::Login(const std::wstring& userName, const std::wstring& password) {
    SendLogin(userName, password);
    return ReceiveUntilQuiet(kLoginQuietMs);
}

// Waits up to timeoutMs for bytes and appends them. False on timeout or when the server closed the connection
// (then IsClosed).
bool ProtocolClient::ReadMore(int timeoutMs) {
    if (m_socket == INVALID_SOCKET) {
        m_closed = true;
        return false;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_socket, &readable);
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (select(0, &readable, nullptr, nullptr, &timeout) <= 0)
        return false;
    char buffer[16384];
    const int received = recv(m_socket, buffer, sizeof(buffer), 0);
    if (received <= 0) {
        m_closed = true;
        return false;
    }
    m_pending.insert(m_pending.end(), buffer, buffer + received);
    return true;
}

std::optional<ReceivedFrame> ProtocolClient::TakeFrame() {
    if (m_pending.size() < 2)
        return std::nullopt;
    const uint16_t length = static_cast<uint16_t>(m_pending[0] | m_pending[1] << 8);
    if (m_pending.size() < 2u + length || length == 0)
        return std::nullopt;
    ReceivedFrame frame;
    frame.Length = length;
    frame.Command = m_pending[2];
    frame.Payload.assign(m_pending.begin() + 3, m_pending.begin() + 2 + length);
    m_pending.erase(m_pending.begin(), m_pending.begin() + 2 + length);
    return frame;
}

std::vector<uint8_t> ClientFrameBytes(uint8_t command, const std::vector<uint8_t>& payload) {
    const size_t length = 1 + payload.size();
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(length & 0xFF), static_cast<uint8_t>(length >> 8), command};
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

std::vector<uint8_t> LoginPayload(const std::wstring& userName, const std::wstring& password) {
    AccountRecord account{};
    CopyToField(account.UserName, userName.c_str());
    CopyToField(account.UserPsw, password.c_str());
    std::vector<uint8_t> bytes;
    AppendBytes(bytes, account);
    return bytes;
}

std::vector<uint8_t> QueryPayload(const SYSTEMTIME& from, const SYSTEMTIME& to, const std::wstring& sql) {
    std::vector<uint8_t> bytes;
    AppendBytes(bytes, from);
    AppendBytes(bytes, to);
    for (wchar_t c : sql)
        AppendBytes(bytes, c);
    AppendBytes(bytes, L'\0');
    return bytes;
}

std::vector<uint8_t> ChartPayload(const SYSTEMTIME& from, const SYSTEMTIME& to, const std::vector<uint8_t>& selection) {
    std::vector<uint8_t> bytes;
    AppendBytes(bytes, from);
    AppendBytes(bytes, to);
    bytes.insert(bytes.end(), selection.begin(), selection.end());
    bytes.resize(2 * sizeof(SYSTEMTIME) + 512);
    return bytes;
}
