#pragma once

#include "platform/base/rcBase.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace Zv {

// One piece of work for the image engine. The application thread builds and submits it; the request
// manager runs it (on a worker thread, or at once for requests that change application-side state)
// and hands the result over through completeExecution, unless it was cancelled or released first.
class PxRequest : public RCBase {
public:
    enum Type { ImageTiles, InvalidateCb };
    enum State { Created, Queued, Running, Completed, Cancelled };

    ~PxRequest() override = default;

    virtual Type getRequestType() const = 0;
    // Higher levels run first; equal levels in submission order.
    virtual int getPriorityLevel() const { return 0; }

    // What running the request cost, on the thread that ran it; zero until it ran.
    struct Statistics {
        double wallSeconds = 0;
        double cpuSeconds = 0;
    };

    State getState() const { return _state.load(); }
    bool isCancelled() const { return getState() == Cancelled; }
    bool isReleased() const { return _released.load(); }
    // Read after the hand-over (or once the manager is idle).
    const Statistics& getStatistics() const { return _statistics; }

protected:
    // Application thread, at submit: takes from the graph what the work needs, so the worker never
    // reads the live graph.
    virtual void prepare() {}
    virtual void performExecute() = 0;
    // Hands the result over. Never called once the request is cancelled or released.
    virtual void completeExecution() = 0;
    // After the work, whether or not it was handed over: drops working data.
    virtual void postExecute() {}
    // For a request cancelled before it ran.
    virtual void performCleanUp() {}
    // The work threw: the request reports why instead of a result.
    virtual void executionFailed(const std::string& reason) {}
    // Requests that touch application-side state run at submit, on the submitting thread.
    virtual bool runsOnSubmit() const { return false; }

private:
    friend class PxRequestMgr;

    std::atomic<State> _state{Created};
    std::atomic<bool> _released{false};
    // Held while the result is handed over, so that once cancel returns no hand-over starts.
    std::mutex _completionMutex;
    uint64_t _sequence = 0;
    Statistics _statistics;
};

} // namespace Zv
