#include "storage/StoragePaths.h"

#include "settings/Folders.h"
#include "settings/FormatText.h"

std::wstring StoreFilePath(const wchar_t* fileName) {
    return FormatText(L"%ls\\%ls", GetDataFolder().c_str(), fileName);
}

std::wstring MonthFolder(const SYSTEMTIME& day) {
    return FormatText(L"%ls\\%04d%02d\\", GetDataFolder().c_str(), day.wYear, day.wMonth);
}

void CreateMonthFolder(const SYSTEMTIME& day) {
    CreateDirectoryW(MonthFolder(day).c_str(), nullptr);
}

std::wstring CdrDayFile(const SYSTEMTIME& day) {
    return FormatText(L"%ls\\%04d%02d\\CDR%04d%02d%02d.db", GetDataFolder().c_str(), day.wYear, day.wMonth, day.wYear,
                      day.wMonth, day.wDay);
}

std::wstring CdrCopyFile(const SYSTEMTIME& day, CdrWorkingCopy copy) {
    return FormatText(L"%ls\\%04d%02d\\CDR%04d%02d%02d(%ls).db", GetDataFolder().c_str(), day.wYear, day.wMonth,
                      day.wYear, day.wMonth, day.wDay, copy == CdrWorkingCopy::Search ? L"Search" : L"Chart");
}

std::wstring SysLogDayFile(const SYSTEMTIME& day) {
    return FormatText(L"%ls\\%04d%02d\\SysLog%04d%02d%02d.db", GetDataFolder().c_str(), day.wYear, day.wMonth,
                      day.wYear, day.wMonth, day.wDay);
}
