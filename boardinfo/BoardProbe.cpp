// BoardProbe.cpp - one device's type, model, serial and trunk count.
#include "BoardProbe.h"

#include "BoardDevice.h"
#include "BoardTypes.h"

#include <cstring>

int ProbeBoard(int board, char* modelName, DWORD& serial, int& pcms) {
    CBoardDevice device(board);
    if (!device.IsOpen())
        return 0;
    DWORD type = 0;
    if (!device.Query(kIoctlBoardType, type))
        return -1;
    pcms = 0;
    const BoardTypeInfo* info = FindBoardType(static_cast<int>(type));
    if (!info)
        return -1;
    std::memcpy(modelName, info->modelName, sizeof info->modelName);
    pcms = info->pcms;
    // Not checked: a board that does not answer keeps the serial the caller passed in.
    device.Query(kIoctlBoardSerial, serial);
    return info->channels;
}
