#include "storage/CallRecordStore.h"

#include "storage/DatabaseSnapshot.h"
#include "storage/OleDate.h"
#include "storage/RecordFields.h"
#include "settings/Folders.h"
#include "settings/FormatText.h"

#include <condition_variable>
#include <cwchar>
#include <iterator>
#include <set>
#include <string>
#include <utility>

namespace {

constexpr const wchar_t* kCreateRecTable =
    L"create table Rec_Table (DateTime varchar(64),DoubleDate DOUBLE,ChannelName varchar(64),"
    L"ChannelPhone varchar(64),PhoneNumber varchar(64),PhoneName varchar(64),\t\t\t\t\t\tExtension varchar(64),"
    L"ExtensionName varchar(64),SiteName varchar(64),SiteNumber varchar(64),CallNotes varchar(255),"
    L"FilePath varchar(255),Channel INTEGER,\t\t\t\t\t\tCallType INTEGER,RecTime INTEGER,CloudSave INTEGER,"
    L"Ftp INTEGER,Flag INTEGER,RingCnt INTEGER,CusAutoID varchar(64),CusNotes1 varchar(255),"
    L"CusNotes2 varchar(255),CusAJBH varchar(64))";

constexpr const wchar_t* kInsertRecord =
    L"insert into Rec_Table(DateTime,DoubleDate,ChannelName,ChannelPhone,PhoneNumber,PhoneName,\t\t\t\t\t  "
    L"Extension,ExtensionName,SiteName,SiteNumber,CallNotes,FilePath,Channel,CallType,RecTime,CloudSave,Ftp,Flag,"
    L"RingCnt,CusAutoID,CusNotes1,CusNotes2,CusAJBH)\t\t\t\t\t  "
    L"values(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16,?17,?18,?19,?20,?21,?22,?23)";

// Working copies reserved by an open store, across every thread of the process; guarded by g_reservationLock.
std::mutex g_reservationLock;
std::condition_variable g_reservationReleased;
std::set<std::wstring> g_reservedCopies;

void ReserveWorkingCopy(const std::wstring& path) {
    std::unique_lock lock(g_reservationLock);
    g_reservationReleased.wait(lock, [&] { return !g_reservedCopies.contains(path); });
    g_reservedCopies.insert(path);
}

void ReleaseReservation(const std::wstring& path) {
    {
        const std::lock_guard lock(g_reservationLock);
        g_reservedCopies.erase(path);
    }
    g_reservationReleased.notify_all();
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// Only the first quote is changed: the rule dates from names that broke unescaped statements, and the rows
// written since carry exactly this form.
template <size_t N>
void HyphenateFirstQuote(wchar_t (&field)[N]) {
    if (wchar_t* quote = wmemchr(field, L'\'', wcsnlen(field, N)))
        *quote = L'-';
}

void CreateDbFilesFolders(const SYSTEMTIME& start) {
    const std::wstring folder = GetExeFolder() + L"\\dbFiles\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + FormatText(L"%04d%02d\\", start.wYear, start.wMonth)).c_str(), nullptr);
}

int MonthOf(const SYSTEMTIME& time) {
    return time.wYear * 100 + time.wMonth;
}

CallRecord ReadRecord(const CSqliteQuery& query) {
    CallRecord record{};
    query.ReadText(L"ChannelName", record.ChannelName);
    query.ReadText(L"ChannelPhone", record.ChannelPhone);
    query.ReadText(L"PhoneNumber", record.PhoneNumber);
    query.ReadText(L"PhoneName", record.PhoneName);
    query.ReadText(L"Extension", record.Extension);
    query.ReadText(L"ExtensionName", record.ExtensionName);
    query.ReadText(L"SiteName", record.SiteName);
    query.ReadText(L"SiteNumber", record.SiteNumber);
    query.ReadText(L"CallNotes", record.CallNotes);
    query.ReadText(L"FilePath", record.FilePath);
    query.ReadText(L"CusAutoID", record.CusAutoID);
    query.ReadText(L"CusNotes1", record.CusNotes1);
    query.ReadText(L"CusNotes2", record.CusNotes2);
    query.ReadText(L"CusAJBH", record.CusAJBH);
    record.Channel = query.ReadInt(L"Channel");
    record.CallType = query.ReadInt(L"CallType");
    record.RecTime = query.ReadInt(L"RecTime");
    record.CloudSave = query.ReadInt(L"CloudSave");
    record.Ftp = query.ReadInt(L"Ftp");
    record.Flag = query.ReadInt(L"Flag");
    record.RingCnt = query.ReadInt(L"RingCnt");
    record.StartTime = FromOleDate(query.ReadDouble(L"DoubleDate"));
    return record;
}

// The window time of day on the date of the row.
double WindowOnDay(SYSTEMTIME window, const SYSTEMTIME& day) {
    window.wYear = day.wYear;
    window.wMonth = day.wMonth;
    window.wDay = day.wDay;
    return ToOleDate(window);
}

}  // namespace

CallRecordStore::CallRecordStore() {
    GetLocalTime(&m_windowStart);
    m_windowEnd = m_windowStart;
    SetDate(m_windowStart);
}

CallRecordStore::~CallRecordStore() {
    m_db.CloseStoreQuietly();
    ReleaseWorkingCopy();
}

bool CallRecordStore::Open(const wchar_t* path) {
    return OpenStoreFile(m_db, path, {{L"Rec_Table", kCreateRecTable}});
}

bool CallRecordStore::OpenForSearch(const SYSTEMTIME& day, CdrWorkingCopy copy) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    if (!SameDay(day, today))
        return Open(CdrDayFile(day).c_str());

    const std::wstring copyPath = CdrCopyFile(day, copy);
    ReserveWorkingCopy(copyPath);
    {
        const std::lock_guard lock(m_workingCopyLock);
        m_workingCopy = copyPath;
    }
    // A snapshot, not a file copy: the call writer may be adding a row at this moment. A copy that cannot be made
    // leaves an empty working copy, which has no rows.
    SnapshotDatabase(CdrDayFile(day).c_str(), copyPath.c_str());
    if (Open(copyPath.c_str()))
        return true;
    ReleaseWorkingCopy();
    return false;
}

bool CallRecordStore::Close() {
    if (!m_db.CloseStoreQuietly())
        return false;
    ReleaseWorkingCopy();
    return true;
}

SYSTEMTIME CallRecordStore::Date() const {
    SYSTEMTIME day{};
    day.wYear = m_year;
    day.wMonth = m_month;
    day.wDay = m_day;
    return day;
}

void CallRecordStore::SetDate(const SYSTEMTIME& day) {
    m_year = day.wYear;
    m_month = day.wMonth;
    m_day = day.wDay;
}

bool CallRecordStore::IsOnDate(const SYSTEMTIME& time) const {
    return SameDay(time, Date());
}

bool CallRecordStore::Insert(CallRecord& record) {
    CreateDbFilesFolders(record.StartTime);
    return RunOnOpenStore(m_db, [&] {
        record = ExecuteInsert(record);
        return true;
    });
}

bool CallRecordStore::InsertAll(const std::vector<CallRecord*>& records) {
    int month = 0;
    for (const CallRecord* record : records) {
        if (MonthOf(record->StartTime) != month)
            CreateDbFilesFolders(record->StartTime);
        month = MonthOf(record->StartTime);
    }
    std::vector<CallRecord> stored;
    stored.reserve(records.size());
    const bool inserted = RunInTransaction(m_db, [&] {
        for (const CallRecord* record : records)
            stored.push_back(ExecuteInsert(*record));
        return true;
    });
    if (inserted) {
        for (size_t i = 0; i < records.size(); ++i)
            *records[i] = stored[i];
    }
    return inserted;
}

CallRecord CallRecordStore::ExecuteInsert(const CallRecord& original) {
    CallRecord record = original;
    HyphenateFirstQuote(record.ChannelName);
    HyphenateFirstQuote(record.ExtensionName);
    HyphenateFirstQuote(record.PhoneName);
    HyphenateFirstQuote(record.SiteName);

    const SYSTEMTIME& start = record.StartTime;
    wchar_t dateTime[32];
    FormatToField(dateTime, L"%04d-%02d-%02d %02d:%02d:%02d", start.wYear, start.wMonth, start.wDay, start.wHour,
                  start.wMinute, start.wSecond);

    m_db.ExecuteStatement(kInsertRecord, {std::wstring_view(dateTime),
                                          ToOleDate(start),
                                          FieldText(record.ChannelName),
                                          FieldText(record.ChannelPhone),
                                          FieldText(record.PhoneNumber),
                                          FieldText(record.PhoneName),
                                          FieldText(record.Extension),
                                          FieldText(record.ExtensionName),
                                          FieldText(record.SiteName),
                                          FieldText(record.SiteNumber),
                                          FieldText(record.CallNotes),
                                          FieldText(record.FilePath),
                                          record.Channel,
                                          record.CallType,
                                          record.RecTime,
                                          record.CloudSave,
                                          record.Ftp,
                                          record.Flag,
                                          record.RingCnt,
                                          FieldText(record.CusAutoID),
                                          FieldText(record.CusNotes1),
                                          FieldText(record.CusNotes2),
                                          FieldText(record.CusAJBH)});
    return record;
}

bool CallRecordStore::UpdateFlag(const wchar_t* filePath, int flag) {
    return filePath && ExecuteOnOpenStore(m_db, L"update Rec_Table set Flag= ?1 where FilePath = ?2", {flag, filePath});
}

bool CallRecordStore::UpdateNotes(const wchar_t* filePath, const wchar_t* notes) {
    return filePath && notes &&
           ExecuteOnOpenStore(m_db, L"update Rec_Table set CallNotes=?1 where (FilePath = ?2 )", {notes, filePath});
}

bool CallRecordStore::UpdateFilePath(const wchar_t* filePath, const wchar_t* newPath) {
    return filePath && newPath &&
           ExecuteOnOpenStore(m_db, L"update Rec_Table set FilePath = ?1 where FilePath = ?2", {newPath, filePath});
}

bool CallRecordStore::DeleteByPath(const wchar_t* filePath) {
    return filePath && ExecuteOnOpenStore(m_db, L"delete from Rec_Table where FilePath = ?1 ", {filePath});
}

bool CallRecordStore::FindByPath(const wchar_t* filePath, CallRecord& record) {
    return filePath &&
           FindStoreRow(m_db, L"select * from Rec_Table where FilePath = ?1", {filePath}, ReadRecord, record);
}

void CallRecordStore::SetTimeFilter(bool on, const SYSTEMTIME& start, const SYSTEMTIME& end) {
    m_timeFilter = on;
    m_windowStart = start;
    m_windowEnd = end;
}

void CallRecordStore::RequestStop() {
    m_stop = true;
    m_db.Interrupt();
}

bool CallRecordStore::ForEachRecord(const RecordCallback& callback, const wchar_t* sql) {
    if (!callback)
        return false;
    const auto readRow = [](const CSqliteQuery& query) {
        return std::pair(ReadRecord(query), query.ReadDouble(L"DoubleDate"));
    };
    const auto deliver = [&](const std::pair<CallRecord, double>& row) {
        const auto& [record, date] = row;
        if (!m_timeFilter || (WindowOnDay(m_windowStart, record.StartTime) <= date &&
                              date <= WindowOnDay(m_windowEnd, record.StartTime)))
            callback(record);
    };
    return ForEachStoreRow(m_db, sql, {}, readRow, deliver, &m_stop);
}

int CallRecordStore::QueryCount(const wchar_t* sql, SqlValues values) {
    int count = 0;
    if (sql)
        RunOnOpenStore(m_db, [&] {
            count = m_db.QueryInt(sql, values);
            return true;
        });
    return count;
}

int CallRecordStore::QuerySum(const wchar_t* sql, SqlValues values) {
    int sum = 0;
    if (sql)
        RunOnOpenStore(m_db, [&] {
            CSqliteQuery query = m_db.RunQuery(sql, values);
            if (!query.AtEnd())
                sum = query.ReadInt(L"TotalValue");
            query.ReleaseStatement();
            return true;
        });
    return sum;
}

void CallRecordStore::ReleaseWorkingCopy() {
    std::wstring copy;
    {
        const std::lock_guard lock(m_workingCopyLock);
        std::swap(copy, m_workingCopy);
    }
    if (!copy.empty())
        ReleaseReservation(copy);
}
