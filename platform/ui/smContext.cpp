#include "platform/ui/smContext.h"

#include "platform/ui/smStateObject.h"

namespace Zv {

SmContext& SmContext::getCurrentContext() {
    // All drawing runs on the UI thread against one current context at a time.
    static SmContext context;
    return context;
}

void SmContext::applyStateObject(const SmStateObject& state) {
    using Setting = SmStateObject::Setting;
    for (const Setting& s : state.getSettings()) {
        switch (s.kind) {
        case Setting::Enable: glEnable(s.a); break;
        case Setting::Disable: glDisable(s.a); break;
        case Setting::BlendEquation: glBlendEquation(s.a); break;
        case Setting::BlendFunc: glBlendFunc(s.a, s.b); break;
        case Setting::LineStipple: glLineStipple(static_cast<GLint>(s.a), static_cast<GLushort>(s.b)); break;
        case Setting::ActiveTexture: setActiveTexture(s.a); break;
        case Setting::TexEnvMode: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(s.a)); break;
        case Setting::ShadeModel: glShadeModel(s.a); break;
        }
    }
}

void SmContext::setActiveTexture(GLenum unit) {
    glActiveTexture(unit);
}

} // namespace Zv
