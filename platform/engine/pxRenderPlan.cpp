#include "platform/engine/pxRenderPlan.h"

#include "platform/engine/pxTools.h"
#include "platform/engine/pxUpstream.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piTool.h"

#include <OpenImageIO/imagebufalgo.h>

#include <cmath>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace Zv {
namespace {

std::string describe(const PiNode& node) {
    return node.getToolRef().getToolName().str() + " \"" + node.getName().str() + "\"";
}

// Thumbnails run one per worker: the workers already use the cores, so each computation stays on
// its own thread. Set from the application thread before any computation starts, since setting
// it sets up the library's thread pool.
void useOneThreadPerImage() {
    static std::once_flag once;
    std::call_once(once, [] { OIIO::attribute("threads", 1); });
}

} // namespace

PxRenderPlan PxRenderPlan::build(const PiNode* producer) {
    useOneThreadPerImage();
    PxRenderPlan plan;
    if (!producer) return plan;
    std::unordered_map<const PiNode*, int> stepOf;
    // Depth first with an explicit stack, so that chains of any length build; a node is expanded
    // once and becomes a step after all its sources.
    std::vector<std::pair<const PiNode*, bool>> stack{{producer, false}};
    std::vector<const PiInput*> inputs;
    while (!stack.empty()) {
        auto [node, expanded] = stack.back();
        stack.pop_back();
        if (stepOf.count(node)) continue;
        PxUpstream::getImageInputs(*node, inputs);
        if (!expanded) {
            stack.push_back({node, true});
            for (auto input = inputs.rbegin(); input != inputs.rend(); ++input)
                if (const PiOutput* source = PxUpstream::resolve((*input)->getOutput().get()))
                    if (!stepOf.count(source->getNodePtr())) stack.push_back({source->getNodePtr(), false});
            continue;
        }
        Step step;
        step.where = describe(*node);
        for (const PiInput* input : inputs) {
            const PiOutput* source = PxUpstream::resolve(input->getOutput().get());
            step.inputs.push_back(source ? stepOf.at(source->getNodePtr()) : -1);
        }
        try {
            bool timeDependent = false;
            step.kernel = PxTools::prepare(*node, timeDependent);
            plan._timeDependent = plan._timeDependent || timeDependent;
        } catch (const PxToolError& error) {
            step.fault = error.what();
        }
        int index = static_cast<int>(plan._steps.size());
        for (int input : step.inputs)
            if (input >= 0) plan._steps[input].lastUse = index;
        stepOf[node] = index;
        plan._steps.push_back(std::move(step));
    }
    return plan;
}

PxRenderPlan PxRenderPlan::broken(std::string reason) {
    PxRenderPlan plan;
    plan._fault = std::move(reason);
    return plan;
}

PxValidityInterval PxRenderPlan::getValidity(const PxTimeInfo& time) const {
    if (!_timeDependent) return PxValidityInterval::always();
    double frame = time.getFrame();
    return {frame - 0.5, frame + 0.5};
}

bool PxRenderPlan::compute(const PxRenderContext& context, OIIO::ImageBuf& image, std::string& reason) const {
    if (!_fault.empty()) {
        reason = _fault;
        return false;
    }
    OIIO::ImageSpec spec(context.width, context.height, 4, OIIO::TypeDesc::FLOAT);
    if (_steps.empty()) {
        image.reset(spec);
        OIIO::ImageBufAlgo::zero(image);
        return true;
    }
    std::vector<OIIO::ImageBuf> images(_steps.size());
    Inputs inputs;
    for (size_t i = 0; i < _steps.size(); ++i) {
        const Step& step = _steps[i];
        if (context.isCancelled && context.isCancelled()) {
            reason = "cancelled";
            return false;
        }
        if (!step.fault.empty()) {
            reason = step.where + ": " + step.fault;
            return false;
        }
        inputs.clear();
        for (int input : step.inputs) inputs.push_back(input >= 0 ? &images[input] : nullptr);
        try {
            step.kernel(inputs, images[i], context);
        } catch (const std::exception& error) {
            reason = step.where + ": " + error.what();
            return false;
        }
        // Images nobody reads any more are dropped, so long chains keep few of them.
        for (int input : step.inputs)
            if (input >= 0 && _steps[input].lastUse == static_cast<int>(i)) images[input].clear();
    }
    image = std::move(images.back());
    return true;
}

} // namespace Zv
