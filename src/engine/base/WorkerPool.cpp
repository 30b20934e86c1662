#include "base/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

namespace gp {

WorkerPool::WorkerPool(int threads)
{
    for (int i = 1; i < threads; ++i)
        m_workers.emplace_back([this] { workerLoop(); });
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_quit = true;
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

int WorkerPool::defaultThreadCount(int limit)
{
    if (const char* chosen = std::getenv("GLIMMERPRESS_THREADS")) {
        char* end = nullptr;
        const long value = std::strtol(chosen, &end, 10);
        if (end != chosen && *end == '\0' && value >= 1 && value <= 64)
            return int(value);
    }
    const int cores = int(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, std::max(1, limit));
}

// Wakes the calling thread, which reports the finished job.
void WorkerPool::doneOne()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_idle.notify_all();
}

// Takes jobs from the batch until none is left or the batch was stopped; a failing job stops
// the batch and keeps the first exception for the caller.
void WorkerPool::take(Batch& batch)
{
    while (!batch.stop.load(std::memory_order_relaxed)) {
        const int index = batch.next.fetch_add(1);
        if (index >= batch.count)
            return;
        try {
            (*batch.job)(index);
        } catch (...) {
            std::lock_guard<std::mutex> guard(batch.failureLock);
            if (!batch.failure)
                batch.failure = std::current_exception();
            batch.stop = true;
        }
        batch.done.fetch_add(1);
        doneOne();
    }
}

void WorkerPool::workerLoop()
{
    unsigned long seen = 0;
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [&] { return m_quit || m_generation != seen; });
        if (m_quit)
            return;
        seen = m_generation;
        Batch* batch = m_batch;
        if (!batch)
            continue; // woke after that batch had already ended
        ++m_busyWorkers;
        lock.unlock();
        take(*batch);
        lock.lock();
        if (--m_busyWorkers == 0)
            m_idle.notify_all();
    }
}

bool WorkerPool::run(int count, const std::function<void(int)>& job, const std::function<bool(int)>& between)
{
    bool expected = false;
    const bool pooled = !m_workers.empty() && count > 1 && m_inUse.compare_exchange_strong(expected, true);
    if (!pooled) {
        for (int i = 0; i < count; ++i) {
            job(i);
            if (!between(i + 1))
                return false;
        }
        return true;
    }

    Batch batch;
    batch.count = count;
    batch.job = &job;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_batch = &batch;
        ++m_generation;
    }
    m_wake.notify_all();

    // The calling thread works like a worker and reports after each of its own jobs; once none
    // is left to take it reports whenever a worker has finished one, until all have ended, so
    // the user is heard however the jobs fell.
    bool stopped = false;
    int reported = 0;
    const auto report = [&] {
        const int done = batch.done.load();
        if (stopped || done == reported)
            return;
        reported = done;
        if (!between(done)) {
            batch.stop = true;
            stopped = true;
        }
    };
    while (!batch.stop.load(std::memory_order_relaxed)) {
        const int index = batch.next.fetch_add(1);
        if (index >= count)
            break;
        try {
            job(index);
        } catch (...) {
            std::lock_guard<std::mutex> guard(batch.failureLock);
            if (!batch.failure)
                batch.failure = std::current_exception();
            batch.stop = true;
            break;
        }
        batch.done.fetch_add(1);
        report();
    }
    {
        std::unique_lock<std::mutex> lock(m_lock);
        // Workers that woke for this batch finish their job before it goes away; a worker that
        // wakes later finds no batch.
        while (m_busyWorkers > 0) {
            const int before = batch.done.load();
            m_idle.wait_for(lock, std::chrono::milliseconds(2),
                [&] { return m_busyWorkers == 0 || batch.done.load() != before; });
            lock.unlock();
            report();
            lock.lock();
        }
        batch.stop = true;
        m_batch = nullptr;
    }
    report();
    m_inUse = false;
    if (batch.failure)
        std::rethrow_exception(batch.failure);
    return !stopped && batch.done.load() == count;
}

} // namespace gp
