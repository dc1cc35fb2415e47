#include "platform/ui/uiIconRegistry.h"

#include "platform/ui/ixTiffFile.h"

#include <map>

namespace Zv {

LiString UiIconRegistry::getIconDirectory() {
    return LiString(ZV_RESOURCES_DIR "/icons");
}

RCShdPtr<WsManagedImage> UiIconRegistry::loadImage(const LiString& path) {
    static std::map<LiString, RCShdPtr<WsManagedImage>> images;
    auto found = images.find(path);
    if (found != images.end()) return found->second;
    auto image = makeRC<WsManagedImage>(path, IxTile(IxTiffFile::read(path.str())));
    images.emplace(path, image);
    return image;
}

} // namespace Zv
