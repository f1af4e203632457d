#include "engine/AdpcmToALaw.h"

#include "engine/G711.h"
#include "engine/ImaAdpcm.h"
#include "mfc.h"
#include "engine/WavFormat.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Blocks converted per read: 16 KiB of ADPCM in, 31 KiB of A-law out.
constexpr uint32_t kBlocksPerPass = 64;

bool ReadExactly(HANDLE file, void* buffer, DWORD bytes) {
    DWORD read = 0;
    return ::ReadFile(file, buffer, bytes, &read, nullptr) && read == bytes;
}

bool WriteExactly(HANDLE file, const void* buffer, DWORD bytes) {
    DWORD written = 0;
    return ::WriteFile(file, buffer, bytes, &written, nullptr) && written == bytes;
}

bool ConvertBlocks(HANDLE source, HANDLE destination, uint32_t blockCount) {
    const G711WavHeader header =
        MakeG711WavHeader(kWaveFormatALaw, blockCount * kAdpcmSamplesPerBlock, blockCount * kAdpcmSamplesPerBlock);
    if (!WriteExactly(destination, &header, sizeof(header)))
        return false;

    std::vector<uint8_t> adpcm(kBlocksPerPass * kAdpcmBlockBytes);
    std::vector<int16_t> linear(kBlocksPerPass * kAdpcmSamplesPerBlock);
    std::vector<uint8_t> alaw(linear.size());
    for (uint32_t done = 0; done < blockCount;) {
        const uint32_t blocks = std::min(kBlocksPerPass, blockCount - done);
        if (!ReadExactly(source, adpcm.data(), blocks * kAdpcmBlockBytes))
            return false;
        for (uint32_t b = 0; b < blocks; ++b)
            DecodeAdpcmBlockWithHeader(&adpcm[b * kAdpcmBlockBytes], &linear[b * kAdpcmSamplesPerBlock]);
        const uint32_t samples = blocks * kAdpcmSamplesPerBlock;
        LinearToALaw(linear.data(), samples, alaw.data());
        if (!WriteExactly(destination, alaw.data(), samples))
            return false;
        done += blocks;
    }
    return true;
}

}  // namespace

bool ConvertAdpcmWavToALaw(const wchar_t* source, const wchar_t* destination) {
    CScopedKernelHandle in(::CreateFileW(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.IsValid())
        return false;
    // A recording made in another format (the setting changed during the call) would turn into noise; the
    // caller then keeps it as it is.
    ImaWavHeader header;
    if (!ReadExactly(in.Get(), &header, sizeof(header)) || !IsRecordedImaHeader(header))
        return false;
    const uint32_t blockCount = header.DataSize / kAdpcmBlockBytes;
    if (uint64_t{blockCount} * kAdpcmSamplesPerBlock > UINT32_MAX - sizeof(G711WavHeader))
        return false;

    CScopedKernelHandle out(
        ::CreateFileW(destination, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.IsValid())
        return false;
    if (!ConvertBlocks(in.Get(), out.Get(), blockCount)) {
        out.Close();
        ::DeleteFileW(destination);
        return false;
    }
    return true;
}
