#pragma once

#include "views/schematic/src/scDrawContext.h"

#include "platform/base/rcStrongPtr.h"
#include "platform/ui/wsFont.h"

#include <sstream>
#include <string>

namespace Zv::SceneTest {

// A palette where every id has its own colour: red = id / 100.
inline ScColorTable distinctColors() {
    ScColorTable table(NbColorIds);
    for (int id = 0; id < NbColorIds; ++id) table[id] = {id / 100.0f, 0.5f, 0.25f};
    return table;
}

inline ScDrawContext makeContext(float opacity = 1.0f) {
    return ScDrawContext(nullptr, RCShdPtr<WsFont>(), RCShdPtr<WsFont>(), 1.0f, distinctColors(), opacity);
}

// The colour id a recorded red component stands for.
inline int colorId(float red) {
    return static_cast<int>(red * 100.0f + 0.5f);
}

template <class T>
std::string dumped(const T& object) {
    std::ostringstream out;
    object.dump(out);
    return out.str();
}

} // namespace Zv::SceneTest
