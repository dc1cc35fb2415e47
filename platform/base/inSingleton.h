#pragma once

#include "platform/base/inSingletonEx.h"

#include <memory>
#include <mutex>

namespace Zv {

// One instance of T, created by initialize() and deleted by destroy(); it is never re-created.
// T derives from InSingleton<T> and befriends it when its constructor is private.
template <class T>
class InSingleton {
public:
    enum State { NotInitialized = 0, INITIALIZED = 1, DESTROYED = 2 };

    static void initialize() {
        std::lock_guard<std::mutex> guard(mutex());
        if (state() == INITIALIZED)
            throw InSingletonEx::ExAlreadyInitialized(InSingletonEx::kInitializeWhenInitialized);
        if (state() == DESTROYED) throw InSingletonEx::ExAlreadyDestroyed(InSingletonEx::kInitializeWhenDestroyed);
        instance().reset(new T());
        state() = INITIALIZED;
    }

    static T& getInstance() {
        if (state() == NotInitialized) throw InSingletonEx::ExNotInitialized(InSingletonEx::kGetWhenNotInitialized);
        if (state() == DESTROYED) throw InSingletonEx::ExAlreadyDestroyed(InSingletonEx::kGetWhenDestroyed);
        return *instance();
    }

    static void destroy() {
        std::lock_guard<std::mutex> guard(mutex());
        if (state() == NotInitialized) throw InSingletonEx::ExNotInitialized(InSingletonEx::kDestroyWhenNotInitialized);
        if (state() == DESTROYED) throw InSingletonEx::ExAlreadyDestroyed(InSingletonEx::kDestroyWhenDestroyed);
        instance().reset();
        state() = DESTROYED;
    }

    static State getState() { return state(); }

protected:
    InSingleton() = default;

private:
    static State& state() {
        static State value = NotInitialized;
        return value;
    }
    static std::unique_ptr<T>& instance() {
        static std::unique_ptr<T> value;
        return value;
    }
    static std::mutex& mutex() {
        static std::mutex value;
        return value;
    }
};

} // namespace Zv
