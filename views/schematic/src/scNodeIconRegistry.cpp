#include "views/schematic/src/scNodeIconRegistry.h"

#include "platform/base/exBase.h"
#include "platform/ui/uiIconRegistry.h"
#include "platform/ui/wsManagedImage.h"

namespace Zv {

RCShdPtr<ScIcon> ScNodeIconRegistry::getIcon(const LiString& name, bool stretch) {
    const auto found = _icons.find(name);
    if (found != _icons.end()) return found->second;
    const LiString file = name.endsWith(kExtension) ? name : name + kExtension;
    RCShdPtr<WsManagedImage> image;
    try {
        image = UiIconRegistry::loadImage(UiIconRegistry::getIconDirectory() + "/" + file);
    } catch (const ExBadInput&) {
        image = WsManagedImage::getUnavailableImage();
    }
    RCShdPtr<ScIcon> icon = makeRC<ScIcon>(image->getImage(), stretch);
    _icons.emplace(name, icon);
    return icon;
}

} // namespace Zv
