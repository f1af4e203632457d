#pragma once
// The process's unhandled-exception filter, installed by the main frame's creation: a crash anywhere in the
// process leaves one minidump in the program's MiniDump folder, and the process then ends.

#include <windows.h>

// Writes "<program folder>\MiniDump\YYYYMMDDhhmmss.dmp" (local time; the folder made when missing), a normal
// minidump of this process with the faulting thread's exception, and answers EXCEPTION_EXECUTE_HANDLER. A dump
// that cannot be written is skipped; the answer is the same.
LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception);
