#pragma once
// The server's phone book shared with the clients (command 19: add, edit, delete, list), and a client's change of
// its own password (command 23). Changes are written to the system log and echoed to the client that made them.
// Reader thread of the slot, logged-in slots only; the list runs on the slot's ContactList worker.

#include <cstdint>

class ClientSlot;

// Command 19, by the sub-command in the first payload byte:
//   1 add, 2 edit, 3 delete, each followed by a ContactRecord (1793 payload bytes at least): a change that was
//     made is echoed 02 07 13, sub-command + the record as stored (an added contact with its new UserID). A failed
//     add answers the ResultFrame of command 22 with r = 0; edits and deletes of a UserID that names no contact
//     (matched exactly) or that fail are silent;
//   4 list, followed by a key of 32 wide characters (65 payload bytes at least): sends 02 07 13 04 + the record
//     for every contact, or for those with the key inside a text column; no frame ends the list. Ignored while
//     the slot's list still runs.
// Any other sub-command does nothing.
void HandlePhoneBook(ClientSlot& slot, const uint8_t* payload, int payloadBytes);

// Command 23: AutoCode and new password, 32 wide characters each. Only the logged-in account's own password is
// changed: another AutoCode answers the ResultFrame of command 22 with r = 3, as a failed change does; a change
// answers r = 2.
void HandleChangePassword(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
