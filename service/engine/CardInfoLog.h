#pragma once
// CardInfor.txt in the program folder: an 8-bit text log of what the driver reported at start-up, one line per
// board (its type and serial number) and one per channel (its type and state), each stamped with the local time
// and ended by CR LF. Lines are appended; a file that cannot be opened is skipped. Start-up thread only.

// "<stamp> QsdSys_GetCardType <type>,QsdSys_GetBoardSerialNo <serial>"
void AppendBoardInfoLine(int cardType, int serialNo);
// "<stamp> QsdChl_GetType <type>,QsdChl_GetState <state>"
void AppendChannelInfoLine(int type, int state);
