#pragma once
// Building the frames the server sends: every sender builds a frame once, whole, and hands it to the slots.

#include "records/ProtocolRecords.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// One piece of a frame body.
struct FramePart {
    const void* Data;
    size_t Size;
};

template <class Record>
FramePart PartOf(const Record& record) {
    return {&record, sizeof(Record)};
}

// The 16-bit length, the command byte, then the parts in order. The body must fit the 16-bit length.
std::vector<uint8_t> BuildFrame(uint8_t command, std::initializer_list<FramePart> parts = {});

ResultFrame MakeResultFrame(uint8_t command, uint8_t r);

// The length field N of a frame that has at least its two length bytes.
inline uint16_t ReadFrameLength(const uint8_t* frame) {
    return static_cast<uint16_t>(frame[0] | frame[1] << 8);
}
