// A stand-in for the MP3 encoder library with the same seven entry points. It counts the samples it is given,
// keeps the configuration record it was started with, writes one output byte per 8 samples, and fails
// beEncodeChunk on request, so the tests can see what the conversion hands to the library.

#include "engine/Mp3EncoderApi.h"

#include <cstring>

namespace {

constexpr DWORD kFakeSamplesPerChunk = 1152;
constexpr DWORD kFakeOutputBytes = 8192;

BE_CONFIG g_config;
DWORD g_samples;
DWORD g_chunks;
DWORD g_largestChunk;
int g_failAtChunk = -1;  // -1: never
int g_tagsWritten;
int g_streamsOpen;
int g_streamToken;

}  // namespace

extern "C" {

__declspec(dllexport) void FakeEncoderReset(int failAtChunk) {
    std::memset(&g_config, 0, sizeof(g_config));
    g_samples = g_chunks = g_largestChunk = 0;
    g_failAtChunk = failAtChunk;
    g_tagsWritten = 0;
}

__declspec(dllexport) DWORD FakeEncoderSamples() {
    return g_samples;
}
__declspec(dllexport) DWORD FakeEncoderLargestChunk() {
    return g_largestChunk;
}
__declspec(dllexport) int FakeEncoderTagsWritten() {
    return g_tagsWritten;
}
__declspec(dllexport) int FakeEncoderStreamsOpen() {
    return g_streamsOpen;
}
__declspec(dllexport) void FakeEncoderConfig(BE_CONFIG* out) {
    *out = g_config;
}

__declspec(dllexport) BE_ERR beInitStream(BE_CONFIG* config, DWORD* samples, DWORD* bufferSize, HBE_STREAM* stream) {
    g_config = *config;
    *samples = kFakeSamplesPerChunk;
    *bufferSize = kFakeOutputBytes;
    *stream = &g_streamToken;
    ++g_streamsOpen;
    return 0;
}

__declspec(dllexport) BE_ERR
    beEncodeChunk(HBE_STREAM, DWORD samples, const int16_t*, uint8_t* output, DWORD* outputLength) {
    if (static_cast<int>(g_chunks) == g_failAtChunk)
        return 1;
    ++g_chunks;
    g_samples += samples;
    if (samples > g_largestChunk)
        g_largestChunk = samples;
    *outputLength = samples / 8;
    std::memset(output, 0xFF, *outputLength);
    return 0;
}

__declspec(dllexport) BE_ERR beDeinitStream(HBE_STREAM, uint8_t*, DWORD* outputLength) {
    *outputLength = 0;
    return 0;
}

__declspec(dllexport) BE_ERR beCloseStream(HBE_STREAM) {
    --g_streamsOpen;
    return 0;
}

__declspec(dllexport) void beVersion(BE_VERSION_BUFFER* version) {
    std::memset(version, 1, 393);
}

__declspec(dllexport) BE_ERR beWriteVBRHeader(const char*) {
    ++g_tagsWritten;
    return 0;
}

__declspec(dllexport) BE_ERR beWriteInfoTag(HBE_STREAM, const char*) {
    ++g_tagsWritten;
    return 0;
}

}  // extern "C"
