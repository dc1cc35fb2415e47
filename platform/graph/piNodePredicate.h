#pragma once

#include <functional>

namespace Zv {

class PiNode;

// A test on nodes, for searches and filters.
using PiNodePredicate = std::function<bool(const PiNode&)>;

} // namespace Zv
