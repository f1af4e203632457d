#pragma once
// Recordings still to be uploaded by the FTP backup, table FtpTable of MyFtp.db, so that pending uploads survive a
// restart. One process-wide instance (Stores.h), opened at start-up and closed at exit; written by the call writer
// and the FTP upload thread, read by the upload thread, through one shared connection.
// Every function answers false when the store is not open or the statement fails.

#include "SqliteDB.h"
#include "StorageRecords.h"

#include <functional>

class FtpQueueStore {
public:
    using JobCallback = std::function<void(const FtpJob&)>;

    // Opens (or creates) the file and its table; false for a null path or a failed open.
    bool Open(const wchar_t* path);
    bool Close() { return m_db.CloseStoreQuietly(); }

    // Gives the job a new RecordID (written back) and adds it.
    bool InsertJob(FtpJob& job);
    // Makes the job with the job's RecordID upload the file at recFilePath.
    bool UpdateJobPath(const FtpJob& job, const wchar_t* recFilePath);
    // Removes the job with the job's RecordID.
    bool DeleteJob(const FtpJob& job);
    // Hands every stored job to the callback in the order SQLite returns them; true when at least one was read.
    bool ForEachJob(const JobCallback& callback);

private:
    CSqliteDB m_db;
};
