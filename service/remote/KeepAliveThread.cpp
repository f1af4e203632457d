// KeepAliveThread: once a second counts the seconds since the last send and receive of every connected slot,
// sends a keep-alive frame to a client the server has sent nothing for 20 s, and frees the slot of a client that
// has sent nothing for 60 s (ClientSlot::DropConnection). It takes each slot's lock only inside the slot's own
// functions. Stops when StopTcpServer sets the stop event.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "clients/ClientFrame.h"
#include "clients/ClientSlot.h"
#include "remote/ServerThreads.h"

namespace {

constexpr DWORD kTickMs = 1000;
constexpr int kKeepAliveAfterSeconds = 20;
constexpr int kDropAfterSeconds = 60;

void Tick(ClientSlot& slot) {
    const uint32_t connection = slot.CurrentConnection();
    if (!slot.IsConnected())
        return;
    ++slot.SecondsSinceSend;
    if (++slot.SecondsSinceReceive >= kDropAfterSeconds) {
        slot.DropConnection(connection);
    } else if (slot.SecondsSinceSend >= kKeepAliveAfterSeconds) {
        slot.SecondsSinceSend = 0;
        const ResultFrame keepAlive = MakeResultFrame(kFrameKeepAlive, 0);
        // A client with frames still queued is sent data anyway; one whose queue is full needs no keep-alive.
        slot.SendIf(
            FrameKind::Droppable, [&](const ClientSlot& s) { return s.Connection == connection; }, &keepAlive,
            sizeof(keepAlive));
    }
}

}  // namespace

unsigned __stdcall KeepAliveThread(void* param) {
    const auto& control = *static_cast<const ListeningControl*>(param);
    while (WaitForSingleObject(control.StopEvent, kTickMs) == WAIT_TIMEOUT) {
        for (ClientSlot& slot : ClientSlots())
            Tick(slot);
    }
    return 0;
}
