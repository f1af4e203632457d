#include "remote/QueryDays.h"

#include "settings/Folders.h"
#include "storage/OleDate.h"

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <set>

namespace {

// The digits of a name part, as a number; -1 when the part is not all digits.
int DigitsOf(const wchar_t* text, size_t count) {
    int value = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!std::iswdigit(text[i]))
            return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

// Calls found (name) for every entry of the folder matching the pattern that is (or is not) a folder.
template <class Found>
void ListFolder(const std::wstring& pattern, bool folders, Found found) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folders)
            found(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// The dates (YYYYMMDD) of the databases of the kind in the month folders YYYYMM between the two months.
std::set<int> DaysOnDisk(DayDatabase kind, int firstMonth, int lastMonth) {
    const wchar_t* prefix = kind == DayDatabase::Cdr ? L"CDR" : L"SysLog";
    const size_t prefixLength = std::wcslen(prefix);
    const std::wstring dataFolder = GetDataFolder();
    std::set<int> days;
    ListFolder(dataFolder + L"\\??????", true, [&](const wchar_t* monthName) {
        const int month = std::wcslen(monthName) == 6 ? DigitsOf(monthName, 6) : -1;
        if (month < firstMonth || month > lastMonth)
            return;
        const std::wstring pattern = dataFolder + L"\\" + monthName + L"\\" + prefix + L"????????.db";
        ListFolder(pattern, false, [&](const wchar_t* fileName) {
            // Exactly the day's file: the working copies ("...(Search).db") have longer names.
            if (std::wcslen(fileName) != prefixLength + 11 || _wcsicmp(fileName + prefixLength + 8, L".db") != 0)
                return;
            const int day = DigitsOf(fileName + prefixLength, 8);
            if (day / 100 == month)
                days.insert(day);
        });
    });
    return days;
}

int MonthNumber(const SYSTEMTIME& time) {
    return time.wYear * 100 + time.wMonth;
}

}  // namespace

QueryRequest ReadQueryRequest(const uint8_t* payload, int payloadBytes, size_t maxChars) {
    QueryRequest request;
    std::memcpy(&request.From, payload, sizeof(SYSTEMTIME));
    std::memcpy(&request.To, payload + sizeof(SYSTEMTIME), sizeof(SYSTEMTIME));
    const size_t chars = static_cast<size_t>(payloadBytes - kQueryRangeBytes) / sizeof(wchar_t);
    for (size_t i = 0; i < chars && request.Text.size() < maxChars; ++i) {
        wchar_t c;
        std::memcpy(&c, payload + kQueryRangeBytes + i * sizeof(wchar_t), sizeof(c));
        if (c == L'\0')
            break;
        request.Text.push_back(c);
    }
    return request;
}

void ForEachQueryDay(DayDatabase kind, const SYSTEMTIME& from, const SYSTEMTIME& to, const QueryStop& stop,
                     const std::function<void(const SYSTEMTIME& day)>& visit) {
    const double first = ToOleDate(from);
    const double last = ToOleDate(to);
    if (first == 0.0 || last == 0.0 || last < first)
        return;
    for (const int date : DaysOnDisk(kind, MonthNumber(from), MonthNumber(to))) {
        SYSTEMTIME day = from;  // the step keeps from's time of day
        day.wYear = static_cast<WORD>(date / 10000);
        day.wMonth = static_cast<WORD>(date / 100 % 100);
        day.wDay = static_cast<WORD>(date % 100);
        const double step = ToOleDate(day);
        if (step == 0.0 || step < first)
            continue;  // not a date, or before the first day
        if (step > last || stop)
            break;
        visit(FromOleDate(step));
    }
}

bool DayFileExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
