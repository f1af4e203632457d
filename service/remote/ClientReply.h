#pragma once
// Replies of a command go to the connection that sent it: when the slot was freed and taken by a new client while
// the command ran, the reply is dropped rather than reaching that client. A reply waits while the slot's queue is
// above its reply mark (FrameKind::Reply): only the client's own threads send replies.

#include "clients/ClientSlot.h"  // first: it brings winsock2.h ahead of windows.h
#include "clients/ClientFrame.h"

#include <cstdint>
#include <vector>

inline int SendReply(ClientSlot& slot, uint32_t connection, const void* data, int length) {
    return slot.SendIf(
        FrameKind::Reply, [connection](const ClientSlot& s) { return s.Connection == connection; }, data, length);
}

inline int SendReply(ClientSlot& slot, uint32_t connection, const std::vector<uint8_t>& frame) {
    return SendReply(slot, connection, frame.data(), static_cast<int>(frame.size()));
}

inline int SendResult(ClientSlot& slot, uint32_t connection, uint8_t command, uint8_t r) {
    const ResultFrame result = MakeResultFrame(command, r);
    return SendReply(slot, connection, &result, sizeof(result));
}

// The logged-in account of the slot, copied under its lock.
inline AccountRecord AccountOf(ClientSlot& slot) {
    auto lock = slot.LockFields();
    return slot.Account;
}
