#pragma once

#include "platform/ui/ixImage.h"

#include <memory>

namespace Zv {

// An OpenGL compatibility context without a display: Mesa's surfaceless EGL platform with a pbuffer,
// pinned to llvmpipe so renders are the same bytes on every machine.
class GlHeadlessContext {
public:
    // Raises ExBase with EGL's reason when no context can be made.
    GlHeadlessContext(int width, int height);
    ~GlHeadlessContext();
    GlHeadlessContext(const GlHeadlessContext&) = delete;
    GlHeadlessContext& operator=(const GlHeadlessContext&) = delete;

    void makeCurrent();
    int getWidth() const { return _width; }
    int getHeight() const { return _height; }
    // The framebuffer, rows top to bottom.
    IxImage readPixels() const;

private:
    struct Egl;
    std::unique_ptr<Egl> _egl;
    int _width;
    int _height;
};

} // namespace Zv
