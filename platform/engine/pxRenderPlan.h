#pragma once

#include "platform/engine/pxTimeInfo.h"
#include "platform/engine/pxValidityInterval.h"

#include <OpenImageIO/imagebuf.h>

#include <functional>
#include <string>
#include <vector>

namespace Zv {

class PiNode;

// What one computation needs to know besides its plan.
struct PxRenderContext {
    int width = 0;
    int height = 0;
    PxTimeInfo time;
    // Asked between steps; a cancelled computation stops early.
    std::function<bool()> isCancelled;
};

// A snapshot of the work behind one image: the steps of the nodes upstream, each with its
// parameters copied out of the graph, in an order where every step comes after its inputs.
// Built on the application thread; computed on any thread without touching the graph.
class PxRenderPlan {
public:
    // Images of a step's inputs, in the node's input order; null for an unconnected input.
    using Inputs = std::vector<const OIIO::ImageBuf*>;
    // Makes a step's image: RGBA floats, premultiplied, at the context's size. Throws what went wrong.
    using Kernel = std::function<void(const Inputs&, OIIO::ImageBuf&, const PxRenderContext&)>;

    // The steps that compute what producer makes; without a producer, the image is empty.
    static PxRenderPlan build(const PiNode* producer);
    // A plan that reports the reason instead of computing.
    static PxRenderPlan broken(std::string reason);

    bool isTimeDependent() const { return _timeDependent; }
    // The times that give the same image as the given one.
    PxValidityInterval getValidity(const PxTimeInfo& time) const;
    // Computes the image; false with the reason when it cannot be (or was cancelled).
    bool compute(const PxRenderContext& context, OIIO::ImageBuf& image, std::string& reason) const;

    int getNbSteps() const { return static_cast<int>(_steps.size()); }

private:
    struct Step {
        std::string where; // names the node in messages
        Kernel kernel;
        std::vector<int> inputs; // step indices, -1 for unconnected
        std::string fault;       // why the step cannot be computed, when it cannot
        int lastUse = -1;        // the last step reading this one's image
    };

    std::vector<Step> _steps;
    std::string _fault;
    bool _timeDependent = false;
};

} // namespace Zv
