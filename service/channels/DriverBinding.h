#pragma once
// The binding to the voice-board driver library qskern. The service links the library's import library, so the
// vendor's DLL and the simulator are interchangeable; this header adds the engine's own choices on top of the
// library's interface.

#include "qskern.h"

#include <cstdint>

constexpr int kRecordBlockBytes = 0x1E000;  // the block the driver fills before it calls the block callback

// A PCM (E1) link is up when the low 4 bits of its status word are 0, 4, 8 or 12.
inline bool IsPcmLinkUp(uint32_t status) {
    return (status & QSD_LINK_STATUS_MASK) % 4 == 0;
}
