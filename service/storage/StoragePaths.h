#pragma once
// Names of the database files in the data folder (GetDataFolder): the process-wide stores' files and the daily
// files in their month folders.

#include <windows.h>

#include <string>

constexpr const wchar_t* kContactDbName = L"MyContact.db";
constexpr const wchar_t* kServerAccountDbName = L"MyLoginServer.db";
constexpr const wchar_t* kClientAccountDbName = L"MyLoginClient.db";
constexpr const wchar_t* kFtpQueueDbName = L"MyFtp.db";

// The working copies of today's CDR file that searches and statistics read instead of the live file.
enum class CdrWorkingCopy { Search, Chart };

// "<data folder>\<name>"
std::wstring StoreFilePath(const wchar_t* fileName);
// "<data folder>\YYYYMM\"
std::wstring MonthFolder(const SYSTEMTIME& day);
// Creates the day's month folder when it is missing; a failure is left to the open that follows.
void CreateMonthFolder(const SYSTEMTIME& day);
// "<data folder>\YYYYMM\CDRYYYYMMDD.db"
std::wstring CdrDayFile(const SYSTEMTIME& day);
// "<data folder>\YYYYMM\CDRYYYYMMDD(Search).db" or "...(Chart).db"
std::wstring CdrCopyFile(const SYSTEMTIME& day, CdrWorkingCopy copy);
// "<data folder>\YYYYMM\SysLogYYYYMMDD.db"
std::wstring SysLogDayFile(const SYSTEMTIME& day);
