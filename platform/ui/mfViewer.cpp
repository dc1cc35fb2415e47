#include "platform/ui/mfViewer.h"

#include "platform/graph/snSelection.h"
#include "platform/ui/mfChainOfResponsibilityToolset.h"

namespace Zv {

MfViewer::MfViewer() = default;

MfViewer::~MfViewer() = default;

void MfViewer::setUserZoom(const GeVector2<float>& zoom) {
    _view.setUserZoom(zoom);
    markForUpdate();
}

void MfViewer::setUserPan(const GeVector2<float>& pan) {
    _view.setUserPan(pan);
    markForUpdate();
}

void MfViewer::setToolset(const RCShdPtr<MfChainOfResponsibilityToolset>& toolset) {
    _toolset = toolset;
}

std::unique_ptr<MfUndoScope> MfViewer::openUndoScope(const LiString&) {
    return nullptr;
}

} // namespace Zv
