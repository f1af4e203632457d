// BoardProbe.h - asks one board device what the configuration writer needs.
#pragma once

#include <windows.h>

// Probes device `board`: copies the model name of its type (7 bytes with the terminating 0)
// into modelName, its serial number into serial and its trunk count into pcms.
// Returns the board's channel count; 0 when there is no device `board`; -1 when the device
// does not answer its type or the type is unknown.
int ProbeBoard(int board, char* modelName, DWORD& serial, int& pcms);
