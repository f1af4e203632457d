// capacity_bench [--seconds N] [--baseline N] [--keep]: the recording service at full load. In one process, with
// the simulated driver in process: 16 analogue boards of 32 lines (the three line kinds in turn) record 512 calls
// at once in real time for a fixed period (default 70 s, two blocks per channel), then hang up, first a few calls
// one at a time, then all others at once. Prints the CPU time per channel-second (of the whole process, of the
// simulated driver alone measured beforehand, and their difference), the delay from a block being full (and from
// its callback) to its bytes on disk, and the delays from a hang-up to the CDR row and to a client's push.
//
// The service runs as the development host runs it (CServiceHost), in a temporary program and data folder.
// tools/bench/run-benchmarks.sh runs it under Wine, pinned to one core.
#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h

#include "BenchClock.h"
#include "BenchView.h"
#include "BlockJournal.h"
#include "PushClient.h"
#include "ServiceHost.h"

#include "engine/RecordBlockCallback.h"
#include "settings/Folders.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"

#include "QsSimControl.h"
#include "qskern.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kBoards = 16;
constexpr int kLinesPerBoard = 32;
constexpr int kChannels = kBoards * kLinesPerBoard;
constexpr int kBlockBytes = 0x1E000;
constexpr double kBlockMs = kBlockBytes / 4.0;  // IMA ADPCM fills 4 bytes per ms of audio
constexpr int kSampleHangups = 16;
constexpr int kMaxBlocksNoted = 16;

struct Options {
    int seconds = 70;
    int baselineSeconds = 20;
    bool keep = false;
};

// Line type of a channel: the three kinds in turn.
int LineTypeOf(int channel) {
    static const int kTypes[3] = {6, 7, 8};
    return kTypes[channel % 3];
}

// When each block's append began, per channel (the block callback's hook, on the driver's thread).
std::atomic<int> g_appendCount[kChannels];
std::atomic<double> g_appendMs[kChannels][kMaxBlocksNoted];

void OnBlockAppend(int channel) {
    if (channel < 0 || channel >= kChannels)
        return;
    const int index = g_appendCount[channel]++;
    if (index < kMaxBlocksNoted)
        g_appendMs[channel][index] = NowMs();
}

std::string Sim(const std::string& command) {
    char reply[4096] = {};
    QsSim_Command(command.c_str(), reply, sizeof reply);
    return reply;
}

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

int FreePort() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET probe = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::closesocket(probe);
    return ntohs(address.sin_port);
}

std::string Narrow(const std::wstring& text) {
    return std::filesystem::path(text).string();
}

void WriteScenario(const std::wstring& path) {
    std::ofstream ini{std::filesystem::path(path)};
    ini << "[Simulator]\nSpeed=1\nAudio=tone 425\n";
    for (int board = 0; board < kBoards; ++board) {
        ini << "[Board" << board << "]\nType=293\nSerialNo=" << 200001 + board << "\nLineTypes=";
        for (int line = 0; line < kLinesPerBoard; ++line)
            ini << (line ? "," : "") << LineTypeOf(board * kLinesPerBoard + line);
        ini << "\n";
    }
}

struct Stats {
    double median = 0, p95 = 0, max = 0;
    size_t count = 0;
};

Stats StatsOf(std::vector<double> values) {
    Stats stats;
    stats.count = values.size();
    if (values.empty())
        return stats;
    std::sort(values.begin(), values.end());
    stats.median = values[values.size() / 2];
    stats.p95 = values[std::min(values.size() - 1, values.size() * 95 / 100)];
    stats.max = values.back();
    return stats;
}

void PrintStats(const char* what, const Stats& stats) {
    std::printf("  %-58s median %7.1f ms, p95 %7.1f ms, max %7.1f ms (n=%zu)\n", what, stats.median, stats.p95,
                stats.max, stats.count);
}

template <class Condition>
bool WaitUntil(Condition condition, double timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    while (!condition()) {
        if (NowMs() > deadline)
            return false;
        ::Sleep(5);
    }
    return true;
}

int WINAPI IgnoreBlock(int, int, BYTE*, int, DWORD_PTR) {
    return 1;
}

// The simulated driver alone: every channel records into memory, with a block callback that does nothing.
double BaselineCpuMsPerChannelSecond(const Options& options) {
    QsdSys_EnableBoard();
    std::vector<std::unique_ptr<BYTE[]>> buffers;
    for (int channel = 0; channel < kChannels; ++channel) {
        buffers.emplace_back(new BYTE[kBlockBytes]);
        QsdVox_RecordMemBlock(channel, QSD_CODEC_IMA_ADPCM, buffers.back().get(), kBlockBytes, IgnoreBlock, 0);
    }
    ::Sleep(1000);
    const double cpu0 = ProcessCpuMs(), t0 = NowMs();
    ::Sleep(options.baselineSeconds * 1000);
    const double cpu1 = ProcessCpuMs(), t1 = NowMs();
    for (int channel = 0; channel < kChannels; ++channel)
        QsdVox_StopRec(channel);
    QsdSys_DisableBoard();
    return (cpu1 - cpu0) / (kChannels * (t1 - t0) / 1000.0);
}

bool StartAllCalls() {
    // Voltage-watched lines record from the first dialled digit once the line is seen off-hook; event-driven
    // lines record from the pick-up.
    for (int channel = 0; channel < kChannels; ++channel)
        Sim("offhook " + std::to_string(channel));
    ::Sleep(1000);
    for (int channel = 0; channel < kChannels; ++channel)
        if (LineTypeOf(channel) == 6)
            Sim("dtmf " + std::to_string(channel) + " 5");
    return WaitUntil(
        [] {
            for (int channel = 0; channel < kChannels; ++channel)
                if (!ChannelTable[channel].FileHandle.IsValid())
                    return false;
            return true;
        },
        30000);
}

struct HangupDelays {
    std::vector<double> row[2], push[2];  // [0] event-driven lines, [1] voltage-watched lines
};

void NoteHangup(HangupDelays& delays, int channel, double hungUpMs, const CBenchView& view, const CPushClient& client) {
    const int kind = LineTypeOf(channel) == 6 ? 1 : 0;
    if (view.FiledMs(channel) > 0)
        delays.row[kind].push_back(view.FiledMs(channel) - hungUpMs);
    if (client.NewCdrMs(channel) > 0)
        delays.push[kind].push_back(client.NewCdrMs(channel) - hungUpMs);
}

int Run(const Options& options) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / (L"tesselon-capacity-" + std::to_wstring(::GetCurrentProcessId()));
    const std::wstring program = (root / L"program").wstring(), data = (root / L"data").wstring();
    const std::wstring recordings = (root / L"rec").wstring() + L"\\";  // a recording folder ends with a backslash
    for (const std::wstring& folder : {program, data, recordings})
        std::filesystem::create_directories(folder);
    SetExeFolderOverride(program);
    SetDataFolderOverride(data);
    const int port = FreePort();
    WriteSettingString(kSectionSettings, kKeyRecFolderN[0], recordings.c_str());
    WriteSettingInt(kSectionSettings, kKeyNetPort, port);
    WriteSettingString(kSectionSettings, kKeyLocalName, L"capacity");
    const std::wstring scenario = (root / L"qskern.ini").wstring();
    WriteScenario(scenario);
    const std::string load = "load \"" + Narrow(scenario) + "\"";
    if (Sim(load).rfind("OK", 0) != 0) {
        std::printf("the simulator refused the scenario\n");
        return 1;
    }

    std::printf("simulated driver alone: %d channels recording for %d s...\n", kChannels, options.baselineSeconds);
    std::fflush(stdout);
    const double baseline = BaselineCpuMsPerChannelSecond(options);
    Sim(load);

    CBenchView view;
    LoadStartupSettings();
    SetServiceView(&view);
    CServiceHost host;
    host.Start();
    CPushClient client;
    if (!WaitUntil([&] { return view.ChannelCount() >= 0; }, 60000) || view.ChannelCount() != kChannels ||
        !client.Connect(port)) {
        std::printf("the service did not start its %d channels (%d) or the client could not log in\n", kChannels,
                    view.ChannelCount());
        host.Stop();
        return 1;
    }
    SetBlockAppendHook(OnBlockAppend);
    if (!StartAllCalls()) {
        std::printf("not every channel started recording\n");
        host.Stop();
        return 1;
    }

    std::printf("service: %d channels recording for %d s...\n", kChannels, options.seconds);
    std::fflush(stdout);
    CBlockJournal journal;
    journal.Collect();
    const double cpu0 = ProcessCpuMs(), t0 = NowMs();
    while (NowMs() - t0 < options.seconds * 1000.0) {
        ::Sleep(2000);
        journal.Collect();
    }
    const double cpu1 = ProcessCpuMs(), t1 = NowMs();
    const double offset = journal.OffsetFromBenchClock();

    // Block delays: from a block being full (one block length after its arming) and from the start of its append
    // to the re-arming that follows the write.
    std::vector<double> fullToDisk, callbackToDisk;
    for (int channel = 0; channel < kChannels; ++channel) {
        const std::vector<double>& armings = journal.Armings(channel);
        for (size_t k = 1; k < armings.size(); ++k) {
            fullToDisk.push_back(armings[k] - armings[k - 1] - kBlockMs);
            if (k - 1 < kMaxBlocksNoted && k - 1 < static_cast<size_t>(g_appendCount[channel].load()))
                callbackToDisk.push_back(armings[k] - offset - g_appendMs[channel][k - 1]);
        }
    }
    int appended = 0;
    for (int channel = 0; channel < kChannels; ++channel)
        appended += g_appendCount[channel];

    // Hang-ups: a few calls on event-driven lines one at a time, then every other call at once.
    HangupDelays single, burst;
    std::vector<bool> hungUp(kChannels, false);
    for (int channel = 0, done = 0; channel < kChannels && done < kSampleHangups; ++channel) {
        if (LineTypeOf(channel) == 6)
            continue;
        const double hungUpMs = NowMs();
        Sim("onhook " + std::to_string(channel));
        WaitUntil([&] { return view.FiledMs(channel) > 0 && client.NewCdrMs(channel) > 0; }, 10000);
        NoteHangup(single, channel, hungUpMs, view, client);
        hungUp[channel] = true;
        ++done;
        ::Sleep(300);
    }
    std::vector<double> hungUpMs(kChannels, 0);
    const double burstStart = NowMs();
    for (int channel = 0; channel < kChannels; ++channel) {
        if (hungUp[channel])
            continue;
        hungUpMs[channel] = NowMs();
        Sim("onhook " + std::to_string(channel));
    }
    WaitUntil([&] { return view.FiledCount() >= kChannels && client.NewCdrCount() >= kChannels; }, 180000);
    const double burstEnd = NowMs();
    for (int channel = 0; channel < kChannels; ++channel)
        if (!hungUp[channel])
            NoteHangup(burst, channel, hungUpMs[channel], view, client);
    const int filed = view.FiledCount();

    SetBlockAppendHook(nullptr);
    client.Close();
    host.Stop();
    SetServiceView(nullptr);

    const double seconds = (t1 - t0) / 1000.0;
    const double serviceCpu = (cpu1 - cpu0) / (kChannels * seconds);
    std::printf("\ncapacity: %d channels recording in real time for %.1f s; %d blocks of %d bytes appended\n",
                kChannels, seconds, appended, kBlockBytes);
    std::printf("  CPU, whole process (service + simulated driver):   %.3f ms per channel-second (%.1f%% of a core)\n",
                serviceCpu, serviceCpu * kChannels / 10.0);
    std::printf(
        "  CPU, simulated driver alone (%d s beforehand):       %.3f ms per channel-second (%.1f%% of a core)\n",
        options.baselineSeconds, baseline, baseline * kChannels / 10.0);
    std::printf("  CPU, the service's share (difference):              %.3f ms per channel-second (%.1f%% of a core)\n",
                serviceCpu - baseline, (serviceCpu - baseline) * kChannels / 10.0);
    PrintStats("block full -> bytes on disk (re-armed)", StatsOf(fullToDisk));
    PrintStats("block callback (append starts) -> bytes on disk", StatsOf(callbackToDisk));
    PrintStats("hang-up -> CDR row, one call at a time (event lines)", StatsOf(single.row[0]));
    PrintStats("hang-up -> client push, one call at a time (event lines)", StatsOf(single.push[0]));
    PrintStats("hang-up -> CDR row, rest at once (event lines)", StatsOf(burst.row[0]));
    PrintStats("hang-up -> client push, rest at once (event lines)", StatsOf(burst.push[0]));
    PrintStats("hang-up -> CDR row, rest at once (voltage lines, +HookOnTime)", StatsOf(burst.row[1]));
    PrintStats("hang-up -> client push, rest at once (voltage lines)", StatsOf(burst.push[1]));
    std::printf("  %d calls filed; the last of the %d hung up at once %.1f s after the first hang-up\n", filed,
                kChannels - kSampleHangups, (burstEnd - burstStart) / 1000.0);

    if (options.keep)
        std::printf("files kept in %s\n", root.string().c_str());
    else
        std::filesystem::remove_all(root);
    return filed == kChannels ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--seconds" && i + 1 < argc)
            options.seconds = _wtoi(argv[++i]);
        else if (arg == L"--baseline" && i + 1 < argc)
            options.baselineSeconds = _wtoi(argv[++i]);
        else if (arg == L"--keep")
            options.keep = true;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return Run(options);
}
