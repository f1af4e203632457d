// SpyExports.cpp - the driver functions of tapped circuits (QsdSpy_).
#include "DriverCall.h"

extern "C" {

int QSDAPI QsdSpy_GetMaxCic(void) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.MaxCics(); }, kNoArguments);
}

int QSDAPI QsdSpy_RecToMem(int cic, int mix, BYTE* buffer, int codec, int bytes, int reserved) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SpyRecordToMemory(cic, mix, buffer, codec, bytes); },
        [&](int) {
            return FormatArguments("%d, %d, %p, %d, %d, %d", cic, mix, static_cast<void*>(buffer), codec, bytes,
                                   reserved);
        });
}

int QSDAPI QsdSpy_StopRecToMem(int cic) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SpyStopRecord(cic); }, NumberArgument(cic));
}

int QSDAPI QsdSpy_QueryMemOffset(int cic) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SpyMemoryOffset(cic); }, NumberArgument(cic));
}

int QSDAPI QsdSpy_GetCallInCh(int cic) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SpyCallInChannel(cic); }, NumberArgument(cic));
}

int QSDAPI QsdSpy_GetCallOutCh(int cic) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SpyCallOutChannel(cic); }, NumberArgument(cic));
}

int QSDAPI QsdSpy_GetCallerId(int cic, char* number) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SpyCallerId(cic, number); }, NumberAndOutput(cic, number));
}

int QSDAPI QsdSpy_GetCalleeId(int cic, char* number) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SpyCalleeId(cic, number); }, NumberAndOutput(cic, number));
}

}  // extern "C"
