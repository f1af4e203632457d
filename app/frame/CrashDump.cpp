#include "frame/CrashDump.h"

#include "settings/Folders.h"

#include "mfc.h"

#include <dbghelp.h>

#include <string>

LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception) {
    const std::wstring folder = GetExeFolder() + L"\\MiniDump\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString path;
    path.Format(L"%s%04d%02d%02d%02d%02d%02d.dmp", folder.c_str(), now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);

    CScopedKernelHandle file(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid()) {
        MINIDUMP_EXCEPTION_INFORMATION information{};
        information.ThreadId = ::GetCurrentThreadId();
        information.ExceptionPointers = exception;
        information.ClientPointers = TRUE;
        ::MiniDumpWriteDump(::GetCurrentProcess(), ::GetCurrentProcessId(), file.Get(), MiniDumpNormal, &information,
                            nullptr, nullptr);
    }
    return EXCEPTION_EXECUTE_HANDLER;
}
