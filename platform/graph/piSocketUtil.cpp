#include "platform/graph/piSocketUtil.h"

#include <algorithm>

namespace Zv {
namespace {

template <class T>
RCStrongPtr<T> named(const std::vector<RCStrongPtr<T>>& sockets, const LiString& name) {
    auto found = std::find_if(sockets.begin(), sockets.end(), [&](const auto& s) { return s->getName() == name; });
    return found == sockets.end() ? RCStrongPtr<T>() : *found;
}

} // namespace

RCStrongPtr<PiInput> PiSocketUtil::getPrimaryInput(const PiNode& node) {
    return node.getNbInputs() > 0 ? node.getInput(0) : RCStrongPtr<PiInput>();
}

RCStrongPtr<PiOutput> PiSocketUtil::getPrimaryOutput(const PiNode& node) {
    return node.getNbOutputs() > 0 ? node.getOutput(0) : RCStrongPtr<PiOutput>();
}

RCStrongPtr<PiInput> PiSocketUtil::getInput(const PiNode& node, const LiString& name) {
    return named(node.getInputs(), name);
}

RCStrongPtr<PiOutput> PiSocketUtil::getOutput(const PiNode& node, const LiString& name) {
    return named(node.getOutputs(), name);
}

} // namespace Zv
