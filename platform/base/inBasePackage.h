#pragma once

namespace Zv::ZvInit {

// Package tag of the platform's base library. Packages that build on it declare a dependency on
// InInit<ZvInit::base>::getType().
struct base {};

} // namespace Zv::ZvInit
