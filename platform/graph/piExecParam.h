#pragma once

namespace Zv {

// How the edits of an undo scope are run. Every edit here runs at once on the application thread,
// so the default is the only way; the parameter keeps the scopes' signatures those of the callers.
struct PiExecParam {};

} // namespace Zv
