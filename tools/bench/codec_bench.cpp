// codec_bench <folder>: measures the service's codecs file to file on pcm.wav (16-bit), alaw.wav and ima.wav in
// the folder. Each conversion streams its input file through the codec and writes the output file beside it;
// the best of several runs is printed as "<conversion> <MB/s of input>".
// tools/bench/codec-vs-sox.sh makes the inputs and runs sox on the same files.

#include "engine/AdpcmToALaw.h"
#include "engine/G711.h"
#include "engine/ImaAdpcm.h"
#include "engine/WavFormat.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;

// Streams the samples of a WAV file through a converter in chunks, as the service's converter does, and writes
// the converted samples behind a header.
class CStreamer {
public:
    CStreamer(const std::wstring& in, const std::wstring& out) {
        m_in = ::CreateFileW(in.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        m_out = ::CreateFileW(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    }
    ~CStreamer() {
        ::CloseHandle(m_in);
        ::CloseHandle(m_out);
    }

    // Positions the input at the body of its "data" chunk and answers its length (0 when there is none).
    uint32_t SeekData() {
        uint8_t head[4096];
        DWORD read = 0;
        ::ReadFile(m_in, head, sizeof(head), &read, nullptr);
        for (DWORD at = 12; at + 8 <= read;) {
            uint32_t size;
            std::memcpy(&size, &head[at + 4], 4);
            if (std::memcmp(&head[at], "data", 4) == 0) {
                ::SetFilePointer(m_in, at + 8, nullptr, FILE_BEGIN);
                return size;
            }
            at += 8 + size + (size & 1);
        }
        return 0;
    }

    DWORD Read(void* buffer, DWORD bytes) {
        DWORD read = 0;
        ::ReadFile(m_in, buffer, bytes, &read, nullptr);
        return read;
    }

    void Write(const void* data, DWORD bytes) {
        DWORD written = 0;
        ::WriteFile(m_out, data, bytes, &written, nullptr);
    }

private:
    HANDLE m_in;
    HANDLE m_out;
};

constexpr DWORD kChunkSamples = 32768;

void ALawEncode(const std::wstring& in, const std::wstring& out) {
    CStreamer stream(in, out);
    const uint32_t samples = stream.SeekData() / 2;
    const G711WavHeader header = MakeG711WavHeader(kWaveFormatALaw, samples, samples);
    stream.Write(&header, sizeof(header));
    std::vector<int16_t> linear(kChunkSamples);
    std::vector<uint8_t> codes(kChunkSamples);
    while (const DWORD read = stream.Read(linear.data(), kChunkSamples * 2) / 2) {
        LinearToALaw(linear.data(), read, codes.data());
        stream.Write(codes.data(), read);
    }
}

void ALawDecode(const std::wstring& in, const std::wstring& out) {
    CStreamer stream(in, out);
    const uint32_t samples = stream.SeekData();
    const PcmWavHeader header = MakePcmWavHeader(samples * 2);
    stream.Write(&header, sizeof(header));
    std::vector<uint8_t> codes(kChunkSamples);
    std::vector<int16_t> linear(kChunkSamples);
    while (const DWORD read = stream.Read(codes.data(), kChunkSamples)) {
        ALawToLinear(codes.data(), read, linear.data());
        stream.Write(linear.data(), read * 2);
    }
}

void AdpcmDecode(const std::wstring& in, const std::wstring& out) {
    constexpr DWORD kChunkBlocks = 64;
    CStreamer stream(in, out);
    const uint32_t blocks = stream.SeekData() / kAdpcmBlockBytes;
    const PcmWavHeader header = MakePcmWavHeader(blocks * kAdpcmSamplesPerBlock * 2);
    stream.Write(&header, sizeof(header));
    std::vector<uint8_t> adpcm(kChunkBlocks * kAdpcmBlockBytes);
    std::vector<int16_t> linear(kChunkBlocks * kAdpcmSamplesPerBlock);
    while (const DWORD read = stream.Read(adpcm.data(), kChunkBlocks * kAdpcmBlockBytes) / kAdpcmBlockBytes) {
        for (DWORD b = 0; b < read; ++b)
            DecodeAdpcmBlockWithHeader(&adpcm[b * kAdpcmBlockBytes], &linear[b * kAdpcmSamplesPerBlock]);
        stream.Write(linear.data(), read * kAdpcmSamplesPerBlock * 2);
    }
}

void AdpcmToALaw(const std::wstring& in, const std::wstring& out) {
    ConvertAdpcmWavToALaw(in.c_str(), out.c_str());
}

DWORD64 FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (DWORD64{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: codec_bench <folder with pcm.wav, alaw.wav and ima.wav>\n");
        return 2;
    }
    const std::wstring folder = std::wstring(argv[1]) + L"\\";
    struct Conversion {
        const char* name;
        const wchar_t* input;
        void (*run)(const std::wstring&, const std::wstring&);
    };
    const Conversion conversions[] = {
        {"alaw-encode", L"pcm.wav", ALawEncode},
        {"alaw-decode", L"alaw.wav", ALawDecode},
        {"adpcm-decode", L"ima.wav", AdpcmDecode},
        {"adpcm-to-alaw", L"ima.wav", AdpcmToALaw},
    };
    for (const Conversion& c : conversions) {
        const std::wstring in = folder + c.input;
        const std::wstring out = folder + L"bench-out.wav";
        const double inputBytes = double(FileBytes(in));
        if (inputBytes == 0) {
            std::fprintf(stderr, "%s: no input\n", c.name);
            return 1;
        }
        double best = 1e30;
        for (int run = 0; run < kRuns; ++run)
            best = std::min(best, Seconds([&] { c.run(in, out); }));
        std::printf("%s %.1f\n", c.name, inputBytes / best / 1e6);
    }
    return 0;
}
