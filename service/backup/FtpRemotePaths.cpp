#include "backup/FtpRemotePaths.h"

#include "settings/FormatText.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

std::wstring RemoteFileName(const wchar_t* localPath) {
    const wchar_t* lastSlash = std::wcsrchr(localPath, L'\\');
    std::wstring name = lastSlash ? lastSlash + 1 : localPath;
    std::replace(name.begin(), name.end(), L'#', L'B');
    std::replace(name.begin(), name.end(), L'*', L'A');
    return name;
}

std::wstring RecordingRemotePath(const wchar_t* serial, const SYSTEMTIME& day, const wchar_t* fileName) {
    return FormatText(L"/%ls/%04d%02d/%04d%02d%02d/%ls", serial, day.wYear, day.wMonth, day.wYear, day.wMonth, day.wDay,
                      fileName);
}

std::wstring CdrRemotePath(const wchar_t* serial, const SYSTEMTIME& day) {
    return FormatText(L"/%ls/%04d%02d/%04d%02d%02d/dbFiles/CDR%04d%02d%02d.db", serial, day.wYear, day.wMonth,
                      day.wYear, day.wMonth, day.wDay, day.wYear, day.wMonth, day.wDay);
}

std::wstring FtpServerText(int server) {
    const uint32_t address = static_cast<uint32_t>(server);
    return FormatText(L"%u.%u.%u.%u", (address >> 24) & 0xFF, (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                      address & 0xFF);
}
