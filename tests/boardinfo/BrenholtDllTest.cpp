// Brenholt.dll as the program loads it: its export table, and its default board source, which is
// the simulated driver's scenario.
#include "TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

TEST(BrenholtDll, ExportsFiveFunctionsByNameAndOrdinal) {
    HMODULE module = LoadLibraryA("Brenholt.dll");
    ASSERT_NE(module, nullptr);

    const char* names[] = {"QsPciGetBoardSerialNo", "QsPciGetBoardType", "QsPciGetTotalBoard", "QsPciLoadBoardInfo",
                           "QsPciMakeDefaultCfg"};
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

namespace {

// A scenario file named by QSKERN_SCENARIO relative to the current folder, which is the file's
// folder while the object lives.
class CNamedScenario {
public:
    explicit CNamedScenario(const std::string& text) {
        std::ofstream(m_folder.Path("boards.ini")) << text;
        GetCurrentDirectoryA(MAX_PATH, m_previous);
        m_entered = SetCurrentDirectoryA(m_folder.Path().c_str());
        SetEnvironmentVariableA("QSKERN_SCENARIO", "boards.ini");
    }

    ~CNamedScenario() {
        SetEnvironmentVariableA("QSKERN_SCENARIO", nullptr);
        SetCurrentDirectoryA(m_previous);
    }

    CNamedScenario(const CNamedScenario&) = delete;
    CNamedScenario& operator=(const CNamedScenario&) = delete;

    bool Entered() const { return m_entered; }

private:
    CTempFolder m_folder;
    char m_previous[MAX_PATH] = {};
    bool m_entered = false;
};

}  // namespace

// Without board devices the DLL reports the boards the simulated driver reads from its scenario.
TEST(BrenholtDll, WithoutDevicesReadsTheSimulatedDriversScenario) {
    CNamedScenario scenario(
        "[Board0]\nType=402\nSerialNo=77\n"
        "[Board1]\nType=16\nSerialNo=78\n");
    ASSERT_TRUE(scenario.Entered());

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
}

// The library reads the scenario with a reader of its own (it ships without the simulator); both
// must find the same file and see the same boards in it.
TEST(BrenholtDll, SeesTheBoardsTheSimulatedDriverReadsFromTheSameScenario) {
    CNamedScenario scenario(
        "[Board0]\nType=297\nSerialNo=31\nLineTypes=7,8\n"
        "[Board1]\nType=16\nSerialNo=32\n"
        "[Board2]\nType=402\nSerialNo=33\n");
    ASSERT_TRUE(scenario.Entered());

    // The driver reads its scenario while it loads, and is not unloaded (its thread lives on); the
    // library reads it when it enumerates the boards.
    HMODULE driver = LoadLibraryA("qskern.dll");
    HMODULE library = LoadLibraryA("Brenholt.dll");
    ASSERT_NE(driver, nullptr);
    ASSERT_NE(library, nullptr);
    auto enable = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(driver, "QsdSys_EnableBoard"));
    auto driverTotal = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(driver, "QsdSys_GetMaxUsableBoard"));
    auto cardType = reinterpret_cast<int(WINAPI*)(int)>(GetProcAddress(driver, "QsdSys_GetCardType"));
    auto cardSerial = reinterpret_cast<int(WINAPI*)(int)>(GetProcAddress(driver, "QsdSys_GetBoardSerialNo"));
    auto load = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(library, "QsPciLoadBoardInfo"));
    auto total = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(library, "QsPciGetTotalBoard"));
    auto boardType = reinterpret_cast<int(WINAPI*)(int, int*)>(GetProcAddress(library, "QsPciGetBoardType"));
    auto serialNo = reinterpret_cast<int(WINAPI*)(int, char*)>(GetProcAddress(library, "QsPciGetBoardSerialNo"));

    ASSERT_EQ(enable(), 0);
    ASSERT_EQ(load(), 0);
    ASSERT_EQ(driverTotal(), 3);
    ASSERT_EQ(total(), driverTotal());
    for (int board = 0; board < 3; ++board) {
        SCOPED_TRACE(board);
        int type = 0;
        char serial[32] = {};
        EXPECT_EQ(boardType(board, &type), 0);
        EXPECT_EQ(type, cardType(board));
        EXPECT_EQ(serialNo(board, serial), 0);
        EXPECT_EQ(serial, std::to_string(cardSerial(board)));
    }
    FreeLibrary(library);
}
