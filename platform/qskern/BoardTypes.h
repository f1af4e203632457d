// BoardTypes.h - the board types the driver knows, with their channel and E1 trunk counts.
#pragma once

struct SimBoardType {
    int type;
    int channels;  // analogue lines, or E1 time slots (30 per trunk)
    int pcms;      // E1 trunks; 0 for analogue boards
};

// The entry of `type`, or null for an unknown type.
const SimBoardType* FindSimBoardType(int type);
