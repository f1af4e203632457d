#pragma once
// Consistent copies of databases that other threads write. The call writer may be adding a row to a day's file at
// any moment, so a plain file copy could catch it half-written; these copies are made through SQLite's online
// backup instead, every page in one step under a read lock, and so hold the database as it was between two writes.
// The read lock waits for a writer's lock up to the busy timeout every connection uses, and is held only for the
// copy. Any thread.

struct sqlite3;

// Replaces destination with a snapshot of the database at source. The source is never created; false when it
// does not exist or cannot be read, or when the copy cannot be written (any partial destination is deleted).
bool SnapshotDatabase(const wchar_t* source, const wchar_t* destination);

// Copies the database at source into the open connection (its main database, replaced whole): a private copy
// that the caller may then read for as long as it likes without holding the file's lock. False when the source
// does not exist or cannot be read.
bool CopyDatabaseInto(const wchar_t* source, sqlite3* destination);
