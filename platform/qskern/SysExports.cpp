// SysExports.cpp - the driver functions of the boards (QsdSys_), the E1 trunks (QsdTrk_) and the
// event mode (QsdEvt_).
#include "DriverCall.h"

extern "C" {

// The configuration files are not read: the scenario describes the boards.
int QSDAPI QsdSys_EnableBoardEx(const char* configFile, const char* promptFile) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.EnableBoards(); },
        [&](int) { return QuoteText(configFile) + ", " + QuoteText(promptFile); });
}

int QSDAPI QsdSys_EnableBoard(void) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.EnableBoards(); }, kNoArguments);
}

int QSDAPI QsdSys_DisableBoard(void) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.DisableBoards(); }, kNoArguments);
}

int QSDAPI QsdSys_GetMaxUsableBoard(void) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.UsableBoards(); }, kNoArguments);
}

int QSDAPI QsdSys_GetMaxCh(void) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.MaxChannels(); }, kNoArguments);
}

int QSDAPI QsdSys_GetMaxPcm(void) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.MaxPcms(); }, kNoArguments);
}

int QSDAPI QsdSys_GetBoardSerialNo(int board) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.BoardSerialNo(board); }, NumberArgument(board));
}

int QSDAPI QsdSys_GetCardType(int board) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.CardType(board); }, NumberArgument(board));
}

int QSDAPI QsdTrk_GetPcmLinkStatus(int pcm) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.PcmLinkStatus(pcm); }, NumberArgument(pcm));
}

int QSDAPI QsdEvt_ModeSet(const QSD_EVENT_MODE* mode) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SetEventMode(mode); },
        [&](int) {
            return mode ? FormatArguments("{%d, %p}", mode->Mode, reinterpret_cast<void*>(mode->Callback))
                        : std::string("null");
        });
}

}  // extern "C"
