// AudioSource.cpp - silence, sine tones and looped WAV samples.
#include "AudioSource.h"

#include "CommandLine.h"

#include <windows.h>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr int kDefaultToneLevel = 8000;  // about -12 dB below full scale

uint32_t ReadU32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t ReadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

// The samples of a RIFF file's "data" chunk, when its "fmt " chunk says 8 kHz mono 16-bit PCM.
bool ParseWav(const std::vector<uint8_t>& bytes, std::vector<int16_t>& samples, std::string& error) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        error = "not a RIFF WAVE file";
        return false;
    }
    bool formatOk = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint8_t* chunk = bytes.data() + at;
        const size_t length = ReadU32(chunk + 4);
        const size_t available = bytes.size() - at - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && length >= 16 && length <= available) {
            formatOk = ReadU16(chunk + 8) == 1 && ReadU16(chunk + 10) == 1 && ReadU32(chunk + 12) == kSampleRate &&
                       ReadU16(chunk + 22) == 16;
            if (!formatOk) {
                error = "the WAV file is not 8000 Hz mono 16-bit PCM";
                return false;
            }
        } else if (std::memcmp(chunk, "data", 4) == 0 && formatOk) {
            const size_t count = std::min(length, available) / 2;
            samples.resize(count);
            for (size_t i = 0; i < count; ++i)
                samples[i] = static_cast<int16_t>(ReadU16(chunk + 8 + 2 * i));
            if (samples.empty())
                error = "the WAV file holds no samples";
            return !samples.empty();
        }
        at += 8 + length + (length & 1);
    }
    error = formatOk ? "the WAV file has no data chunk" : "the WAV file has no format chunk";
    return false;
}

}  // namespace

CAudioSource CAudioSource::Silence() {
    return CAudioSource();
}

CAudioSource CAudioSource::Tone(int hertz, int level) {
    CAudioSource source;
    source.m_kind = Kind::Tone;
    source.m_hertz = hertz;
    source.m_level = level;
    return source;
}

bool CAudioSource::FromWavFile(const std::string& path, CAudioSource& source, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        error = "cannot read " + path;
        return false;
    }
    auto samples = std::make_shared<std::vector<int16_t>>();
    if (!ParseWav(bytes, *samples, error))
        return false;
    source = CAudioSource();
    source.m_kind = Kind::Wav;
    source.m_samples = std::move(samples);
    source.m_path = path;
    return true;
}

int16_t CAudioSource::NextSample() {
    const uint64_t index = m_index++;
    switch (m_kind) {
        case Kind::Tone: {
            // The phase comes from the sample index modulo one second, so it never loses precision.
            const double t = static_cast<double>(index % kSampleRate) / kSampleRate;
            return static_cast<int16_t>(std::lround(m_level * std::sin(2 * std::numbers::pi * m_hertz * t)));
        }
        case Kind::Wav:
            return (*m_samples)[index % m_samples->size()];
        case Kind::Silence:
            break;
    }
    return 0;
}

std::string CAudioSource::Describe() const {
    switch (m_kind) {
        case Kind::Tone:
            return "tone " + std::to_string(m_hertz) + " " + std::to_string(m_level);
        case Kind::Wav:
            return "wav \"" + m_path + "\"";
        case Kind::Silence:
            break;
    }
    return "silence";
}

bool ParseAudioSource(const std::vector<std::string>& words, CAudioSource& source, std::string& error) {
    const std::string kind = words.empty() ? "" : FoldLower(words[0]);
    if (kind == "silence" && words.size() == 1) {
        source = CAudioSource::Silence();
        return true;
    }
    if (kind == "tone" && (words.size() == 2 || words.size() == 3)) {
        int hertz = 0;
        int level = kDefaultToneLevel;
        if (!ParseInt(words[1], hertz) || hertz < 1 || hertz >= kSampleRate / 2 ||
            (words.size() == 3 && (!ParseInt(words[2], level) || level < 0 || level > 32767))) {
            error = "tone wants a frequency of 1..3999 Hz and a level of 0..32767";
            return false;
        }
        source = CAudioSource::Tone(hertz, level);
        return true;
    }
    if (kind == "wav" && words.size() == 2)
        return CAudioSource::FromWavFile(words[1], source, error);
    error = "audio source: silence | tone <hertz> [level] | wav <path>";
    return false;
}
