#include "engine/CardEngineState.h"

#include "storage/StorageRecords.h"  // SysLogRow, for the queue's destructor

CardEngineState EngineState;

CardEngineState::CardEngineState() = default;
CardEngineState::~CardEngineState() = default;
