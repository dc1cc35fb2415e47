#pragma once

namespace Zv {

class ObHints;

// Receives the hint batches of the subjects it is attached to.
class ObObserver {
public:
    virtual ~ObObserver() = default;
    virtual void update(const ObHints& hints) = 0;
};

} // namespace Zv
