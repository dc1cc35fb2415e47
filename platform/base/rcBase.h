#pragma once

#include <atomic>

namespace Zv {

class RCBase;

// Shared by an object and its weak handles; outlives the object while weak handles remain.
class RCWeakControl {
public:
    explicit RCWeakControl(RCBase* object) : _object(object) {}

    // A strong reference to the object if it is still alive, else null (reference already taken).
    RCBase* acquire();
    void detach();
    void addWeak() { _weakCount.fetch_add(1, std::memory_order_relaxed); }
    void releaseWeak();
    bool isAlive();

private:
    void lock();
    void unlock() { _busy.clear(std::memory_order_release); }

    std::atomic_flag _busy = ATOMIC_FLAG_INIT;
    RCBase* _object;
    std::atomic<int> _weakCount{1}; // the object's own reference
};

// Intrusive reference count of every shared object; the weak control block is made on first use.
class RCBase {
public:
    RCBase() = default;
    RCBase(const RCBase&) : RCBase() {}
    RCBase& operator=(const RCBase&) { return *this; }
    virtual ~RCBase();

    void addRef() const { _refCount.fetch_add(1, std::memory_order_relaxed); }
    void release() const;
    int getRefCount() const { return _refCount.load(std::memory_order_relaxed); }

    // Increments the count unless it already reached zero.
    bool tryAddRef() const;
    RCWeakControl* getWeakControl() const;

private:
    mutable std::atomic<int> _refCount{0};
    mutable std::atomic<RCWeakControl*> _weakControl{nullptr};
};

} // namespace Zv
