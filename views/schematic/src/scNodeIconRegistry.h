#pragma once

#include "views/schematic/src/scIcon.h"

#include "platform/base/inSingleton.h"
#include "platform/base/liString.h"

#include <map>

namespace Zv {

// The icons named in node descriptions, each read once: "Blur" is Blur.tif of the icon directory.
class ScNodeIconRegistry : public InSingleton<ScNodeIconRegistry> {
public:
    static constexpr const char* kExtension = ".tif";

    // A file that cannot be read gives the placeholder picture. An icon keeps the stretch flag it was
    // first asked with.
    RCShdPtr<ScIcon> getIcon(const LiString& name, bool stretch);

private:
    friend class InSingleton<ScNodeIconRegistry>;
    ScNodeIconRegistry() = default;

    std::map<LiString, RCShdPtr<ScIcon>> _icons;
};

} // namespace Zv
