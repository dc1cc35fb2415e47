#pragma once

#include "platform/graph/piSnItem.h"

namespace Zv {

class UiComposition;

// Something that follows a composition: hears when it is renamed and when its context points move.
class UiCompositionClient {
public:
    // Context points are numbered from 0 to this count - 1 (users see 1 to the count); each names at
    // most one node. The host sets the count from the user's settings before it makes compositions.
    static int getNbContextPoints();
    static void setNbContextPoints(int count);

    explicit UiCompositionClient(UiComposition& composition);
    virtual ~UiCompositionClient();
    UiCompositionClient(const UiCompositionClient&) = delete;
    UiCompositionClient& operator=(const UiCompositionClient&) = delete;

    UiComposition& getComposition() const { return _composition; }

    virtual void compositionRenamed() {}
    // Either item may be null.
    virtual void contextPointChanged(int tag, const RCStrongPtr<PiSnItem<PiNode>>& oldNode,
                                     const RCStrongPtr<PiSnItem<PiNode>>& newNode) {}

private:
    UiComposition& _composition;
};

} // namespace Zv
