// ChlExports.cpp - the driver functions of channels (QsdChl_).
#include "DriverCall.h"

extern "C" {

int QSDAPI QsdChl_GetType(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.ChannelType(channel); }, NumberArgument(channel));
}

int QSDAPI QsdChl_GetState(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.ChannelState(channel); }, NumberArgument(channel));
}

int QSDAPI QsdChl_CallerNumberGet(int channel, char* number) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.CallerNumber(channel, number); }, NumberAndOutput(channel, number));
}

int QSDAPI QsdChl_ClearCallerNumber(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.ClearCallerNumber(channel); }, NumberArgument(channel));
}

int QSDAPI QsdChl_CalleeNumberGet(int channel, char* number) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.CalleeNumber(channel, number); }, NumberAndOutput(channel, number));
}

int QSDAPI QsdChl_Pickup(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.Pickup(channel); }, NumberArgument(channel));
}

int QSDAPI QsdChl_ClearCall(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.ClearCall(channel); }, NumberArgument(channel));
}

}  // extern "C"
