#pragma once
// The interface of the MP3 encoder library "lame_enc.dll" as this program uses it: its configuration
// record in the library's own form (byte-packed, 331 bytes) and the seven entry points, resolved by name.

#include <windows.h>

#include <cstddef>
#include <cstdint>

using HBE_STREAM = void*;  // opaque stream handle of the library
using BE_ERR = uint32_t;   // 0 = success

constexpr uint32_t BE_CONFIG_LAME = 256;  // dwConfig value: the extended (LAME) form of the record
constexpr uint32_t BE_CONFIG_STRUCT_VERSION = 1;

#pragma pack(push, 1)

struct BE_CONFIG {
    uint32_t dwConfig;
    uint32_t dwStructVersion;
    uint32_t dwStructSize;
    uint32_t dwSampleRate;
    uint32_t dwReSampleRate;  // 0 = keep the input rate
    int32_t nMode;            // 3 = mono
    uint32_t dwBitrate;       // kbit/s
    uint32_t dwMaxBitrate;
    int32_t nPreset;
    uint32_t dwMpegVersion;
    uint32_t dwPsyModel;
    uint32_t dwEmphasis;
    int32_t bPrivate;
    int32_t bCRC;
    int32_t bCopyright;
    int32_t bOriginal;
    int32_t bWriteVBRHeader;
    int32_t bEnableVBR;
    int32_t nVBRQuality;
    uint32_t dwVbrAbr_bps;
    int32_t nVbrMethod;
    int32_t bNoRes;
    int32_t bStrictIso;
    uint16_t nQuality;
    uint8_t btReserved[237];
};

#pragma pack(pop)

static_assert(sizeof(BE_CONFIG) == 331);
static_assert(offsetof(BE_CONFIG, dwSampleRate) == 12);
static_assert(offsetof(BE_CONFIG, nMode) == 20);
static_assert(offsetof(BE_CONFIG, dwBitrate) == 24);
static_assert(offsetof(BE_CONFIG, nPreset) == 32);
static_assert(offsetof(BE_CONFIG, dwMpegVersion) == 36);
static_assert(offsetof(BE_CONFIG, bOriginal) == 60);
static_assert(offsetof(BE_CONFIG, bWriteVBRHeader) == 64);
static_assert(offsetof(BE_CONFIG, bNoRes) == 84);
static_assert(offsetof(BE_CONFIG, nQuality) == 92);

// The library's version record is larger than any field this program would read; beVersion only needs room.
struct BE_VERSION_BUFFER {
    uint8_t Bytes[512];
};

using BeInitStreamFn = BE_ERR (*)(BE_CONFIG* config, DWORD* samplesPerChunk, DWORD* outputBufferSize,
                                  HBE_STREAM* stream);
using BeEncodeChunkFn = BE_ERR (*)(HBE_STREAM stream, DWORD samples, const int16_t* pcm, uint8_t* output,
                                   DWORD* outputLength);
using BeDeinitStreamFn = BE_ERR (*)(HBE_STREAM stream, uint8_t* output, DWORD* outputLength);
using BeCloseStreamFn = BE_ERR (*)(HBE_STREAM stream);
using BeVersionFn = void (*)(BE_VERSION_BUFFER* version);
using BeWriteVBRHeaderFn = BE_ERR (*)(const char* mp3Path);
using BeWriteInfoTagFn = BE_ERR (*)(HBE_STREAM stream, const char* mp3Path);
