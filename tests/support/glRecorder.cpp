// Stands in for the system GL in test executables: every entry point records instead of drawing.
#include "tests/support/glRecorder.h"

#include <algorithm>

namespace Zv::GlRecorder {
namespace {

struct Recorder {
    std::vector<Primitive> primitives;
    State state;
    Color color;
    float s = 0.0f, t = 0.0f;
    bool inBegin = false;
    std::map<std::string, int> counts;
    std::vector<std::string> calls;
    GLuint nextTexture = 1;
    std::vector<State> attribStack;
    // Client arrays: only what the view uses, two floats per vertex and four per colour.
    struct Array {
        bool enabled = false;
        GLsizei stride = 0; // bytes from one element to the next
        const GLfloat* data = nullptr;
    };
    Array vertexArray, colorArray;
};

// Never destroyed: singletons release their textures at exit, after ordinary statics are gone.
Recorder& recorder() {
    static Recorder* const value = new Recorder;
    return *value;
}

void note(const char* function) {
    Recorder& r = recorder();
    ++r.counts[function];
    r.calls.emplace_back(function);
}

void addVertex(float x, float y) {
    Recorder& r = recorder();
    if (!r.inBegin || r.primitives.empty()) return;
    r.primitives.back().vertices.push_back({x, y, r.color, r.s, r.t});
}

void setColor(float red, float green, float blue, float alpha) {
    recorder().color = {red, green, blue, alpha};
}

} // namespace

void reset() {
    recorder() = Recorder();
}

const std::vector<Primitive>& getPrimitives() {
    return recorder().primitives;
}

std::vector<Primitive> getPrimitives(GLenum mode) {
    std::vector<Primitive> selected;
    for (const Primitive& p : recorder().primitives)
        if (p.mode == mode) selected.push_back(p);
    return selected;
}

const State& getState() {
    return recorder().state;
}

const Color& getCurrentColor() {
    return recorder().color;
}

int getCallCount(const std::string& function) {
    auto it = recorder().counts.find(function);
    return it == recorder().counts.end() ? 0 : it->second;
}

const std::vector<std::string>& getCalls() {
    return recorder().calls;
}

} // namespace Zv::GlRecorder

using namespace Zv::GlRecorder;

extern "C" {

void glBegin(GLenum mode) {
    note("glBegin");
    Recorder& r = recorder();
    r.inBegin = true;
    r.primitives.push_back({mode, {}, r.state, false});
}
void glEnd() {
    note("glEnd");
    recorder().inBegin = false;
}
void glVertex2f(GLfloat x, GLfloat y) {
    note("glVertex2f");
    addVertex(x, y);
}
void glVertex2fv(const GLfloat* v) {
    note("glVertex2fv");
    addVertex(v[0], v[1]);
}
void glVertex2i(GLint x, GLint y) {
    note("glVertex2i");
    addVertex(static_cast<float>(x), static_cast<float>(y));
}
void glVertex2d(GLdouble x, GLdouble y) {
    note("glVertex2d");
    addVertex(static_cast<float>(x), static_cast<float>(y));
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat) {
    note("glVertex3f");
    addVertex(x, y);
}
void glRectf(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2) {
    note("glRectf");
    Recorder& r = recorder();
    Primitive rect{GL_QUADS, {}, r.state, true};
    for (auto [x, y] : {std::pair{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}) rect.vertices.push_back({x, y, r.color});
    r.primitives.push_back(rect);
}
void glEnableClientState(GLenum array) {
    note("glEnableClientState");
    Recorder& r = recorder();
    (array == GL_VERTEX_ARRAY ? r.vertexArray : r.colorArray).enabled = true;
}
void glDisableClientState(GLenum array) {
    note("glDisableClientState");
    Recorder& r = recorder();
    (array == GL_VERTEX_ARRAY ? r.vertexArray : r.colorArray).enabled = false;
}
void glVertexPointer(GLint size, GLenum, GLsizei stride, const GLvoid* pointer) {
    note("glVertexPointer");
    Recorder::Array& array = recorder().vertexArray;
    array = {array.enabled, stride ? stride : GLsizei(size * sizeof(GLfloat)), static_cast<const GLfloat*>(pointer)};
}
void glColorPointer(GLint size, GLenum, GLsizei stride, const GLvoid* pointer) {
    note("glColorPointer");
    Recorder::Array& array = recorder().colorArray;
    array = {array.enabled, stride ? stride : GLsizei(size * sizeof(GLfloat)), static_cast<const GLfloat*>(pointer)};
}
// Recorded as one primitive, as if its vertices had been given between glBegin and glEnd.
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    note("glDrawArrays");
    Recorder& r = recorder();
    if (!r.vertexArray.enabled) return;
    Primitive primitive{mode, {}, r.state, false};
    const auto at = [](const Recorder::Array& array, GLint i) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(array.data);
        return reinterpret_cast<const GLfloat*>(bytes + static_cast<size_t>(i) * static_cast<size_t>(array.stride));
    };
    for (GLint i = first; i < first + count; ++i) {
        const GLfloat* v = at(r.vertexArray, i);
        Color color = r.color;
        if (r.colorArray.enabled) {
            const GLfloat* c = at(r.colorArray, i);
            color = {c[0], c[1], c[2], c[3]};
        }
        primitive.vertices.push_back({v[0], v[1], color});
    }
    r.primitives.push_back(primitive);
}
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    note("glColor3f");
    setColor(red, green, blue, 1.0f);
}
void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    note("glColor4f");
    setColor(red, green, blue, alpha);
}
void glColor3fv(const GLfloat* v) {
    note("glColor3fv");
    setColor(v[0], v[1], v[2], 1.0f);
}
void glColor4fv(const GLfloat* v) {
    note("glColor4fv");
    setColor(v[0], v[1], v[2], v[3]);
}
void glColor4ub(GLubyte red, GLubyte green, GLubyte blue, GLubyte alpha) {
    note("glColor4ub");
    setColor(red / 255.0f, green / 255.0f, blue / 255.0f, alpha / 255.0f);
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    note("glTexCoord2f");
    recorder().s = s;
    recorder().t = t;
}
void glLineStipple(GLint factor, GLushort pattern) {
    note("glLineStipple");
    recorder().state.stippleFactor = factor;
    recorder().state.stipplePattern = pattern;
}
void glLineWidth(GLfloat width) {
    note("glLineWidth");
    recorder().state.lineWidth = width;
}
void glPointSize(GLfloat) {
    note("glPointSize");
}
void glEnable(GLenum cap) {
    note("glEnable");
    recorder().state.enabled.insert(cap);
}
void glDisable(GLenum cap) {
    note("glDisable");
    recorder().state.enabled.erase(cap);
}
GLboolean glIsEnabled(GLenum cap) {
    note("glIsEnabled");
    return recorder().state.isEnabled(cap) ? GL_TRUE : GL_FALSE;
}
void glBlendFunc(GLenum src, GLenum dst) {
    note("glBlendFunc");
    recorder().state.blendSrc = src;
    recorder().state.blendDst = dst;
}
void glBlendEquation(GLenum mode) {
    note("glBlendEquation");
    recorder().state.blendEquation = mode;
}
void glShadeModel(GLenum mode) {
    note("glShadeModel");
    recorder().state.shadeModel = mode;
}
void glTexEnvi(GLenum, GLenum pname, GLint param) {
    note("glTexEnvi");
    if (pname == GL_TEXTURE_ENV_MODE) recorder().state.texEnvMode = param;
}
void glTexEnvf(GLenum, GLenum pname, GLfloat param) {
    note("glTexEnvf");
    if (pname == GL_TEXTURE_ENV_MODE) recorder().state.texEnvMode = static_cast<GLint>(param);
}
void glHint(GLenum, GLenum) {
    note("glHint");
}
void glScissor(GLint, GLint, GLsizei, GLsizei) {
    note("glScissor");
}
void glViewport(GLint, GLint, GLsizei, GLsizei) {
    note("glViewport");
}
void glMatrixMode(GLenum) {
    note("glMatrixMode");
}
void glLoadIdentity() {
    note("glLoadIdentity");
}
void glPushMatrix() {
    note("glPushMatrix");
    ++recorder().state.matrixDepth;
}
void glPopMatrix() {
    note("glPopMatrix");
    --recorder().state.matrixDepth;
}
void glScalef(GLfloat, GLfloat, GLfloat) {
    note("glScalef");
}
void glTranslatef(GLfloat, GLfloat, GLfloat) {
    note("glTranslatef");
}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {
    note("glRotatef");
}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {
    note("glOrtho");
}
void glLoadMatrixf(const GLfloat*) {
    note("glLoadMatrixf");
}
void glMultMatrixf(const GLfloat*) {
    note("glMultMatrixf");
}
void glPushAttrib(GLbitfield) {
    note("glPushAttrib");
    recorder().attribStack.push_back(recorder().state);
}
void glPopAttrib() {
    note("glPopAttrib");
    Recorder& r = recorder();
    if (r.attribStack.empty()) return;
    r.state = r.attribStack.back();
    r.attribStack.pop_back();
}
void glFlush() {
    note("glFlush");
}
void glFinish() {
    note("glFinish");
}
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {
    note("glClearColor");
}
void glClear(GLbitfield) {
    note("glClear");
}
void glGenTextures(GLsizei n, GLuint* textures) {
    note("glGenTextures");
    for (GLsizei i = 0; i < n; ++i) textures[i] = recorder().nextTexture++;
}
void glDeleteTextures(GLsizei, const GLuint*) {
    note("glDeleteTextures");
}
void glBindTexture(GLenum, GLuint texture) {
    note("glBindTexture");
    recorder().state.boundTexture = texture;
}
void glActiveTexture(GLenum texture) {
    note("glActiveTexture");
    recorder().state.activeTexture = texture;
}
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {
    note("glTexImage2D");
}
void glTexSubImage2D(GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const GLvoid*) {
    note("glTexSubImage2D");
}
void glTexParameteri(GLenum, GLenum, GLint) {
    note("glTexParameteri");
}
void glPixelStorei(GLenum, GLint) {
    note("glPixelStorei");
}
GLenum glGetError() {
    return GL_NO_ERROR;
}
void glGetIntegerv(GLenum pname, GLint* params) {
    note("glGetIntegerv");
    if (!params) return;
    const State& state = recorder().state;
    switch (pname) {
    case GL_TEXTURE_BINDING_2D: *params = static_cast<GLint>(state.boundTexture); break;
    case GL_BLEND_SRC: *params = static_cast<GLint>(state.blendSrc); break;
    case GL_BLEND_DST: *params = static_cast<GLint>(state.blendDst); break;
    default: *params = 0;
    }
}
void glGetTexEnviv(GLenum, GLenum pname, GLint* params) {
    note("glGetTexEnviv");
    if (params) *params = pname == GL_TEXTURE_ENV_MODE ? recorder().state.texEnvMode : 0;
}
void glGetFloatv(GLenum, GLfloat* params) {
    note("glGetFloatv");
    if (params) *params = 0.0f;
}
void glReadPixels(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, GLvoid*) {
    note("glReadPixels");
}
const GLubyte* glGetString(GLenum) {
    static const GLubyte name[] = "GL call recorder";
    return name;
}

} // extern "C"
