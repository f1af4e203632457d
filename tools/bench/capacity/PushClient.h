#pragma once
// CPushClient: one remote client on loopback, logged in with the default client account, that notes when the
// new-CDR push of each channel arrives. Its reader thread cuts the frames; its keep-alive thread sends a keep-alive
// every 10 s (the server drops a client silent for 60 s); the benchmark's main thread reads the arrival times.

#include <winsock2.h>  // ahead of the windows.h that the engine's headers bring

#include "channels/ChannelTable.h"

#include <atomic>
#include <thread>

class CPushClient {
public:
    ~CPushClient();

    // Connects, logs in as the default client account and starts the reader. False when either fails.
    bool Connect(int port);
    void Close();

    double NewCdrMs(int channel) const { return m_newCdrMs[channel]; }  // 0 while none arrived
    int NewCdrCount() const { return m_newCdrCount; }

private:
    void Read();
    void KeepAlive();
    void OnFrame(const uint8_t* body, int length);

    SOCKET m_socket = INVALID_SOCKET;
    std::thread m_reader;
    std::thread m_keepAlive;
    HANDLE m_closing = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // owned; set by Close
    std::atomic<bool> m_loggedIn{false};
    std::atomic<int> m_newCdrCount{0};
    std::atomic<double> m_newCdrMs[kMaxChannels] = {};
};
