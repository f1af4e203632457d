// AudioEncoder.h - a recording's byte stream: an audio source coded in the recording's codec.
#pragma once

#include "AudioSource.h"
#include "Codecs.h"

#include <cstdint>

// Bytes per millisecond of a codec (4 for IMA ADPCM, 8 for G.711), 0 for an unknown codec.
int CodecBytesPerMs(int codec);

// Hands out any number of bytes at a time; IMA ADPCM is coded a whole block ahead and handed out
// byte by byte, so a block boundary never depends on how the bytes are asked for.
class CAudioEncoder {
public:
    CAudioEncoder() = default;
    CAudioEncoder(int codec, const CAudioSource& source);

    void SetSource(const CAudioSource& source) { m_source = source; }
    void Produce(uint8_t* out, int bytes);

private:
    int m_codec = 0;
    CAudioSource m_source;
    ImaAdpcmState m_adpcm;
    uint8_t m_block[kAdpcmBlockBytes] = {};
    int m_blockUsed = kAdpcmBlockBytes;
};
