#pragma once

#include <GL/gl.h>

#include <vector>

namespace Zv {

// A prepared set of OpenGL state changes, built once and applied as a whole by SmContext.
class SmStateObject {
public:
    struct Setting {
        enum Kind { Enable, Disable, BlendEquation, BlendFunc, LineStipple, ActiveTexture, TexEnvMode, ShadeModel };
        Kind kind;
        GLenum a = 0;
        GLenum b = 0;
    };

    SmStateObject& enable(GLenum cap) { return add({Setting::Enable, cap}); }
    SmStateObject& disable(GLenum cap) { return add({Setting::Disable, cap}); }
    SmStateObject& blend(GLenum equation, GLenum source, GLenum destination);
    SmStateObject& lineStipple(GLint factor, GLushort pattern) {
        return add({Setting::LineStipple, static_cast<GLenum>(factor), pattern});
    }
    // Texture enabling and the environment mode on one texture unit.
    SmStateObject& textureEnvironment(GLenum unit, bool enabled, GLenum mode);
    SmStateObject& shadeModel(GLenum mode) { return add({Setting::ShadeModel, mode}); }
    // Takes every setting of another object, to be refined by the ones added after.
    SmStateObject& inherit(const SmStateObject& base);

    const std::vector<Setting>& getSettings() const { return _settings; }

private:
    SmStateObject& add(const Setting& setting) {
        _settings.push_back(setting);
        return *this;
    }

    std::vector<Setting> _settings;
};

} // namespace Zv
