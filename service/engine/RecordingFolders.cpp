#include "engine/RecordingFolders.h"

#include "settings/DiskSpace.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"

namespace {

constexpr int kSpaceTestedFolders = 4;  // RecFolder5 is the last resort and is not tested

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
    if (!FormatToField(level[0], L"%ls%04d\\", b, y) || !FormatToField(level[1], L"%ls%04d\\%04d%02d\\", b, y, y, m) ||
        !FormatToField(level[2], L"%ls%04d\\%04d%02d\\%04d%02d%02d\\", b, y, y, m, y, m, d) ||
        !FormatToField(level[3], L"%ls%04d\\%04d%02d\\%04d%02d%02d\\%03d\\", b, y, y, m, y, m, d, c))
        return {};
    wchar_t path[MAX_PATH];
    if (!FormatToField(path, L"%ls%04d\\%04d%02d\\%04d%02d%02d\\%03d\\%04d%02d%02d%02d%02d%02d-Out-L%03d.wav", b, y, y,
                       m, y, m, d, c, y, m, d, static_cast<int>(start.wHour), static_cast<int>(start.wMinute),
                       static_cast<int>(start.wSecond), c))
        return {};
    for (const wchar_t* folder : level)
        ::CreateDirectoryW(folder, nullptr);
    return path;
}
