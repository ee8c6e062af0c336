#include "records/concurrentwork.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void runConcurrently(qsizetype count, const std::function<void(qsizetype)> &work)
{
    std::atomic<qsizetype> next = 0;
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto worker = [&] {
        for (qsizetype index = next++; index < count; index = next++) {
            try {
                work(index);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
            }
        }
    };
    {
        std::vector<std::jthread> workers;
        for (qsizetype i = 1; i < std::min<qsizetype>(count, kConcurrentWorkers); ++i)
            workers.emplace_back(worker);
        worker();
    }
    if (failure)
        std::rethrow_exception(failure);
}
