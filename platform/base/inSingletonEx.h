#pragma once

#include "platform/base/exBase.h"

namespace Zv {

// Failures of the singleton life cycle; reported from the pattern's own source.
class InSingletonEx {
public:
    class ExAlreadyInitialized : public ExBase {
    public:
        explicit ExAlreadyInitialized(int line) : ExBase(kSource, line, "singleton already initialized") {}
    };
    class ExAlreadyDestroyed : public ExBase {
    public:
        explicit ExAlreadyDestroyed(int line) : ExBase(kSource, line, "singleton already destroyed") {}
    };
    class ExNotInitialized : public ExBase {
    public:
        explicit ExNotInitialized(int line) : ExBase(kSource, line, "singleton not initialized") {}
    };

    static constexpr const char* kSource = "inSingleton.imp";
    // Lines of the pattern's checks, as reported in the exceptions above.
    static constexpr int kInitializeWhenInitialized = 60;
    static constexpr int kInitializeWhenDestroyed = 65;
    static constexpr int kGetWhenNotInitialized = 72;
    static constexpr int kGetWhenDestroyed = 76;
    static constexpr int kDestroyWhenNotInitialized = 83;
    static constexpr int kDestroyWhenDestroyed = 88;
};

} // namespace Zv
