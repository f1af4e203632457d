// BoardTypes.h - the board types the configuration writer knows.
#pragma once

struct BoardTypeInfo {
    int type;
    char modelName[7];  // six characters and the terminating 0, written as CardType
    int channels;
    int pcms;  // E1 trunks on the board
};

// The entry of `type`, or null for a type the writer does not know.
const BoardTypeInfo* FindBoardType(int type);
