#pragma once
// CWaveOut: plays the live audio of the monitored channel on the server's sound card through the waveOut interface
// of the multimedia library, in the channel's own recording format, so the sound card's codec decodes it. A
// playback thread of its own takes the played buffers back (CALLBACK_THREAD).
//
// One global object, MonitorPlayer. The operator's listen command starts it for a channel; ChannelPollThread feeds
// it 4096-byte pieces straight out of the channel's recording buffer (keep-data set) and restarts it when the
// channel's format differs from the open one. A machine without a sound device cannot open one: Start then fails,
// the object returns to idle and monitoring goes on without sound.
//
//   idle --Start--> thread running, device open --Write...--> --Close--> idle
//
// Start, Write, Reset and Close run on the poll thread or the UI thread; the playback thread only unprepares and
// frees returned buffers and lowers the pending count, which is therefore atomic.

#include "WorkerThread.h"
#include "records/EngineRecords.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

// Buffers handed to the device and not yet returned; a device this far behind drops further buffers.
constexpr int kMaxPendingWaveBuffers = 960;

// The waveOut functions the player calls. Tests install their own to play a device without a sound card.
struct WaveOutApi {
    decltype(&::waveOutOpen) Open;
    decltype(&::waveOutPrepareHeader) PrepareHeader;
    decltype(&::waveOutWrite) Write;
    decltype(&::waveOutUnprepareHeader) UnprepareHeader;
    decltype(&::waveOutReset) Reset;
    decltype(&::waveOutClose) Close;
};

// Installs a table (null restores the multimedia library's); returns the one it replaces. Not while a player runs.
const WaveOutApi* SetWaveOutApi(const WaveOutApi* api);

class CWaveOut {
public:
    CWaveOut();
    virtual ~CWaveOut();  // closes the device and stops the thread
    CWaveOut(const CWaveOut&) = delete;
    CWaveOut& operator=(const CWaveOut&) = delete;

    // Playback
    // Starts the playback thread and opens the device for the format code. 1 on success; 0 when the thread runs
    // already (only the stored format code changes) or the device does not open (the thread is stopped again).
    int Start(int formatCode);
    // The format codes are kAudioImaAdpcm, kAudioALaw and kAudioMuLaw; any other code opens 16-bit PCM, so a
    // caller plays kAudioImaAdpcmToMp3 as kAudioImaAdpcm.
    // Stores the code and opens the device; 1 on success, 0 when it is open already or the format does not play
    // (the waveOut error stays in LastResult).
    int OpenDevice(int formatCode);
    // Queues one buffer of length bytes, which must stay valid until it is played (see KeepData). 0 when the
    // device is not open or waveOut refuses; 1 when queued, and also when the device is too far behind and the
    // buffer is dropped.
    int Write(const void* data, DWORD length);
    // Drops the queued buffers; the playback thread takes them back as played.
    void Reset();
    // Resets and closes the device, then stops the thread. Always 1; a device that does not close stays open.
    int Close();
    // Asks the thread to end and waits up to 500 ms before terminating it with a system-log row. 0 when no thread
    // was running.
    int StopThread();

    // State
    bool IsDeviceOpen() const { return m_deviceOpen != 0; }
    int FormatCode() const { return m_formatCode; }
    int PendingCount() const { return m_pending; }
    MMRESULT LastResult() const { return m_lastResult; }

    // Set: the data of a returned buffer belongs to the caller. Clear: the player frees it with delete[] (the
    // caller allocated it as new uint8_t[]).
    std::atomic<int> KeepData{0};
    // The linear-PCM and G.711 formats use these.
    WORD Channels = 1;
    DWORD SamplesPerSec = 8000;
    WORD BitsPerSample = 16;

private:
    static unsigned __stdcall PlaybackThread(void* player);
    void ReturnBuffer(HWAVEOUT device, WAVEHDR* header);

    MMRESULT m_lastResult = MMSYSERR_NOERROR;
    HWAVEOUT m_device = nullptr;
    WorkerThread m_thread{L"WaveOutPlaybackThread"};
    std::atomic<int> m_pending{0};
    std::atomic<int> m_threadRunning{0};
    std::atomic<int> m_deviceOpen{0};
    std::atomic<int> m_formatCode{1};
};

// The server's monitor playback.
extern CWaveOut MonitorPlayer;
