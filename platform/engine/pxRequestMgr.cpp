#include "platform/engine/pxRequestMgr.h"

#include "platform/base/assertions.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <exception>

namespace Zv {
namespace {

thread_local bool tIsWorker = false;

double getThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

// Thumbnails are small: a couple of workers keep the machine's other work going.
int getNbWorkers() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 2u));
}

} // namespace

PxRequestMgr& PxRequestMgr::getInstance() {
    static PxRequestMgr instance;
    return instance;
}

PxRequestMgr::PxRequestMgr() = default;

PxRequestMgr::~PxRequestMgr() {
    {
        std::lock_guard lock(_mutex);
        _stopping = true;
    }
    _wakeWorker.notify_all();
    for (std::thread& worker : _workers) worker.join();
}

bool PxRequestMgr::isWorkerThreadCurrent() const {
    return tIsWorker;
}

void PxRequestMgr::submit(const RCStrongPtr<PxRequest>& request) {
    ZV_ASSERT(!isWorkerThreadCurrent());
    ZV_ASSERT(request->getState() == PxRequest::Created);
    request->prepare();
    if (request->runsOnSubmit()) {
        request->_state = PxRequest::Running;
        run(request);
        return;
    }
    {
        std::lock_guard lock(_mutex);
        if (_workers.empty()) startWorkers();
        request->_sequence = _nextSequence++;
        request->_state = PxRequest::Queued;
        _queue.emplace(QueueKey{-request->getPriorityLevel(), request->_sequence}, request);
    }
    _wakeWorker.notify_one();
}

void PxRequestMgr::cancel(const RCStrongPtr<PxRequest>& request) {
    bool wasQueued = false;
    {
        std::lock_guard lock(_mutex);
        auto found = _queue.find({-request->getPriorityLevel(), request->_sequence});
        wasQueued = found != _queue.end() && found->second == request;
        if (wasQueued) _queue.erase(found);
    }
    {
        std::lock_guard handOver(request->_completionMutex);
        PxRequest::State state = request->getState();
        if (state == PxRequest::Queued || state == PxRequest::Running) request->_state = PxRequest::Cancelled;
    }
    if (!wasQueued) return;
    request->performCleanUp();
    finished(false);
}

void PxRequestMgr::release(const RCStrongPtr<PxRequest>& request) {
    request->_released = true;
    cancel(request);
}

int PxRequestMgr::getNbInFlight() const {
    std::lock_guard lock(_mutex);
    return static_cast<int>(_queue.size()) + _nbRunning;
}

bool PxRequestMgr::waitUntilIdle(double seconds) const {
    std::unique_lock lock(_mutex);
    return _idle.wait_for(lock, std::chrono::duration<double>(seconds),
                          [this] { return _queue.empty() && _nbRunning == 0; });
}

void PxRequestMgr::startWorkers() {
    for (int i = 0; i < getNbWorkers(); ++i) _workers.emplace_back([this] { workerLoop(); });
}

void PxRequestMgr::workerLoop() {
    tIsWorker = true;
    for (;;) {
        RCStrongPtr<PxRequest> request;
        {
            std::unique_lock lock(_mutex);
            _wakeWorker.wait(lock, [this] { return _stopping || !_queue.empty(); });
            if (_stopping) return;
            request = std::move(_queue.begin()->second);
            _queue.erase(_queue.begin());
            ++_nbRunning;
            PxRequest::State queued = PxRequest::Queued;
            request->_state.compare_exchange_strong(queued, PxRequest::Running);
        }
        run(request);
        request.reset();
        finished(true);
    }
}

void PxRequestMgr::run(const RCStrongPtr<PxRequest>& request) {
    if (!request->isCancelled()) {
        auto wallStart = std::chrono::steady_clock::now();
        double cpuStart = getThreadCpuSeconds();
        try {
            request->performExecute();
        } catch (const std::exception& failure) {
            request->executionFailed(failure.what());
        }
        request->_statistics.cpuSeconds = getThreadCpuSeconds() - cpuStart;
        request->_statistics.wallSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    }
    {
        std::lock_guard handOver(request->_completionMutex);
        if (request->getState() == PxRequest::Running && !request->isReleased()) {
            request->completeExecution();
            request->_state = PxRequest::Completed;
        }
    }
    request->postExecute();
}

void PxRequestMgr::finished(bool wasRunning) {
    std::lock_guard lock(_mutex);
    if (wasRunning) --_nbRunning;
    if (_queue.empty() && _nbRunning == 0) _idle.notify_all();
}

} // namespace Zv
