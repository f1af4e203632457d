#include "startup/ServiceStartup.h"

#include "engine/CallWriterThread.h"
#include "engine/Mp3Conversion.h"
#include "settings/Folders.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/AccountStore.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/FtpQueueStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include "mfc.h"

#include <windows.h>

#include <string>

namespace {

// Language texts of the program-start and program-exit rows.
constexpr wchar_t kTextServer[] = L"0186";
constexpr wchar_t kTextProgramStarted[] = L"0136";
constexpr wchar_t kTextProgramExited[] = L"0137";

// The store's path in the data folder, written to its DBPath key just before the store opens it.
std::wstring StorePathForOpening(const wchar_t* key, const wchar_t* fileName) {
    const std::wstring path = StoreFilePath(fileName);
    WriteSettingString(kSectionDBPath, key, path.c_str());
    return path;
}

}  // namespace

void OpenServiceStores() {
    TheContactStore().Open(StorePathForOpening(kKeyMyContact, kContactDbName).c_str());

    AccountStore& operators = ServerAccountStore();
    operators.Open(StorePathForOpening(kKeyMyLoginServer, kServerAccountDbName).c_str());
    operators.EnsureDefaultServerAccount();

    AccountStore& clients = ClientAccountStore();
    clients.Open(StorePathForOpening(kKeyMyLoginClient, kClientAccountDbName).c_str());
    clients.EnsureDefaultClientAccount();

    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    CreateMonthFolder(today);
    CallRecordStore& calls = TodayCallStore();
    calls.Open(CdrDayFile(today).c_str());
    calls.SetDate(today);

    TheFtpQueueStore().Open(StorePathForOpening(kKeyMyFtp, kFtpQueueDbName).c_str());
}

void CloseServiceStores() {
    TheContactStore().Close();
    ServerAccountStore().Close();
    ClientAccountStore().Close();
    TheFtpQueueStore().Close();
    TodayCallStore().Close();
}

void WriteProgramStartRow() {
    WriteSysLogEvent(kSysLogProgramStarted, LangText(kTextServer).c_str(), LangText(kTextProgramStarted).c_str());
}

void WriteProgramExitRow(const wchar_t* operatorName) {
    const std::wstring name = LangText(kTextServer) + L" " + (operatorName ? operatorName : L"");
    WriteSysLogEvent(kSysLogProgramExited, name.c_str(), LangText(kTextProgramExited).c_str());
}

void CreateBackupFolder() {
    ::CreateDirectoryW((GetExeFolder() + L"\\BackupDBEX\\").c_str(), nullptr);
}

void BindCallWriterEncoder() {
    Mp3EncoderState& encoder = CallWriterEncoder();
    ResetMp3Encoder(encoder);
    BindMp3Encoder(encoder);
}

void FreeCallWriterEncoder() {
    Mp3EncoderState& encoder = CallWriterEncoder();
    if (encoder.Library)
        ::FreeLibrary(encoder.Library);
    encoder.Library = nullptr;
    ResetMp3Encoder(encoder);
}
