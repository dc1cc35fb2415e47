#include "platform/graph/uiCompositionClient.h"

#include "platform/graph/uiComposition.h"

namespace Zv {
namespace {

int gNbContextPoints = 4;

} // namespace

int UiCompositionClient::getNbContextPoints() {
    return gNbContextPoints;
}

void UiCompositionClient::setNbContextPoints(int count) {
    gNbContextPoints = count < 0 ? 0 : count;
}

UiCompositionClient::UiCompositionClient(UiComposition& composition) : _composition(composition) {
    _composition.attachClient(this);
}

UiCompositionClient::~UiCompositionClient() {
    _composition.detachClient(this);
}

} // namespace Zv
