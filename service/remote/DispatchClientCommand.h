#pragma once
// The dispatcher of received frames: checks each frame against its command's rules and runs the command's
// handler on the slot's reader thread.

#include <cstdint>

class ClientSlot;

// A command handler: the slot, the payload after the command byte and its size in bytes (N - 1). The dispatcher
// has checked the payload's size; the handler reads nothing beyond it.
using CommandHandler = void (*)(ClientSlot& slot, const uint8_t* payload, int payloadBytes);

// Runs one frame: its length N (command byte included) and its N-byte body. A frame of length 0 carries no
// command. A command that is unknown, too short (or not of its exact length), or sent before a login other than
// log in, log out and keep-alive, is dropped without a reply. Reader thread of the slot.
void DispatchClientCommand(int length, ClientSlot& slot, const uint8_t* body);
