#include "platform/graph/piToolRegistry.h"

#include <algorithm>

namespace Zv {
namespace {

using Desc = PiSocketDesc;

Desc image(const char* name, int channels = Desc::RGBA) {
    return {name, Desc::Image, channels, false};
}
Desc anyImage(const char* name) {
    return image(name, Desc::Any);
}
Desc mask(const char* name) {
    return {name, Desc::Mask, Desc::Alpha, false};
}

} // namespace

PiToolRegistry::PiToolRegistry() {
    auto add = [this](const char* name, PiTool::Kind kind, std::vector<Desc> inputs, std::vector<Desc> outputs) {
        _tools.push_back(makeRC<PiTool>(name, 1, kind, std::move(inputs), std::move(outputs)));
    };
    for (const char* source : {"Constant", "Checker", "Ramp", "Read"})
        add(source, PiTool::Source, {}, {image("Result")});
    for (const char* filter : {"Blur", "Invert", "Transform"})
        add(filter, PiTool::Modifier, {anyImage("Input")}, {image("Result")});
    add("ColorCorrect", PiTool::Modifier, {anyImage("Input"), mask("Mask")}, {image("Result")});
    add("Keyer", PiTool::Modifier, {anyImage("Input")}, {image("Matte", Desc::Alpha)});
    add("Over", PiTool::Modifier, {anyImage("Front"), anyImage("Back"), mask("Mask")}, {image("Result")});
    add("Merge", PiTool::Modifier, {{"Inputs", Desc::Image, Desc::Any, true}}, {image("Result")});
    add("Output", PiTool::Output, {anyImage("Input")}, {});
    add("Expression", PiTool::Parameter, {}, {{"Value", Desc::Number, Desc::Any, false}});
    add("Group", PiTool::Group, {}, {});
    add(kGroupInputTool, PiTool::Boundary, {}, {});
    add(kGroupOutputTool, PiTool::Boundary, {}, {});
    add("CompLink", PiTool::Link, {}, {image("Result")});
}

const PiToolRegistry& PiToolRegistry::getInstance() {
    static const PiToolRegistry instance;
    return instance;
}

RCStrongPtr<PiTool> PiToolRegistry::find(const LiString& name) const {
    auto found = std::find_if(_tools.begin(), _tools.end(),
                              [&](const RCStrongPtr<PiTool>& tool) { return tool->getToolName() == name; });
    return found == _tools.end() ? RCStrongPtr<PiTool>() : *found;
}

} // namespace Zv
