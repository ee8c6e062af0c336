#ifndef TESSARO_SPEECH_SERVICETHREAD_H
#define TESSARO_SPEECH_SERVICETHREAD_H

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>

// A service whose worker also acts at a time it chooses, without being called: the worker waits
// for the next call at most until deadline() and then runs deadlineReached().
template<typename Service>
concept TimedService = requires(Service &service)
{
    service.deadlineReached();
    requires std::is_same_v<decltype(service.deadline()),
        std::optional<std::chrono::steady_clock::time_point>>;
};

// Runs the calls to a service that may hang (a local server that accepts a connection and then
// never answers) on a thread of their own, so that the calling thread waits a bounded time.
//
// The Service object is created, used and destroyed on the worker thread only. A call that is
// not answered within the timeout counts as failed; while it still hangs, further calls fail at
// once instead of queueing behind it. Destroying the thread waits at most the timeout as well:
// a worker that is still stuck is left to finish (or to end with the process) on its own, and
// the state it uses is kept alive for it.
template<typename Service>
class ServiceThread
{
public:
    using Job = std::function<bool(Service &)>;

    explicit ServiceThread(std::chrono::milliseconds timeout)
        : m_timeout(timeout)
        , m_state(std::make_shared<State>())
        , m_thread(&ServiceThread::run, m_state)
    { }

    ~ServiceThread()
    {
        bool exited = false;
        {
            std::unique_lock lock(m_state->mutex);
            m_state->stopping = true;
            m_state->wake.notify_one();
            exited = m_state->done.wait_for(lock, m_timeout, [this] { return m_state->exited; });
        }
        if (exited)
            m_thread.join();
        else
            m_thread.detach();
    }

    ServiceThread(const ServiceThread &) = delete;
    ServiceThread &operator=(const ServiceThread &) = delete;

    // The job's result, or false when the worker did not finish it in time or still hangs in an
    // earlier job. To be called from one thread.
    bool call(Job job)
    {
        std::unique_lock lock(m_state->mutex);
        if (m_state->busy)
            return false;
        m_state->job = std::move(job);
        m_state->busy = true;
        const std::uint64_t ticket = ++m_state->posted;
        m_state->wake.notify_one();
        if (!m_state->done.wait_for(lock, m_timeout, [&] { return m_state->finished == ticket; }))
            return false;
        return m_state->result;
    }

private:
    struct State
    {
        std::mutex mutex;
        std::condition_variable wake;
        std::condition_variable done;
        Job job;
        bool busy = false;
        bool stopping = false;
        bool exited = false;
        std::uint64_t posted = 0;
        std::uint64_t finished = 0;
        bool result = false;
    };

    static void run(std::shared_ptr<State> state)
    {
        {
            Service service;
            std::unique_lock lock(state->mutex);
            for (;;) {
                waitForWork(service, *state, lock);
                if (state->job) {
                    Job job = std::move(state->job);
                    state->job = nullptr;
                    lock.unlock();
                    const bool result = job(service);
                    lock.lock();
                    state->result = result;
                    state->finished = state->posted;
                    state->busy = false;
                    state->done.notify_all();
                } else if (state->stopping) {
                    break;
                } else if constexpr (TimedService<Service>) {
                    // Neither work nor stop: the service's deadline has come.
                    lock.unlock();
                    service.deadlineReached();
                    lock.lock();
                }
            }
        }
        // The service is gone, with whatever connection it held.
        std::lock_guard lock(state->mutex);
        state->exited = true;
        state->done.notify_all();
    }

    // Waits for a job or the stop, or until the service's deadline.
    static void waitForWork(Service &service, State &state, std::unique_lock<std::mutex> &lock)
    {
        const auto ready = [&state] {
            return state.job || state.stopping;
        };
        if constexpr (TimedService<Service>) {
            if (const auto deadline = service.deadline()) {
                state.wake.wait_until(lock, *deadline, ready);
                return;
            }
        }
        state.wake.wait(lock, ready);
    }

    std::chrono::milliseconds m_timeout;
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};

#endif
