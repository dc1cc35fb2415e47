#include "tests/graph/graphFixture.h"

#include "platform/graph/omComponentsHint.h"
#include "platform/graph/omGraphHint.h"

#include <cxxabi.h>
#include <memory>

namespace Zv {

std::vector<std::string> HintRecorder::kinds(size_t batch) const {
    std::vector<std::string> names;
    for (const auto& hint : batches.at(batch).getContainer()) {
        int status = 0;
        std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(*hint).name(), nullptr, nullptr, &status),
                                                    std::free);
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

} // namespace Zv
