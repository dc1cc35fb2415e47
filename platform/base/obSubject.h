#pragma once

#include <cstddef>
#include <vector>

namespace Zv {

class ObObserver;
class ObHints;

// Sends hint batches to its observers in attachment order. Observers may detach during a notice.
class ObSubject {
public:
    void attach(ObObserver* observer);
    void detach(ObObserver* observer);
    void notify(const ObHints& hints);
    size_t getNbObservers() const { return _observers.size(); }

private:
    std::vector<ObObserver*> _observers;
};

} // namespace Zv
