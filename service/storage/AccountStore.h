#pragma once
// User accounts, table AccountTable. Two process-wide instances (Stores.h): the server store on MyLoginServer.db
// (operators at the server's screen) and the client store on MyLoginClient.db (remote client programs). Opened at
// start-up, closed at exit. The client store is used at the same time by the UI thread and the remote-client
// threads, sharing one connection.
//
// User names and passwords match exactly except for ASCII case ("TOVAK" logs in as "tovak"); identities match
// exactly. Every function answers false when the store is not open or the statement fails.

#include "storage/SqliteDB.h"
#include "records/StorageRecords.h"

#include <functional>

// The built-in account that start-up re-creates whenever no account of that name exists.
constexpr const wchar_t* kDefaultAccountName = L"tovak";
constexpr const wchar_t* kDefaultAccountPassword = L"tovak";
// Size of a channel-rights file: one byte, 0 or 1, per driver channel.
constexpr int kRightsFileSize = 512;

class AccountStore {
public:
    using AccountCallback = std::function<void(const AccountRecord&)>;

    // Open and close
    // Opens (or creates) the file and its table; false for a null path or a failed open.
    bool Open(const wchar_t* path);
    bool Close() { return m_db.CloseStoreQuietly(); }

    // Start-up, after Open: when no account is named kDefaultAccountName, adds it with every right. The client
    // store's account also gets a new rights file in the data folder allowing every channel.
    bool EnsureDefaultServerAccount();
    bool EnsureDefaultClientAccount();

    // Rows
    // Gives the record a new AutoCode (written back) and adds it.
    bool Insert(AccountRecord& record);
    // Finds the account with this user name and password; the first match fills account. Null texts give false.
    bool CheckLogin(const wchar_t* userName, const wchar_t* password, AccountRecord& account);
    bool ExistsUser(const wchar_t* userName);
    // Rewrites the account whose AutoCode is the record's.
    bool Update(const AccountRecord& record);
    // Sets the password of the client account with this AutoCode, on the client store whichever store is asked:
    // passwords are changed only by remote clients.
    bool UpdatePassword(const wchar_t* autoCode, const wchar_t* newPassword);
    bool Delete(const wchar_t* autoCode);
    // Hands every account to the callback; true when at least one was read.
    bool ForEachAccount(const AccountCallback& callback);

private:
    bool EnsureDefaultAccount(bool withRightsFile);

    CSqliteDB m_db;
};
