#include "engine/WavFormat.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// One expected field: a four-character tag, or a little-endian number of 2 or 4 bytes.
struct Field {
    size_t offset;
    size_t size;
    uint32_t value;
    const char* tag;
};

template <class Header>
void ExpectFields(const Header& header, std::initializer_list<Field> fields) {
    std::vector<uint8_t> bytes(sizeof(Header));
    std::memcpy(bytes.data(), &header, sizeof(Header));
    size_t covered = 0;
    for (const Field& f : fields) {
        EXPECT_EQ(f.offset, covered) << "fields must cover the header in order";
        if (f.tag)
            EXPECT_EQ(TagAt(bytes, f.offset), f.tag) << "offset " << f.offset;
        else if (f.size == 2)
            EXPECT_EQ(U16At(bytes, f.offset), f.value) << "offset " << f.offset;
        else
            EXPECT_EQ(U32At(bytes, f.offset), f.value) << "offset " << f.offset;
        covered = f.offset + f.size;
    }
    EXPECT_EQ(covered, sizeof(Header));
}

}  // namespace

TEST(WavFormat, G711RecordingHeaderBytes) {
    // A 58-byte header of a recording of 1000 bytes of samples: the fact chunk holds the constant 97120.
    for (uint16_t tag : {kWaveFormatALaw, kWaveFormatMuLaw}) {
        ExpectFields(MakeG711WavHeader(tag, 1000, kRecordingG711FactValue), {{0, 4, 0, "RIFF"},
                                                                             {4, 4, 1050, nullptr},
                                                                             {8, 4, 0, "WAVE"},
                                                                             {12, 4, 0, "fmt "},
                                                                             {16, 4, 18, nullptr},
                                                                             {20, 2, tag, nullptr},
                                                                             {22, 2, 1, nullptr},
                                                                             {24, 4, 8000, nullptr},
                                                                             {28, 4, 8000, nullptr},
                                                                             {32, 2, 1, nullptr},
                                                                             {34, 2, 8, nullptr},
                                                                             {36, 2, 0, nullptr},
                                                                             {38, 4, 0, "fact"},
                                                                             {42, 4, 4, nullptr},
                                                                             {46, 4, 97120, nullptr},
                                                                             {50, 4, 0, "data"},
                                                                             {54, 4, 1000, nullptr}});
    }
}

// The partial block at the end of a recording (the tail written when the call ends) is left outside the data, so
// that every counted byte can be decoded and every whole block is played.
TEST(WavFormat, ImaRecordingHeaderCountsWholeBlocks) {
    struct Row {
        uint32_t fileSize;
        uint32_t dataSize;
    };
    const Row rows[] = {
        {60 + 10000, 9984}, {60 + 4095, 3840}, {60 + 4096, 4096}, {60 + 255, 0}, {60 + 256, 256}, {60, 0}, {0, 0}};
    for (const Row& row : rows) {
        const uint32_t blocks = row.dataSize / 256;
        ExpectFields(MakeImaWavHeader(row.fileSize), {{0, 4, 0, "RIFF"},
                                                      {4, 4, row.dataSize + 52, nullptr},
                                                      {8, 4, 0, "WAVE"},
                                                      {12, 4, 0, "fmt "},
                                                      {16, 4, 20, nullptr},
                                                      {20, 2, 0x11, nullptr},
                                                      {22, 2, 1, nullptr},
                                                      {24, 4, 8000, nullptr},
                                                      {28, 4, 4055, nullptr},
                                                      {32, 2, 256, nullptr},
                                                      {34, 2, 4, nullptr},
                                                      {36, 2, 2, nullptr},
                                                      {38, 2, 505, nullptr},
                                                      {40, 4, 0, "fact"},
                                                      {44, 4, 4, nullptr},
                                                      {48, 4, blocks * 505, nullptr},
                                                      {52, 4, 0, "data"},
                                                      {56, 4, row.dataSize, nullptr}});
    }
    const ImaWavHeader h = MakeImaWavHeader(60 + 10000);
    EXPECT_EQ(h.RiffSize, 10036u);
    EXPECT_EQ(h.SampleCount, 19695u);
    EXPECT_TRUE(IsRecordedImaHeader(h));
}

TEST(WavFormat, PcmHeaderBytes) {
    ExpectFields(MakePcmWavHeader(32000), {{0, 4, 0, "RIFF"},
                                           {4, 4, 32036, nullptr},
                                           {8, 4, 0, "WAVE"},
                                           {12, 4, 0, "fmt "},
                                           {16, 4, 16, nullptr},
                                           {20, 2, 1, nullptr},
                                           {22, 2, 1, nullptr},
                                           {24, 4, 8000, nullptr},
                                           {28, 4, 16000, nullptr},
                                           {32, 2, 2, nullptr},
                                           {34, 2, 16, nullptr},
                                           {36, 4, 0, "data"},
                                           {40, 4, 32000, nullptr}});
}
