#include "engine/WaveOut.h"

#include "mfc.h"

#include <mmreg.h>

namespace {

constexpr WORD kImaBlockAlign = 256;
constexpr WORD kImaSamplesPerBlock = 505;
constexpr DWORD kImaBytesPerSec = 4000;
constexpr WORD kImaBitsPerSample = 4;
constexpr DWORD kThreadStopWaitMs = 50 * 10;

const WaveOutApi kSystemWaveOut = {::waveOutOpen,  ::waveOutPrepareHeader, ::waveOutWrite, ::waveOutUnprepareHeader,
                                   ::waveOutReset, ::waveOutClose};
std::atomic<const WaveOutApi*> g_waveOut{&kSystemWaveOut};

// Players built in this process; each passes its number to waveOutOpen as the callback instance.
std::atomic<DWORD_PTR> g_playersBuilt{0};

const WaveOutApi& Api() {
    return *g_waveOut.load();
}

// A WAVEFORMATEX with the IMA ADPCM extra bytes behind it.
struct ImaWaveFormat {
    WAVEFORMATEX Format;
    WORD SamplesPerBlock;
};

// Set once the thread's message queue exists, so that nothing posted to it is lost.
struct ThreadStart {
    CWaveOut* Player;
    HANDLE QueueReady;
};

}  // namespace

CWaveOut MonitorPlayer;

const WaveOutApi* SetWaveOutApi(const WaveOutApi* api) {
    return g_waveOut.exchange(api ? api : &kSystemWaveOut);
}

CWaveOut::CWaveOut() {
    ++g_playersBuilt;
}

CWaveOut::~CWaveOut() {
    Close();
}

int CWaveOut::Start(int formatCode) {
    if (m_threadRunning) {
        m_formatCode = formatCode;
        return 0;
    }
    CScopedKernelHandle queueReady(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!queueReady.IsValid())
        return 0;
    ThreadStart start{this, queueReady.Get()};
    if (!m_thread.Start(PlaybackThread, &start))
        return 0;
    const HANDLE started[] = {queueReady.Get(), m_thread.Handle()};  // the thread's queue exists, or it is gone
    ::WaitForMultipleObjects(2, started, FALSE, INFINITE);
    m_threadRunning = 1;
    if (OpenDevice(formatCode))
        return 1;
    StopThread();
    return 0;
}

int CWaveOut::OpenDevice(int formatCode) {
    m_formatCode = formatCode;
    if (m_deviceOpen)
        return 0;
    ImaWaveFormat wave{};
    WAVEFORMATEX& format = wave.Format;
    switch (formatCode) {
        case kAudioImaAdpcm:
            format = {WAVE_FORMAT_IMA_ADPCM, 1, 8000, kImaBytesPerSec, kImaBlockAlign, kImaBitsPerSample, sizeof(WORD)};
            wave.SamplesPerBlock = kImaSamplesPerBlock;
            break;
        case kAudioALaw:
        case kAudioMuLaw:
            format.wFormatTag = formatCode == kAudioALaw ? WAVE_FORMAT_ALAW : WAVE_FORMAT_MULAW;
            format.nChannels = Channels;
            format.nSamplesPerSec = SamplesPerSec;
            format.nAvgBytesPerSec = Channels * SamplesPerSec;
            format.nBlockAlign = Channels;
            format.wBitsPerSample = 8;
            break;
        default:
            format.wFormatTag = WAVE_FORMAT_PCM;
            format.nChannels = Channels;
            format.nSamplesPerSec = SamplesPerSec;
            format.nAvgBytesPerSec = Channels * BitsPerSample * SamplesPerSec / 8;
            format.nBlockAlign = static_cast<WORD>(Channels * BitsPerSample / 8);
            format.wBitsPerSample = BitsPerSample;
            break;
    }
    m_lastResult = Api().Open(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY);
    if (m_lastResult != MMSYSERR_NOERROR)
        return 0;
    m_lastResult = Api().Open(&m_device, WAVE_MAPPER, &format, m_thread.Id(), g_playersBuilt.load(), CALLBACK_THREAD);
    if (m_lastResult != MMSYSERR_NOERROR)
        return 0;
    m_pending = 0;
    m_deviceOpen = 1;
    return 1;
}

int CWaveOut::Write(const void* data, DWORD length) {
    if (!m_deviceOpen)
        return 0;
    if (m_pending >= kMaxPendingWaveBuffers)
        return 1;  // the device is stalled or slower than the channel: this piece is not played
    WAVEHDR* header = new WAVEHDR{};
    header->lpData = static_cast<LPSTR>(const_cast<void*>(data));
    header->dwBufferLength = length;
    m_lastResult = Api().PrepareHeader(m_device, header, sizeof(WAVEHDR));
    if (m_lastResult == MMSYSERR_NOERROR) {
        // Counted before the device has it, so the playback thread never sees it returned before it was counted.
        ++m_pending;
        m_lastResult = Api().Write(m_device, header, sizeof(WAVEHDR));
        if (m_lastResult == MMSYSERR_NOERROR)
            return 1;
        --m_pending;
        Api().UnprepareHeader(m_device, header, sizeof(WAVEHDR));
    }
    delete header;
    return 0;
}

void CWaveOut::Reset() {
    if (m_deviceOpen && m_device)
        m_lastResult = Api().Reset(m_device);
}

int CWaveOut::Close() {
    if (m_deviceOpen && m_device) {
        // A device still holding buffers refuses to close; reset returns them to the playback thread first.
        Api().Reset(m_device);
        m_lastResult = Api().Close(m_device);
        if (m_lastResult == MMSYSERR_NOERROR) {
            m_device = nullptr;
            m_deviceOpen = 0;
        }
    }
    StopThread();
    return 1;
}

int CWaveOut::StopThread() {
    if (!m_threadRunning)
        return 0;
    // Posted behind the buffers a reset returned, so the thread takes those back before it ends.
    ::PostThreadMessageW(m_thread.Id(), WM_QUIT, 0, 0);
    m_thread.Stop(kThreadStopWaitMs, WorkerThread::Wait::Plain, WorkerThread::Overrun::Terminate);
    m_threadRunning = 0;
    return 1;
}

void CWaveOut::ReturnBuffer(HWAVEOUT device, WAVEHDR* header) {
    Api().UnprepareHeader(device, header, sizeof(WAVEHDR));
    int pending = m_pending;
    while (pending > 0 && !m_pending.compare_exchange_weak(pending, pending - 1)) {
    }
    if (!KeepData)
        delete[] reinterpret_cast<uint8_t*>(header->lpData);
    delete header;
}

unsigned __stdcall CWaveOut::PlaybackThread(void* argument) {
    ThreadStart& start = *static_cast<ThreadStart*>(argument);
    CWaveOut& player = *start.Player;
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // makes the thread's queue
    ::SetEvent(start.QueueReady);                                      // start is gone after this
    try {
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == MM_WOM_DONE)
                player.ReturnBuffer(reinterpret_cast<HWAVEOUT>(message.wParam),
                                    reinterpret_cast<WAVEHDR*>(message.lParam));
        }
    } catch (...) {
        // A broken buffer must not take the process down; the thread ends and the next Start begins another.
    }
    return static_cast<unsigned>(message.wParam);
}
