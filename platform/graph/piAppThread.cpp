#include "platform/graph/piAppThread.h"

#include <atomic>
#include <thread>

namespace Zv {
namespace {

std::atomic<std::thread::id>& appThread() {
    static std::atomic<std::thread::id> id{};
    return id;
}

} // namespace

bool PiAppThread::isCurrent() {
    return appThread().load() == std::this_thread::get_id();
}

void PiAppThread::setCurrent() {
    appThread().store(std::this_thread::get_id());
}

void PiAppThread::claim() {
    std::thread::id none{};
    appThread().compare_exchange_strong(none, std::this_thread::get_id());
}

} // namespace Zv
