#include "storage/SysLogStore.h"

#include "storage/OleDate.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"

#include <iterator>

namespace {

constexpr const wchar_t* kCreateSysLogTable =
    L"create table SysLog_Table(SysLog_Date double,SysLog_Name varchar(64),SysLog_Cmd INTEGER,"
    L"SysLog_Notes varchar(255))";

constexpr const wchar_t* kInsertSysLogRow =
    L"insert into SysLog_Table(SysLog_Date,SysLog_Name,SysLog_Cmd,SysLog_Notes)\t\t\t\t\t  values(?1,?2,?3,?4)";

constexpr const wchar_t* kSysLogTextKeys[] = {
    L"0136", L"0137", L"0138", L"0139", L"0140", L"0141", L"0142", L"0143", L"0144", L"0145", L"0146",
    L"0147", L"0148", L"0149", L"0150", L"0151", L"0152", L"0153", L"0154", L"0155", L"0156", L"0157",
    L"0158", L"0159", L"0160", L"0161", L"0162", L"0163", L"0386", L"5085", L"5086",
};

SysLogRow ReadSysLogRow(const CSqliteQuery& query) {
    SysLogRow row{};
    query.ReadText(L"SysLog_Name", row.Name);
    query.ReadText(L"SysLog_Notes", row.Notes);
    row.SysLog_Cmd = query.ReadInt(L"SysLog_Cmd");
    row.Time = FromOleDate(query.ReadDouble(L"SysLog_Date"));
    return row;
}

}  // namespace

const wchar_t* SysLogTextKey(int code) {
    static_assert(std::size(kSysLogTextKeys) == kSysLogHourlyStatus + 1);
    if (code < 0 || code > kSysLogHourlyStatus)
        return nullptr;
    return kSysLogTextKeys[code];
}

bool SysLogStore::Open(const wchar_t* path) {
    return OpenStoreFile(m_db, path, {{L"SysLog_Table", kCreateSysLogTable}});
}

bool SysLogStore::OpenCopy(const wchar_t* path) {
    return path && m_db.OpenCopyOf(path);
}

bool SysLogStore::Insert(const SysLogRow& row) {
    return RunOnOpenStore(m_db, [&] {
        ExecuteInsert(row);
        return true;
    });
}

void SysLogStore::ExecuteInsert(const SysLogRow& row) {
    m_db.ExecuteStatement(kInsertSysLogRow,
                          {ToOleDate(row.Time), FieldText(row.Name), row.SysLog_Cmd, FieldText(row.Notes)});
}

bool SysLogStore::InsertAll(const std::vector<const SysLogRow*>& rows) {
    return RunInTransaction(m_db, [&] {
        for (const SysLogRow* row : rows)
            ExecuteInsert(*row);
        return true;
    });
}

bool SysLogStore::ForEachRow(const wchar_t* sql, const RowCallback& callback) {
    return callback && ForEachStoreRow(m_db, sql, {}, ReadSysLogRow, callback, &m_stop);
}

void SysLogStore::RequestStop() {
    m_stop = true;
    m_db.Interrupt();
}

void WriteSysLogRow(const SysLogRow& row) {
    CreateMonthFolder(row.Time);
    SysLogStore store;
    if (store.Open(SysLogDayFile(row.Time).c_str()))
        store.Insert(row);
    store.Close();
}

SysLogRow MakeSysLogEvent(int code, const wchar_t* name, const wchar_t* notes) {
    SysLogRow row{};
    row.SysLog_Cmd = code;
    CopyToField(row.Name, name);
    CopyToField(row.Notes, notes);
    GetLocalTime(&row.Time);
    return row;
}

void WriteSysLogRows(const std::vector<const SysLogRow*>& rowsOfOneDay) {
    if (rowsOfOneDay.empty())
        return;
    const SYSTEMTIME& day = rowsOfOneDay.front()->Time;
    CreateMonthFolder(day);
    SysLogStore store;
    if (store.Open(SysLogDayFile(day).c_str()) && !store.InsertAll(rowsOfOneDay)) {
        for (const SysLogRow* row : rowsOfOneDay)
            store.Insert(*row);
    }
    store.Close();
}

void WriteSysLogEvent(int code, const wchar_t* name, const wchar_t* notes) {
    WriteSysLogRow(MakeSysLogEvent(code, name, notes));
}
