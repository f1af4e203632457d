// AudioSource.h - what a line "hears" while it is recorded: silence, a tone or an 8 kHz WAV file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int kSampleRate = 8000;

// A stream of 16-bit samples at 8000 Hz. Copies share a WAV file's samples but keep their own
// position, so every recording starts the source from its beginning.
class CAudioSource {
public:
    static CAudioSource Silence();
    static CAudioSource Tone(int hertz, int level);
    // A mono 16-bit PCM WAV file at 8000 Hz, played in a loop; false with `error` set otherwise.
    static bool FromWavFile(const std::string& path, CAudioSource& source, std::string& error);

    int16_t NextSample();
    std::string Describe() const;

private:
    enum class Kind { Silence, Tone, Wav };

    Kind m_kind = Kind::Silence;
    int m_hertz = 0;
    int m_level = 0;
    uint64_t m_index = 0;  // samples produced so far
    std::shared_ptr<const std::vector<int16_t>> m_samples;
    std::string m_path;
};

// Reads the source words of the `audio` command and the scenario's Audio key:
// "silence", "tone <hertz> [level]" or "wav <path>".
bool ParseAudioSource(const std::vector<std::string>& words, CAudioSource& source, std::string& error);
