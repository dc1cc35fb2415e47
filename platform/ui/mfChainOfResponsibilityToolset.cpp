#include "platform/ui/mfChainOfResponsibilityToolset.h"

#include "platform/base/assertions.h"
#include "platform/ui/evPointerMoveEvent.h"
#include "platform/ui/uiApplication.h"

namespace Zv {

MfChainOfResponsibilityToolset::~MfChainOfResponsibilityToolset() = default;

void MfChainOfResponsibilityToolset::setCurrentTool(const LiString& name) {
    const int index = find(name);
    ZV_ASSERT(index >= 0);
    _current = index;
}

int MfChainOfResponsibilityToolset::find(const LiString& name) const {
    for (size_t i = 0; i < _tools.size(); ++i)
        if (_tools[i].first == name) return static_cast<int>(i);
    return -1;
}

RCShdPtr<MfTool> MfChainOfResponsibilityToolset::getCurrentTool() const {
    return _current < 0 ? RCShdPtr<MfTool>() : _tools[_current].second;
}

LiString MfChainOfResponsibilityToolset::getCurrentToolName() const {
    return _current < 0 ? LiString() : _tools[_current].first;
}

bool MfChainOfResponsibilityToolset::handleEvent(EvEvent& event) {
    // Tools may rebuild the chain while handling; the tool at work is kept alive meanwhile.
    RCShdPtr<MfTool> current = getCurrentTool();
    bool taken = false;
    if (!current.isNull() && current->isManipulating()) {
        taken = current->handleEvent(event);
    } else {
        for (size_t i = 0; i < _tools.size() && !taken; ++i) {
            RCShdPtr<MfTool> tool = _tools[i].second;
            if (!tool->handleEvent(event)) continue;
            taken = true;
            const bool stillThere = i < _tools.size() && _tools[i].second == tool;
            _current = stillThere ? static_cast<int>(i) : -1;
        }
        auto* move = dynamic_cast<EvPointerMoveEvent*>(&event);
        for (size_t i = 0; move && !taken && i < _tools.size(); ++i) {
            RCShdPtr<MfTool> tool = _tools[i].second;
            taken = tool->handleFeedback(*move);
        }
    }
    updateCursor();
    return taken;
}

void MfChainOfResponsibilityToolset::updateCursor() const {
    if (!UiApplication::exists()) return;
    RCShdPtr<MfTool> current = getCurrentTool();
    UiApplication::getInstance().setWidgetCursor(current.isNull() ? RCShdPtr<WsCursor>() : current->getCursor());
}

void MfChainOfResponsibilityToolset::draw() {
    for (const auto& [name, tool] : _tools) tool->draw(_viewer);
}

void MfChainOfResponsibilityToolset::drawDecorations() {
    for (const auto& [name, tool] : _tools) tool->drawDecorations(_viewer);
}

void MfChainOfResponsibilityToolset::selectionUpdate() {
    for (const auto& [name, tool] : _tools) tool->selectionUpdate();
}

void MfChainOfResponsibilityToolset::appendTool(const LiString& name, const RCShdPtr<MfTool>& tool) {
    ZV_ASSERT(!tool.isNull());
    _tools.emplace_back(name, tool);
}

void MfChainOfResponsibilityToolset::removeTool(const LiString& name) {
    const int index = find(name);
    if (index < 0) return;
    _tools.erase(_tools.begin() + index);
    if (_current == index) _current = -1;
    else if (_current > index) --_current;
}

void MfChainOfResponsibilityToolset::removeAllTools() {
    _tools.clear();
    _current = -1;
}

} // namespace Zv
