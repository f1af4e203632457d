// ControlPort.h - the control commands over a loopback TCP port, for tests of the real program.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

// Protocol: the client sends one command per line ("\n", an optional "\r" before it is dropped);
// the server answers with the reply's lines and then a line holding a single ".". Each connection
// is served on its own thread, so a slow test client does not hold up another.
class CControlPort {
public:
    // Answers a command line with its reply, whose lines each end in "\n".
    using Handler = std::function<std::string(const std::string& line)>;

    // Listens on 127.0.0.1 at `port` (0: any free port). Answers the port it listens on, or 0 with
    // `error` set. Only one port per process.
    int Listen(int port, Handler handler, std::string& error);

private:
    void AcceptLoop(uintptr_t listener);

    std::mutex m_portLock;
    int m_port = 0;
    Handler m_handler;
};
