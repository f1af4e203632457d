#pragma once
// Access to the fixed-width text fields of the records: a field is read up to its terminator or its end, and
// written cut to its size, always terminated.

#include <cstddef>
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
