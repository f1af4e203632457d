#pragma once
// Replies of a command go to the connection that sent it: when the slot was freed and taken by a new client while
// the command ran, the reply is dropped rather than reaching that client.

#include "ClientFrame.h"
#include "ClientSlot.h"

#include <cstdint>
#include <vector>

inline int SendReply(ClientSlot& slot, uint32_t connection, const std::vector<uint8_t>& frame)
{
    return slot.SendIf([connection](const ClientSlot& s) { return s.Connection == connection; }, frame);
}

inline int SendResult(ClientSlot& slot, uint32_t connection, uint8_t command, uint8_t r)
{
    const ResultFrame result = MakeResultFrame(command, r);
    return slot.SendIf([connection](const ClientSlot& s) { return s.Connection == connection; }, &result,
                       sizeof(result));
}

// The logged-in account of the slot, copied under its lock.
inline AccountRecord AccountOf(ClientSlot& slot)
{
    auto lock = slot.LockFields();
    return slot.Account;
}
