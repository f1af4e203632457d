#include "common/ChannelPane.h"

ChannelPaneCalls& ChannelPane() {
    static ChannelPaneCalls calls;
    return calls;
}
