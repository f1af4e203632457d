#pragma once
// Recordings still to be uploaded by the FTP backup, table FtpTable of MyFtp.db, so that pending uploads survive a
// restart. One process-wide instance (Stores.h), opened at start-up and closed at exit; written by the call writer
// and the FTP upload thread, read by the upload thread, through one shared connection. Its statements run one at a
// time under the store's lock, so none lands inside the transaction of InsertJobs.
// Every function answers false when the store is not open or the statement fails.

#include "storage/SqliteDB.h"
#include "records/StorageRecords.h"

#include <functional>
#include <mutex>
#include <vector>

class FtpQueueStore {
public:
    using JobCallback = std::function<void(const FtpJob&)>;

    // Opens (or creates) the file and its table; false for a null path or a failed open.
    bool Open(const wchar_t* path);
    bool Close();

    // Gives the job a new RecordID (written back) and adds it.
    bool InsertJob(FtpJob& job);
    // The same for every job, in one transaction: all are added, or none (false).
    bool InsertJobs(const std::vector<FtpJob*>& jobs);
    // Makes the job with the job's RecordID upload the file at recFilePath.
    bool UpdateJobPath(const FtpJob& job, const wchar_t* recFilePath);
    // Removes the job with the job's RecordID.
    bool DeleteJob(const FtpJob& job);
    // Hands every stored job to the callback in the order SQLite returns them; true when at least one was read.
    bool ForEachJob(const JobCallback& callback);

private:
    void ExecuteInsert(FtpJob& job);  // throws

    std::mutex m_lock;  // held by every statement of the store
    CSqliteDB m_db;
};
