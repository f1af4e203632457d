#pragma once
// Access to the fixed-width text fields of the records: a field is read up to its terminator or its end, and
// written cut to its size, always terminated.

#include <cstddef>
#include <cstdio>
#include <cwchar>
#include <string_view>

template <size_t N>
std::wstring_view FieldText(const wchar_t (&field)[N]) {
    return std::wstring_view(field, wcsnlen(field, N));
}

// Null counts as empty.
template <size_t N>
void CopyToField(wchar_t (&field)[N], const wchar_t* text) {
    const size_t length = text ? wcsnlen(text, N - 1) : 0;
    if (length)
        std::wmemcpy(field, text, length);
    field[length] = L'\0';
}

// Formats with the platform's wide-format rules (%ls, %hs), cut to the field and always terminated. True when the
// whole text fit.
template <size_t N, class... Args>
bool FormatToField(wchar_t (&field)[N], const wchar_t* format, Args... args) {
    const int length = _snwprintf(field, N, format, args...);
    field[N - 1] = L'\0';
    return length >= 0 && static_cast<size_t>(length) < N;
}
