#include "platform/base/obSubject.h"

#include "platform/base/obHints.h"
#include "platform/base/obObserver.h"

#include <algorithm>

namespace Zv {

void ObSubject::attach(ObObserver* observer) {
    if (std::find(_observers.begin(), _observers.end(), observer) == _observers.end()) _observers.push_back(observer);
}

void ObSubject::detach(ObObserver* observer) {
    std::erase(_observers, observer);
}

void ObSubject::notify(const ObHints& hints) {
    std::vector<ObObserver*> snapshot = _observers;
    for (ObObserver* observer : snapshot)
        if (std::find(_observers.begin(), _observers.end(), observer) != _observers.end()) observer->update(hints);
}

} // namespace Zv
