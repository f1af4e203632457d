#include "clients/QueryStop.h"

#include <utility>

QueryStop::Link::Link(QueryStop& stop, std::function<void()> forward) : m_stop(stop) {
    std::lock_guard<std::mutex> guard(stop.m_lock);
    if (stop.m_raised)
        forward();
    stop.m_forward = std::move(forward);
}

QueryStop::Link::~Link() {
    std::lock_guard<std::mutex> guard(m_stop.m_lock);
    m_stop.m_forward = nullptr;
}

void QueryStop::Raise() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_raised = true;
    if (m_forward)
        m_forward();
}
