#pragma once

#include <QtGlobal>

#include <functional>

// Runs a loop over many independent items (the cells of a slice raster, the
// nodes of a model) across threads. Each item is handed out once; the caller
// keeps per-worker state indexed by the worker number, so the result does
// not depend on how the items were shared out.
class ParallelLoop
{
public:
    using CellFunction = std::function<void(int worker, qint64 cell)>;
    using CancelFunction = std::function<bool()>;
    using ProgressFunction = std::function<void(int percent)>;

    // One worker per core, at least 1.
    static int idealWorkerCount();
    // Workers for total cells: threads < 1 means every core; at least 1.
    static int workerCount(int threads, qint64 total);

    // Calls cell(worker, c) for c in 0 .. total - 1 on workers threads, the
    // calling thread being worker 0. cancelled() is asked before every cell.
    // progress() is called on the calling thread, in order, with each new
    // whole percent of the cells done, and with 100 at the end of a run that
    // was not cancelled. Returns false when cancelled. An exception thrown
    // by a cell stops the run and is rethrown here.
    static bool run(qint64 total, int workers, const CellFunction& cell, const CancelFunction& cancelled,
                    const ProgressFunction& progress);
};
