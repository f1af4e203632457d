#pragma once
// A consistent copy of a day's CDR database for upload. The call writer may be adding a row to the day's file at
// any moment, so a plain file copy could catch it half-written; the copy is made through SQLite's online backup
// instead, in one step under a read lock, and so holds the database as it was between two writes.

// Replaces destination with a snapshot of the database at source. The source is never created; false when it
// does not exist or cannot be read, or when the copy cannot be written (any partial destination is deleted).
// Waits for a writer's lock up to the busy timeout every connection uses.
bool SnapshotDatabase(const wchar_t* source, const wchar_t* destination);
