// Brenholt.dll as the program loads it: its export table, and its default board source.
#include "TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

TEST(BrenholtDll, ExportsFiveFunctionsByNameAndOrdinal)
{
    HMODULE module = LoadLibraryA("Brenholt.dll");
    ASSERT_NE(module, nullptr);

    const char* names[] = {"QsPciGetBoardSerialNo", "QsPciGetBoardType", "QsPciGetTotalBoard",
                           "QsPciLoadBoardInfo", "QsPciMakeDefaultCfg"};
    for (WORD ordinal = 1; ordinal <= 5; ++ordinal) {
        SCOPED_TRACE(names[ordinal - 1]);
        FARPROC byName = GetProcAddress(module, names[ordinal - 1]);
        EXPECT_NE(byName, nullptr);
        EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)), byName);
    }

    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_EQ(exports->NumberOfFunctions, 5u);
    EXPECT_EQ(exports->NumberOfNames, 5u);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + exports->Name), "Brenholt.dll");

    FreeLibrary(module);
}

// Without board devices the DLL reports the boards the simulated driver reads from its scenario.
TEST(BrenholtDll, WithoutDevicesReadsTheSimulatedDriversScenario)
{
    CTempFolder folder;
    std::ofstream(folder.Path("boards.ini")) << "[Board0]\nType=402\nSerialNo=77\n"
                                                "[Board1]\nType=16\nSerialNo=78\n";
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    SetEnvironmentVariableA("QSKERN_SCENARIO", "boards.ini");  // relative to the current folder

    HMODULE module = LoadLibraryA("Brenholt.dll");
    ASSERT_NE(module, nullptr);
    auto load = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(module, "QsPciLoadBoardInfo"));
    auto total = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(module, "QsPciGetTotalBoard"));
    auto serialNo = reinterpret_cast<int(WINAPI*)(int, char*)>(GetProcAddress(module, "QsPciGetBoardSerialNo"));

    EXPECT_EQ(load(), 0);
    EXPECT_EQ(total(), 2);
    char serial[32] = {};
    EXPECT_EQ(serialNo(1, serial), 0);
    EXPECT_STREQ(serial, "78");

    FreeLibrary(module);
    SetEnvironmentVariableA("QSKERN_SCENARIO", nullptr);
    SetCurrentDirectoryA(previous);
}
