#pragma once
// A small fixed set of worker threads that help the calling thread through a batch of independent
// jobs (the row bands of a pixel operation). The calling thread takes jobs too, and between its
// own jobs it alone calls back into the program (progress, the Escape test), so everything that
// reaches the user stays on the thread that asked for the work. A batch asked for while another
// runs (from a job, or from a second thread) runs on its caller alone.

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace gp {

class WorkerPool {
public:
    // `threads` counts the calling thread: 1 (or less) starts no worker at all.
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The threads a batch can use, the caller's included.
    int threadCount() const { return int(m_workers.size()) + 1; }

    // The machine's cores, at most `limit` and at least 1; an explicit count in the environment
    // variable GLIMMERPRESS_THREADS (1..64) wins, so a run can be compared on one thread.
    static int defaultThreadCount(int limit = 4);

    // Runs job(i) once for every i in 0..count-1, in any order over the threads. The calling
    // thread calls between(jobsDone) after each job it finished, and while it waits for the
    // workers' last jobs each time more have ended, so it reports at least once; when that
    // answers false no job is started any more. Returns when every started job has ended: true when all ran, false when
    // `between` answered false (even after the last job). An exception thrown by a job is thrown again here.
    bool run(int count, const std::function<void(int)>& job, const std::function<bool(int)>& between);

private:
    struct Batch {
        int count = 0;
        const std::function<void(int)>* job = nullptr;
        std::atomic<int> next { 0 };
        std::atomic<int> done { 0 };
        std::atomic<bool> stop { false };
        std::exception_ptr failure;
        std::mutex failureLock;
    };

    void workerLoop();
    void take(Batch& batch);
    void doneOne();

    std::vector<std::thread> m_workers;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    Batch* m_batch = nullptr;
    unsigned long m_generation = 0;
    int m_busyWorkers = 0;
    bool m_quit = false;
    std::atomic<bool> m_inUse { false };
};

} // namespace gp
