// Monitor playback through the waveOut seam: a fake device that holds the buffers it is given (or returns each at
// once), answers a format query as told and, like a real device, refuses to close while it still holds buffers.

#include "engine/WaveOut.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <mmreg.h>

#include <cstring>
#include <mutex>
#include <vector>

namespace {

const HWAVEOUT kFakeDevice = reinterpret_cast<HWAVEOUT>(0x5A5A);

struct FakeDevice {
    std::mutex Lock;  // guards the fields below
    bool ReturnAtOnce = false;
    MMRESULT QueryResult = MMSYSERR_NOERROR;
    bool Open = false;
    DWORD CallbackThread = 0;
    std::vector<uint8_t> Format;  // WAVEFORMATEX and its extra bytes, as opened
    std::vector<WAVEHDR*> Held;
    int Written = 0;
} g_device;

void Return(WAVEHDR* header) {
    header->dwFlags |= WHDR_DONE;
    PostThreadMessageW(g_device.CallbackThread, MM_WOM_DONE, reinterpret_cast<WPARAM>(kFakeDevice),
                       reinterpret_cast<LPARAM>(header));
}

MMRESULT WINAPI FakeOpen(LPHWAVEOUT device, UINT, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR, DWORD flags) {
    std::lock_guard<std::mutex> guard(g_device.Lock);
    if (flags & WAVE_FORMAT_QUERY)
        return g_device.QueryResult;
    if (g_device.Open)
        return MMSYSERR_ALLOCATED;
    if ((flags & CALLBACK_TYPEMASK) != CALLBACK_THREAD)
        return MMSYSERR_INVALPARAM;
    const auto* bytes = reinterpret_cast<const uint8_t*>(format);
    g_device.Format.assign(bytes, bytes + sizeof(WAVEFORMATEX) + format->cbSize);
    g_device.CallbackThread = static_cast<DWORD>(callback);
    g_device.Open = true;
    *device = kFakeDevice;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakePrepare(HWAVEOUT, LPWAVEHDR header, UINT) {
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeWrite(HWAVEOUT, LPWAVEHDR header, UINT) {
    std::lock_guard<std::mutex> guard(g_device.Lock);
    ++g_device.Written;
    if (g_device.ReturnAtOnce)
        Return(header);
    else
        g_device.Held.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeUnprepare(HWAVEOUT, LPWAVEHDR header, UINT) {
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeReset(HWAVEOUT) {
    std::lock_guard<std::mutex> guard(g_device.Lock);
    for (WAVEHDR* header : g_device.Held)
        Return(header);
    g_device.Held.clear();
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeClose(HWAVEOUT) {
    std::lock_guard<std::mutex> guard(g_device.Lock);
    if (!g_device.Held.empty())
        return WAVERR_STILLPLAYING;
    g_device.Open = false;
    return MMSYSERR_NOERROR;
}

const WaveOutApi kFakeApi = {FakeOpen, FakePrepare, FakeWrite, FakeUnprepare, FakeReset, FakeClose};

class WaveOut : public testing::Test {
protected:
    void SetUp() override {
        {
            std::lock_guard<std::mutex> guard(g_device.Lock);
            g_device.ReturnAtOnce = false;
            g_device.QueryResult = MMSYSERR_NOERROR;
            g_device.Open = false;
            g_device.Held.clear();
            g_device.Written = 0;
        }
        SetWaveOutApi(&kFakeApi);
        m_player.KeepData = 1;
    }
    void TearDown() override {
        m_player.Close();
        SetWaveOutApi(nullptr);
    }

    WAVEFORMATEX OpenedFormat() {
        std::lock_guard<std::mutex> guard(g_device.Lock);
        WAVEFORMATEX format{};
        std::memcpy(&format, g_device.Format.data(), std::min(sizeof(format), g_device.Format.size()));
        return format;
    }
    size_t Held() {
        std::lock_guard<std::mutex> guard(g_device.Lock);
        return g_device.Held.size();
    }

    CWaveOut m_player;
    uint8_t m_piece[4096] = {};
};

}  // namespace

TEST_F(WaveOut, FormatCodesOpenTheRecordingFormats) {
    const struct {
        int Code;
        WORD Tag, Channels;
        DWORD Rate, BytesPerSec;
        WORD Align, Bits, Extra;
    } cases[] = {
        {kAudioImaAdpcm, WAVE_FORMAT_IMA_ADPCM, 1, 8000, 4000, 256, 4, 2},
        {kAudioALaw, WAVE_FORMAT_ALAW, 1, 8000, 8000, 1, 8, 0},
        {kAudioMuLaw, WAVE_FORMAT_MULAW, 1, 8000, 8000, 1, 8, 0},
        {1, WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.Code);
        ASSERT_EQ(1, m_player.Start(c.Code));
        const WAVEFORMATEX format = OpenedFormat();
        EXPECT_EQ(c.Tag, format.wFormatTag);
        EXPECT_EQ(c.Channels, format.nChannels);
        EXPECT_EQ(c.Rate, format.nSamplesPerSec);
        EXPECT_EQ(c.BytesPerSec, format.nAvgBytesPerSec);
        EXPECT_EQ(c.Align, format.nBlockAlign);
        EXPECT_EQ(c.Bits, format.wBitsPerSample);
        ASSERT_EQ(c.Extra, format.cbSize);
        if (c.Extra) {
            EXPECT_EQ(505, g_device.Format[sizeof(WAVEFORMATEX)] | (g_device.Format[sizeof(WAVEFORMATEX) + 1] << 8));
        }
        EXPECT_EQ(c.Code, m_player.FormatCode());
        m_player.Close();
    }
}

TEST_F(WaveOut, StartAndWriteFollowTheDeviceState) {
    EXPECT_EQ(0, m_player.Write(m_piece, sizeof(m_piece))) << "nothing to write to before Start";
    ASSERT_EQ(1, m_player.Start(kAudioALaw));
    EXPECT_EQ(0, m_player.Start(kAudioMuLaw)) << "already running";
    EXPECT_EQ(kAudioMuLaw, m_player.FormatCode());
    EXPECT_EQ(WAVE_FORMAT_ALAW, OpenedFormat().wFormatTag) << "the open device is left as it is";
    EXPECT_EQ(1, m_player.Write(m_piece, sizeof(m_piece)));
    EXPECT_EQ(1u, Held());
    EXPECT_EQ(1, m_player.PendingCount());
}

TEST_F(WaveOut, FormatThatDoesNotPlayLeavesThePlayerIdle) {
    g_device.QueryResult = WAVERR_BADFORMAT;
    EXPECT_EQ(0, m_player.Start(kAudioImaAdpcm));
    EXPECT_EQ(static_cast<MMRESULT>(WAVERR_BADFORMAT), m_player.LastResult());
    EXPECT_FALSE(m_player.IsDeviceOpen());
    EXPECT_EQ(0, m_player.StopThread()) << "the thread was stopped again";
    g_device.QueryResult = MMSYSERR_NOERROR;
    EXPECT_EQ(1, m_player.Start(kAudioImaAdpcm));
}

TEST_F(WaveOut, DeviceTooFarBehindDropsFurtherBuffersQuietly) {
    ASSERT_EQ(1, m_player.Start(kAudioImaAdpcm));
    for (int i = 0; i < kMaxPendingWaveBuffers; ++i)
        ASSERT_EQ(1, m_player.Write(m_piece, sizeof(m_piece)));
    EXPECT_EQ(1, m_player.Write(m_piece, sizeof(m_piece))) << "the 961st is accepted";
    EXPECT_EQ(static_cast<size_t>(kMaxPendingWaveBuffers), Held()) << "but not queued";
    EXPECT_EQ(kMaxPendingWaveBuffers, m_player.PendingCount());
}

TEST_F(WaveOut, CloseWithQueuedBuffersStillClosesSoTheNextStartOpens) {
    ASSERT_EQ(1, m_player.Start(kAudioImaAdpcm));
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(1, m_player.Write(m_piece, sizeof(m_piece)));
    EXPECT_EQ(1, m_player.Close());
    EXPECT_FALSE(m_player.IsDeviceOpen());
    EXPECT_EQ(0, m_player.PendingCount()) << "the playback thread took every buffer back before it ended";
    EXPECT_EQ(1, m_player.Start(kAudioALaw));
    EXPECT_EQ(WAVE_FORMAT_ALAW, OpenedFormat().wFormatTag);
}

TEST_F(WaveOut, PendingCountStaysExactWhileBuffersReturnOnTheOtherThread) {
    g_device.ReturnAtOnce = true;
    ASSERT_EQ(1, m_player.Start(kAudioALaw));
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(1, m_player.Write(m_piece, sizeof(m_piece)));
    EXPECT_TRUE(WaitUntil([&] { return m_player.PendingCount() == 0; }, 10000)) << m_player.PendingCount();
    EXPECT_GT(g_device.Written, 0);
}

TEST_F(WaveOut, WithoutASoundDeviceStartFailsHarmlessly) {
    SetWaveOutApi(nullptr);  // the multimedia library itself
    const int started = m_player.Start(kAudioImaAdpcm);
    EXPECT_EQ(started == 1, m_player.IsDeviceOpen());
    if (started) {
        EXPECT_EQ(1, m_player.Write(m_piece, sizeof(m_piece)));
    }
    EXPECT_EQ(1, m_player.Close());
    EXPECT_FALSE(m_player.IsDeviceOpen());
    EXPECT_EQ(0, m_player.StopThread());
}
