#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/RecordCommands.h"

#include "clients/ClientFrame.h"
#include "remote/ClientReply.h"
#include "clients/ClientSlot.h"
#include "remote/QueryDays.h"
#include "remote/ReceivedText.h"
#include "engine/CardEngineState.h"
#include "storage/CallRecordStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <vector>

namespace {

// Sub-commands of command 4.
constexpr uint8_t kDownloadOpen = 0;
constexpr uint8_t kDownloadNext = 1;
constexpr uint8_t kDownloadClose = 2;
constexpr uint8_t kDownloadCloseAlso = 4;
// r of its ResultFrame.
constexpr uint8_t kDownloadEnded = 2;
constexpr uint8_t kDownloadFailed = 3;
// r of commands 5, 6 and 7.
constexpr uint8_t kRecordNotDone = 0;
constexpr uint8_t kRecordDone = 1;

constexpr DWORD kDownloadChunkBytes = 12288;
constexpr uint16_t kOpenedTrailer = 0;

// Runs work (store) -> bool on the CDR database of the day: today's open store when it stands for that day (kept
// on that day meanwhile), else a store of its own on the day's file, closed again afterwards. A day without a
// database has no rows: false, and no file is made for it.
template <class Work>
bool WithDayStore(const SYSTEMTIME& day, Work work) {
    bool result = false;
    if (UseTodayCallStore(day, [&](CallRecordStore& today) { result = work(today); }))
        return result;
    const std::wstring file = CdrDayFile(day);
    if (!DayFileExists(file.c_str()))
        return false;
    CallRecordStore store;
    if (!store.Open(file.c_str()))
        return false;
    result = work(store);
    store.Close();
    return result;
}

// Whether the path is exactly that of a row of the store, of a channel the slot's account has a right for.
bool IsPermittedRecording(CallRecordStore& store, ClientSlot& slot, const wchar_t* filePath) {
    CallRecord row{};
    if (!store.FindByPath(filePath, row) || row.Channel < 0 || row.Channel >= kMaxChannels)
        return false;
    auto lock = slot.LockFields();
    return slot.Rights[row.Channel] != 0;
}

void CloseDownload(ClientSlot& slot, uint32_t connection) {
    auto lock = slot.LockFields();
    if (slot.Connection == connection)
        slot.DownloadFile.Close();
}

// Opens the recording into file, shared for reading, with its size; false (file closed) when it cannot be opened,
// is empty, or is too long for the 32-bit size of the opened frame.
bool OpenRecording(const wchar_t* path, CScopedKernelHandle& file, uint32_t& size) {
    file.Attach(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length{};
    if (!file.IsValid() || !GetFileSizeEx(file.Get(), &length) || length.QuadPart <= 0 ||
        length.QuadPart > UINT32_MAX) {
        file.Close();
        return false;
    }
    size = static_cast<uint32_t>(length.QuadPart);
    return true;
}

void OpenDownload(ClientSlot& slot, uint32_t connection, const uint8_t* recordBytes) {
    const CallRecord sent = ReadReceivedRecord<CallRecord>(recordBytes);
    const AccountRecord account = AccountOf(slot);
    QueueSysLogEvent(kSysLogRecordingsCopied, account.UserName, sent.FilePath);
    CloseDownload(slot, connection);

    const bool permitted = account.bDownload != 0 && WithDayStore(sent.StartTime, [&](CallRecordStore& store) {
                               return IsPermittedRecording(store, slot, sent.FilePath);
                           });
    uint32_t size = 0;
    CScopedKernelHandle file;
    if (!permitted || !OpenRecording(sent.FilePath, file, size)) {
        SendResult(slot, connection, kCmdDownload, kDownloadFailed);
        return;
    }
    const std::vector<uint8_t> opened =
        BuildFrame(kFrameDownload, {PartOf(kDownloadOpen), PartOf(size), PartOf(kOpenedTrailer)});
    auto lock = slot.LockFields();
    if (slot.Connection != connection)
        return;
    slot.DownloadFile.Attach(file.Detach());
    slot.QueueLocked(FrameKind::Reply, opened.data(), static_cast<int>(opened.size()));
}

// Reads and sends under the slot's lock, so that freeing the slot cannot close the file during the read. Each call
// has its own buffer: several clients download at the same time.
void SendNextChunk(ClientSlot& slot, uint32_t connection) {
    std::vector<uint8_t> chunk(kDownloadChunkBytes);
    auto lock = slot.LockFields();
    if (slot.Connection != connection)
        return;
    ResultFrame result = MakeResultFrame(kCmdDownload, kDownloadFailed);
    if (slot.DownloadFile.IsValid()) {
        DWORD read = 0;
        if (ReadFile(slot.DownloadFile.Get(), chunk.data(), kDownloadChunkBytes, &read, nullptr) && read > 0) {
            const uint32_t length = read;
            const std::vector<uint8_t> frame =
                BuildFrame(kFrameDownload, {PartOf(kDownloadNext), PartOf(length), {chunk.data(), read}});
            slot.QueueLocked(FrameKind::Reply, frame.data(), static_cast<int>(frame.size()));
            return;
        }
        // A read error ends the transfer as the end of the file does.
        slot.DownloadFile.Close();
        result.R = kDownloadEnded;
    }
    slot.QueueLocked(FrameKind::Reply, &result, sizeof(result));
}

// Commands 5 and 6: update (store, sent record) -> bool runs only on a permitted row.
template <class Update>
void UpdateRecord(ClientSlot& slot, const uint8_t* payload, uint8_t command, Update update) {
    const uint32_t connection = slot.CurrentConnection();
    const CallRecord sent = ReadReceivedRecord<CallRecord>(payload);
    QueueSysLogEvent(kSysLogRecordChanged, slot.UserName().c_str(), sent.FilePath);
    const bool done = WithDayStore(sent.StartTime, [&](CallRecordStore& store) {
        return IsPermittedRecording(store, slot, sent.FilePath) && update(store, sent);
    });
    SendResult(slot, connection, command, done ? kRecordDone : kRecordNotDone);
}

}  // namespace

void HandleDownload(ClientSlot& slot, const uint8_t* payload, int payloadBytes) {
    const uint32_t connection = slot.CurrentConnection();
    switch (payload[0]) {
        case kDownloadOpen:
            if (payloadBytes >= 1 + static_cast<int>(sizeof(CallRecord)))
                OpenDownload(slot, connection, payload + 1);
            break;
        case kDownloadNext:
            SendNextChunk(slot, connection);
            break;
        case kDownloadClose:
        case kDownloadCloseAlso:
            CloseDownload(slot, connection);
            break;
        default:
            break;
    }
}

void HandleUpdateNotes(ClientSlot& slot, const uint8_t* payload, int) {
    UpdateRecord(slot, payload, kCmdUpdateNotes, [](CallRecordStore& store, const CallRecord& sent) {
        return store.UpdateNotes(sent.FilePath, sent.CallNotes);
    });
}

void HandleUpdateFlag(ClientSlot& slot, const uint8_t* payload, int) {
    UpdateRecord(slot, payload, kCmdUpdateFlag, [](CallRecordStore& store, const CallRecord& sent) {
        return store.UpdateFlag(sent.FilePath, sent.Flag);
    });
}

void HandleDeleteRecord(ClientSlot& slot, const uint8_t* payload, int) {
    const uint32_t connection = slot.CurrentConnection();
    const AccountRecord account = AccountOf(slot);
    if (!account.bDelete) {
        SendResult(slot, connection, kCmdDeleteRecord, kRecordNotDone);
        return;
    }
    const CallRecord sent = ReadReceivedRecord<CallRecord>(payload);
    QueueSysLogEvent(kSysLogRecordingDeleted, account.UserName, sent.FilePath);
    // The row is looked up first, and the file goes only with its row: a path that names no recording of the
    // account's channels deletes nothing.
    const bool deleted = WithDayStore(sent.StartTime, [&](CallRecordStore& store) {
        return IsPermittedRecording(store, slot, sent.FilePath) && store.DeleteByPath(sent.FilePath);
    });
    SendResult(slot, connection, kCmdDeleteRecord, deleted ? kRecordDone : kRecordNotDone);
    if (deleted)
        DeleteFileW(sent.FilePath);  // a file that cannot be deleted leaves the answer as it is
}
