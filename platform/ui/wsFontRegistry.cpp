#include "platform/ui/wsFontRegistry.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace Zv {
namespace {

struct FontFile {
    std::string path;
    int index = 0;
};

// Fontconfig's best match for a name; an empty path when there is none.
FontFile findFontFile(const LiString& name) {
    // Loaded once and released at exit.
    static const std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> config(FcInitLoadConfigAndFonts(),
                                                                              &FcConfigDestroy);
    FontFile file;
    if (!config) return file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
    if (!pattern) return file;
    FcConfigSubstitute(config.get(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config.get(), pattern, &result)) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file.path = reinterpret_cast<char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

} // namespace

RCShdPtr<WsFont> WsFontRegistry::getFont(const LiString& name, int pixelSize) {
    // Kept for the whole run: fonts own GL textures, which must not be released after GL is gone.
    static auto* fonts = new std::map<std::pair<LiString, int>, RCShdPtr<WsFont>>();
    static auto* files = new std::map<LiString, FontFile>();
    const int size = pixelSize > 0 ? pixelSize : DefaultPixelSize;
    auto found = fonts->find({name, size});
    if (found != fonts->end()) return found->second;
    auto file = files->find(name);
    if (file == files->end()) file = files->emplace(name, findFontFile(name)).first;
    if (file->second.path.empty()) return {};
    auto font = makeRC<WsFont>(file->second.path, file->second.index, size);
    fonts->emplace(std::make_pair(name, size), font);
    return font;
}

} // namespace Zv
