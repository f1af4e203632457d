// AcceptThread: takes every new connection of the listening socket and gives it the first free ClientSlot, in
// index order, starting the slot's reader on its first connection. It owns no slot: it only attaches the socket
// under the slot's lock. Stops when StopTcpServer sets the stop event and closes the listening socket, which ends
// the pending accept.
//
// An accept that keeps failing (no free sockets, say) is tried again after a pause that doubles up to a second,
// so that the thread does not spin at full speed while the cause lasts. A failure that concerns one connection only
// (its client reset it before it was taken) is no such cause: the next accept follows at once.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "clients/ClientSlot.h"
#include "remote/ServerThreads.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr DWORD kFirstRetryMs = 10;
constexpr DWORD kLongestRetryMs = 1000;

bool IsFailureOfOneConnection(int error) {
    return error == WSAECONNRESET || error == WSAECONNABORTED || error == WSAENOTCONN;
}

// Takes the connection into the first free slot; false when all 64 are in use.
bool PlaceConnection(SOCKET socket, const char* peerAddress) {
    for (ClientSlot& slot : ClientSlots()) {
        if (slot.Attach(socket, peerAddress)) {
            slot.StartReader(ClientReaderThread);
            return true;
        }
    }
    return false;
}

}  // namespace

unsigned __stdcall AcceptThread(void* param) {
    const auto& control = *static_cast<const ListeningControl*>(param);
    const SOCKET listener = control.Listener;
    DWORD retryMs = 0;
    for (;;) {
        sockaddr_in peer{};
        int peerLength = sizeof(peer);
        const SOCKET socket = WSAAccept(listener, reinterpret_cast<sockaddr*>(&peer), &peerLength, nullptr, 0);
        if (socket == INVALID_SOCKET) {
            const int error = WSAGetLastError();
            if (WaitForSingleObject(control.StopEvent, IsFailureOfOneConnection(error) ? 0 : retryMs) == WAIT_OBJECT_0)
                return 0;
            retryMs = IsFailureOfOneConnection(error) ? 0
                      : retryMs                       ? std::min(2 * retryMs, kLongestRetryMs)
                                                      : kFirstRetryMs;
            continue;
        }
        retryMs = 0;
        const auto* octets = reinterpret_cast<const unsigned char*>(&peer.sin_addr);
        char peerAddress[32];
        snprintf(peerAddress, sizeof(peerAddress), "%d.%d.%d.%d", octets[0], octets[1], octets[2], octets[3]);
        if (!PlaceConnection(socket, peerAddress))
            closesocket(socket);
    }
}
