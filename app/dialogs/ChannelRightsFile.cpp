#include "dialogs/ChannelRightsFile.h"

#include "engine/RecordingNames.h"
#include "settings/Folders.h"

#include "mfc.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

namespace {

constexpr std::wstring_view kRightsFileSuffix = L").txt";
constexpr size_t kStampDigits = 14;  // YYYYMMDDhhmmss

bool SameFolder(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                          static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// "YYYYMMDDhhmmss(" + a name without separators + ").txt"
bool IsRightsFileName(std::wstring_view name) {
    if (name.size() < kStampDigits + 1 + kRightsFileSuffix.size())
        return false;
    for (size_t i = 0; i < kStampDigits; ++i) {
        if (name[i] < L'0' || name[i] > L'9')
            return false;
    }
    if (name[kStampDigits] != L'(' || !name.ends_with(kRightsFileSuffix))
        return false;
    return name.find_first_of(L"\\/:") == std::wstring_view::npos;
}

}  // namespace

std::wstring NewRightsFilePath(const wchar_t* userName) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString path;
    path.Format(L"%ls\\%04d%02d%02d%02d%02d%02d(%ls).txt", GetDataFolder().c_str(), now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, SanitizeNamePart(userName ? userName : L"").c_str());
    return path.GetString();
}

bool IsRightsFilePath(const wchar_t* path) {
    if (!path)
        return false;
    const std::wstring_view full(path);
    const size_t separator = full.find_last_of(L'\\');
    if (separator == std::wstring_view::npos)
        return false;
    return SameFolder(full.substr(0, separator), GetDataFolder()) && IsRightsFileName(full.substr(separator + 1));
}

bool ReadRightsFile(const wchar_t* path, ChannelMask& mask) {
    mask.fill(0);
    const CScopedKernelHandle file(::CreateFileW(path ? path : L"", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    DWORD read = 0;
    if (!::ReadFile(file.Get(), mask.data(), static_cast<DWORD>(mask.size()), &read, nullptr))
        mask.fill(0);
    return true;
}

bool WriteRightsFile(const wchar_t* path, const ChannelMask& mask) {
    if (!IsRightsFilePath(path))
        return false;
    const CScopedKernelHandle file(::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file.IsValid())
        return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), mask.data(), static_cast<DWORD>(mask.size()), &written, nullptr) &&
           written == mask.size();
}

void DeleteRightsFile(const wchar_t* path) {
    if (IsRightsFilePath(path))
        ::DeleteFileW(path);
}

int CountAllowedChannels(const ChannelMask& mask) {
    return static_cast<int>(std::count(mask.begin(), mask.end(), uint8_t{1}));
}
