// Spy.cpp - tapped circuits of E1 trunk pairs: their calls, numbers and sides, the trunks' status
// words, and the commands that drive them.
//
// A circuit's call goes idle -> alerting -> answered -> idle; every step raises QSD_EVT_SPY_CALL
// with the circuit number as channel. The two sides of circuit c are the trunk-side channels 2c
// and 2c + 1: an incoming call reports in = 2c + 1 and out = 2c (out below in), an outgoing call
// the other way round. The sides and numbers of a call stay readable until the next alerting.
#include "Simulator.h"

#include "CommandLine.h"

int CSimulator::SpyCallInChannel(int cic) {
    return WithCircuit(cic, [](SimCircuit& circuit) { return circuit.inChannel; });
}

int CSimulator::SpyCallOutChannel(int cic) {
    return WithCircuit(cic, [](SimCircuit& circuit) { return circuit.outChannel; });
}

int CSimulator::SpyCallerId(int cic, char* number) {
    return WithCircuit(cic, [&](SimCircuit& circuit) { return number ? CopyNumber(circuit.caller, number) : QSD_ERR; });
}

int CSimulator::SpyCalleeId(int cic, char* number) {
    return WithCircuit(cic, [&](SimCircuit& circuit) { return number ? CopyNumber(circuit.callee, number) : QSD_ERR; });
}

SimCircuit* CSimulator::CommandCircuitLocked(const std::string& word, int& cic, std::string& error) {
    if (!ParseInt(word, cic) || cic < 0 || cic >= static_cast<int>(m_circuits.size())) {
        error = "ERR no circuit " + word;
        return nullptr;
    }
    return &m_circuits[cic];
}

// spy alert <cic> in|out [caller] [callee] | spy answer <cic> | spy numbers <cic> <caller> <callee>
// | spy release <cic>
std::string CSimulator::OnSpy(const std::vector<std::string>& words) {
    const std::string step = words.size() >= 3 ? FoldLower(words[1]) : "";
    const std::string side = words.size() >= 4 ? FoldLower(words[3]) : "";
    const bool valid = (step == "alert" && words.size() >= 4 && words.size() <= 6 && (side == "in" || side == "out")) ||
                       ((step == "answer" || step == "release") && words.size() == 3) ||
                       (step == "numbers" && words.size() == 5);
    if (!valid)
        return "ERR usage: spy alert <cic> in|out [caller] [callee] | spy answer <cic> | "
               "spy numbers <cic> <caller> <callee> | spy release <cic>";
    std::lock_guard<std::mutex> guard(m_stateLock);
    int cic = 0;
    std::string error;
    SimCircuit* circuit = CommandCircuitLocked(words[2], cic, error);
    if (!circuit)
        return error;
    WORD parameter = QSD_SPY_NUMBERS;
    if (step == "alert") {
        circuit->call = SimCircuit::Call::Alerting;
        circuit->incoming = side == "in";
        circuit->inChannel = 2 * cic + (circuit->incoming ? 1 : 0);
        circuit->outChannel = 2 * cic + (circuit->incoming ? 0 : 1);
        circuit->caller = words.size() >= 5 ? words[4] : "";
        circuit->callee = words.size() >= 6 ? words[5] : "";
        parameter = QSD_SPY_ALERTING;
    } else if (step == "numbers") {
        circuit->caller = words[3];
        circuit->callee = words[4];
    } else if (circuit->call == SimCircuit::Call::Idle) {
        return "ERR circuit " + words[2] + " has no call";
    } else if (step == "answer") {
        circuit->call = SimCircuit::Call::Answered;
        parameter = QSD_SPY_ANSWER;
    } else {
        circuit->call = SimCircuit::Call::Idle;
        parameter = QSD_SPY_RELEASE;
    }
    QueueEventLocked(QSD_EVT_SPY_CALL, cic, parameter);
    return "OK";
}

// link <pcm> up|down|<status word>
std::string CSimulator::OnLink(const std::vector<std::string>& words) {
    const std::string state = words.size() == 3 ? FoldLower(words[2]) : "";
    int status = 0;
    if (state != "up" && state != "down" && !ParseInt(words.size() == 3 ? words[2] : "", status))
        return "ERR usage: link <pcm> up|down|<status word>";
    std::lock_guard<std::mutex> guard(m_stateLock);
    int pcm = 0;
    if (!ParseInt(words[1], pcm) || pcm < 0 || pcm >= static_cast<int>(m_links.size()))
        return "ERR no trunk " + words[1];
    m_links[pcm] = state == "up" ? kLinkUp : state == "down" ? kLinkDown : static_cast<uint32_t>(status);
    return "OK";
}
