#pragma once

#include <GL/gl.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace Zv::GlRecorder {

struct Color {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

struct Vertex {
    float x = 0.0f, y = 0.0f;
    Color color;
    float s = 0.0f, t = 0.0f;
};

// State in force when a primitive began.
struct State {
    std::set<GLenum> enabled;
    GLushort stipplePattern = 0xFFFF;
    GLint stippleFactor = 1;
    GLfloat lineWidth = 1.0f;
    GLenum blendSrc = GL_ONE, blendDst = GL_ZERO, blendEquation = GL_FUNC_ADD;
    GLenum shadeModel = GL_SMOOTH;
    GLint texEnvMode = GL_MODULATE;
    GLuint boundTexture = 0;
    GLenum activeTexture = GL_TEXTURE0;
    int matrixDepth = 0;

    bool isEnabled(GLenum cap) const { return enabled.count(cap) != 0; }
};

// One glBegin/glEnd pair, or a glRectf (recorded as GL_QUADS).
struct Primitive {
    GLenum mode = 0;
    std::vector<Vertex> vertices;
    State state;
    bool isRect = false;
};

void reset();
const std::vector<Primitive>& getPrimitives();
// Primitives of one mode, in drawing order.
std::vector<Primitive> getPrimitives(GLenum mode);
const State& getState();
const Color& getCurrentColor();
// How many times an entry point was called since the last reset.
int getCallCount(const std::string& function);
// Every entry point called, in order, for tests of call sequences.
const std::vector<std::string>& getCalls();

} // namespace Zv::GlRecorder
