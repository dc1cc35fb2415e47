#pragma once

#include "platform/ui/ixImage.h"
#include "views/schematic/src/scDefinitions.h"

namespace Zv {

class ScGraph;

// Draws a whole scene, framed to fit, into the current GL context.
class SceneRenderer {
public:
    // Frames the scene with a margin, never zooming in past 1.5, and draws it with overlays.
    static void render(ScGraph& scene, int width, int height, ScLinkStyle linkStyle);
};

} // namespace Zv
