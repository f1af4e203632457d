// Writes one database of each store, each with one row, into the current folder, for check-sqlite3-shell.sh to
// read with the sqlite3 shell. Answers 0 when every file was written.

#include "storage/AccountStore.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/FtpQueueStore.h"
#include "storage/RecordFields.h"
#include "storage/SysLogStore.h"
#include "settings/Folders.h"

#include <windows.h>

#include <string>

namespace {

SYSTEMTIME CallStart() {
    SYSTEMTIME start{};
    start.wYear = 2024;
    start.wMonth = 3;
    start.wDay = 5;
    start.wHour = 17;
    start.wMinute = 59;
    start.wSecond = 59;
    return start;
}

bool WriteAccount(const std::wstring& folder) {
    AccountStore store;
    AccountRecord account{};
    CopyToField(account.UserName, L"O'Neil");
    CopyToField(account.UserPsw, L"张三");
    account.bPlayer = 1;
    return store.Open((folder + L"\\MyLoginClient.db").c_str()) && store.Insert(account) && store.Close();
}

bool WriteContact(const std::wstring& folder) {
    ContactStore store;
    ContactRecord contact{};
    CopyToField(contact.UserName, L"O'Neil 张三");
    CopyToField(contact.OtherTel3, L"5550123");
    BlacklistRecord entry{};
    CopyToField(entry.Number, L"5550166");
    return store.Open((folder + L"\\MyContact.db").c_str()) && store.InsertContact(contact) &&
           store.InsertBlacklist(entry) && store.Close();
}

bool WriteCall(const std::wstring& folder) {
    CallRecordStore store;
    CallRecord record{};
    CopyToField(record.ChannelName, L"Line 1");
    CopyToField(record.FilePath, L"C:\\rec\\it's.wav");
    record.RecTime = 65;
    record.StartTime = CallStart();
    return store.Open((folder + L"\\CDR20240305.db").c_str()) && store.Insert(record) && store.Close();
}

bool WriteSysLog(const std::wstring& folder) {
    SysLogStore store;
    SysLogRow row{};
    row.SysLog_Cmd = kSysLogProgramStarted;
    CopyToField(row.Name, L"tovak");
    CopyToField(row.Notes, L"started 'today'");
    row.Time = CallStart();
    return store.Open((folder + L"\\SysLog20240305.db").c_str()) && store.Insert(row) && store.Close();
}

bool WriteFtpJob(const std::wstring& folder) {
    FtpQueueStore store;
    FtpJob job{};
    CopyToField(job.RecFilePath, L"C:\\rec\\it's.wav");
    job.stStartRec = CallStart();
    return store.Open((folder + L"\\MyFtp.db").c_str()) && store.InsertJob(job) && store.Close();
}

}  // namespace

int wmain() {
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::wstring folder = current;
    SetExeFolderOverride(folder);  // the call insert makes its "dbFiles" folders here
    const bool written =
        WriteAccount(folder) && WriteContact(folder) && WriteCall(folder) && WriteSysLog(folder) && WriteFtpJob(folder);
    return written ? 0 : 1;
}
