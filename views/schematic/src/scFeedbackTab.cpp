#include "views/schematic/src/scFeedbackTab.h"

#include "views/schematic/src/scDrawContext.h"

#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piNodeAnchorUtils.h"

namespace Zv {

ScFeedbackTab::ScFeedbackTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor,
                             const RCStrongPtr<PiNode>& node)
    : ScRoundedConnectionSet(start, end, anchor), _node(node), _keyframing(PiKeyframingUtil::getKeyframingUtil()) {}

ScFeedbackTab::~ScFeedbackTab() = default;

std::unique_ptr<ScConnectionSet> ScFeedbackTab::clone() const {
    return cloneFor(_node);
}

std::unique_ptr<ScConnectionSet> ScFeedbackTab::cloneFor(const RCStrongPtr<PiNode>& node) const {
    auto copy = std::make_unique<ScFeedbackTab>(getStartPosition(), getEndPosition(), getAnchorRBox(), node);
    copy->setNbConnections(getNbConnections());
    return copy;
}

int ScFeedbackTab::getTabColor(int tab) const {
    int k = 0;
    if (!_node.isNull() && _node->isLive()) {
        if (_keyframing.hasMarkedAttributes(*_node) && k++ == tab) return MarkedAnimationTab;
        if (PiNodeAnchorUtils::hasAnchors(*_node) && k++ == tab) return AnchorTab;
    }
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
