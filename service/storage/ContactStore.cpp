#include "storage/ContactStore.h"

#include "storage/RecordFields.h"
#include "storage/RecordId.h"

namespace {

constexpr const wchar_t* kCreatePhoneBook =
    L"create table PhoneBook (UserName varchar(64),UserMobile varchar(64),CompanyTel varchar(64),"
    L"CompanyName varchar(64),\t\t\t\t\t\t  CompanyAddress varchar(255),CompanyFax varchar(64),HomeTel varchar(255),"
    L"UserEmail varchar(255),UserNotes varchar(64),\t\t\t\t\t\t  OtherTel1 varchar(64),OtherTel2 varchar(64),"
    L"OtherTel3 varchar(64),RecMethod integer,UserID varchar(64))";

constexpr const wchar_t* kCreateBlacklist =
    L"create table Blacklist (HeiMingDanID varchar(64),Number varchar(64),NumberNotes varchar(64))";

constexpr const wchar_t* kInsertContact =
    L"insert into PhoneBook(UserName,UserMobile,CompanyTel,CompanyName,CompanyAddress,CompanyFax,HomeTel,UserEmail,"
    L"UserNotes,OtherTel1,OtherTel2,OtherTel3,UserID,RecMethod) \t\t\t\t\t  "
    L"values(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14)";

constexpr const wchar_t* kUpdateContact =
    L"update PhoneBook set UserName = ?1 ,UserMobile = ?2, CompanyTel = ?3,CompanyName = ?4,CompanyAddress = ?5,"
    L"CompanyFax = ?6,HomeTel = ?7,UserEmail = ?8,\t\t\t\t\t  UserNotes = ?9,OtherTel1=?10,OtherTel2=?11,"
    L"OtherTel3 =?12,RecMethod=?13 where UserID = ?14";

// The key may sit anywhere inside any text column, so this search alone keeps LIKE.
constexpr const wchar_t* kSearchContacts =
    L"select * from PhoneBook where(UserName like '%'||?1||'%' or UserMobile like '%'||?1||'%' \t\t\t\t\t  "
    L"or CompanyTel like '%'||?1||'%' or CompanyName like '%'||?1||'%' or CompanyAddress like '%'||?1||'%' "
    L"or CompanyFax like '%'||?1||'%' \t\t\t\t\t  or HomeTel like '%'||?1||'%' or UserEmail like '%'||?1||'%' "
    L"or UserNotes like '%'||?1||'%' or OtherTel1 like '%'||?1||'%'  or OtherTel2 like '%'||?1||'%'  "
    L"or OtherTel3 like '%'||?1||'%')";

// Only the seven number columns are searched, never the name or the notes.
constexpr const wchar_t* kSelectContactByNumber =
    L"select * from PhoneBook where (UserMobile = ?1 COLLATE NOCASE or CompanyTel = ?1 COLLATE NOCASE or "
    L"CompanyFax = ?1 COLLATE NOCASE or HomeTel = ?1 COLLATE NOCASE or OtherTel1 = ?1 COLLATE NOCASE or "
    L"OtherTel2 = ?1 COLLATE NOCASE or OtherTel3 = ?1 COLLATE NOCASE)";

ContactRecord ReadContact(const CSqliteQuery& query) {
    ContactRecord contact{};
    query.ReadText(L"UserID", contact.UserID);
    query.ReadText(L"UserName", contact.UserName);
    query.ReadText(L"UserMobile", contact.UserMobile);
    query.ReadText(L"CompanyTel", contact.CompanyTel);
    query.ReadText(L"CompanyName", contact.CompanyName);
    query.ReadText(L"CompanyAddress", contact.CompanyAddress);
    query.ReadText(L"CompanyFax", contact.CompanyFax);
    query.ReadText(L"HomeTel", contact.HomeTel);
    query.ReadText(L"UserEmail", contact.UserEmail);
    query.ReadText(L"UserNotes", contact.UserNotes);
    query.ReadText(L"OtherTel1", contact.OtherTel1);
    query.ReadText(L"OtherTel2", contact.OtherTel2);
    query.ReadText(L"OtherTel3", contact.OtherTel3);
    contact.RecMethod = query.ReadInt(L"RecMethod");
    return contact;
}

BlacklistRecord ReadBlacklist(const CSqliteQuery& query) {
    BlacklistRecord entry{};
    query.ReadText(L"HeiMingDanID", entry.HeiMingDanID);
    query.ReadText(L"Number", entry.Number);
    query.ReadText(L"NumberNotes", entry.NumberNotes);
    return entry;
}

}  // namespace

bool ContactStore::Open(const wchar_t* path) {
    return OpenStoreFile(m_db, path, {{L"PhoneBook", kCreatePhoneBook}, {L"Blacklist", kCreateBlacklist}});
}

bool ContactStore::InsertContact(ContactRecord& record) {
    return RunOnOpenStore(m_db, [&] {
        NewRecordId(record.UserID);
        m_db.ExecuteStatement(kInsertContact,
                              {FieldText(record.UserName), FieldText(record.UserMobile), FieldText(record.CompanyTel),
                               FieldText(record.CompanyName), FieldText(record.CompanyAddress),
                               FieldText(record.CompanyFax), FieldText(record.HomeTel), FieldText(record.UserEmail),
                               FieldText(record.UserNotes), FieldText(record.OtherTel1), FieldText(record.OtherTel2),
                               FieldText(record.OtherTel3), FieldText(record.UserID), record.RecMethod});
        return true;
    });
}

bool ContactStore::UpdateContact(const ContactRecord& record) {
    return ExecuteOnOpenStore(m_db, kUpdateContact,
                              {FieldText(record.UserName), FieldText(record.UserMobile), FieldText(record.CompanyTel),
                               FieldText(record.CompanyName), FieldText(record.CompanyAddress),
                               FieldText(record.CompanyFax), FieldText(record.HomeTel), FieldText(record.UserEmail),
                               FieldText(record.UserNotes), FieldText(record.OtherTel1), FieldText(record.OtherTel2),
                               FieldText(record.OtherTel3), record.RecMethod, FieldText(record.UserID)});
}

bool ContactStore::DeleteContact(const wchar_t* userId) {
    if (!userId)
        return false;
    return ExecuteOnOpenStore(m_db, L"delete from PhoneBook where UserID = ?1", {userId});
}

bool ContactStore::ForEachContact(const ContactCallback& callback) {
    return callback && ForEachStoreRow(m_db, L"select * from PhoneBook ", {}, ReadContact, callback);
}

bool ContactStore::SearchContacts(const ContactCallback& callback, const wchar_t* key) {
    return callback && key && ForEachStoreRow(m_db, kSearchContacts, {key}, ReadContact, callback);
}

bool ContactStore::FindContactById(ContactRecord& record) {
    return FindStoreRow(m_db, L"select * from PhoneBook where (UserID = ?1)", {FieldText(record.UserID)}, ReadContact,
                        record);
}

bool ContactStore::FindContactByNumber(const wchar_t* number, ContactRecord& contact) {
    if (!number || !*number)
        return false;
    return FindStoreRow(m_db, kSelectContactByNumber, {number}, ReadContact, contact);
}

bool ContactStore::InsertBlacklist(BlacklistRecord& record) {
    return RunOnOpenStore(m_db, [&] {
        NewRecordId(record.HeiMingDanID);
        m_db.ExecuteStatement(
            L"insert into Blacklist(HeiMingDanID,Number,NumberNotes) values(?1,?2,?3)",
            {FieldText(record.HeiMingDanID), FieldText(record.Number), FieldText(record.NumberNotes)});
        return true;
    });
}

bool ContactStore::DeleteBlacklist(const wchar_t* id) {
    if (!id)
        return false;
    return ExecuteOnOpenStore(m_db, L"delete from Blacklist where HeiMingDanID = ?1", {id});
}

bool ContactStore::ForEachBlacklist(const wchar_t* sql, const BlacklistCallback& callback) {
    return callback && ForEachStoreRow(m_db, sql, {}, ReadBlacklist, callback);
}

bool ContactStore::FindBlacklistNumber(const wchar_t* number, BlacklistRecord& entry) {
    if (!number)
        return false;
    return FindStoreRow(m_db, L"select * from Blacklist where Number = ?1 COLLATE NOCASE", {number}, ReadBlacklist,
                        entry);
}
