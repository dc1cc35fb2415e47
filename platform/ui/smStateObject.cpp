#include "platform/ui/smStateObject.h"

namespace Zv {

SmStateObject& SmStateObject::blend(GLenum equation, GLenum source, GLenum destination) {
    add({Setting::BlendEquation, equation});
    return add({Setting::BlendFunc, source, destination});
}

SmStateObject& SmStateObject::textureEnvironment(GLenum unit, bool enabled, GLenum mode) {
    add({Setting::ActiveTexture, unit});
    add({enabled ? Setting::Enable : Setting::Disable, GL_TEXTURE_2D});
    return enabled ? add({Setting::TexEnvMode, mode}) : *this;
}

SmStateObject& SmStateObject::inherit(const SmStateObject& base) {
    _settings.insert(_settings.end(), base._settings.begin(), base._settings.end());
    return *this;
}

} // namespace Zv
