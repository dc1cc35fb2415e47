#include "views/schematic/src/scFeedbackTab.h"

#include "views/schematic/src/scDrawContext.h"

#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piNodeAnchorUtils.h"

namespace Zv {

std::unique_ptr<ScConnectionSet> ScFeedbackTab::clone() const {
    auto copy = std::make_unique<ScFeedbackTab>(getStartPosition(), getEndPosition(), getAnchorRBox());
    copy->setNbConnections(getNbConnections());
    return copy;
}

void ScFeedbackTab::reportOn(const PiNode* node) {
    const bool live = node && node->isLive();
    _marked = live && PiKeyframingUtil::hasMarkedAttributes(*node);
    _anchored = live && PiNodeAnchorUtils::hasAnchors(*node);
}

int ScFeedbackTab::getTabColor(int tab) const {
    int k = 0;
    if (_marked && k++ == tab) return MarkedAnimationTab;
    if (_anchored && k++ == tab) return AnchorTab;
    return Tabs;
}

void ScFeedbackTab::hideInnerCaps() const {
    const int n = getNbConnections();
    for (int j = 0; j < n; ++j) getDrawnTab(j).setCapsHidden(j != 0, j != n - 1);
}

void ScFeedbackTab::draw(ScDrawContext& ctx, float alpha) const {
    update();
    ctx.setState(ScDrawContext::Plain);
    hideInnerCaps();
    for (int j = 0; j < getNbConnections(); ++j) {
        ScBasicTab& tab = getDrawnTab(j);
        tab.setColorIndex(getTabColor(j));
        tab.draw(ctx, alpha);
    }
}

void ScFeedbackTab::drawOutline(ScDrawContext& ctx) const {
    update();
    hideInnerCaps();
    ScRoundedConnectionSet::drawOutline(ctx);
}

} // namespace Zv
