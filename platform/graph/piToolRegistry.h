#pragma once

#include "platform/base/rcStrongPtr.h"
#include "platform/graph/piTool.h"

#include <vector>

namespace Zv {

// The built-in tools, by name. Made on first use and never changed.
class PiToolRegistry {
public:
    static const PiToolRegistry& getInstance();

    // The tool of that name, or null.
    RCStrongPtr<PiTool> find(const LiString& name) const;
    const std::vector<RCStrongPtr<PiTool>>& getTools() const { return _tools; }

    static constexpr const char* kGroupInputTool = "GroupInput";
    static constexpr const char* kGroupOutputTool = "GroupOutput";

private:
    PiToolRegistry();
    std::vector<RCStrongPtr<PiTool>> _tools;
};

} // namespace Zv
