#pragma once

namespace Zv::ZvInit {

// Package tag of the UI and drawing toolkit. A package that starts after it may use the application's
// registries (actions, hotkeys, view factories): the host creates the UiApplication before it starts
// any package.
struct ui {};

} // namespace Zv::ZvInit
