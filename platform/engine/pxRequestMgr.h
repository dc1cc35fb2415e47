#pragma once

#include "platform/base/rcStrongPtr.h"
#include "platform/engine/pxRequest.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace Zv {

// Runs the image engine's requests on a small pool of worker threads. Submit, cancel and release
// are called on the application thread; results come back through each request's completion, on
// the worker that computed it.
class PxRequestMgr {
public:
    static PxRequestMgr& getInstance();
    ~PxRequestMgr();
    PxRequestMgr(const PxRequestMgr&) = delete;
    PxRequestMgr& operator=(const PxRequestMgr&) = delete;

    // Prepares the request here and queues it (or runs it here, for requests that run on submit).
    void submit(const RCStrongPtr<PxRequest>& request);
    // Stops the request: a queued one never runs, a running one is not handed over. Once cancel
    // returns, no completion of the request starts.
    void cancel(const RCStrongPtr<PxRequest>& request);
    // The submitter gives the request up: it is cancelled unless already handed over.
    void release(const RCStrongPtr<PxRequest>& request);

    bool isWorkerThreadCurrent() const;
    // Requests queued or running.
    int getNbInFlight() const;
    // Waits at most that long for no request to be in flight; reports whether none is.
    bool waitUntilIdle(double seconds) const;

private:
    PxRequestMgr();
    void startWorkers();
    void workerLoop();
    void run(const RCStrongPtr<PxRequest>& request);
    void finished(bool wasRunning);

    // Ordered by descending priority, then submission.
    using QueueKey = std::pair<int, uint64_t>;
    mutable std::mutex _mutex;
    std::condition_variable _wakeWorker;
    mutable std::condition_variable _idle;
    std::map<QueueKey, RCStrongPtr<PxRequest>> _queue;
    int _nbRunning = 0;
    uint64_t _nextSequence = 0;
    bool _stopping = false;
    std::vector<std::thread> _workers;
};

} // namespace Zv
