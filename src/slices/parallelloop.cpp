#include "slices/parallelloop.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace {

// Cells handed to a worker at a time: small enough to balance the end of a
// run, large enough to keep the shared counters cold.
constexpr qint64 chunkSize = 16;

} // namespace

int ParallelLoop::idealWorkerCount()
{
    return std::max(1, int(std::thread::hardware_concurrency()));
}

int ParallelLoop::workerCount(int threads, qint64 total)
{
    const qint64 wanted = threads < 1 ? idealWorkerCount() : threads;
    const qint64 chunks = (total + chunkSize - 1) / chunkSize;
    return int(std::max<qint64>(1, std::min(wanted, chunks)));
}

bool ParallelLoop::run(qint64 total, int workers, const CellFunction& cell, const CancelFunction& cancelled,
                        const ProgressFunction& progress)
{
    std::atomic<qint64> next{0};
    std::atomic<qint64> done{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> wasCancelled{false};
    std::exception_ptr failure;
    std::atomic_flag failureTaken = ATOMIC_FLAG_INIT;

    qint64 reported = 0;
    int lastPercent = -1;
    // Every whole percent a cell-by-cell count would pass through, once.
    auto report = [&](qint64 upTo) {
        for (qint64 d = reported + 1; d <= upTo; ++d) {
            const int percent = qRound(double(d) * (100.0 / double(total)));
            if (percent != lastPercent) {
                lastPercent = percent;
                if (progress)
                    progress(percent);
            }
        }
        reported = std::max(reported, upTo);
    };

    auto work = [&](int worker) {
        try {
            while (!stop.load(std::memory_order_relaxed)) {
                const qint64 begin = next.fetch_add(chunkSize, std::memory_order_relaxed);
                if (begin >= total)
                    return;
                const qint64 end = std::min(total, begin + chunkSize);
                for (qint64 c = begin; c < end; ++c) {
                    if (stop.load(std::memory_order_relaxed))
                        return;
                    if (cancelled && cancelled()) {
                        wasCancelled = true;
                        stop = true;
                        return;
                    }
                    cell(worker, c);
                }
                const qint64 now = done.fetch_add(end - begin, std::memory_order_acq_rel) + (end - begin);
                if (worker == 0)
                    report(now);
            }
        } catch (...) {
            stop = true;
            if (!failureTaken.test_and_set())
                failure = std::current_exception();
        }
    };

    std::vector<std::thread> pool;
    if (workers > 1) {
        pool.reserve(std::size_t(workers - 1));
        try {
            for (int w = 1; w < workers; ++w)
                pool.emplace_back(work, w);
        } catch (...) {
            // The workers that did start share all the cells.
        }
    }
    work(0);
    for (std::thread& thread : pool)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
    if (wasCancelled)
        return false;
    report(total);
    return true;
}
