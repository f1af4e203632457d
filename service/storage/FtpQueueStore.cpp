#include "storage/FtpQueueStore.h"

#include "storage/OleDate.h"
#include "storage/RecordFields.h"
#include "storage/RecordId.h"

namespace {

constexpr const wchar_t* kCreateFtpTable =
    L"create table FtpTable (RecordID varchar(64),RecordNum varchar(64),RecFilePath varchar(255),stStartRec DOUBLE)";

FtpJob ReadJob(const CSqliteQuery& query) {
    FtpJob job{};
    query.ReadText(L"RecordID", job.RecordID);
    query.ReadText(L"RecordNum", job.RecordNum);
    query.ReadText(L"RecFilePath", job.RecFilePath);
    job.stStartRec = FromOleDate(query.ReadDouble(L"stStartRec"));
    return job;
}

}  // namespace

bool FtpQueueStore::Open(const wchar_t* path) {
    const std::lock_guard lock(m_lock);
    return OpenStoreFile(m_db, path, {{L"FtpTable", kCreateFtpTable}});
}

bool FtpQueueStore::Close() {
    const std::lock_guard lock(m_lock);
    return m_db.CloseStoreQuietly();
}

bool FtpQueueStore::InsertJob(FtpJob& job) {
    const std::lock_guard lock(m_lock);
    return RunOnOpenStore(m_db, [&] {
        ExecuteInsert(job);
        return true;
    });
}

bool FtpQueueStore::InsertJobs(const std::vector<FtpJob*>& jobs) {
    const std::lock_guard lock(m_lock);
    return RunInTransaction(m_db, [&] {
        for (FtpJob* job : jobs)
            ExecuteInsert(*job);
        return true;
    });
}

void FtpQueueStore::ExecuteInsert(FtpJob& job) {
    NewRecordId(job.RecordID);
    m_db.ExecuteStatement(
        L"insert into FtpTable(RecordID,RecordNum,RecFilePath,stStartRec) values(?1,?2,?3,?4)",
        {FieldText(job.RecordID), FieldText(job.RecordNum), FieldText(job.RecFilePath), ToOleDate(job.stStartRec)});
}

bool FtpQueueStore::UpdateJobPath(const FtpJob& job, const wchar_t* recFilePath) {
    const std::lock_guard lock(m_lock);
    return recFilePath && ExecuteOnOpenStore(m_db, L"update FtpTable set RecFilePath = ?1 where RecordID = ?2",
                                             {recFilePath, FieldText(job.RecordID)});
}

bool FtpQueueStore::DeleteJob(const FtpJob& job) {
    const std::lock_guard lock(m_lock);
    return ExecuteOnOpenStore(m_db, L"delete from FtpTable where RecordID = ?1 ", {FieldText(job.RecordID)});
}

bool FtpQueueStore::ForEachJob(const JobCallback& callback) {
    const std::lock_guard lock(m_lock);
    return callback && ForEachStoreRow(m_db, L"select * from FtpTable", {}, ReadJob, callback);
}
