#pragma once
#include "mfc.h"

#include <atomic>

// The menu sounds. Playing a system sound can block, so requests go to a worker thread of low
// priority that plays them one at a time while the user interface goes on.
//
// Threads: the UI thread stores requests and stops the worker; the worker polls the request every
// 5 ms and plays it synchronously. The request and the stop flag are atomics; a request that arrives
// while another is pending replaces it. Stopping is cooperative: a worker stuck in a long sound is
// cut short by purging the process's sounds from the stopping thread, never terminated.

enum SoundRequest { kSoundNone = 0, kSoundMenuCommand = 1, kSoundMenuPopup = 2 };

class SoundManager {
public:
    SoundManager() = default;
    // At exit: tells the worker to stop and closes its handle.
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Starts the worker when none runs, then stores the request. Returns at once.
    void PlaySystemSound(SoundRequest request);
    void StartThread();
    // Nothing without a worker; else asks it to stop and waits for it (purging a sound it is stuck in).
    void StopThread();
    BOOL IsRunning() const { return m_hThread != nullptr; }

    // What the worker plays with: PlaySoundW by default. The test seam (no sound device here).
    using PlayFunction = BOOL(WINAPI*)(LPCWSTR pszSound, HMODULE hModule, DWORD dwFlags);
    static PlayFunction s_pfnPlaySound;

private:
    static unsigned __stdcall SoundThread(void* pParam);

    std::atomic<int> m_request{kSoundNone};
    BOOL m_bEnabled = TRUE;
    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_bStop{false};
};

SoundManager* GetSoundManager();
