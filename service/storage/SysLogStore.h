#pragma once
// The system log: one row per operational event in a daily database "<data folder>\YYYYMM\SysLogYYYYMMDD.db",
// table SysLog_Table. There is no long-lived instance: every writer and every search makes its own store, on its
// own thread, for one insert or one search. Writers on different threads meet only in SQLite's file lock. A search
// may be ended from another thread with RequestStop, also in the middle of a long step.

#include "storage/SqliteDB.h"
#include "records/StorageRecords.h"

#include <atomic>
#include <functional>
#include <vector>

// SysLogRow::SysLog_Cmd. The system-log view shows a row with the language text of SysLogTextKey (code).
enum SysLogEventCode : int32_t {
    kSysLogProgramStarted = 0,
    kSysLogProgramExited = 1,
    kSysLogRecordingsCopied = 2,  // copied or downloaded
    kSysLogRecordingDeleted = 3,
    kSysLogClientLogin = 4,
    kSysLogClientLogout = 5,
    kSysLogRecordChanged = 7,  // notes or flag changed by a remote client
    kSysLogOperatorLogin = 8,
    kSysLogLineError = 9,
    kSysLogMonitorStarted = 10,
    kSysLogMonitorStopped = 11,
    kSysLogContactAdded = 12,
    kSysLogContactEdited = 13,
    kSysLogContactDeleted = 14,
    kSysLogOperatorLogout = 15,
    kSysLogClientAccountAdded = 16,
    kSysLogClientAccountEdited = 17,
    kSysLogClientAccountDeleted = 18,
    kSysLogServerAccountAdded = 19,
    kSysLogServerAccountEdited = 20,
    kSysLogServerAccountDeleted = 21,
    kSysLogClientPasswordChanged = 22,
    kSysLogDiskCleanup = 28,
    kSysLogCdrInsertFailed = 29,
    kSysLogHourlyStatus = 30,
};

// The language-text key ("0136" ...) that names an event code; null for a code outside 0 to 30, which is not shown.
const wchar_t* SysLogTextKey(int code);

class SysLogStore {
public:
    using RowCallback = std::function<void(const SysLogRow&)>;

    // Opens (or creates) a daily file and its table. False when the path is null or the open fails.
    bool Open(const wchar_t* path);
    // Opens a private copy of an existing daily file for a search: the file may be written meanwhile (today's is),
    // and a search that reads slowly must not keep its writers waiting. False when there is no file to copy.
    bool OpenCopy(const wchar_t* path);
    bool Close() { return m_db.CloseStoreQuietly(); }

    // Adds the row; false when the store is not open or the insert fails (the event is then lost).
    bool Insert(const SysLogRow& row);
    // Adds the rows in one transaction: all are added, or none (false).
    bool InsertAll(const std::vector<const SysLogRow*>& rows);
    // Runs a caller-made SELECT over SysLog_Table and hands every row, zero-filled then read, to the callback.
    // True when at least one row was read and the rows ended (at the end or by the stop); false for a null SQL or
    // callback, a closed store, a stop raised before the start, no matching row, or an error (rows already handed
    // on stay handed on).
    bool ForEachRow(const wchar_t* sql, const RowCallback& callback);
    // Any thread: ForEachRow ends before its next row, and a step of its query that is running is interrupted.
    // The stop holds until ClearStop.
    void RequestStop();
    void ClearStop() { m_stop = false; }

private:
    void ExecuteInsert(const SysLogRow& row);  // throws

    std::atomic<bool> m_stop = false;
    CSqliteDB m_db;
};

// Writing one event, as every direct writer and the system-log writer thread do: makes the month folder of the
// row's day in the data folder, opens that day's file with a store of its own, inserts the row and closes. Any
// failure is ignored; the event is then not recorded. It may wait for another connection's lock up to the busy
// timeout, so the engine's real-time threads queue their rows for the writer thread instead. Any thread.
void WriteSysLogRow(const SysLogRow& row);
// The same for rows of one day, written together in one transaction (each on its own when that fails), as the
// system-log writer thread writes what has queued up.
void WriteSysLogRows(const std::vector<const SysLogRow*>& rowsOfOneDay);
// The row of an event happening now. Name and notes are cut to their fields; null counts as empty.
SysLogRow MakeSysLogEvent(int code, const wchar_t* name, const wchar_t* notes);
// Writes the row of an event happening now (WriteSysLogRow).
void WriteSysLogEvent(int code, const wchar_t* name, const wchar_t* notes);
