#include "platform/graph/piTool.h"

#include <algorithm>

namespace Zv {
namespace {

int indexOf(const std::vector<PiSocketDesc>& sockets, const LiString& name) {
    auto found = std::find_if(sockets.begin(), sockets.end(), [&](const PiSocketDesc& s) { return s.name == name; });
    return found == sockets.end() ? -1 : static_cast<int>(found - sockets.begin());
}

} // namespace

PiTool::PiTool(LiString name, int version, Kind kind, std::vector<PiSocketDesc> inputs,
               std::vector<PiSocketDesc> outputs)
    : _name(std::move(name)), _version(version), _kind(kind), _inputs(std::move(inputs)), _outputs(std::move(outputs)),
      _schematic(_name) {}

int PiTool::findInput(const LiString& name) const {
    return indexOf(_inputs, name);
}

int PiTool::findOutput(const LiString& name) const {
    return indexOf(_outputs, name);
}

} // namespace Zv
