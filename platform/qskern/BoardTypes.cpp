// BoardTypes.cpp - the board table; it matches the one the default configuration is written from.
#include "BoardTypes.h"

namespace {

constexpr SimBoardType kBoardTypes[] = {
    {15, 60, 2},  {304, 60, 2}, {16, 120, 4}, {303, 120, 4}, {290, 120, 4}, {32, 240, 8},
    {293, 32, 0}, {294, 16, 0}, {297, 8, 0},  {400, 8, 0},   {401, 16, 0},  {402, 32, 0},
};

}  // namespace

const SimBoardType* FindSimBoardType(int type) {
    for (const SimBoardType& entry : kBoardTypes)
        if (entry.type == type)
            return &entry;
    return nullptr;
}
