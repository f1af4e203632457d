// ControlPort.cpp - the listening socket and one reader thread per connection.
//
// The threads are detached and end with the process; the simulator that owns the port is never
// destroyed. A connection ends when the client closes it or sends a line longer than kMaxLine.
#include <winsock2.h>

#include "ControlPort.h"

#include <thread>

namespace {

constexpr size_t kMaxLine = 65536;

bool SendAll(SOCKET socket, const std::string& text) {
    size_t sent = 0;
    while (sent < text.size()) {
        const int count = send(socket, text.data() + sent, static_cast<int>(text.size() - sent), 0);
        if (count <= 0)
            return false;
        sent += static_cast<size_t>(count);
    }
    return true;
}

void Serve(SOCKET socket, const CControlPort::Handler& handler) {
    std::string pending;
    char chunk[4096];
    for (;;) {
        const int count = recv(socket, chunk, sizeof chunk, 0);
        if (count <= 0)
            break;
        pending.append(chunk, static_cast<size_t>(count));
        size_t end;
        bool ok = true;
        while (ok && (end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            ok = SendAll(socket, handler(line) + ".\n");
        }
        if (!ok || pending.size() > kMaxLine)
            break;
    }
}

// The connection's thread: nothing may leave it, so running out of memory just ends the connection.
void ServeConnection(SOCKET socket, CControlPort::Handler handler) {
    try {
        Serve(socket, handler);
    } catch (...) {
    }
    closesocket(socket);
}

}  // namespace

int CControlPort::Listen(int port, Handler handler, std::string& error) {
    std::lock_guard<std::mutex> guard(m_portLock);
    if (m_port != 0) {
        error = "already listening on port " + std::to_string(m_port);
        return 0;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        error = "WSAStartup failed";
        return 0;
    }
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    int length = sizeof address;
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, SOMAXCONN) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = "cannot listen on port " + std::to_string(port) + " (error " + std::to_string(WSAGetLastError()) + ")";
        if (listener != INVALID_SOCKET)
            closesocket(listener);
        WSACleanup();
        return 0;
    }
    m_port = ntohs(address.sin_port);
    m_handler = std::move(handler);
    std::thread(&CControlPort::AcceptLoop, this, static_cast<uintptr_t>(listener)).detach();
    return m_port;
}

void CControlPort::AcceptLoop(uintptr_t listener) {
    for (;;) {
        const SOCKET client = accept(static_cast<SOCKET>(listener), nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            if (WSAGetLastError() == WSAECONNRESET)  // the client left before it was accepted
                continue;
            return;
        }
        try {
            std::thread(ServeConnection, client, m_handler).detach();
        } catch (...) {
            closesocket(client);  // no thread to serve it
        }
    }
}
