#pragma once

namespace Zv {

// The application thread: the one that made the first graph, unless one was named explicitly.
class PiAppThread {
public:
    static bool isCurrent();
    // Makes the calling thread the application thread.
    static void setCurrent();
    // Makes the calling thread the application thread when there is none yet.
    static void claim();
};

} // namespace Zv
