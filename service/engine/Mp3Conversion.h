#pragma once
// MP3 conversion of finished recordings through the encoder library "lame_enc.dll", loaded at run time.
// An A-law WAV recording (58-byte header) is expanded to 16-bit PCM in a temporary file (the input path with
// "temp" appended, 44-byte header) and encoded to 8000 Hz mono at 16 kbit/s into the same path ending in
// "mp3". Without the library, or without one of its six required entry points, no MP3 is ever made and the
// recordings stay as they are.
//
// One Mp3EncoderState belongs to the main window; only the call writer thread converts, so it has no lock.

#include "engine/Mp3EncoderApi.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

constexpr wchar_t kMp3EncoderLibrary[] = L"lame_enc.dll";
constexpr DWORD kMp3PcmBufferBytes = 16384;

struct Mp3EncoderState {
    std::vector<uint8_t> OutputBuffer;  // size given by beInitStream
    std::vector<int16_t> PcmBuffer;     // kMp3PcmBufferBytes
    FILE* OutputFile = nullptr;         // null when no MP3 is being written
    char OutputPath[MAX_PATH] = {};     // system code page
    DWORD PcmFill = 0;                  // bytes waiting in PcmBuffer
    HBE_STREAM Stream = nullptr;
    HMODULE Library = nullptr;  // null when the library is not loaded
    DWORD PcmBufferSize = 0;    // bytes
    BeInitStreamFn beInitStream = nullptr;
    BeEncodeChunkFn beEncodeChunk = nullptr;
    BeDeinitStreamFn beDeinitStream = nullptr;
    BeCloseStreamFn beCloseStream = nullptr;
    BeVersionFn beVersion = nullptr;
    BeWriteVBRHeaderFn beWriteVBRHeader = nullptr;
    BeWriteInfoTagFn beWriteInfoTag = nullptr;  // optional
    DWORD SamplesPerChunk = 0;
};

// Clears every field, freeing nothing but the buffers. The owner frees a loaded library itself first.
void ResetMp3Encoder(Mp3EncoderState& state);

// Loads kMp3EncoderLibrary and resolves its entry points. True when already bound or bound now; false when
// the library or one of the six required entry points is missing (the state is then left unbound).
bool BindMp3Encoder(Mp3EncoderState& state);
// The same with the library file named by the caller.
bool BindMp3EncoderLibrary(Mp3EncoderState& state, const wchar_t* libraryPath);

bool IsMp3EncoderBound(const Mp3EncoderState& state);

// Converts the A-law WAV recording at alawPath into an MP3 file beside it. True when the MP3 was made; the
// WAV is then deleted. On false the WAV stays as it was and no MP3 or temporary file is left behind.
// Recordings below 8192 bytes are not converted.
bool ConvertRecordingToMp3(const wchar_t* alawPath, Mp3EncoderState& state);

// The steps of the conversion.
bool EncodeWavToMp3(Mp3EncoderState& state, const wchar_t* mp3Path, const wchar_t* pcmPath);
bool OpenMp3Stream(Mp3EncoderState& state, const char* mp3Path);
bool EncodeMp3Chunk(DWORD bytes, Mp3EncoderState& state, const int16_t* pcm);
bool CloseMp3Stream(Mp3EncoderState& state);
bool WritePcmWavHeader(uint32_t dataLength, HANDLE file);
