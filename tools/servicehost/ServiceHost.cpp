#include "ServiceHost.h"

#include "ServiceView.h"
#include "engine/CallWriterThread.h"
#include "engine/EngineThreads.h"
#include "engine/Mp3Conversion.h"
#include "remote/TcpServer.h"
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
CString StorePathForOpening(const wchar_t* key, const wchar_t* fileName) {
    const CString path = StoreFilePath(fileName);
    WriteSettingString(kSectionDBPath, key, path);
    return path;
}

void OpenStores() {
    TheContactStore().Open(StorePathForOpening(kKeyMyContact, kContactDbName));

    AccountStore& operators = ServerAccountStore();
    operators.Open(StorePathForOpening(kKeyMyLoginServer, kServerAccountDbName));
    operators.EnsureDefaultServerAccount();

    AccountStore& clients = ClientAccountStore();
    clients.Open(StorePathForOpening(kKeyMyLoginClient, kClientAccountDbName));
    clients.EnsureDefaultClientAccount();

    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    CreateMonthFolder(today);
    CallRecordStore& calls = TodayCallStore();
    calls.Open(CdrDayFile(today));
    calls.SetDate(today);

    TheFtpQueueStore().Open(StorePathForOpening(kKeyMyFtp, kFtpQueueDbName));
}

void CloseStores() {
    TheContactStore().Close();
    ServerAccountStore().Close();
    ClientAccountStore().Close();
    TheFtpQueueStore().Close();
    TodayCallStore().Close();
}

void BindEncoder() {
    Mp3EncoderState& encoder = CallWriterEncoder();
    ResetMp3Encoder(encoder);
    BindMp3Encoder(encoder);  // without the library there is simply no MP3 conversion
}

void FreeEncoder() {
    Mp3EncoderState& encoder = CallWriterEncoder();
    if (encoder.Library)
        ::FreeLibrary(encoder.Library);
    encoder.Library = nullptr;
    ResetMp3Encoder(encoder);
}

}  // namespace

CServiceHost::CServiceHost(const FtpBackupTiming& ftpTiming) : m_ftpBackup(ftpTiming) {}

void CServiceHost::Start() {
    m_ftpBackup.Start();
    StartChannelConfigThread();
    StartEngineThreads();
    OpenStores();
    WriteSysLogEvent(kSysLogProgramStarted, LangText(kTextServer).c_str(), LangText(kTextProgramStarted).c_str());
    ::CreateDirectoryW((GetExeFolder() + L"\\BackupDBEX\\").c_str(), nullptr);
    StartTcpServer();  // a port in use leaves the service running without remote clients
    BindEncoder();
}

void CServiceHost::Stop() {
    StopEngine();
    StopTcpServer();
    const std::wstring name = LangText(kTextServer) + L" " + CurrentOperatorName();
    WriteSysLogEvent(kSysLogProgramExited, name.c_str(), LangText(kTextProgramExited).c_str());
    CloseStores();
    FreeEncoder();
    m_ftpBackup.Stop();
}
