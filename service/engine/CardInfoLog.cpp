#include "engine/CardInfoLog.h"

#include "mfc.h"
#include "settings/Folders.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void AppendLine(const char* firstName, int first, const char* secondName, int second) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char line[160];
    // The month is left-aligned in two places ("2024-3 -05"): readers of this file expect that form.
    const int length =
        std::snprintf(line, sizeof(line), "%04d-%-2d-%02d %02d:%02d:%02d %s %d,%s %d\r\n", now.wYear, now.wMonth,
                      now.wDay, now.wHour, now.wMinute, now.wSecond, firstName, first, secondName, second);
    if (length <= 0 || length >= static_cast<int>(sizeof(line)))
        return;
    const std::wstring path = GetExeFolder() + L"\\CardInfor.txt";
    CScopedKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return;
    ::SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    ::WriteFile(file.Get(), line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

void AppendBoardInfoLine(int cardType, int serialNo) {
    AppendLine("QsdSys_GetCardType", cardType, "QsdSys_GetBoardSerialNo", serialNo);
}

void AppendChannelInfoLine(int type, int state) {
    AppendLine("QsdChl_GetType", type, "QsdChl_GetState", state);
}
