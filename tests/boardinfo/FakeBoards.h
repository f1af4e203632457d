// FakeBoards.h - a table of fake boards installed in place of the driver's devices.
#pragma once

#include "BoardDevice.h"

#include <map>
#include <set>

struct FakeBoard {
    DWORD type = 0;
    DWORD serial = 0;
    bool typeFails = false;
    bool serialFails = false;
};

// Like the real devices, a board opens only once at a time.
class CFakeBoards : public CBoardDeviceBackend {
public:
    std::map<int, FakeBoard> boards;
    std::set<int> open;

    CFakeBoards() { SetBoardDevices(this); }
    ~CFakeBoards() override { SetBoardDevices(nullptr); }

    HANDLE Open(int board) override {
        if (!boards.count(board) || open.count(board))
            return INVALID_HANDLE_VALUE;
        open.insert(board);
        return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(board + 1));
    }

    bool Query(HANDLE device, DWORD code, DWORD& value) override {
        const FakeBoard& board = boards.at(BoardOf(device));
        if (code == kIoctlBoardType && !board.typeFails) {
            value = board.type;
            return true;
        }
        if (code == kIoctlBoardSerial && !board.serialFails) {
            value = board.serial;
            return true;
        }
        return false;
    }

    void Close(HANDLE device) override { open.erase(BoardOf(device)); }

private:
    static int BoardOf(HANDLE device) { return static_cast<int>(reinterpret_cast<INT_PTR>(device)) - 1; }
};
