#include "platform/graph/uiCompositionClient.h"

#include "platform/graph/uiComposition.h"

namespace Zv {

UiCompositionClient::UiCompositionClient(UiComposition& composition) : _composition(composition) {
    _composition.attachClient(this);
}

UiCompositionClient::~UiCompositionClient() {
    _composition.detachClient(this);
}

} // namespace Zv
