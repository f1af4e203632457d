#include "PushClient.h"

#include "BenchClock.h"

#include "records/ProtocolRecords.h"
#include "records/StorageRecords.h"

#include <ws2tcpip.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kLoginWaitMs = 10000;
constexpr DWORD kKeepAliveMs = 10000;

bool SendAll(SOCKET socket, const void* data, int length) {
    const char* bytes = static_cast<const char*>(data);
    while (length > 0) {
        const int sent = ::send(socket, bytes, length, 0);
        if (sent <= 0)
            return false;
        bytes += sent;
        length -= sent;
    }
    return true;
}

}  // namespace

CPushClient::~CPushClient() {
    Close();
    ::CloseHandle(m_closing);
}

bool CPushClient::Connect(int port) {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_socket == INVALID_SOCKET ||
        ::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return false;

    AccountRecord account{};
    wcscpy(account.UserName, L"tovak");
    wcscpy(account.UserPsw, L"tovak");
    uint8_t login[3 + sizeof account];
    const uint16_t length = 1 + sizeof account;
    std::memcpy(login, &length, 2);
    login[2] = kCmdLogin;
    std::memcpy(login + 3, &account, sizeof account);
    if (!SendAll(m_socket, login, sizeof login))
        return false;
    m_reader = std::thread(&CPushClient::Read, this);
    m_keepAlive = std::thread(&CPushClient::KeepAlive, this);
    for (int waited = 0; waited < kLoginWaitMs && !m_loggedIn; waited += 10)
        ::Sleep(10);
    return m_loggedIn;
}

void CPushClient::Close() {
    ::SetEvent(m_closing);
    if (m_keepAlive.joinable())
        m_keepAlive.join();
    if (m_socket != INVALID_SOCKET) {
        ::shutdown(m_socket, SD_BOTH);
        ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
    if (m_reader.joinable())
        m_reader.join();
}

void CPushClient::KeepAlive() {
    const uint8_t keepAlive[3] = {1, 0, kCmdKeepAlive};
    while (::WaitForSingleObject(m_closing, kKeepAliveMs) == WAIT_TIMEOUT)
        SendAll(m_socket, keepAlive, sizeof keepAlive);
}

void CPushClient::Read() {
    std::vector<uint8_t> buffer;
    char chunk[65536];
    for (;;) {
        const int received = ::recv(m_socket, chunk, sizeof chunk, 0);
        if (received <= 0)
            return;
        buffer.insert(buffer.end(), chunk, chunk + received);
        size_t used = 0;
        while (buffer.size() - used >= 2) {
            uint16_t length = 0;
            std::memcpy(&length, &buffer[used], 2);
            if (buffer.size() - used < 2u + length)
                break;
            OnFrame(&buffer[used + 2], length);
            used += 2u + length;
        }
        buffer.erase(buffer.begin(), buffer.begin() + used);
    }
}

void CPushClient::OnFrame(const uint8_t* body, int length) {
    if (length < 1)
        return;
    if (body[0] == kFrameLogin && length >= 2 && body[1] == kLoginAccepted)
        m_loggedIn = true;
    if (body[0] != kFrameNewCdr || length != 1 + static_cast<int>(sizeof(CallRecord)))
        return;
    const double now = NowMs();
    CallRecord record;
    std::memcpy(&record, body + 1, sizeof record);
    if (record.Channel >= 0 && record.Channel < kMaxChannels) {
        m_newCdrMs[record.Channel] = now;
        ++m_newCdrCount;
    }
}
