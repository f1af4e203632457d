#pragma once
// Commands 0 (log in) and 1 (log out). A login checks the user name and password against the client account
// store, refuses an account that is logged in already, and then sends the client its account, the server's
// identity, its channel rights and the status of every channel it may see. Both commands show a row in the
// connected-clients pane (through the view) and write a system-log row. Reader thread of the slot.

#include <cstdint>

class ClientSlot;

// payload: an AccountRecord with user name and password (the dispatcher passes exactly 728 bytes). The texts are
// read up to their terminator or their field's last character. A refusal sends the ResultFrame r = 10 (unknown
// account or password) or 11 (account logged in already) and frees the slot.
void HandleLogin(ClientSlot& slot, const uint8_t* payload, int payloadBytes);

// Frees the slot without a reply.
void HandleLogout(ClientSlot& slot, const uint8_t* payload, int payloadBytes);
