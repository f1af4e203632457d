#pragma once
// Call-detail records: one database per day, "<data folder>\YYYYMM\CDRYYYYMMDD.db", table Rec_Table, whose rows are
// images of CallRecord.
//
// Today's store (Stores.h) is opened at start-up, moved to each new day by the call writer and used by the FTP
// thread as well, sharing one connection. Every other user makes its own store for one task on one thread; a
// search may be ended from another thread with RequestStop, also in the middle of a long step.
//
// Rows are found by their exact FilePath. Every function answers false (or 0) when the store is not open or the
// statement fails.

#include "storage/SqliteDB.h"
#include "storage/StoragePaths.h"
#include "records/EngineRecords.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class CallRecordStore {
public:
    using RecordCallback = std::function<void(const CallRecord&)>;

    // No time filter, both window times now, the date today.
    CallRecordStore();
    ~CallRecordStore();
    CallRecordStore(const CallRecordStore&) = delete;
    CallRecordStore& operator=(const CallRecordStore&) = delete;

    // Open and close
    // Opens (or creates) a day's file and its table; false for a null path or a failed open.
    bool Open(const wchar_t* path);
    // Opens a day's database for a search or the statistics. Today's live file is not read while the call writer
    // adds to it: it is copied over the working copy first, and that copy stays reserved for this store until
    // Close, so searches of every thread never overwrite a copy another one is reading (the next one waits).
    // Other days are opened directly.
    bool OpenForSearch(const SYSTEMTIME& day, CdrWorkingCopy copy);
    // True when closed. A close that fails (a query still running on another thread) keeps the store open.
    bool Close();
    bool IsOpen() const { return m_db.IsOpen(); }

    // The day the store's file stands for
    SYSTEMTIME Date() const;  // year, month and day; the other fields zero
    void SetDate(const SYSTEMTIME& day);
    bool IsOnDate(const SYSTEMTIME& time) const;

    // Rows
    // Adds the record's row. First makes the program folder's "dbFiles\YYYYMM\" folders. The row has the first
    // quote of ChannelName, ExtensionName, PhoneName and SiteName changed into a hyphen, and so has the caller's
    // record once the row is stored (a failed insert leaves the record as it was, ready to be tried again).
    bool Insert(CallRecord& record);
    // Adds the rows of all the records as Insert does each, in one transaction: all are stored, or none (false).
    // Only a store that no other thread uses meanwhile (today's store under UseTodayCallStoreAlone, Stores.h).
    bool InsertAll(const std::vector<CallRecord*>& records);
    bool UpdateFlag(const wchar_t* filePath, int flag);
    bool UpdateNotes(const wchar_t* filePath, const wchar_t* notes);
    // Makes the row of filePath name newPath instead.
    bool UpdateFilePath(const wchar_t* filePath, const wchar_t* newPath);
    bool DeleteByPath(const wchar_t* filePath);
    // Reads the first row with exactly this FilePath; false leaves the record as it was.
    bool FindByPath(const wchar_t* filePath, CallRecord& record);

    // Searches
    // When on, ForEachRecord delivers only rows whose time of day lies in [start, end] (hour, minute and second;
    // an end before the start matches nothing).
    void SetTimeFilter(bool on, const SYSTEMTIME& start, const SYSTEMTIME& end);
    // Any thread: ForEachRecord ends before its next row, and a step of its query that is running is interrupted.
    // The stop holds until ClearStop, so a stop raised before a search starts ends it at once; a store used for
    // another search afterwards is cleared first.
    void RequestStop();
    void ClearStop() { m_stop = false; }
    // Runs a caller-made SELECT over Rec_Table and hands every delivered row to the callback. True when at least
    // one row was read and the rows ended (at the end or by the stop); false for a null callback, a closed store, a
    // stop raised before the start, no row, or an error (rows handed on stay handed on).
    bool ForEachRecord(const RecordCallback& callback, const wchar_t* sql);
    // The result of a caller-made COUNT query with its parameters bound to values; 0 on any failure.
    int QueryCount(const wchar_t* sql, SqlValues values = {});
    // The column TotalValue of a caller-made query's first row, its parameters bound to values; 0 for SQL NULL, no
    // row or any failure.
    int QuerySum(const wchar_t* sql, SqlValues values = {});

private:
    // Runs the insert statement for a copy of the record with its quotes changed, which it returns; throws.
    CallRecord ExecuteInsert(const CallRecord& record);
    void ReleaseWorkingCopy();

    bool m_timeFilter = false;
    SYSTEMTIME m_windowStart;  // only hour, minute and second are used
    SYSTEMTIME m_windowEnd;
    WORD m_year;
    WORD m_month;
    WORD m_day;
    std::atomic<bool> m_stop = false;
    CSqliteDB m_db;
    std::mutex m_workingCopyLock;  // guards m_workingCopy: Close may come from another thread
    std::wstring m_workingCopy;    // the working copy this store has reserved; empty when none
};
