#include "engine/CardEngineState.h"

#include "records/StorageRecords.h"  // SysLogRow, for the queue's destructor
#include "storage/SysLogStore.h"

CardEngineState EngineState;

void QueueSysLogEvent(int code, const wchar_t* name, const wchar_t* notes) {
    EngineState.SysLogQueue.Push(std::make_unique<SysLogRow>(MakeSysLogEvent(code, name, notes)));
}

CardEngineState::CardEngineState() = default;
CardEngineState::~CardEngineState() = default;
