#pragma once
// FormatText: a std::wstring formatted with the platform's wide-format rules (%ls for a wide text, %hs for an
// 8-bit one), for the paths and messages the service builds; CString is kept for calls into the layer.

#include <cstdio>
#include <string>

template <class... Args>
std::wstring FormatText(const wchar_t* format, Args... args) {
    const int length = _scwprintf(format, args...);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    _snwprintf(text.data(), text.size() + 1, format, args...);
    return text;
}
