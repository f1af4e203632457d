#pragma once
// A remote client for the protocol tests: a real TCP connection to the server on loopback, raw bytes out, whole
// frames in, every wait with a deadline. One thread per client.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// One frame received: its length field, its command byte and the bytes after the command.
struct ReceivedFrame {
    uint16_t Length = 0;
    uint8_t Command = 0;
    std::vector<uint8_t> Payload;

    // The record at the offset of the payload.
    template <class Record>
    Record As(size_t offset = 0) const {
        Record record{};
        if (offset + sizeof(Record) <= Payload.size())
            std::memcpy(&record, Payload.data() + offset, sizeof(Record));
        return record;
    }
};

class ProtocolClient {
public:
    ProtocolClient();
    ~ProtocolClient();
    ProtocolClient(const ProtocolClient&) = delete;
    ProtocolClient& operator=(const ProtocolClient&) = delete;

    // receiveBufferBytes: the socket's receive buffer when not 0, set before connecting (a small one makes a client
    // that stops reading fill up quickly).
    bool Connect(int port, int receiveBufferBytes = 0);
    // Closes with a reset, as a client that crashed.
    void Abort();

    bool SendBytes(const std::vector<uint8_t>& bytes);
    bool SendFrame(uint8_t command, const std::vector<uint8_t>& payload = {});

    // The next whole frame; nothing when the deadline passes or the server closed the connection first.
    std::optional<ReceivedFrame> Receive(int timeoutMs);
    // The next frame of this command, skipping others; nothing when the deadline passes.
    std::optional<ReceivedFrame> ReceiveCommand(uint8_t command, int timeoutMs);
    // Every frame until none has come for quietMs.
    std::vector<ReceivedFrame> ReceiveUntilQuiet(int quietMs);
    // True when the server closes the connection within the deadline; frames before that are dropped.
    bool WaitClosed(int timeoutMs);
    bool IsClosed() const { return m_closed; }

    // Sends command 0 with the user name and password in an AccountRecord.
    bool SendLogin(const std::wstring& userName, const std::wstring& password);
    // Logs in and collects the frames of the reply until the server falls quiet; the first frame tells whether the
    // login was accepted.
    std::vector<ReceivedFrame> Login(const std::wstring& userName, const std::wstring& password);

private:
    bool ReadMore(int timeoutMs);
    std::optional<ReceivedFrame> TakeFrame();

    SOCKET m_socket = INVALID_SOCKET;
    std::vector<uint8_t> m_pending;  // received bytes not yet cut into frames
    bool m_closed = false;
};

// Frame and payload builders of the client side.
std::vector<uint8_t> ClientFrameBytes(uint8_t command, const std::vector<uint8_t>& payload = {});
std::vector<uint8_t> LoginPayload(const std::wstring& userName, const std::wstring& password);
std::vector<uint8_t> QueryPayload(const SYSTEMTIME& from, const SYSTEMTIME& to, const std::wstring& sql);
std::vector<uint8_t> ChartPayload(const SYSTEMTIME& from, const SYSTEMTIME& to, const std::vector<uint8_t>& selection);
