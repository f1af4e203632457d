// DriverFunctions.cpp - the list of driver function names, for the fail command.
#include "DriverFunctions.h"

#include <algorithm>
#include <iterator>

namespace {

const char* const kDriverFunctions[] = {
    "QsdSys_EnableBoardEx",
    "QsdSys_EnableBoard",
    "QsdSys_DisableBoard",
    "QsdSys_GetMaxUsableBoard",
    "QsdSys_GetMaxCh",
    "QsdSys_GetMaxPcm",
    "QsdSys_GetBoardSerialNo",
    "QsdSys_GetCardType",
    "QsdTrk_GetPcmLinkStatus",
    "QsdEvt_ModeSet",
    "QsdChl_GetType",
    "QsdChl_GetState",
    "QsdChl_CallerNumberGet",
    "QsdChl_ClearCallerNumber",
    "QsdChl_CalleeNumberGet",
    "QsdChl_Pickup",
    "QsdChl_ClearCall",
    "QsdVox_GetLineVoltage",
    "QsdVox_SetFlag",
    "QsdVox_SetDtrmLineVoltage",
    "QsdVox_SetCheckBargeInPara",
    "QsdVox_SetVocValidTime",
    "QsdVox_GetRingCount",
    "QsdVox_ClearRingCount",
    "QsdVox_GetRcvDtmfLen",
    "QsdVox_GetDtmfStr",
    "QsdVox_ClrRcvDtmfBuf",
    "QsdVox_SendDtmf",
    "QsdVox_FilePlayStart",
    "QsdVox_StopPlay",
    "QsdVox_StartToneAnalyze",
    "QsdVox_StopToneAnalyze",
    "QsdVox_GetToneAnalyzeResult",
    "QsdVox_GetBusyToneCount",
    "QsdVox_RecordMemBlock",
    "QsdVox_StopRec",
    "QsdVox_QueryRecInfo",
    "QsdSpy_GetMaxCic",
    "QsdSpy_RecToMem",
    "QsdSpy_StopRecToMem",
    "QsdSpy_QueryMemOffset",
    "QsdSpy_GetCallInCh",
    "QsdSpy_GetCallOutCh",
    "QsdSpy_GetCallerId",
    "QsdSpy_GetCalleeId",
};
static_assert(std::size(kDriverFunctions) == 45);

}  // namespace

bool IsDriverFunction(const std::string& name) {
    return std::any_of(std::begin(kDriverFunctions), std::end(kDriverFunctions),
                       [&](const char* known) { return name == known; });
}
