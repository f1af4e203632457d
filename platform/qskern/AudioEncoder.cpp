// AudioEncoder.cpp - coding the source as G.711 bytes or IMA ADPCM blocks.
#include "AudioEncoder.h"

#include "qskern.h"

#include <algorithm>
#include <cstring>

int CodecBytesPerMs(int codec) {
    switch (codec) {
        case QSD_CODEC_IMA_ADPCM:
            return 4;
        case QSD_CODEC_ALAW:
        case QSD_CODEC_MULAW:
            return 8;
        default:
            return 0;
    }
}

CAudioEncoder::CAudioEncoder(int codec, const CAudioSource& source) : m_codec(codec), m_source(source) {}

void CAudioEncoder::Produce(uint8_t* out, int bytes) {
    if (m_codec == QSD_CODEC_ALAW || m_codec == QSD_CODEC_MULAW) {
        for (int i = 0; i < bytes; ++i) {
            const int16_t sample = m_source.NextSample();
            out[i] = m_codec == QSD_CODEC_ALAW ? LinearToALaw(sample) : LinearToMuLaw(sample);
        }
        return;
    }
    while (bytes > 0) {
        if (m_blockUsed == kAdpcmBlockBytes) {
            int16_t samples[kAdpcmBlockSamples];
            for (int16_t& sample : samples)
                sample = m_source.NextSample();
            EncodeImaAdpcmBlock(samples, m_adpcm, m_block);
            m_blockUsed = 0;
        }
        const int count = std::min(bytes, kAdpcmBlockBytes - m_blockUsed);
        std::memcpy(out, m_block + m_blockUsed, count);
        m_blockUsed += count;
        out += count;
        bytes -= count;
    }
}
