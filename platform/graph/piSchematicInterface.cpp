#include "platform/graph/piSchematicInterface.h"

#include "platform/base/assertions.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace Zv {
namespace {

// Sections of the box where inputs and outputs sit, per orientation.
const char* const kInputSection[] = {"UPPER", "LEFT", "LOWER"};
const char* const kOutputSection[] = {"LOWER", "RIGHT", "UPPER"};

std::string connectionSet(const char* element, const char* section) {
    return std::string("    <") + element + "><RoundedConnectionSet><BasicTab>" + "<StartPosition Tab=\"" + section +
           "\" Offset=\"0.1\"/>" + "<EndPosition Tab=\"" + section + "\" Offset=\"0.9\"/>" +
           "</BasicTab></RoundedConnectionSet></" + element + ">\n";
}

class DefaultInterface : public PiSchematicInterface {
public:
    DefaultInterface() : PiSchematicInterface("Default") {}
    LiString getDescription(int orientation) const override {
        ZV_ASSERT(orientation >= 0 && orientation <= 2);
        return "<CustomNode Width=\"100\" Height=\"30\" CornerRadius=\"6\">\n"
               "  <NamePosition>CENTER</NamePosition>\n  <Color>TOOL</Color>\n  <Tabs>\n" +
               connectionSet("InputConnectionSet", kInputSection[orientation]) +
               connectionSet("OutputConnectionSet", kOutputSection[orientation]) + "  </Tabs>\n</CustomNode>\n";
    }
};

} // namespace

const PiSchematicInterface& PiSchematicInterface::getDefaultInterface() {
    static const DefaultInterface instance;
    return instance;
}

const char* PiSchematicInterface::getOrientationSuffix(int orientation) {
    static const char* const suffixes[] = {"-V", "-H", "-VU"};
    ZV_ASSERT(orientation >= 0 && orientation <= 2);
    return suffixes[orientation];
}

std::string PiSchematicInterface::getDescriptionPath(const LiString& toolName, int orientation) {
    const std::string file = toolName.str() + getOrientationSuffix(orientation) + ".xml";
    if (const char* userFolder = std::getenv(kUserDescriptionsVariable)) {
        std::string path = std::string(userFolder) + "/" + file;
        if (std::filesystem::is_regular_file(path)) return path;
    }
    return std::string(ZV_RESOURCES_DIR) + "/nodes/" + file;
}

LiString PiSchematicInterface::getDescription(int orientation) const {
    ZV_ASSERT(orientation >= 0 && orientation <= 2);
    std::optional<LiString>& kept = _descriptions[orientation];
    if (kept) return *kept;
    std::ifstream in(getDescriptionPath(_toolName, orientation), std::ios::binary);
    if (!in) return getDefaultInterface().getDescription(orientation);
    std::ostringstream text;
    text << in.rdbuf();
    kept = LiString(text.str());
    return *kept;
}

} // namespace Zv
