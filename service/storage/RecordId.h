#pragma once
// Identities of the account, phone-book, blacklist and FTP-queue rows: the local time as 17 digits
// "%04d%02d%02d%02d%02d%02d%03d" (year ... millisecond). Rows are updated and deleted by identity, so two inserts
// in the same millisecond must not share one: the process-wide generator never hands out a stamp twice, taking
// the last one + 1 ms instead. Any thread may call it.

// Writes the next identity, NUL-terminated, into the 32-character field.
void NewRecordId(wchar_t (&id)[32]);
