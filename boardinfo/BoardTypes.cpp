// BoardTypes.cpp - channel and trunk counts of each known board type.
#include "BoardTypes.h"

namespace {

constexpr BoardTypeInfo kBoardTypes[] = {
    {15, "DT060A", 60, 2},   {304, "DT060B", 60, 2}, {16, "DT120A", 120, 4}, {303, "DT120B", 120, 4},
    {290, "DT120C", 120, 4}, {32, "DT240A", 240, 8}, {293, "AL032A", 32, 0}, {294, "AL016A", 16, 0},
    {297, "AL008A", 8, 0},   {400, "AL008B", 8, 0},  {401, "AL016B", 16, 0}, {402, "AL032B", 32, 0},
};

}  // namespace

const BoardTypeInfo* FindBoardType(int type) {
    for (const BoardTypeInfo& info : kBoardTypes)
        if (info.type == type)
            return &info;
    return nullptr;
}
