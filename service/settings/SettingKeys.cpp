#include "settings/SettingKeys.h"

#include <cwchar>

std::wstring ChannelKey(int channel, const wchar_t* suffix) {
    wchar_t number[16];
    _snwprintf(number, 16, L"Channel%03d", channel + 1);
    number[15] = L'\0';
    return number + std::wstring(suffix);
}
