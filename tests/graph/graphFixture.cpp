#include "tests/graph/graphFixture.h"

#include "platform/graph/omGraphHint.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piNodeAnchorUtils.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/snSelection.h"

#include <cxxabi.h>
#include <memory>

namespace Zv {

std::vector<std::string> HintRecorder::kinds(size_t batch) const {
    std::vector<std::string> names;
    for (const auto& hint : batches.at(batch).getContainer()) {
        int status = 0;
        std::unique_ptr<char, void (*)(void*)> name(
            abi::__cxa_demangle(typeid(*hint).name(), nullptr, nullptr, &status), std::free);
        std::string full = name ? name.get() : typeid(*hint).name();
        names.push_back(full.substr(full.rfind("::") + 2));
    }
    return names;
}

GraphTest::GraphTest() : _graph(PiGraph::create("Test")), _root(_graph->getRootGroup()) {
    _graph->attachObserver(&_hints);
}

GraphTest::~GraphTest() {
    _graph->detachObserver(&_hints);
}

RCStrongPtr<PiNode> GraphTest::add(const char* tool, const char* name, const RCStrongPtr<PiGroupNode>& group) {
    return _graph->createNode(tool, group.isNull() ? _root : group, name);
}

void GraphTest::buildSample() {
    auto read = add("Read", "Plate"), keyer = add("Keyer"), grade = add("ColorCorrect", "Grade");
    auto ramp = add("Ramp"), over = add("Over"), merge = add("Merge"), output = add("Output");
    _graph->connect(out(read), in(keyer));
    _graph->connect(out(read), in(grade));
    _graph->connect(out(keyer), in(grade, 1));
    _graph->connect(out(grade), in(over));
    _graph->connect(out(ramp), in(over, 1));
    _graph->connect(out(over), in(merge));
    _graph->connect(out(ramp), in(merge));
    _graph->connect(out(merge), in(output));
    PiSchematicInterfaceEx::setXYPosition(read, 0, 0);
    PiSchematicInterfaceEx::setXYPosition(grade, 0.1f, -70.5f);
    PiSchematicInterfaceEx::setNodeColor(grade, {1, 0.5f, 0.25f});
    PiSchematicInterfaceEx::enableThumbnail(read, true);
    PiImageModifier::setMuted(keyer, true);
    PiNodeAnchorUtils::addAnchor(over, {"Corner A", "Corner"});
    PiNodeUtils::setStoredValue(ramp, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN);
    auto group = rcCheckedCast<PiGroupNode>(add("Group", "Looks"));
    PiSchematicInterfaceEx::setVisualGroup(group, true);
    PiSchematicInterfaceEx::setVisualGroupLock(group, PiLockMode::Group);
    auto socket = _graph->addGroupSocket(group, "Src", false);
    auto result = _graph->addGroupSocket(group, "Out", true);
    auto blur = add("Blur", "Soft", group);
    _graph->connect(rcCheckedCast<PiOutput>(group->getBoundaryNode(*socket)->getInnerSocket()), in(blur));
    _graph->connect(out(blur), rcCheckedCast<PiInput>(group->getBoundaryNode(*result)->getInnerSocket()));
    _graph->connect(out(read), rcCheckedCast<PiInput>(socket));
    auto link = add("CompLink", "Shot");
    PiCompositionUtils::setLink(link, "shots/a.xml", PiComposition::FootageRole);
    _graph->getSelection()->replaceAll({PiSnItemUtil::create(grade), PiSnItemUtil::create(blur)});
}

std::string GraphTest::save() const {
    return PiCompositionFile::saveText(*_graph);
}

} // namespace Zv
