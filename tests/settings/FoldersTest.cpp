#include "settings/DiskSpace.h"
#include "settings/Folders.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(Folders, ExeFolderIsTheModuleFolderWithoutBackslash) {
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring expected(module);
    expected.resize(expected.rfind(L'\\'));

    EXPECT_EQ(expected, GetExeFolder());
    TestFolder folder;
    EXPECT_EQ(folder.ProgramFolder(), GetExeFolder());
}

TEST(Folders, DataFolderIsCreatedUnderCommonApplicationData) {
    std::wstring data = GetDataFolder();
    EXPECT_TRUE(EndsWith(data, L"\\Orvandel\\DBFiles")) << data;
    EXPECT_TRUE(IsFolder(data));

    TestFolder folder;
    RemoveDirectoryW(folder.DataFolder().c_str());
    EXPECT_EQ(folder.DataFolder(), GetDataFolder());
    EXPECT_TRUE(IsFolder(folder.DataFolder()));
}

TEST(DiskSpace, ReportsTheVolumeInMegabytes) {
    TestFolder folder;
    uint32_t total = 0;
    uint32_t free = 0;
    ASSERT_EQ(1, GetDiskSpaceMB(folder.ProgramFolder().c_str(), total, free));
    EXPECT_GT(total, 0u);
    EXPECT_LE(free, total);
}

TEST(DiskSpace, FailureSetsBothToZero) {
    uint32_t total = 7;
    uint32_t free = 7;
    EXPECT_EQ(0, GetDiskSpaceMB(L"\\\\?\\no-such-volume\\", total, free));
    EXPECT_EQ(0u, total);
    EXPECT_EQ(0u, free);
}

TEST(DiskSpace, UsesTheTotalFreeBytesOfTheInstalledQuery) {
    DiskSpaceQuery previous = SetDiskSpaceQuery([](const wchar_t*, uint64_t& totalBytes, uint64_t& freeBytes) {
        totalBytes = (5ull << 40) + 12345;  // 5 TiB and a little: does not fit 32 bits in bytes
        freeBytes = (200ull << 20) - 1;     // one byte short of 200 MiB
        return true;
    });
    uint32_t total = 0;
    uint32_t free = 0;
    EXPECT_EQ(1, GetDiskSpaceMB(L"C:\\", total, free));
    EXPECT_EQ(5u << 20, total);
    EXPECT_EQ(199u, free);
    SetDiskSpaceQuery(previous);
}
