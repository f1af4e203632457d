#include "storage/StoragePaths.h"

#include "settings/Folders.h"

CString StoreFilePath(const wchar_t* fileName) {
    CString path;
    path.Format(L"%s\\%s", GetDataFolder().c_str(), fileName);
    return path;
}

CString MonthFolder(const SYSTEMTIME& day) {
    CString folder;
    folder.Format(L"%s\\%04d%02d\\", GetDataFolder().c_str(), day.wYear, day.wMonth);
    return folder;
}

void CreateMonthFolder(const SYSTEMTIME& day) {
    CreateDirectoryW(MonthFolder(day), nullptr);
}

CString CdrDayFile(const SYSTEMTIME& day) {
    CString path;
    path.Format(L"%s\\%04d%02d\\CDR%04d%02d%02d.db", GetDataFolder().c_str(), day.wYear, day.wMonth, day.wYear,
                day.wMonth, day.wDay);
    return path;
}

CString CdrCopyFile(const SYSTEMTIME& day, CdrWorkingCopy copy) {
    CString path;
    path.Format(L"%s\\%04d%02d\\CDR%04d%02d%02d(%s).db", GetDataFolder().c_str(), day.wYear, day.wMonth, day.wYear,
                day.wMonth, day.wDay, copy == CdrWorkingCopy::Search ? L"Search" : L"Chart");
    return path;
}

CString SysLogDayFile(const SYSTEMTIME& day) {
    CString path;
    path.Format(L"%s\\%04d%02d\\SysLog%04d%02d%02d.db", GetDataFolder().c_str(), day.wYear, day.wMonth, day.wYear,
                day.wMonth, day.wDay);
    return path;
}
