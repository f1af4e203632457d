// A Windows program that accepts one loopback connection on the port given as its
// argument, reads one frame (16-bit little-endian length, then the bytes) and answers
// it with the bytes reversed. tcp_roundtrip.sh drives it with a Linux-native client.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool ReadAll(SOCKET s, char* buf, int len) {
    while (len > 0) {
        int n = recv(s, buf, len, 0);
        if (n <= 0)
            return false;
        buf += n;
        len -= n;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return 3;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(atoi(argv[1])));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener, 1) != 0)
        return 4;
    printf("ready\n");
    fflush(stdout);
    SOCKET peer = accept(listener, nullptr, nullptr);
    if (peer == INVALID_SOCKET)
        return 5;
    unsigned char head[2];
    if (!ReadAll(peer, reinterpret_cast<char*>(head), 2))
        return 6;
    std::vector<char> body(head[0] | (head[1] << 8));
    if (!ReadAll(peer, body.data(), static_cast<int>(body.size())))
        return 7;
    std::reverse(body.begin(), body.end());
    send(peer, reinterpret_cast<char*>(head), 2, 0);
    send(peer, body.data(), static_cast<int>(body.size()), 0);
    closesocket(peer);
    closesocket(listener);
    WSACleanup();
    return 0;
}
