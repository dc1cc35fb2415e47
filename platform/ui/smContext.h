#pragma once

#include <GL/gl.h>

namespace Zv {

class SmStateObject;

// The current OpenGL context as seen by the drawing code.
class SmContext {
public:
    static SmContext& getCurrentContext();

    // Issues every setting of the object, in the order it was built.
    void applyStateObject(const SmStateObject& state);
    // Selects the texture unit that later texture calls address.
    void setActiveTexture(GLenum unit);

private:
    SmContext() = default;
};

} // namespace Zv
