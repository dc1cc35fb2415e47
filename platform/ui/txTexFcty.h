#pragma once

#include "platform/base/rcStrongPtr.h"
#include "platform/ui/txTexture.h"

namespace Zv {

// Makes textures, and tells them when the GL context they live in was replaced.
class TxTexFcty {
public:
    static RCShdPtr<TxTexture> createTexture(GLint internalFormat = GL_RGBA8, GLint wrap = GL_CLAMP_TO_EDGE,
                                             GLint filter = GL_LINEAR);

    // Call after making a new context current in place of the old one: every texture forgets its
    // GL name and uploads its tile again on its next bind.
    static void resetContext();
    static unsigned getContextGeneration();
};

} // namespace Zv
