#pragma once
// The process-wide stores. Start-up opens them (with the default accounts) and exit closes them; in between the
// engine, remote-client and UI threads share them. Each is built on first use and lives until the process ends.

class AccountStore;
class CallRecordStore;
class ContactStore;
class FtpQueueStore;

AccountStore& ServerAccountStore();  // MyLoginServer.db: operators at the server's screen
AccountStore& ClientAccountStore();  // MyLoginClient.db: remote client programs
ContactStore& TheContactStore();     // MyContact.db: phone book and blacklist
CallRecordStore& TodayCallStore();   // today's CDR file; the call writer moves it to each new day
FtpQueueStore& TheFtpQueueStore();   // MyFtp.db: pending uploads
