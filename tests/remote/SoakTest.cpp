// A soak of the TCP server: clients by the thousand connect, send random, truncated and oversized frames before
// and after logging in, and go away, in a close or a reset. Throughout, a well-behaved client logs in and out; after
// a warm-up the process's memory and handle count stay flat. TESS_SOAK_SECONDS sets the length (30 s by default);
// tools/bench/soak.sh runs it for minutes.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "ClientCommandTest.h"

#include "engine/CardEngineState.h"
#include "engine/EngineThreads.h"
#include "clients/ClientSlot.h"

#include <winternl.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <algorithm>
#include <random>
#include <string>
#include <thread>

namespace {

constexpr int kHostileThreads = 6;
// A well-behaved client is answered within this, however busy the machine running the test.
constexpr int kProbeAnswerMs = 10000;
constexpr int kDefaultSoakSeconds = 30;
constexpr int kLargestPayload = 3000;

using Clock = std::chrono::steady_clock;

int SoakSeconds() {
    const char* seconds = std::getenv("TESS_SOAK_SECONDS");
    return seconds && std::atoi(seconds) > 0 ? std::atoi(seconds) : kDefaultSoakSeconds;
}

std::vector<uint8_t> RandomBytes(std::mt19937& random, size_t count) {
    std::vector<uint8_t> bytes(count);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(random());
    return bytes;
}

// A frame of any command up to 30, with a random payload: most are refused for their length, some are run.
std::vector<uint8_t> RandomFrame(std::mt19937& random) {
    const size_t length = random() % 4 == 0 ? random() % kLargestPayload : random() % 64;
    return ClientFrameBytes(static_cast<uint8_t>(random() % 31), RandomBytes(random, length));
}

// One connection of a hostile client, chosen at random.
void Misbehave(ProtocolClient& client, std::mt19937& random) {
    switch (random() % 5) {
        case 0:  // bytes that are no frames at all
            client.SendBytes(RandomBytes(random, 1 + random() % kLargestPayload));
            break;
        case 1: {  // a frame cut short, then silence or a close
            std::vector<uint8_t> frame = RandomFrame(random);
            frame.resize(2 + random() % std::max<size_t>(1, frame.size() - 2));
            client.SendBytes(frame);
            break;
        }
        case 2: {  // a length with bit 15 set
            const uint16_t length = static_cast<uint16_t>(0x8000 | random());
            client.SendBytes({static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8), 3, 0, 0});
            break;
        }
        case 3:  // logged in (or refused), then anything
            client.SendLogin(L"soak", random() % 4 ? L"secret" : L"wrong");
            [[fallthrough]];
        default:
            for (int i = 1 + random() % 20; i > 0; --i)
                client.SendBytes(RandomFrame(random));
            break;
    }
    // A client stays a moment; clients that came and went at once would flood the accept queue, which holds up a
    // well-behaved client whatever the server does.
    client.ReceiveUntilQuiet(static_cast<int>(random() % 30));
    if (random() % 2)
        client.Abort();
}

// What a leak would show in: the bytes allocated on the process's heaps and the handles the process holds.
struct Footprint {
    size_t HeapBytes = 0;
    size_t Handles = 0;
};

size_t AllocatedHeapBytes() {
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    size_t total = 0;
    for (DWORD i = 0; i < count; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return total;
}

// The handle table of the system (SystemExtendedHandleInformation), counted for this process: the count the
// process itself is told (GetProcessHandleCount) is 0 under Wine.
size_t OpenHandles() {
    struct Entry {
        ULONG_PTR Object;
        ULONG_PTR ProcessId;
        ULONG_PTR Handle;
        ULONG GrantedAccess;
        USHORT BackTraceIndex;
        USHORT TypeIndex;
        ULONG Attributes;
        ULONG Reserved;
    };
    struct Table {
        ULONG_PTR Count;
        ULONG_PTR Reserved;
        Entry Entries[1];
    };
    constexpr auto kSystemExtendedHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(64);
    std::vector<uint8_t> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(kSystemExtendedHandleInformation, buffer.data(),
                                                         static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0)
            break;
        if (buffer.size() >= (64u << 20))
            return 0;
        buffer.resize(buffer.size() * 2);
    }
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    size_t handles = 0;
    for (ULONG_PTR i = 0; i < table->Count; ++i)
        handles += table->Entries[i].ProcessId == GetCurrentProcessId();
    return handles;
}

class SoakTest : public ClientCommandTest {
protected:
    // Runs the hostile clients for the time; returns the connections they made.
    int RunHostileClients(std::chrono::milliseconds time) {
        std::atomic<int> connections{0};
        const auto end = Clock::now() + time;
        std::vector<std::thread> threads;
        for (int t = 0; t < kHostileThreads; ++t) {
            threads.emplace_back([&, t] {
                std::mt19937 random(static_cast<unsigned>(1000 + t + connections));
                while (Clock::now() < end) {
                    ProtocolClient client;
                    if (!client.Connect(m_port))
                        continue;
                    ++connections;
                    Misbehave(client, random);
                }
            });
        }
        // The server goes on answering meanwhile.
        while (Clock::now() < end) {
            ProtocolClient probe;
            EXPECT_TRUE(probe.Connect(m_port));
            probe.SendLogin(L"probe", L"secret");
            const auto asked = Clock::now();
            const auto answer = probe.ReceiveCommand(kFrameLogin, kProbeAnswerMs);
            m_slowestAnswer = std::max(m_slowestAnswer, Clock::now() - asked);
            EXPECT_TRUE(answer && answer->Payload[0] == kLoginAccepted) << "the server stopped answering";
            probe.SendFrame(kCmdLogout);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        for (std::thread& thread : threads)
            thread.join();
        return connections;
    }

    Clock::duration m_slowestAnswer{};

    // Waits until every connection of the clients has gone, then measures.
    Footprint SettledFootprint() {
        EXPECT_TRUE(WaitForConnectedSlots(0));
        for (ClientSlot& slot : ClientSlots()) {
            slot.CdrSearch.Stop();
            slot.Statistics.Stop();
            slot.SysLogSearch.Stop();
            slot.ContactList.Stop();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // sockets being let go by their threads
        return {AllocatedHeapBytes(), OpenHandles()};
    }
};

}  // namespace

TEST_F(SoakTest, ServerOutlastsClientsSendingAnything) {
    AddAccount(L"soak", L"secret", RightsFor({1, 2}));
    AddAccount(L"probe", L"secret", RightsFor({1}));
    StartEngineThread(EngineState.SysLogWriterThread, SysLogWriterThread);  // the rows of every logout
    SetServiceView(nullptr);  // the recording view would keep every client event
    const auto total = std::chrono::seconds(SoakSeconds());

    const int warmUp = RunHostileClients(std::chrono::duration_cast<std::chrono::milliseconds>(total / 3));
    const Footprint before = SettledFootprint();
    const int soak = RunHostileClients(std::chrono::duration_cast<std::chrono::milliseconds>(total * 2 / 3));
    const Footprint after = SettledFootprint();
    StopEngine();
    SetServiceView(&m_view);

    RecordProperty("connections", warmUp + soak);
    RecordProperty("slowest_answer_ms",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(m_slowestAnswer).count()));
    RecordProperty("handles", std::to_string(before.Handles) + " -> " + std::to_string(after.Handles));
    RecordProperty("heap_bytes", std::to_string(before.HeapBytes) + " -> " + std::to_string(after.HeapBytes));
    EXPECT_GT(warmUp + soak, 1000);
    EXPECT_GT(before.Handles, 0u) << "no handle count";
    EXPECT_GT(before.HeapBytes, 0u) << "no memory figure";
    EXPECT_LE(after.Handles, before.Handles + 32) << before.Handles << " handles after the warm-up";
    EXPECT_LE(after.HeapBytes, before.HeapBytes + (1 << 20)) << before.HeapBytes << " bytes after the warm-up";
}
