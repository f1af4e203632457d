// Brenholt.h - the exports of Brenholt.dll, the board-information library.
//
// The library finds the voice boards through the driver's devices, reports their count,
// type and serial number, and writes the driver's default configuration files
// (qscfg.ini, prompt.ini) into the program folder. All text is 8-bit.
//
// Call QsPciLoadBoardInfo first; the three getters read the table it filled.
// QsPciMakeDefaultCfg probes the devices itself.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Fills the board table from devices 0..19. 0, or -1 when a board does not answer its type.
int WINAPI QsPciLoadBoardInfo(void);
// Number of boards in the table.
int WINAPI QsPciGetTotalBoard(void);
// Type of board `board` (an index among the boards found). 0, or -1.
int WINAPI QsPciGetBoardType(int board, int* type);
// Serial number of board `board` as decimal text; `text` must hold 32 bytes. 0, or -1.
int WINAPI QsPciGetBoardSerialNo(int board, char* text);
// Writes qscfg.ini and prompt.ini into the program folder; returns the number of boards written.
// isdnMode: 2 network side, anything else user side; spyFlag: 1 pairs the trunks for tapping.
int WINAPI QsPciMakeDefaultCfg(int isdnMode, int spyFlag, int rcvGain);

#ifdef __cplusplus
}
#endif
