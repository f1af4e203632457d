// The menu sound worker. It owns nothing but its handle (kept by the SoundManager); it takes no lock,
// reading the atomic request every 5 ms and playing it synchronously with SND_NOWAIT | SND_NODEFAULT
// (an alias without a sound plays nothing). It ends when the stop flag is set, after purging whatever
// the process still plays.

#include "SoundManager.h"

#include <mmsystem.h>
#include <process.h>

namespace {

constexpr DWORD kPollMs = 5;
constexpr DWORD kStopWaitMs = 100;
constexpr int kStopWaits = 10;

BOOL WINAPI PlaySoundByName(LPCWSTR pszSound, HMODULE hModule, DWORD dwFlags) {
    return ::PlaySoundW(pszSound, hModule, dwFlags);
}

LPCWSTR SoundAlias(int request) {
    return request == kSoundMenuCommand ? L"MenuCommand" : L"MenuPopup";
}

}  // namespace

SoundManager::PlayFunction SoundManager::s_pfnPlaySound = PlaySoundByName;

unsigned __stdcall SoundManager::SoundThread(void* pParam) {
    SoundManager* pManager = static_cast<SoundManager*>(pParam);
    while (!pManager->m_bStop) {
        const int request = pManager->m_request.exchange(kSoundNone);
        if (request != kSoundNone)
            s_pfnPlaySound(SoundAlias(request), nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
        ::Sleep(kPollMs);
    }
    s_pfnPlaySound(nullptr, nullptr, SND_PURGE);
    return 0;
}

SoundManager::~SoundManager() {
    // At exit the worker is only told to stop: waiting for threads there can hang the process.
    m_bStop = true;
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
}

void SoundManager::PlaySystemSound(SoundRequest request) {
    if (!m_bEnabled)
        return;
    if (m_hThread == nullptr)
        StartThread();
    m_request = request;
}

void SoundManager::StartThread() {
    m_request = kSoundNone;
    m_bStop = false;
    unsigned nThreadId = 0;
    m_hThread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, SoundThread, this, CREATE_SUSPENDED, &nThreadId));
    if (m_hThread == nullptr)
        return;  // the next request tries again
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
}

void SoundManager::StopThread() {
    if (m_hThread == nullptr)
        return;
    m_bStop = true;
    for (int i = 0; i < kStopWaits && ::WaitForSingleObject(m_hThread, kStopWaitMs) == WAIT_TIMEOUT; ++i) {
    }
    // Still inside a long sound: purging the process's sounds ends the synchronous play.
    while (::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT) {
        s_pfnPlaySound(nullptr, nullptr, SND_PURGE);
        ::WaitForSingleObject(m_hThread, kStopWaitMs);
    }
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
}

SoundManager* GetSoundManager() {
    static SoundManager s_manager;
    return &s_manager;
}
