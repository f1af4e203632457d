#include "backup/FtpRemotePaths.h"

#include <cstdint>

CString RemoteFileName(const wchar_t* localPath) {
    CString path(localPath);
    CString name = path.Mid(path.ReverseFind(L'\\') + 1);
    name.Replace(L'#', L'B');
    name.Replace(L'*', L'A');
    return name;
}

CString RecordingRemotePath(const wchar_t* serial, const SYSTEMTIME& day, const wchar_t* fileName) {
    CString path;
    path.Format(L"/%s/%04d%02d/%04d%02d%02d/%s", serial, day.wYear, day.wMonth, day.wYear, day.wMonth, day.wDay,
                fileName);
    return path;
}

CString CdrRemotePath(const wchar_t* serial, const SYSTEMTIME& day) {
    CString path;
    path.Format(L"/%s/%04d%02d/%04d%02d%02d/dbFiles/CDR%04d%02d%02d.db", serial, day.wYear, day.wMonth, day.wYear,
                day.wMonth, day.wDay, day.wYear, day.wMonth, day.wDay);
    return path;
}

CString FtpServerText(int server) {
    const uint32_t address = static_cast<uint32_t>(server);
    CString text;
    text.Format(L"%d.%d.%d.%d", (address >> 24) & 0xFF, (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF);
    return text;
}
