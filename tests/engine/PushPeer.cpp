#include "PushPeer.h"

#include "clients/ClientSlot.h"

#include <ws2tcpip.h>

PushPeer::PushPeer(int slot) : m_slot(slot) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        return;
    }
    m_client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (connect(m_client, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        closesocket(m_client);
        m_client = INVALID_SOCKET;
    }
    SOCKET server = m_client == INVALID_SOCKET ? INVALID_SOCKET : accept(listener, nullptr, nullptr);
    closesocket(listener);
    if (server == INVALID_SOCKET || !ClientSlots()[m_slot].Attach(server, "127.0.0.1")) {
        if (server != INVALID_SOCKET)
            closesocket(server);
        closesocket(m_client);
        m_client = INVALID_SOCKET;
    }
}

PushPeer::~PushPeer() {
    if (m_client != INVALID_SOCKET) {
        ClientSlots()[m_slot].Reset();
        closesocket(m_client);
    }
    WSACleanup();
}

void PushPeer::Permit(int channel, uint8_t right) {
    ClientSlot& slot = ClientSlots()[m_slot];
    auto lock = slot.LockFields();
    slot.Rights[channel] = right;
}

void PushPeer::Monitor(int channel) {
    ClientSlot& slot = ClientSlots()[m_slot];
    auto lock = slot.LockFields();
    slot.MonitorFlag = 1;
    slot.MonitoredChannel = channel;
}

std::vector<PushPeer::Frame> PushPeer::Receive(int firstMs, int quietMs) {
    std::vector<uint8_t> bytes;
    for (int waitMs = firstMs;; waitMs = quietMs) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_client, &readable);
        timeval timeout{waitMs / 1000, (waitMs % 1000) * 1000};
        if (select(0, &readable, nullptr, nullptr, &timeout) != 1)
            break;
        char buffer[16384];
        const int got = recv(m_client, buffer, sizeof(buffer), 0);
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::vector<Frame> frames;
    for (size_t at = 0; at + 3 <= bytes.size();) {
        Frame frame;
        frame.Length = static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
        frame.Command = bytes[at + 2];
        const size_t end = std::min(bytes.size(), at + 2 + frame.Length);
        frame.Bytes.assign(bytes.begin() + at, bytes.begin() + end);
        frames.push_back(std::move(frame));
        at = end;
    }
    return frames;
}
