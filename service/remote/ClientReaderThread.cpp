// ClientReaderThread: the receiving side of one ClientSlot, for every connection the slot ever serves. It owns
// the slot's receive buffer, cuts the received bytes into frames and runs each frame's command inline
// (DispatchClientCommand); long queries go to the slot's workers. It takes the slot's lock only inside the slot's
// own functions and never holds it during recv. It runs until the process ends.
//
// A connection whose peer closes it or whose receive fails is freed at once, as the idle timeout frees it, so
// that the account can log in again straight away.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "clients/ClientFrame.h"
#include "clients/ClientSlot.h"
#include "remote/DispatchClientCommand.h"
#include "remote/ServerThreads.h"

#include <cstring>

namespace {

constexpr DWORD kIdleWaitMs = 1000;  // a free slot looks for a connection this often (and on every attach)
constexpr DWORD kReceivePollMs = 5;

// Runs every complete frame at the start of the buffer and keeps the incomplete rest.
void CutFrames(ClientSlot& slot, uint32_t connection) {
    int start = 0;
    // The length is read only once both of its bytes are there.
    while (slot.ReceiveCount - start >= kFrameHeaderBytes && slot.CurrentConnection() == connection) {
        const int length = ReadFrameLength(slot.ReceiveBuffer + start);
        // A length with bit 15 set is invalid; 32767 could never fit the buffer.
        if ((length & kInvalidLengthBit) || kFrameHeaderBytes + length > kReceiveBufferBytes) {
            auto lock = slot.LockFields();
            if (slot.Connection == connection)
                slot.ResetLocked();
            slot.ReceiveCount = 0;
            return;
        }
        if (slot.ReceiveCount - start < kFrameHeaderBytes + length)
            break;
        DispatchClientCommand(length, slot, slot.ReceiveBuffer + start + kFrameHeaderBytes);
        start += kFrameHeaderBytes + length;
    }
    slot.ReceiveCount -= start;
    std::memmove(slot.ReceiveBuffer, slot.ReceiveBuffer + start, slot.ReceiveCount);
}

}  // namespace

unsigned __stdcall ClientReaderThread(void* param) {
    ClientSlot& slot = *static_cast<ClientSlot*>(param);
    for (;;) {
        uint32_t connection = 0;
        const std::shared_ptr<ClientSocket> socket = slot.BeginReceive(connection);
        if (!socket) {
            slot.WaitForConnection(kIdleWaitMs);
            continue;
        }
        if (slot.BufferConnection != connection) {
            slot.BufferConnection = connection;
            slot.ReceiveCount = 0;
        }

        Sleep(kReceivePollMs);
        const int received = recv(socket->Handle(), reinterpret_cast<char*>(slot.ReceiveBuffer) + slot.ReceiveCount,
                                  kReceiveBufferBytes - slot.ReceiveCount, 0);
        if (!slot.EndReceive(connection))
            continue;  // freed meanwhile: what came belongs to the old connection
        if (received == SOCKET_ERROR || received == 0) {
            slot.ReceiveCount = 0;
            slot.DropConnection(connection);
            continue;
        }
        slot.ReceiveCount += received;
        slot.SecondsSinceReceive = 0;
        CutFrames(slot, connection);
    }
}
