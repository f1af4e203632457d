#pragma once
// QueryStop: the stop of one run of a client's query (QueryWorker). The slot's reader or Reset raises it from
// their threads; the run tests it between days and rows, and the store the run is reading hears it at once
// through a Link, so that a long SQLite step is interrupted rather than waited for.

#include <atomic>
#include <functional>
#include <mutex>

class QueryStop {
public:
    // While a Link lives, raising the stop also calls the store's RequestStop, at once when the stop is already
    // raised. The run makes one for each store it opens, after the store, so that the link ends first.
    class Link {
    public:
        template <class Store>
        Link(QueryStop& stop, Store& store) : Link(stop, [&store] { store.RequestStop(); }) {}
        ~Link();
        Link(const Link&) = delete;
        Link& operator=(const Link&) = delete;

    private:
        Link(QueryStop& stop, std::function<void()> forward);

        QueryStop& m_stop;
    };

    QueryStop() = default;
    QueryStop(const QueryStop&) = delete;
    QueryStop& operator=(const QueryStop&) = delete;

    explicit operator bool() const { return m_raised; }
    // Any thread.
    void Raise();

private:
    std::atomic<bool> m_raised{false};
    std::mutex m_lock;                // guards m_forward and is held while calling it
    std::function<void()> m_forward;  // the linked store's stop; empty while none is linked
};
