#include "platform/engine/pxUpstream.h"

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piMultivaluedInput.h"

namespace Zv {

const PiOutput* PxUpstream::resolve(const PiOutput* output, std::vector<const PiNode*>* passed) {
    while (output) {
        const PiNode* node = output->getNodePtr();
        const PiInput* next = nullptr;
        if (auto* group = dynamic_cast<const PiGroupNode*>(node)) {
            RCStrongPtr<PiBoundaryNode> boundary = group->getBoundaryNode(*output);
            if (!boundary) return nullptr;
            next = dynamic_cast<const PiInput*>(boundary->getInnerSocket().get());
        } else if (auto* boundary = dynamic_cast<const PiBoundaryNode*>(node)) {
            next = dynamic_cast<const PiInput*>(boundary->getGroupSocket().get());
        } else {
            return output;
        }
        if (passed) passed->push_back(node);
        if (passed && next) passed->push_back(next->getNodePtr());
        output = next && next->isConnected() ? next->getOutput().get() : nullptr;
    }
    return nullptr;
}

void PxUpstream::getImageInputs(const PiNode& node, std::vector<const PiInput*>& inputs) {
    inputs.clear();
    for (const RCStrongPtr<PiInput>& input : node.getInputs()) {
        if (input->getSocketTypeIndex() < PiSocketDesc::Image) continue;
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get())) {
            for (const RCStrongPtr<PiInput>& value : multi->getValues()) inputs.push_back(value.get());
        } else {
            inputs.push_back(input.get());
        }
    }
}

bool PxUpstream::dependsOn(const PiNode& root, const std::unordered_set<int>& nodeIds) {
    std::vector<const PiNode*> stack{&root};
    std::unordered_set<const PiNode*> seen{&root};
    std::vector<const PiInput*> inputs;
    std::vector<const PiNode*> passed;
    while (!stack.empty()) {
        const PiNode* node = stack.back();
        stack.pop_back();
        if (nodeIds.count(node->getId())) return true;
        getImageInputs(*node, inputs);
        for (const PiInput* input : inputs) {
            passed.clear();
            const PiOutput* source = resolve(input->getOutput().get(), &passed);
            for (const PiNode* through : passed)
                if (nodeIds.count(through->getId())) return true;
            if (source && seen.insert(source->getNodePtr()).second) stack.push_back(source->getNodePtr());
        }
    }
    return false;
}

} // namespace Zv
