#include "storage/AccountStore.h"

#include "storage/RecordFields.h"
#include "storage/RecordId.h"
#include "storage/Stores.h"
#include "settings/Folders.h"
#include "settings/FormatText.h"

#include "mfc.h"

#include <vector>

namespace {

constexpr const wchar_t* kCreateAccountTable =
    L"create table AccountTable (UserName varchar(64),UserPsw varchar(64),AutoCode varchar(64),"
    L"UserFile varchar(255),bPlayer integer,bDownload integer,bDelete integer,bChart integer)";

// ASCII case is ignored in names and passwords, as operators have always typed them; nothing else is.
constexpr const wchar_t* kSelectLogin =
    L"select * from AccountTable where (UserName = ?1 COLLATE NOCASE and UserPsw = ?2 COLLATE NOCASE)";
constexpr const wchar_t* kSelectUser = L"select * from AccountTable where UserName = ?1 COLLATE NOCASE";

AccountRecord ReadAccount(const CSqliteQuery& query) {
    AccountRecord account{};
    query.ReadText(L"UserName", account.UserName);
    query.ReadText(L"UserPsw", account.UserPsw);
    query.ReadText(L"AutoCode", account.AutoCode);
    query.ReadText(L"UserFile", account.UserFile);
    account.bPlayer = query.ReadInt(L"bPlayer");
    account.bDownload = query.ReadInt(L"bDownload");
    account.bDelete = query.ReadInt(L"bDelete");
    account.bChart = query.ReadInt(L"bChart");
    return account;
}

// "<data folder>\YYYYMMDDhhmmss(<user>).txt", allowing every channel; replaces a file of that name.
std::wstring WriteFullRightsFile(const wchar_t* userName) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring path = FormatText(L"%ls\\%04d%02d%02d%02d%02d%02d(%ls).txt", GetDataFolder().c_str(), now.wYear,
                                         now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, userName);
    const CScopedKernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid()) {
        const std::vector<BYTE> rights(kRightsFileSize, 1);
        DWORD written = 0;
        WriteFile(file.Get(), rights.data(), kRightsFileSize, &written, nullptr);
    }
    return path;
}

}  // namespace

bool AccountStore::Open(const wchar_t* path) {
    return OpenStoreFile(m_db, path, {{L"AccountTable", kCreateAccountTable}});
}

bool AccountStore::EnsureDefaultServerAccount() {
    return EnsureDefaultAccount(false);
}

bool AccountStore::EnsureDefaultClientAccount() {
    return EnsureDefaultAccount(true);
}

bool AccountStore::Insert(AccountRecord& record) {
    return RunOnOpenStore(m_db, [&] {
        NewRecordId(record.AutoCode);
        m_db.ExecuteStatement(
            L"insert into AccountTable(UserName,UserPsw,AutoCode,UserFile,bPlayer,bDownload,"
            L"bDelete,bChart) values(?1,?2,?3,?4,?5,?6,?7,?8)",
            {FieldText(record.UserName), FieldText(record.UserPsw), FieldText(record.AutoCode),
             FieldText(record.UserFile), record.bPlayer, record.bDownload, record.bDelete, record.bChart});
        return true;
    });
}

bool AccountStore::CheckLogin(const wchar_t* userName, const wchar_t* password, AccountRecord& account) {
    if (!userName || !password)
        return false;
    return FindStoreRow(m_db, kSelectLogin, {userName, password}, ReadAccount, account);
}

bool AccountStore::ExistsUser(const wchar_t* userName) {
    if (!userName)
        return false;
    return RunOnOpenStore(m_db, [&] { return !m_db.RunQuery(kSelectUser, {userName}).AtEnd(); });
}

bool AccountStore::Update(const AccountRecord& record) {
    return ExecuteOnOpenStore(
        m_db,
        L"update AccountTable set UserName = ?1 ,UserPsw = ?2,UserFile=?3,bPlayer =?4,"
        L"bDownload =?5,bDelete = ?6,bChart =?7 where AutoCode = ?8",
        {FieldText(record.UserName), FieldText(record.UserPsw), FieldText(record.UserFile), record.bPlayer,
         record.bDownload, record.bDelete, record.bChart, FieldText(record.AutoCode)});
}

bool AccountStore::UpdatePassword(const wchar_t* autoCode, const wchar_t* newPassword) {
    if (!autoCode || !newPassword)
        return false;
    return ExecuteOnOpenStore(ClientAccountStore().m_db, L"update AccountTable set UserPsw = ?1 where AutoCode = ?2",
                              {newPassword, autoCode});
}

bool AccountStore::Delete(const wchar_t* autoCode) {
    if (!autoCode)
        return false;
    return ExecuteOnOpenStore(m_db, L"delete from AccountTable where AutoCode = ?1", {autoCode});
}

bool AccountStore::ForEachAccount(const AccountCallback& callback) {
    return callback && ForEachStoreRow(m_db, L"select * from AccountTable ", {}, ReadAccount, callback);
}

bool AccountStore::EnsureDefaultAccount(bool withRightsFile) {
    if (!m_db.IsOpen())
        return false;
    if (ExistsUser(kDefaultAccountName))
        return true;
    AccountRecord account{};
    CopyToField(account.UserName, kDefaultAccountName);
    CopyToField(account.UserPsw, kDefaultAccountPassword);
    account.bPlayer = account.bDownload = account.bDelete = account.bChart = 1;
    if (withRightsFile)
        CopyToField(account.UserFile, WriteFullRightsFile(kDefaultAccountName).c_str());
    return Insert(account);
}
