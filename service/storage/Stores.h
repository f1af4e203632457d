#pragma once
// The process-wide stores. Start-up opens them (with the default accounts) and exit closes them; in between the
// engine, remote-client and UI threads share them. Each is built on first use and lives until the process ends.

#include <windows.h>

#include <functional>

class AccountStore;
class CallRecordStore;
class ContactStore;
class FtpQueueStore;

AccountStore& ServerAccountStore();  // MyLoginServer.db: operators at the server's screen
AccountStore& ClientAccountStore();  // MyLoginClient.db: remote client programs
ContactStore& TheContactStore();     // MyContact.db: phone book and blacklist
CallRecordStore& TodayCallStore();   // today's CDR file; the call writer moves it to each new day
FtpQueueStore& TheFtpQueueStore();   // MyFtp.db: pending uploads

// Today's store is shared while the call writer moves it from day to day (closing one file, opening the next):
// - the FTP thread and the record commands reach it only through UseTodayCallStore, which runs their work when the
//   store is open on the day they want, and keeps it on that day until the work is done; true when the work ran,
//   false when the store stands for another day (or is closed) and the work did not run;
// - the call writer moves it, and writes a transaction of many rows into it, only through
//   UseTodayCallStoreAlone, which waits for the work in progress first and lets none start meanwhile.
// Its other statements need neither: it is the only thread that moves the store. Start-up and exit open and close
// the store directly, before and after those threads run.
bool UseTodayCallStore(const SYSTEMTIME& day, const std::function<void(CallRecordStore&)>& work);
void UseTodayCallStoreAlone(const std::function<void(CallRecordStore&)>& work);
