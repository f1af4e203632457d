#pragma once
// Size and free space of the volume that holds a folder. Any thread.

#include <cstdint>

// On success sets totalMB to the volume's size and freeMB to its total free space (not the caller's quota), both
// in MiB, and returns 1; on failure sets both to 0 and returns 0.
int GetDiskSpaceMB(const wchar_t* folder, uint32_t& totalMB, uint32_t& freeMB);

// The free-space seam. QueryDiskSpace asks the platform (GetDiskFreeSpaceExW) for the volume's total bytes and
// total free bytes, unless a test installed its own query to play a full or a small volume. Recording-folder
// choices and GetDiskSpaceMB go through it.
using DiskSpaceQuery = bool (*)(const wchar_t* folder, uint64_t& totalBytes, uint64_t& freeBytes);
bool QueryDiskSpace(const wchar_t* folder, uint64_t& totalBytes, uint64_t& freeBytes);
// Installs a test query (null restores the platform's); returns the one it replaces.
DiskSpaceQuery SetDiskSpaceQuery(DiskSpaceQuery query);
