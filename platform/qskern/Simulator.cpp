// Simulator.cpp - the simulator thread: the clock, and delivering events and block callbacks.
//
// The thread owns nothing but the delivery loop. Every tick (or as soon as something is queued)
// it advances the model under m_stateLock, then takes the queued deliveries one by one and runs
// each callback with the lock released. It is never asked to stop: it ends with the process.
#include "Simulator.h"

#include "CommandLine.h"

namespace {

constexpr auto kTick = std::chrono::milliseconds(10);
// A command stops waiting for its events after this long, so a callback that blocks cannot
// hang the test that raised the event.
constexpr auto kDeliveryWait = std::chrono::seconds(5);

}  // namespace

CSimulator& CSimulator::Instance() {
    static CSimulator* simulator = new CSimulator();
    return *simulator;
}

void CSimulator::Start() {
    Scenario scenario;
    std::string error;
    const std::string file = FindScenarioFile();
    const bool read = !file.empty() && ReadScenario(file, scenario, error);
    {
        std::lock_guard<std::mutex> guard(m_stateLock);
        m_scenarioFile = file;
        m_loadError = error;
        if (read)
            BuildLocked(scenario);
    }
    m_startControlPort = scenario.controlPort;
    char port[16] = {};
    const DWORD length = GetEnvironmentVariableA("QSKERN_CONTROL_PORT", port, sizeof port);
    if (length > 0 && length < sizeof port)
        ParseInt(port, m_startControlPort);
    m_thread = std::thread(&CSimulator::Run, this);
}

void CSimulator::Run() {
    m_threadId = GetCurrentThreadId();
    if (m_startControlPort > 0) {
        try {
            const std::string reply = OnListen({"listen", std::to_string(m_startControlPort)});
            if (reply.rfind("ERR ", 0) == 0) {
                std::lock_guard<std::mutex> guard(m_stateLock);
                m_loadError = "control port: " + reply.substr(4);
            }
        } catch (...) {
            // Out of memory at start-up: the port stays closed, as when it is taken.
        }
    }

    std::unique_lock<std::mutex> lock(m_stateLock);
    for (;;) {
        m_wake.wait_for(lock, kTick, [this] { return !m_pending.empty(); });
        try {
            AdvanceClockLocked();
            AdvanceLinesLocked();
            ProduceAllLocked();
        } catch (...) {
            // Out of memory while queueing: this tick's work is tried again at the next one.
        }
        while (!m_pending.empty()) {
            const Delivery delivery = m_pending.front();
            m_pending.pop_front();
            const QSD_EVENT_CALLBACK events = m_enabled ? m_eventCallback : nullptr;
            if (delivery.block ? BlockStillWantedLocked(delivery) : events != nullptr) {
                lock.unlock();
                if (delivery.block)
                    delivery.callback(delivery.channel, QSD_REC_BLOCK_FULL, delivery.buffer, delivery.bytes,
                                      delivery.user);
                else
                    events(delivery.event, delivery.channel, delivery.parameter, 0);
                lock.lock();
                if (delivery.block)
                    BlockHandedOnLocked(delivery);
            }
            // A scenario load in the meantime may have moved the mark past this delivery.
            m_deliveredSequence = std::max(m_deliveredSequence, delivery.sequence);
            m_delivered.notify_all();
        }
    }
}

void CSimulator::AdvanceClockLocked() {
    const double real =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_clockStart).count();
    m_audioMs += (real - m_realMs) * m_speed;
    m_realMs = real;
}

void CSimulator::QueueEventLocked(WORD event, int channel, WORD parameter) {
    if (!m_enabled || !m_eventCallback)
        return;
    Delivery delivery;
    delivery.sequence = ++m_queuedSequence;
    delivery.event = event;
    delivery.channel = channel;
    delivery.parameter = parameter;
    m_pending.push_back(delivery);
    m_wake.notify_one();
}

void CSimulator::QueueBlockLocked(int channel, const SimRecorder& recorder) {
    Delivery delivery;
    delivery.sequence = ++m_queuedSequence;
    delivery.block = true;
    delivery.channel = channel;
    delivery.generation = recorder.generation;
    delivery.callback = recorder.callback;
    delivery.buffer = recorder.buffer;
    delivery.bytes = recorder.size;
    delivery.user = recorder.user;
    m_pending.push_back(delivery);
    m_wake.notify_one();
}

void CSimulator::WaitForDeliveries(uint64_t sequence) {
    // The simulator thread itself (a callback sending a command) cannot wait for its own work.
    if (GetCurrentThreadId() == m_threadId)
        return;
    std::unique_lock<std::mutex> lock(m_stateLock);
    m_delivered.wait_for(lock, kDeliveryWait, [&] { return m_deliveredSequence >= sequence; });
}

bool CSimulator::TakeInjectedFailure(const char* function) {
    std::lock_guard<std::mutex> guard(m_stateLock);
    const auto found = m_injectedFailures.find(function);
    if (found == m_injectedFailures.end())
        return false;
    if (--found->second == 0)
        m_injectedFailures.erase(found);
    return true;
}
