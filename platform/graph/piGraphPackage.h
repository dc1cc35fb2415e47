#pragma once

namespace Zv::ZvInit {

// Package tag of the processing-graph library.
struct graph {};

} // namespace Zv::ZvInit
