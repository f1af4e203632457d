#include "engine/Mp3Conversion.h"

#include "engine/G711.h"
#include "mfc.h"
#include "engine/WavFormat.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// About one second of A-law: shorter recordings are not worth an MP3.
constexpr DWORD kMinMp3InputBytes = 8192;
constexpr DWORD kALawReadBytes = 16384;
constexpr DWORD kPcmReadBytes = 4096;

constexpr int32_t kMp3ModeMono = 3;
constexpr uint32_t kMp3Bitrate = 16;  // kbit/s
constexpr int32_t kMp3Preset = 4;
constexpr uint32_t kMp3MpegVersion = 1;

template <class Fn>
Fn Resolve(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

bool ReadSome(HANDLE file, void* buffer, DWORD bytes, DWORD& read) {
    read = 0;
    return ::ReadFile(file, buffer, bytes, &read, nullptr) != FALSE;
}

bool WriteExactly(HANDLE file, const void* buffer, DWORD bytes) {
    DWORD written = 0;
    return ::WriteFile(file, buffer, bytes, &written, nullptr) && written == bytes;
}

BE_CONFIG MakeEncoderConfig() {
    BE_CONFIG config{};
    config.dwConfig = BE_CONFIG_LAME;
    config.dwStructVersion = BE_CONFIG_STRUCT_VERSION;
    config.dwStructSize = sizeof(BE_CONFIG);
    config.dwSampleRate = kSampleRate;
    config.dwReSampleRate = 0;
    config.nMode = kMp3ModeMono;
    config.dwBitrate = kMp3Bitrate;
    config.nPreset = kMp3Preset;
    config.dwMpegVersion = kMp3MpegVersion;
    config.bOriginal = 1;
    config.bWriteVBRHeader = 1;
    config.bNoRes = 1;
    return config;
}

// Abandons the stream after an encoder error: the library's stream and the output file are closed.
void AbandonMp3Stream(Mp3EncoderState& state) {
    state.beCloseStream(state.Stream);
    std::fclose(state.OutputFile);
    state.OutputFile = nullptr;
}

// Appends PCM bytes to the waiting buffer and encodes every whole chunk while more than one is waiting.
bool QueuePcm(Mp3EncoderState& state, const uint8_t* data, DWORD bytes) {
    auto* buffer = reinterpret_cast<uint8_t*>(state.PcmBuffer.data());
    const DWORD chunkBytes = 2 * state.SamplesPerChunk;
    while (bytes > 0) {
        const DWORD take = std::min(bytes, state.PcmBufferSize - state.PcmFill);
        std::memcpy(buffer + state.PcmFill, data, take);
        state.PcmFill += take;
        data += take;
        bytes -= take;
        while (state.PcmFill > chunkBytes) {
            if (!EncodeMp3Chunk(chunkBytes, state, state.PcmBuffer.data()))
                return false;
            state.PcmFill -= chunkBytes;
            std::memmove(buffer, buffer + chunkBytes, state.PcmFill);
        }
    }
    return true;
}

// Writes the temporary 16-bit file for the A-law samples that follow the 58-byte header of the open input.
bool ExpandALawToPcm(HANDLE alaw, DWORD alawSize, const std::wstring& pcmPath) {
    CScopedKernelHandle pcm(
        ::CreateFileW(pcmPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!pcm.IsValid())
        return false;
    if (::SetFilePointer(alaw, sizeof(G711WavHeader), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    if (!WritePcmWavHeader(2 * (alawSize - sizeof(G711WavHeader)), pcm.Get()))
        return false;
    std::vector<uint8_t> codes(kALawReadBytes);
    std::vector<int16_t> samples(kALawReadBytes);
    for (;;) {
        DWORD read = 0;
        if (!ReadSome(alaw, codes.data(), kALawReadBytes, read))
            return false;
        ALawToLinear(codes.data(), read, samples.data());
        if (!WriteExactly(pcm.Get(), samples.data(), 2 * read))
            return false;
        if (read < kALawReadBytes)
            return true;
    }
}

}  // namespace

void ResetMp3Encoder(Mp3EncoderState& state) {
    state = Mp3EncoderState{};
}

bool BindMp3Encoder(Mp3EncoderState& state) {
    return BindMp3EncoderLibrary(state, kMp3EncoderLibrary);
}

bool BindMp3EncoderLibrary(Mp3EncoderState& state, const wchar_t* libraryPath) {
    if (state.Library)
        return true;
    HMODULE library = ::LoadLibraryW(libraryPath);
    if (!library)
        return false;
    Mp3EncoderState bound;
    bound.beInitStream = Resolve<BeInitStreamFn>(library, "beInitStream");
    bound.beEncodeChunk = Resolve<BeEncodeChunkFn>(library, "beEncodeChunk");
    bound.beDeinitStream = Resolve<BeDeinitStreamFn>(library, "beDeinitStream");
    bound.beCloseStream = Resolve<BeCloseStreamFn>(library, "beCloseStream");
    bound.beVersion = Resolve<BeVersionFn>(library, "beVersion");
    bound.beWriteVBRHeader = Resolve<BeWriteVBRHeaderFn>(library, "beWriteVBRHeader");
    bound.beWriteInfoTag = Resolve<BeWriteInfoTagFn>(library, "beWriteInfoTag");
    if (!bound.beInitStream || !bound.beEncodeChunk || !bound.beDeinitStream || !bound.beCloseStream ||
        !bound.beVersion || !bound.beWriteVBRHeader) {
        ::FreeLibrary(library);
        return false;
    }
    bound.Library = library;
    state = std::move(bound);
    BE_VERSION_BUFFER version{};
    state.beVersion(&version);
    return true;
}

bool IsMp3EncoderBound(const Mp3EncoderState& state) {
    return state.Library != nullptr;
}

bool ConvertRecordingToMp3(const wchar_t* alawPath, Mp3EncoderState& state) {
    if (!alawPath)
        return false;
    const std::wstring wavPath = alawPath;
    const std::wstring pcmPath = wavPath + L"temp";
    if (wavPath.size() < 3)
        return false;
    const std::wstring mp3Path = wavPath.substr(0, wavPath.size() - 3) + L"mp3";

    CScopedKernelHandle alaw(::CreateFileW(alawPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!alaw.IsValid())
        return false;
    const DWORD size = ::GetFileSize(alaw.Get(), nullptr);
    if (size == INVALID_FILE_SIZE || size < kMinMp3InputBytes)
        return false;
    const bool expanded = ExpandALawToPcm(alaw.Get(), size, pcmPath);
    alaw.Close();

    const bool made = expanded && EncodeWavToMp3(state, mp3Path.c_str(), pcmPath.c_str());
    ::DeleteFileW(pcmPath.c_str());
    // The A-law file is the only copy of the call until the MP3 is complete; a half-written MP3 is removed so
    // that the recording exists under one name only.
    if (made)
        ::DeleteFileW(alawPath);
    else
        ::DeleteFileW(mp3Path.c_str());
    return made;
}

bool EncodeWavToMp3(Mp3EncoderState& state, const wchar_t* mp3Path, const wchar_t* pcmPath) {
    if (!mp3Path || !pcmPath)
        return false;
    CScopedKernelHandle pcm(
        ::CreateFileW(pcmPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!pcm.IsValid())
        return false;
    char ansiPath[MAX_PATH];
    if (!::WideCharToMultiByte(CP_ACP, 0, mp3Path, -1, ansiPath, MAX_PATH, nullptr, nullptr))
        return false;
    if (!OpenMp3Stream(state, ansiPath))
        return false;

    bool encoded = ::SetFilePointer(pcm.Get(), sizeof(PcmWavHeader), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
    uint8_t block[kPcmReadBytes];
    while (encoded) {
        DWORD read = 0;
        encoded = ReadSome(pcm.Get(), block, kPcmReadBytes, read) && QueuePcm(state, block, read);
        if (read < kPcmReadBytes)
            break;
    }
    // The last, shorter chunk is encoded too, so the MP3 ends where the recording ends.
    if (encoded && state.PcmFill > 0)
        encoded = EncodeMp3Chunk(state.PcmFill, state, state.PcmBuffer.data());
    state.PcmFill = 0;
    const bool closed = CloseMp3Stream(state);
    return encoded && closed;
}

bool OpenMp3Stream(Mp3EncoderState& state, const char* mp3Path) {
    if (!state.Library || !mp3Path)
        return false;
    if (state.OutputFile)
        return true;
    std::strncpy(state.OutputPath, mp3Path, MAX_PATH - 1);
    state.OutputPath[MAX_PATH - 1] = '\0';

    BE_CONFIG config = MakeEncoderConfig();
    DWORD samplesPerChunk = 0;
    DWORD outputSize = 0;
    HBE_STREAM stream = nullptr;
    if (state.beInitStream(&config, &samplesPerChunk, &outputSize, &stream) != 0)
        return false;
    state.Stream = stream;
    state.SamplesPerChunk = samplesPerChunk;
    state.PcmBufferSize = kMp3PcmBufferBytes;
    // A chunk must leave room in the PCM buffer for the next read.
    if (samplesPerChunk == 0 || 2 * samplesPerChunk + kPcmReadBytes > kMp3PcmBufferBytes || outputSize == 0) {
        state.beCloseStream(stream);
        return false;
    }

    ::DeleteFileA(mp3Path);
    state.OutputFile = std::fopen(mp3Path, "wb+");
    if (!state.OutputFile) {
        state.beCloseStream(stream);
        return false;
    }
    state.OutputBuffer.assign(outputSize, 0);
    state.PcmBuffer.assign(kMp3PcmBufferBytes / sizeof(int16_t), 0);
    state.PcmFill = 0;
    return true;
}

bool EncodeMp3Chunk(DWORD bytes, Mp3EncoderState& state, const int16_t* pcm) {
    if (!state.OutputFile)
        return false;
    DWORD outputLength = 0;
    if (state.beEncodeChunk(state.Stream, bytes / 2, pcm, state.OutputBuffer.data(), &outputLength) != 0 ||
        outputLength > state.OutputBuffer.size()) {
        AbandonMp3Stream(state);
        return false;
    }
    return std::fwrite(state.OutputBuffer.data(), 1, outputLength, state.OutputFile) == outputLength;
}

bool CloseMp3Stream(Mp3EncoderState& state) {
    if (!state.OutputFile)
        return false;
    DWORD outputLength = 0;
    if (state.beDeinitStream(state.Stream, state.OutputBuffer.data(), &outputLength) != 0 ||
        outputLength > state.OutputBuffer.size()) {
        AbandonMp3Stream(state);
        return false;
    }
    bool written = std::fwrite(state.OutputBuffer.data(), 1, outputLength, state.OutputFile) == outputLength;
    state.beCloseStream(state.Stream);
    state.OutputBuffer = {};
    state.PcmBuffer = {};
    written = std::fclose(state.OutputFile) == 0 && written;
    state.OutputFile = nullptr;
    // The library completes its header in the closed file, reopening it by name.
    if (state.beWriteInfoTag)
        state.beWriteInfoTag(state.Stream, state.OutputPath);
    else
        state.beWriteVBRHeader(state.OutputPath);
    return written;
}

bool WritePcmWavHeader(uint32_t dataLength, HANDLE file) {
    const PcmWavHeader header = MakePcmWavHeader(dataLength);
    return WriteExactly(file, &header, sizeof(header));
}
