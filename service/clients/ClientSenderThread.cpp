// ClientSenderThread: the sending side of one ClientSlot, for every connection the slot ever serves. It takes the
// frames queued for the slot's connection, oldest first and whole, and writes them to the socket with blocking
// sends; the pushing threads only queue. A client that stops reading blocks this thread alone, until the socket's
// send timeout (kSendTimeoutMs) fails the send. It takes the slot's lock only inside the slot's own functions and
// never holds it during a send. It runs until the process ends.
//
// A connection whose send fails, or whose queue overflowed, is dropped as a broken one (DropConnection); a closing
// connection is let go once its last frames are out.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "clients/ClientSlot.h"

namespace {

// Sends every byte; false when the connection fails (or times out) first.
bool SendAll(SOCKET socket, const std::vector<uint8_t>& bytes) {
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    for (size_t sent = 0; sent < bytes.size();) {
        const int result = send(socket, data + sent, static_cast<int>(bytes.size() - sent), 0);
        if (result == SOCKET_ERROR || result == 0)
            return false;
        sent += static_cast<size_t>(result);
    }
    return true;
}

}  // namespace

unsigned __stdcall ClientSenderThread(void* param) {
    ClientSlot& slot = *static_cast<ClientSlot*>(param);
    for (;;) {
        const ClientSlot::SendWork work = slot.TakeSendWork();
        const bool sent = !work.Drop && SendAll(work.Socket->Handle(), work.Bytes);
        if (slot.EndSendWork(work, sent) || work.Drop)
            slot.DropConnection(work.Connection);
    }
}
