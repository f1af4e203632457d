#include "RecordingFolders.h"

#include "settings/DiskSpace.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

namespace {

constexpr int kSpaceTestedFolders = 4;  // RecFolder5 is the last resort and is not tested

// _snwprintf with the platform's wide-format rules; false when the text does not fit.
template <class... Args>
bool FormatPath(wchar_t (&out)[MAX_PATH], const wchar_t* format, Args... args) {
    const int length = _snwprintf(out, MAX_PATH, format, args...);
    out[MAX_PATH - 1] = L'\0';
    return length >= 0 && length < MAX_PATH;
}

}  // namespace

std::wstring ChooseRecordingFolder() {
    for (int i = 0; i < kSpaceTestedFolders; ++i) {
        const std::wstring folder = ReadSettingString(kSectionSettings, kKeyRecFolderN[i]);
        uint64_t totalBytes = 0;
        uint64_t freeBytes = 0;
        if (!folder.empty() && QueryDiskSpace(folder.c_str(), totalBytes, freeBytes) &&
            (freeBytes >> 20) >= kMinRecordingFolderFreeMB)
            return folder;
    }
    return ReadSettingString(kSectionSettings, kKeyRecFolderN[kSpaceTestedFolders]);
}

std::wstring PrepareRecordingPath(const std::wstring& base, int channel, const SYSTEMTIME& start) {
    const wchar_t* b = base.c_str();
    const int y = start.wYear, m = start.wMonth, d = start.wDay, c = channel + 1;
    wchar_t level[4][MAX_PATH];
    if (!FormatPath(level[0], L"%ls%04d\\", b, y) || !FormatPath(level[1], L"%ls%04d\\%04d%02d\\", b, y, y, m) ||
        !FormatPath(level[2], L"%ls%04d\\%04d%02d\\%04d%02d%02d\\", b, y, y, m, y, m, d) ||
        !FormatPath(level[3], L"%ls%04d\\%04d%02d\\%04d%02d%02d\\%03d\\", b, y, y, m, y, m, d, c))
        return {};
    wchar_t path[MAX_PATH];
    if (!FormatPath(path, L"%ls%04d\\%04d%02d\\%04d%02d%02d\\%03d\\%04d%02d%02d%02d%02d%02d-Out-L%03d.wav", b, y, y, m,
                    y, m, d, c, y, m, d, static_cast<int>(start.wHour), static_cast<int>(start.wMinute),
                    static_cast<int>(start.wSecond), c))
        return {};
    for (const wchar_t* folder : level)
        ::CreateDirectoryW(folder, nullptr);
    return path;
}
