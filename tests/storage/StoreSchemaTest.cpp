#include "storage/AccountStore.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/FtpQueueStore.h"
#include "storage/SysLogStore.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// SQLite keeps a CREATE statement as it was given, with only its first two words in capitals.
const struct {
    const wchar_t* table;
    const wchar_t* sql;
} kSchemas[] = {
    {L"AccountTable",
     L"CREATE TABLE AccountTable (UserName varchar(64),UserPsw varchar(64),AutoCode varchar(64),UserFile "
     L"varchar(255),bPlayer integer,bDownload integer,bDelete integer,bChart integer)"},
    {L"PhoneBook",
     L"CREATE TABLE PhoneBook (UserName varchar(64),UserMobile varchar(64),CompanyTel varchar(64),CompanyName "
     L"varchar(64),\t\t\t\t\t\t  CompanyAddress varchar(255),CompanyFax varchar(64),HomeTel varchar(255),UserEmail "
     L"varchar(255),UserNotes varchar(64),\t\t\t\t\t\t  OtherTel1 varchar(64),OtherTel2 varchar(64),OtherTel3 "
     L"varchar(64),RecMethod integer,UserID varchar(64))"},
    {L"Blacklist", L"CREATE TABLE Blacklist (HeiMingDanID varchar(64),Number varchar(64),NumberNotes varchar(64))"},
    {L"Rec_Table",
     L"CREATE TABLE Rec_Table (DateTime varchar(64),DoubleDate DOUBLE,ChannelName varchar(64),ChannelPhone "
     L"varchar(64),PhoneNumber varchar(64),PhoneName varchar(64),\t\t\t\t\t\tExtension varchar(64),ExtensionName "
     L"varchar(64),SiteName varchar(64),SiteNumber varchar(64),CallNotes varchar(255),FilePath varchar(255),Channel "
     L"INTEGER,\t\t\t\t\t\tCallType INTEGER,RecTime INTEGER,CloudSave INTEGER,Ftp INTEGER,Flag INTEGER,RingCnt "
     L"INTEGER,CusAutoID varchar(64),CusNotes1 varchar(255),CusNotes2 varchar(255),CusAJBH varchar(64))"},
    {L"SysLog_Table",
     L"CREATE TABLE SysLog_Table(SysLog_Date double,SysLog_Name varchar(64),SysLog_Cmd INTEGER,SysLog_Notes "
     L"varchar(255))"},
    {L"FtpTable",
     L"CREATE TABLE FtpTable (RecordID varchar(64),RecordNum varchar(64),RecFilePath varchar(255),stStartRec "
     L"DOUBLE)"},
};

std::wstring ExpectedSql(const wchar_t* table) {
    for (const auto& schema : kSchemas) {
        if (std::wstring(schema.table) == table)
            return schema.sql;
    }
    return L"";
}

// Opens a new file with a store of each kind, twice (the second open must not touch the tables).
template <typename Store>
void OpenTwice(const std::wstring& path) {
    for (int i = 0; i < 2; ++i) {
        Store store;
        ASSERT_TRUE(store.Open(path.c_str()));
        ASSERT_TRUE(store.Close());
    }
}

}  // namespace

TEST(StoreSchemas, NewFilesGetTheirTablesWithTheExactCreateTexts) {
    TestFolder folder;
    const std::wstring& data = folder.DataFolder();
    const struct {
        std::wstring file;
        std::function<void(const std::wstring&)> open;
        std::vector<const wchar_t*> tables;
    } stores[] = {
        {data + L"\\MyLoginServer.db", OpenTwice<AccountStore>, {L"AccountTable"}},
        {data + L"\\MyContact.db", OpenTwice<ContactStore>, {L"PhoneBook", L"Blacklist"}},
        {data + L"\\CDR20240305.db", OpenTwice<CallRecordStore>, {L"Rec_Table"}},
        {data + L"\\SysLog20240305.db", OpenTwice<SysLogStore>, {L"SysLog_Table"}},
        {data + L"\\MyFtp.db", OpenTwice<FtpQueueStore>, {L"FtpTable"}},
    };
    for (const auto& store : stores) {
        store.open(store.file);
        for (const wchar_t* table : store.tables)
            EXPECT_EQ(ExpectedSql(table), SchemaText(store.file, table)) << table;
        EXPECT_EQ(std::to_wstring(store.tables.size()), QueryText(store.file, L"select count(*) from sqlite_master"));
        // Files made by the open hold UTF-16 text.
        EXPECT_EQ(L"UTF-16le", QueryText(store.file, L"pragma encoding"));
    }
}

TEST(StoreSchemas, OpenOfANullPathFails) {
    EXPECT_FALSE(AccountStore().Open(nullptr));
    EXPECT_FALSE(ContactStore().Open(nullptr));
    EXPECT_FALSE(CallRecordStore().Open(nullptr));
    EXPECT_FALSE(SysLogStore().Open(nullptr));
    EXPECT_FALSE(FtpQueueStore().Open(nullptr));
}
