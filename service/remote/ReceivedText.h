#pragma once
// Texts that arrive in the fixed fields of a received record count only up to the field's last character: a
// client may fill a field to its end without a terminator, and nothing may read past it.

#include "records/ProtocolRecords.h"
#include "records/EngineRecords.h"
#include "records/StorageRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

template <size_t N>
void TerminateField(wchar_t (&field)[N]) {
    field[N - 1] = L'\0';
}

// Every text field of the record.
void TerminateTexts(CallRecord& record);
void TerminateTexts(ContactRecord& record);

// The record (CallRecord, ContactRecord) at bytes of a received frame, wherever it is aligned, its texts
// terminated.
template <class Record>
Record ReadReceivedRecord(const uint8_t* bytes) {
    Record record;
    std::memcpy(&record, bytes, sizeof(record));
    TerminateTexts(record);
    return record;
}
// Every text field, with carriage returns and line feeds made spaces as well: these texts go into the settings
// file, where a line break would start a key or a section of the client's choosing.
void TerminateSettingTexts(ChannelParamBlock& block);
