#pragma once
// The phone book and the blacklist: tables PhoneBook and Blacklist of MyContact.db. One process-wide instance
// (Stores.h), opened at start-up and closed at exit, shared without a lock by the UI thread, the engine threads
// (caller look-ups) and the remote-client workers.
//
// Identities match exactly; numbers match exactly except for ASCII case; the free-text search matches a key
// anywhere in any text column. Every function answers false when the store is not open or the statement fails.

#include "storage/SqliteDB.h"
#include "records/StorageRecords.h"

#include <functional>

class ContactStore {
public:
    using ContactCallback = std::function<void(const ContactRecord&)>;
    using BlacklistCallback = std::function<void(const BlacklistRecord&)>;

    // Open and close
    // Opens (or creates) the file with both tables; false for a null path or a failed open.
    bool Open(const wchar_t* path);
    bool Close() { return m_db.CloseStoreQuietly(); }

    // Phone book
    // Gives the record a new UserID (written back) and adds it.
    bool InsertContact(ContactRecord& record);
    // Rewrites the contact whose UserID is the record's.
    bool UpdateContact(const ContactRecord& record);
    bool DeleteContact(const wchar_t* userId);
    // Hands every contact to the callback; true when at least one was read.
    bool ForEachContact(const ContactCallback& callback);
    // Hands every contact with the key inside one of its twelve text columns; true when at least one was read.
    bool SearchContacts(const ContactCallback& callback, const wchar_t* key);
    // Overwrites the record with the stored contact of the record's own UserID; false leaves it as it was.
    bool FindContactById(ContactRecord& record);
    // Finds the first contact with this number in one of its seven number columns; a null or empty number gives
    // false without a query.
    bool FindContactByNumber(const wchar_t* number, ContactRecord& contact);

    // Blacklist
    // Gives the record a new HeiMingDanID (written back) and adds it.
    bool InsertBlacklist(BlacklistRecord& record);
    bool DeleteBlacklist(const wchar_t* id);
    // Runs the caller's SELECT over Blacklist and hands every row on; true when at least one was read.
    bool ForEachBlacklist(const wchar_t* sql, const BlacklistCallback& callback);
    bool FindBlacklistNumber(const wchar_t* number, BlacklistRecord& entry);

private:
    CSqliteDB m_db;
};
