#pragma once
// A remote client seen from inside the server: a loopback connection whose server end is attached to one of the
// client slots, with the rights and the monitoring the test gives it, so that the frames the engine pushes can be
// read back at the client end. No TCP server and no reader thread run; the slot is freed again at the end.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h

#include <cstdint>
#include <vector>

class PushPeer {
public:
    struct Frame {
        uint16_t Length = 0;  // the frame's length field
        uint8_t Command = 0;
        std::vector<uint8_t> Bytes;  // the whole frame, length field included
    };

    explicit PushPeer(int slot = 0);
    ~PushPeer();
    PushPeer(const PushPeer&) = delete;
    PushPeer& operator=(const PushPeer&) = delete;

    bool IsConnected() const { return m_client != INVALID_SOCKET; }
    void Permit(int channel, uint8_t right = 1);
    void Monitor(int channel);

    // The frames received until none came for quietMs (the first one is waited for up to firstMs).
    std::vector<Frame> Receive(int firstMs, int quietMs = 200);

private:
    int m_slot;
    SOCKET m_client = INVALID_SOCKET;
};
