#include "platform/ui/headless/glHeadlessContext.h"

#include "platform/base/exBase.h"
#include "platform/ui/txTexFcty.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Zv {
namespace {

[[noreturn]] void fail(const char* what) {
    char reason[128];
    std::snprintf(reason, sizeof reason, "headless GL: %s failed (EGL error 0x%x)", what, eglGetError());
    throw ExBase(__FILE__, __LINE__, reason);
}

EGLDisplay openSurfacelessDisplay() {
    // The same software rasteriser everywhere, so pixels are reproducible.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) fail("eglGetPlatformDisplayEXT lookup");
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) fail("eglGetPlatformDisplayEXT");
    if (!eglInitialize(display, nullptr, nullptr)) fail("eglInitialize");
    return display;
}

} // namespace

struct GlHeadlessContext::Egl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};

GlHeadlessContext::GlHeadlessContext(int width, int height)
    : _egl(std::make_unique<Egl>()), _width(width), _height(height) {
    _egl->display = openSurfacelessDisplay();
    const EGLint configAttributes[] = {
        EGL_SURFACE_TYPE,    EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,  EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(_egl->display, configAttributes, &config, 1, &count) || count == 0) fail("eglChooseConfig");
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    _egl->surface = eglCreatePbufferSurface(_egl->display, config, surfaceAttributes);
    if (_egl->surface == EGL_NO_SURFACE) fail("eglCreatePbufferSurface");
    if (!eglBindAPI(EGL_OPENGL_API)) fail("eglBindAPI");
    const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1, EGL_NONE};
    _egl->context = eglCreateContext(_egl->display, config, EGL_NO_CONTEXT, contextAttributes);
    if (_egl->context == EGL_NO_CONTEXT) fail("eglCreateContext");
    makeCurrent();
    glViewport(0, 0, width, height);
    // Textures of an earlier context are gone; they upload again on their next bind.
    TxTexFcty::resetContext();
}

GlHeadlessContext::~GlHeadlessContext() {
    eglMakeCurrent(_egl->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(_egl->display, _egl->context);
    eglDestroySurface(_egl->display, _egl->surface);
    eglTerminate(_egl->display);
}

void GlHeadlessContext::makeCurrent() {
    if (!eglMakeCurrent(_egl->display, _egl->surface, _egl->surface, _egl->context)) fail("eglMakeCurrent");
}

IxImage GlHeadlessContext::readPixels() const {
    glFinish();
    IxImage image(_width, _height);
    std::vector<uint8_t> bottomUp(image.pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, _width, _height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    const size_t row = static_cast<size_t>(_width) * 4;
    for (int y = 0; y < _height; ++y)
        std::memcpy(image.pixels.data() + y * row, bottomUp.data() + (_height - 1 - y) * row, row);
    return image;
}

} // namespace Zv
