#include "settings/DiskSpace.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<DiskSpaceQuery> installedQuery{nullptr};

bool PlatformDiskSpace(const wchar_t* folder, uint64_t& totalBytes, uint64_t& freeBytes) {
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExW(folder, &available, &total, &totalFree))
        return false;
    totalBytes = total.QuadPart;
    freeBytes = totalFree.QuadPart;
    return true;
}

}  // namespace

bool QueryDiskSpace(const wchar_t* folder, uint64_t& totalBytes, uint64_t& freeBytes) {
    DiskSpaceQuery query = installedQuery.load();
    return query ? query(folder, totalBytes, freeBytes) : PlatformDiskSpace(folder, totalBytes, freeBytes);
}

DiskSpaceQuery SetDiskSpaceQuery(DiskSpaceQuery query) {
    return installedQuery.exchange(query);
}

int GetDiskSpaceMB(const wchar_t* folder, uint32_t& totalMB, uint32_t& freeMB) {
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;
    if (!QueryDiskSpace(folder, totalBytes, freeBytes)) {
        totalMB = 0;
        freeMB = 0;
        return 0;
    }
    totalMB = static_cast<uint32_t>(totalBytes >> 20);
    freeMB = static_cast<uint32_t>(freeBytes >> 20);
    return 1;
}
