#pragma once
// Row images of the stores' tables. They also travel to remote clients and between threads, so their byte layouts
// are fixed: fixed-width fields, UTF-16 texts NUL-terminated inside their fields, little-endian integers.
//   AccountRecord    728 bytes  AccountTable (both account stores)
//   ContactRecord   1792 bytes  PhoneBook
//   BlacklistRecord  256 bytes  Blacklist
//   SysLogRow        584 bytes  SysLog_Table
//   FtpJob           664 bytes  FtpTable
// The call record (Rec_Table) is an engine record: see service/engine/EngineRecords.h.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// One account of the server or the client account store.
struct AccountRecord {
    wchar_t UserName[32];
    wchar_t UserPsw[32];
    wchar_t AutoCode[32];        // identity, made by AccountStore::Insert
    wchar_t UserFile[MAX_PATH];  // full path of the 512-byte channel-rights file
    int32_t bPlayer;             // rights: 1 = granted
    int32_t bDownload;
    int32_t bDelete;
    int32_t bChart;
};

static_assert(sizeof(wchar_t) == 2);
static_assert(sizeof(AccountRecord) == 728);
static_assert(offsetof(AccountRecord, UserPsw) == 64);
static_assert(offsetof(AccountRecord, AutoCode) == 128);
static_assert(offsetof(AccountRecord, UserFile) == 192);
static_assert(offsetof(AccountRecord, bPlayer) == 712);
static_assert(offsetof(AccountRecord, bChart) == 724);

// One phone-book contact.
struct ContactRecord {
    wchar_t UserID[32];  // identity, made by ContactStore::InsertContact
    wchar_t UserName[32];
    wchar_t UserMobile[32];
    wchar_t CompanyTel[32];
    wchar_t CompanyName[64];
    wchar_t CompanyAddress[255];
    wchar_t CompanyFax[32];
    wchar_t HomeTel[32];
    wchar_t UserEmail[32];
    wchar_t UserNotes[255];
    wchar_t OtherTel1[32];
    wchar_t OtherTel2[32];
    wchar_t OtherTel3[32];
    int32_t RecMethod;  // stored and returned unchanged
};

static_assert(sizeof(ContactRecord) == 1792);
static_assert(offsetof(ContactRecord, UserName) == 64);
static_assert(offsetof(ContactRecord, CompanyName) == 256);
static_assert(offsetof(ContactRecord, CompanyAddress) == 384);
static_assert(offsetof(ContactRecord, CompanyFax) == 894);
static_assert(offsetof(ContactRecord, UserNotes) == 1086);
static_assert(offsetof(ContactRecord, OtherTel1) == 1596);
static_assert(offsetof(ContactRecord, OtherTel3) == 1724);
static_assert(offsetof(ContactRecord, RecMethod) == 1788);

// One blacklisted number.
struct BlacklistRecord {
    wchar_t HeiMingDanID[32];  // identity, made by ContactStore::InsertBlacklist
    wchar_t Number[32];
    wchar_t NumberNotes[64];
};

static_assert(sizeof(BlacklistRecord) == 256);
static_assert(offsetof(BlacklistRecord, Number) == 64);
static_assert(offsetof(BlacklistRecord, NumberNotes) == 128);

// One system-log event: a row of SysLog_Table, also queued to the system-log writer and sent to remote clients.
struct SysLogRow {
    int32_t SysLog_Cmd;  // a SysLogEventCode
    wchar_t Name[32];    // who or what: user, channel or contact name
    wchar_t Notes[250];
    SYSTEMTIME Time;  // local time
};

static_assert(sizeof(SysLogRow) == 584);
static_assert(offsetof(SysLogRow, Name) == 4);
static_assert(offsetof(SysLogRow, Notes) == 68);
static_assert(offsetof(SysLogRow, Time) == 568);

// One queued FTP upload.
struct FtpJob {
    wchar_t RecordID[32];           // identity, made by FtpQueueStore::InsertJob
    wchar_t RecordNum[32];          // the other party's number of the call
    wchar_t RecFilePath[MAX_PATH];  // the recording to upload
    SYSTEMTIME stStartRec;          // call start: selects the remote day folder and the day's CDR database
};

static_assert(sizeof(FtpJob) == 664);
static_assert(offsetof(FtpJob, RecordNum) == 64);
static_assert(offsetof(FtpJob, RecFilePath) == 128);
static_assert(offsetof(FtpJob, stStartRec) == 648);
