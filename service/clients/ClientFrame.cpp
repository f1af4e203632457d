#include "clients/ClientFrame.h"

#include <cstring>

std::vector<uint8_t> BuildFrame(uint8_t command, std::initializer_list<FramePart> parts) {
    size_t length = 1;
    for (const FramePart& part : parts)
        length += part.Size;

    std::vector<uint8_t> frame;
    frame.reserve(kFrameHeaderBytes + length);
    frame.push_back(static_cast<uint8_t>(length & 0xFF));
    frame.push_back(static_cast<uint8_t>(length >> 8));
    frame.push_back(command);
    for (const FramePart& part : parts) {
        const auto* bytes = static_cast<const uint8_t*>(part.Data);
        frame.insert(frame.end(), bytes, bytes + part.Size);
    }
    return frame;
}

ResultFrame MakeResultFrame(uint8_t command, uint8_t r) {
    ResultFrame frame;
    frame.Command = command;
    frame.R = r;
    return frame;
}
