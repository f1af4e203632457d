// Commands.cpp - the control language: dispatch, and the commands on the simulator as a whole
// (scenario, settings, injected failures, control port, journal, raw events, status).
// The line, recording and circuit commands live beside what they act on.
#include "Simulator.h"

#include "CommandLine.h"
#include "DriverFunctions.h"

std::string CSimulator::Command(const std::string& line) {
    std::string reply;
    try {
        const std::vector<std::string> words = SplitWords(line);
        if (words.empty())
            return "ERR empty command\n";
        const auto handler = Handlers().find(FoldLower(words[0]));
        if (handler == Handlers().end())
            return "ERR unknown command " + words[0] + "\n";
        reply = (this->*handler->second)(words);
    } catch (const std::exception& error) {
        return std::string("ERR ") + error.what() + "\n";
    }
    if (reply.empty() || reply.back() != '\n')
        reply += '\n';
    uint64_t queued = 0;
    {
        std::lock_guard<std::mutex> guard(m_stateLock);
        queued = m_queuedSequence;
    }
    WaitForDeliveries(queued);
    return reply;
}

const std::map<std::string, CSimulator::CommandHandler>& CSimulator::Handlers() {
    static const std::map<std::string, CommandHandler> handlers = {
        {"load", &CSimulator::OnLoad},
        {"set", &CSimulator::OnSet},
        {"boardfail", &CSimulator::OnBoardFail},
        {"fail", &CSimulator::OnFail},
        {"listen", &CSimulator::OnListen},
        {"journal", &CSimulator::OnJournal},
        {"event", &CSimulator::OnEvent},
        {"status", &CSimulator::OnStatus},
        {"ring", &CSimulator::OnRing},
        {"offhook", &CSimulator::OnPhoneHook},
        {"onhook", &CSimulator::OnPhoneHook},
        {"voltage", &CSimulator::OnVoltage},
        {"dtmf", &CSimulator::OnDtmf},
        {"busy", &CSimulator::OnBusy},
        {"farend", &CSimulator::OnFarEnd},
        {"voice", &CSimulator::OnVoice},
        {"lineerror", &CSimulator::OnLineFault},
        {"linelost", &CSimulator::OnLineFault},
        {"show", &CSimulator::OnShow},
        {"audio", &CSimulator::OnAudio},
        {"spy", &CSimulator::OnSpy},
        {"link", &CSimulator::OnLink},
    };
    return handlers;
}

// load <path>: a fresh driver from the scenario file: boards stopped, no event callback, the
// journal and the injected failures cleared.
std::string CSimulator::OnLoad(const std::vector<std::string>& words) {
    if (words.size() != 2)
        return "ERR usage: load <scenario file>";
    Scenario scenario;
    std::string error;
    if (!ReadScenario(words[1], scenario, error))
        return "ERR " + error;
    std::lock_guard<std::mutex> guard(m_stateLock);
    BuildLocked(scenario);
    m_scenarioFile = words[1];
    m_loadError.clear();
    m_journal.Clear();
    return "OK boards=" + std::to_string(m_boards.size()) + " channels=" + std::to_string(m_lines.size()) +
           " cics=" + std::to_string(m_circuits.size()) + " pcms=" + std::to_string(m_links.size());
}

// set speed <factor> | set ringinterval <ms>
std::string CSimulator::OnSet(const std::vector<std::string>& words) {
    const std::string name = words.size() == 3 ? FoldLower(words[1]) : "";
    double speed = 0;
    int interval = 0;
    if (name == "speed" && ParseDouble(words[2], speed) && speed > 0) {
        std::lock_guard<std::mutex> guard(m_stateLock);
        AdvanceClockLocked();  // the time so far still counts at the old speed
        m_speed = speed;
        return "OK";
    }
    if (name == "ringinterval" && ParseInt(words[2], interval) && interval > 0) {
        std::lock_guard<std::mutex> guard(m_stateLock);
        m_ringIntervalMs = interval;
        return "OK";
    }
    return "ERR usage: set speed <factor above 0> | set ringinterval <ms above 0>";
}

// boardfail <n>: the next n board starts (QsdSys_EnableBoardEx or QsdSys_EnableBoard) fail.
std::string CSimulator::OnBoardFail(const std::vector<std::string>& words) {
    int count = 0;
    if (words.size() != 2 || !ParseInt(words[1], count) || count < 0)
        return "ERR usage: boardfail <count>";
    std::lock_guard<std::mutex> guard(m_stateLock);
    m_boardStartFailures = count;
    return "OK";
}

// fail <function> [count]: the next count calls (default 1) of a driver function answer QSD_ERR
// without doing anything; count 0 takes the failures back.
std::string CSimulator::OnFail(const std::vector<std::string>& words) {
    int count = 1;
    if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && (!ParseInt(words[2], count) || count < 0)))
        return "ERR usage: fail <driver function> [count]";
    if (!IsDriverFunction(words[1]))
        return "ERR no driver function " + words[1];
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (count == 0)
        m_injectedFailures.erase(words[1]);
    else
        m_injectedFailures[words[1]] = count;
    return "OK";
}

// listen <port>: opens the loopback control port (0: any free port); answers "OK <port>".
std::string CSimulator::OnListen(const std::vector<std::string>& words) {
    int port = 0;
    if (words.size() != 2 || !ParseInt(words[1], port) || port < 0 || port > 65535)
        return "ERR usage: listen <port>";
    std::string error;
    const int listening = m_controlPort.Listen(
        port, [this](const std::string& line) { return Command(line); }, error);
    if (listening == 0)
        return "ERR " + error;
    std::lock_guard<std::mutex> guard(m_stateLock);
    m_listeningPort = listening;
    return "OK " + std::to_string(listening);
}

// journal [since] [function prefix] | journal clear
std::string CSimulator::OnJournal(const std::vector<std::string>& words) {
    if (words.size() == 2 && FoldLower(words[1]) == "clear") {
        m_journal.Clear();
        return "OK";
    }
    int since = 0;
    if (words.size() > 3 || (words.size() >= 2 && (!ParseInt(words[1], since) || since < 0)))
        return "ERR usage: journal [since] [function prefix] | journal clear";
    return m_journal.Read(static_cast<uint64_t>(since), words.size() == 3 ? words[2] : "");
}

// event <channel> <event> <parameter>: any event as it is, for cases the other commands do not
// make (a channel out of range, a circuit nobody taps).
std::string CSimulator::OnEvent(const std::vector<std::string>& words) {
    int channel = 0;
    int event = 0;
    int parameter = 0;
    if (words.size() != 4 || !ParseInt(words[1], channel) || !ParseInt(words[2], event) ||
        !ParseInt(words[3], parameter) || event < 0 || event > 0xFFFF || parameter < 0 || parameter > 0xFFFF)
        return "ERR usage: event <channel> <event 0..65535> <parameter 0..65535>";
    std::lock_guard<std::mutex> guard(m_stateLock);
    if (!m_enabled || !m_eventCallback)
        return "ERR events are off: boards not started or no event callback";
    QueueEventLocked(static_cast<WORD>(event), channel, static_cast<WORD>(parameter));
    return "OK";
}

std::string CSimulator::OnStatus(const std::vector<std::string>& words) {
    std::lock_guard<std::mutex> guard(m_stateLock);
    std::string text = "OK boards=" + std::to_string(m_boards.size()) + " channels=" + std::to_string(m_lines.size()) +
                       " cics=" + std::to_string(m_circuits.size()) + " pcms=" + std::to_string(m_links.size()) +
                       " started=" + std::to_string(m_enabled) +
                       " events=" + std::to_string(m_eventCallback != nullptr) +
                       " boardfail=" + std::to_string(m_boardStartFailures) + " speed=" + std::to_string(m_speed) +
                       " ringinterval=" + std::to_string(m_ringIntervalMs) +
                       " port=" + std::to_string(m_listeningPort) + " scenario=\"" + m_scenarioFile + "\"";
    if (!m_loadError.empty())
        text += " error=\"" + m_loadError + "\"";
    return text;
}
