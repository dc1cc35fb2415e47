#pragma once

#include "views/schematic/src/scEdge.h"

namespace Zv {

class PiInput;
class PiOutput;

// A scene edge that knows the connection it stands for.
class SvModelEdge : public ScEdge {
public:
    SvModelEdge(const RCStrongPtr<ScNode>& source, int sourceTab, int sourceFan, const RCStrongPtr<ScNode>& target,
                int targetTab, int targetFan, int tag, const RCStrongPtr<PiOutput>& output,
                const RCStrongPtr<PiInput>& input);
    ~SvModelEdge() override;
    // True while both ends of the connection are in the graph.
    bool isValid() const override;
    RCStrongPtr<PiOutput> getSourceOutput() const override;
    RCStrongPtr<PiInput> getTargetInput() const override;
    const RCStrongPtr<PiOutput>& getOutput() const { return _output; }
    const RCStrongPtr<PiInput>& getInput() const { return _input; }

private:
    RCStrongPtr<PiOutput> _output;
    RCStrongPtr<PiInput> _input;
};

} // namespace Zv
