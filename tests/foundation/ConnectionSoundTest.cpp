// The notification connection and the menu sound worker (through its play seam).

#include "FoundationTestSupport.h"
#include "NotificationConnection.h"
#include "SoundManager.h"
#include "WaitUntil.h"

#include <mmsystem.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

class CSink : public INotificationSink {
public:
    std::function<void()> m_onEvent;
    int m_nCalls = 0;
    void OnEvent(UINT, WPARAM, LPARAM, DWORD_PTR) override {
        ++m_nCalls;
        if (m_onEvent)
            m_onEvent();
    }
};

TEST(Connection, UnadviseDuringDispatchThrowingSinksAndNestedSends) {
    NotificationConnection* pConnection = new NotificationConnection;
    CSink first, second, third;
    pConnection->Advise(10575, &first);
    const DWORD dwSecond = pConnection->Advise(10575, &second);
    pConnection->Advise(10575, &third);
    EXPECT_NE(dwSecond, 0u);
    EXPECT_EQ(pConnection->FindAdvice(dwSecond), 1);
    first.m_onEvent = [&] { pConnection->Unadvise(dwSecond); };
    third.m_onEvent = [] { throw 1; };
    EXPECT_TRUE(pConnection->SendEvent(10575, 0, 0, 0));
    EXPECT_EQ(second.m_nCalls, 0) << "unadvised by an earlier sink of the same dispatch";
    EXPECT_EQ(third.m_nCalls, 1);
    EXPECT_EQ(pConnection->FindAdvice(dwSecond), -1);

    int nNested = 0;
    first.m_onEvent = [&] {
        if (nNested++ == 0)
            pConnection->SendEvent(10575, 0, 0, 0);
    };
    third.m_onEvent = nullptr;
    EXPECT_TRUE(pConnection->SendEvent(10575, 0, 0, 0));
    EXPECT_EQ(first.m_nCalls, 3);
    EXPECT_EQ(third.m_nCalls, 3) << "the outer dispatch goes on after the nested one";
    EXPECT_FALSE(pConnection->SendEvent(1, 0, 0, 0)) << "no sink wants that event";
    EXPECT_FALSE(pConnection->Unadvise(12345));
    pConnection->InternalRelease();
}

// The play seam: records what was played; a play of "block" waits until a purge.
std::mutex g_playedLock;
std::vector<std::wstring> g_played;
HANDLE g_hPurged = nullptr;
std::atomic<bool> g_bBlockNext{false};

BOOL WINAPI RecordingPlay(LPCWSTR pszSound, HMODULE, DWORD dwFlags) {
    if ((dwFlags & SND_PURGE) != 0) {
        ::SetEvent(g_hPurged);
        return TRUE;
    }
    {
        std::lock_guard<std::mutex> lock(g_playedLock);
        g_played.push_back(pszSound);
    }
    if (g_bBlockNext.exchange(false))
        ::WaitForSingleObject(g_hPurged, 10000);
    return TRUE;
}

size_t PlayedCount() {
    std::lock_guard<std::mutex> lock(g_playedLock);
    return g_played.size();
}

TEST(Sound, LaterRequestWinsAndStopsEndBlockedPlays) {
    g_hPurged = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SoundManager::s_pfnPlaySound = RecordingPlay;
    SoundManager manager;
    const DWORD dwStart = ::GetTickCount();
    manager.StopThread();
    EXPECT_LT(::GetTickCount() - dwStart, 50u) << "no worker: returns at once";

    manager.StartThread();
    manager.PlaySystemSound(kSoundMenuCommand);
    manager.PlaySystemSound(kSoundMenuPopup);  // replaces the first unless the worker took it already
    ASSERT_TRUE(WaitUntil([] {
        std::lock_guard<std::mutex> lock(g_playedLock);
        return !g_played.empty() && g_played.back() == L"MenuPopup";
    }));
    const size_t nPlayed = PlayedCount();
    EXPECT_LE(nPlayed, 2u);

    g_bBlockNext = true;
    manager.PlaySystemSound(kSoundMenuCommand);
    ASSERT_TRUE(WaitUntil([&] { return PlayedCount() > nPlayed; }));
    const DWORD dwStop = ::GetTickCount();
    manager.StopThread();
    EXPECT_LT(::GetTickCount() - dwStop, 2000u) << "a blocked play is purged, not waited for";
    EXPECT_FALSE(manager.IsRunning());
    ::CloseHandle(g_hPurged);
    SoundManager::s_pfnPlaySound = [](LPCWSTR, HMODULE, DWORD) -> BOOL { return TRUE; };
}

}  // namespace
