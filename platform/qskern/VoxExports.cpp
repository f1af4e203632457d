// VoxExports.cpp - the driver functions of analogue lines (QsdVox_): voltage, detection settings,
// rings, DTMF, playback, tone analysis and block recording.
#include "DriverCall.h"

extern "C" {

int QSDAPI QsdVox_GetLineVoltage(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.LineVoltage(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_SetFlag(int channel, int flag, int value) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SetFlag(channel, flag, value); },
        [&](int) { return FormatArguments("%d, %d, %d", channel, flag, value); });
}

int QSDAPI QsdVox_SetDtrmLineVoltage(int channel, WORD volts) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SetDetectVoltage(channel, volts); },
        [&](int) { return FormatArguments("%d, %u", channel, volts); });
}

int QSDAPI QsdVox_SetCheckBargeInPara(int channel, int trigger, int soundMs) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SetBargeIn(channel, trigger, soundMs); },
        [&](int) { return FormatArguments("%d, %d, %d", channel, trigger, soundMs); });
}

int QSDAPI QsdVox_SetVocValidTime(int channel, int muteMs, int soundMs) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SetVoiceValidTime(channel, muteMs, soundMs); },
        [&](int) { return FormatArguments("%d, %d, %d", channel, muteMs, soundMs); });
}

int QSDAPI QsdVox_GetRingCount(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.RingCount(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_ClearRingCount(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.ClearRingCount(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_GetRcvDtmfLen(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.DtmfLength(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_GetDtmfStr(int channel, char* digits, int reserved) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.DtmfDigits(channel, digits); },
        [&](int result) {
            return FormatArguments("%d, ", channel) + QuoteOutput(digits, result) + FormatArguments(", %d", reserved);
        });
}

int QSDAPI QsdVox_ClrRcvDtmfBuf(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.ClearDtmf(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_SendDtmf(int channel, const char* digits) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.SendDtmf(channel, digits); },
        [&](int) { return FormatArguments("%d, ", channel) + QuoteText(digits); });
}

int QSDAPI QsdVox_FilePlayStart(int channel, const char* path, int codec, int offset, int length) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.PlayFile(channel, path, codec, offset, length); },
        [&](int) {
            return FormatArguments("%d, ", channel) + QuoteText(path) +
                   FormatArguments(", %d, %d, %d", codec, offset, length);
        });
}

int QSDAPI QsdVox_StopPlay(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.StopPlay(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_StartToneAnalyze(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.StartToneAnalysis(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_StopToneAnalyze(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.StopToneAnalysis(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_GetToneAnalyzeResult(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.ToneAnalysisResult(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_GetBusyToneCount(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.BusyToneCount(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_RecordMemBlock(int channel, int codec, BYTE* buffer, int blockBytes, QSD_RECORD_CALLBACK callback,
                                 DWORD_PTR user) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.RecordMemBlock(channel, codec, buffer, blockBytes, callback, user); },
        [&](int) {
            return FormatArguments("%d, %d, %p, %d, %p, %llu", channel, codec, static_cast<void*>(buffer), blockBytes,
                                   reinterpret_cast<void*>(callback), static_cast<unsigned long long>(user));
        });
}

int QSDAPI QsdVox_StopRec(int channel) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.StopRecord(channel); }, NumberArgument(channel));
}

int QSDAPI QsdVox_QueryRecInfo(int channel, int* info) {
    return DriverCall(
        __func__, [&](CSimulator& s) { return s.QueryRecordInfo(channel, info); },
        [&](int result) {
            if (result < 0 || !info)
                return FormatArguments("%d, %s", channel, info ? "?" : "null");
            return FormatArguments("%d, [%d, %d, %d, %d, %d]", channel, info[0], info[1], info[2], info[3], info[4]);
        });
}

}  // extern "C"
