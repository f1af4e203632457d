// BoardInfoTable.cpp - the table of boards found and its getters.
#include "Brenholt.h"

#include "BoardDevice.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

struct BoardInfoEntry {
    int32_t index;  // among the boards found, not the device number
    int32_t type;
    char serial[32];  // decimal text
};

struct BoardInfoTable {
    BoardInfoEntry entries[kMaxBoards];
    int count;
};

BoardInfoTable g_table;

const BoardInfoEntry* FindEntry(int board) {
    for (int i = 0; i < g_table.count; ++i)
        if (g_table.entries[i].index == board)
            return &g_table.entries[i];
    return nullptr;
}

}  // namespace

int WINAPI QsPciLoadBoardInfo(void) {
    g_table = {};
    for (int n = 0; n < kMaxBoards; ++n) {
        CBoardDevice device(n);
        if (!device.IsOpen())
            continue;
        DWORD type = 0;
        if (!device.Query(kIoctlBoardType, type))
            return -1;
        // The serial's request is not checked: a board that does not answer it reads as 0.
        DWORD serial = 0;
        device.Query(kIoctlBoardSerial, serial);

        BoardInfoEntry& entry = g_table.entries[g_table.count];
        entry.index = g_table.count;
        entry.type = static_cast<int32_t>(type);
        std::snprintf(entry.serial, sizeof entry.serial, "%d", static_cast<int>(serial));
        ++g_table.count;
    }
    return 0;
}

int WINAPI QsPciGetTotalBoard(void) {
    return g_table.count;
}

int WINAPI QsPciGetBoardType(int board, int* type) {
    const BoardInfoEntry* entry = type ? FindEntry(board) : nullptr;
    if (!entry)
        return -1;
    *type = entry->type;
    return 0;
}

int WINAPI QsPciGetBoardSerialNo(int board, char* text) {
    const BoardInfoEntry* entry = text ? FindEntry(board) : nullptr;
    if (!entry)
        return -1;
    std::memcpy(text, entry->serial, std::strlen(entry->serial) + 1);
    return 0;
}
