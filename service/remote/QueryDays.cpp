#include "QueryDays.h"

#include "storage/OleDate.h"

#include <cstring>

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

void ForEachQueryDay(const SYSTEMTIME& from, const SYSTEMTIME& to, const QueryStop& stop,
                     const std::function<void(const SYSTEMTIME& day)>& visit) {
    const double last = ToOleDate(to);
    double day = ToOleDate(from);
    if (day == 0.0 || last == 0.0)
        return;
    for (; day <= last && !stop; day += 1.0)
        visit(FromOleDate(day));
}

bool DayFileExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
