#pragma once
// SearchRecEx.abc in the program folder: the last call-record search form's dates, times and chosen channels, so
// the next showing of the form starts from them. 576 bytes, no header, SYSTEMTIMEs as in memory.

#include "common/OperatorDialogs.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

struct SearchRecFormFile {
    SYSTEMTIME FromDate;
    SYSTEMTIME ToDate;
    SYSTEMTIME FromTime;
    SYSTEMTIME ToTime;
    uint8_t ChannelMask[kChannelMaskSize];  // 1 = chosen
};

constexpr size_t kSearchRecFormFileSize = 576;
static_assert(sizeof(SearchRecFormFile) == kSearchRecFormFileSize);
static_assert(offsetof(SearchRecFormFile, ToDate) == 16);
static_assert(offsetof(SearchRecFormFile, FromTime) == 32);
static_assert(offsetof(SearchRecFormFile, ToTime) == 48);
static_assert(offsetof(SearchRecFormFile, ChannelMask) == 64);

// "<program folder>\SearchRecEx.abc"
std::wstring SearchRecFormFilePath();
