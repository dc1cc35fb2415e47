#include "views/schematic/src/scNodeFactory.h"

#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scCustomNode.h"
#include "views/schematic/src/scFanConnectionSet.h"
#include "views/schematic/src/scFeedbackTab.h"
#include "views/schematic/src/scIconTab.h"
#include "views/schematic/src/scImageToggleNode.h"
#include "views/schematic/src/scNodeIconRegistry.h"
#include "views/schematic/src/scRoundedTab.h"
#include "views/schematic/src/scSimpleIcon.h"
#include "views/schematic/src/scSquareTab.h"
#include "views/schematic/src/scToggleIRTab.h"
#include "views/schematic/src/scToggleImageTab.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"
#include "platform/base/xmlDocument.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piSchematicInterface.h"
#include "platform/graph/piTool.h"

#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace Zv {
namespace {

using EdgePos = ScRoundedBox::EdgePos;

// Node sizes, in scene units. Outside them a size is a mistake, and the perimeter maths of huge or
// non-finite boxes would never end.
constexpr double kMinSize = 1.0;
constexpr double kMaxSize = 10000.0;
constexpr int kAnyNumber = std::numeric_limits<int>::max();

// Connection set kinds in the order the first one present decides, with how many sockets each shows.
struct SetKind {
    const char* tag;
    int min, max;
};
constexpr SetKind kSetKinds[] = {
    {"RoundedConnectionSet", 0, kAnyNumber}, {"RoundedConnectionSetWithMasking", 2, kAnyNumber},
    {"SimpleConnectionSet", 0, 1},           {"SquareConnectionSet", 0, kAnyNumber},
    {"FanConnectionSet", 0, kAnyNumber},     {"IconConnectionSet", 0, 1}};

const std::map<LiString, ScCustomNode::NameAlignment> kNamePositions{
    {"CENTER", ScCustomNode::CENTER}, {"BOTTOM", ScCustomNode::BOTTOM}, {"UNDER", ScCustomNode::UNDER}};
const std::map<LiString, int> kColors{{"TOOL", ScCustomNode::TOOL},           {"GROUP", ScCustomNode::GROUP},
                                      {"SUPERTOOL", ScCustomNode::SUPERTOOL}, {"OUTPUT1", ScCustomNode::OUTPUT1},
                                      {"OUTPUT2", ScCustomNode::OUTPUT2},     {"WHITE", ScCustomNode::WHITE}};
const std::map<LiString, int> kSections{{"UPPER", ScRoundedBox::Upper}, {"UPPER_RIGHT", ScRoundedBox::UpperRight},
                                        {"RIGHT", ScRoundedBox::Right}, {"LOWER_RIGHT", ScRoundedBox::LowerRight},
                                        {"LOWER", ScRoundedBox::Lower}, {"LOWER_LEFT", ScRoundedBox::LowerLeft},
                                        {"LEFT", ScRoundedBox::Left},   {"UPPER_LEFT", ScRoundedBox::UpperLeft}};

// How many sockets of one side a node shows (images and masks); a multi-valued input shows one per
// value, so their number may grow.
struct Shown {
    int n = 0;
    bool grows = false;
};

// How many sockets of one side an element of the description can show.
struct SocketRule {
    const char* element;
    bool isInput;
    int min, max;
};

struct TabPlace {
    EdgePos start, end;
};

[[noreturn]] void fail(const std::string& reason) {
    throw ScNodeFactory::BadXMLDescriptionEx(__FILE__, __LINE__, reason);
}

template <typename Value>
Value lookUp(const std::map<LiString, Value>& table, const LiString& key, const char* reason) {
    const auto found = table.find(key);
    if (found == table.end()) fail(reason + key.str());
    return found->second;
}

// Parameter sockets are not shown.
Shown countShown(const PiNode& node, bool isInput) {
    Shown shown;
    const auto count = [&](const PiSocket& socket) {
        if (socket.getSocketTypeIndex() < PiSocketDesc::Image) return;
        ++shown.n;
        shown.grows = shown.grows || socket.getDesc().multivalued;
    };
    if (isInput)
        for (const auto& input : node.getInputs()) count(*input);
    else
        for (const auto& output : node.getOutputs()) count(*output);
    return shown;
}

// Runs make, naming the description in what it throws unless the place is known already.
template <class Make>
auto naming(const std::string& source, Make make) {
    try {
        return make();
    } catch (ScNodeFactory::BadXMLDescriptionEx& ex) {
        if (ex.getSource().empty()) ex.setSource(source);
        throw;
    }
}

// An element's text without the blanks around it.
LiString textOf(const pugi::xml_node& element) {
    std::string text = element.child_value();
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return LiString(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

double readNumber(const pugi::xml_attribute& attribute) {
    const auto value = LiStringUtil::parseFloat(LiString(attribute.value()));
    if (!value) fail(std::string("Invalid number in attribute ") + attribute.name() + ": " + attribute.value());
    return *value;
}

float readSize(const pugi::xml_attribute& attribute, double min) {
    const double value = readNumber(attribute);
    if (!(value >= min && value <= kMaxSize))
        fail(std::string("Invalid size: ") + attribute.name() + " must be from " + LiStringUtil::convertNb(min).str() +
             " to " + LiStringUtil::convertNb(kMaxSize).str() + ", not " + attribute.value());
    return static_cast<float>(value);
}

// The first of the named children present, or an empty node.
pugi::xml_node firstChildOf(const pugi::xml_node& element, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (pugi::xml_node child = element.child(name)) return child;
    return {};
}

} // namespace

// A kept description: nodes are copies of its prototype once their sockets pass its rules.
struct ScNodeFactory::Kept {
    std::string source;
    XmlDocument description;
    RCStrongPtr<ScCustomNode> prototype;
    std::vector<SocketRule> rules;
    // Why it cannot be built, for every node to come.
    std::optional<BadXMLDescriptionEx> failure;
};

// One build: the node built for (null while a prototype is built), its orientation, and where a
// prototype keeps its socket rules.
class ScNodeFactory::Builder {
public:
    Builder(ScNodeFactory& factory, RCStrongPtr<PiNode> node, ScOrientation orientation,
            std::vector<SocketRule>* rules = nullptr)
        : _factory(factory), _node(std::move(node)), _orientation(orientation), _rules(rules) {}

    RCStrongPtr<ScNode> buildNode(const pugi::xml_node& root);
    void checkRule(const SocketRule& rule) const;

private:
    RCStrongPtr<ScCustomNode> buildCustomNode(const pugi::xml_node& element);
    RCStrongPtr<ScNode> buildImageToggleNode(const pugi::xml_node& element);
    void buildTabs(const pugi::xml_node& tabs, ScCustomNode& node);
    std::unique_ptr<ScConnectionSet> buildConnectionSet(const pugi::xml_node& element, bool isInput);
    std::unique_ptr<ScBorderTab> buildLinkNodeIconTab(const pugi::xml_node& element);
    void addGenericTab(const pugi::xml_node& element, ScCustomNode& node);
    TabPlace readBasicTab(const pugi::xml_node& parent) const;
    EdgePos readPosition(const pugi::xml_node& position) const;
    // Keeps the rule when a prototype is built, else checks it against the sockets being built for.
    void require(const SocketRule& rule);
    // The node's sockets of each side, counted when a rule first asks.
    const Shown& getShown(bool isInput) const {
        std::optional<Shown>& side = _shown[isInput ? 0 : 1];
        if (!side) side = countShown(*_node, isInput);
        return *side;
    }

    ScNodeFactory& _factory;
    RCStrongPtr<PiNode> _node;
    ScOrientation _orientation;
    std::vector<SocketRule>* _rules;
    mutable std::optional<Shown> _shown[2];
};

ScNodeFactory::ScNodeFactory() = default;
ScNodeFactory::~ScNodeFactory() = default;

LiString ScNodeFactory::getDescriptionKey(const PiTool& tool, ScOrientation orientation) {
    return tool.getToolName() + ":" + LiStringUtil::convertNb(tool.getToolVersion()) +
           PiSchematicInterface::getOrientationSuffix(toInt(orientation));
}

// Descriptions.

XmlDocument ScNodeFactory::parseDescription(const LiString& text, const LiString& sourceName) {
    try {
        XmlDocument document = XmlDocument::parse(text.str(), sourceName);
        ++_nbDescriptionsRead;
        return document;
    } catch (const ExBadInput& ex) {
        // The reader's message starts with the place, which becomes the source.
        const std::string place = ex.getFile() + ":" + std::to_string(ex.getLine());
        std::string reason = ex.getMessage();
        if (reason.rfind(place + ": ", 0) == 0) reason.erase(0, place.size() + 2);
        BadXMLDescriptionEx bad(__FILE__, __LINE__, reason);
        bad.setSource(place);
        throw bad;
    }
}

RCStrongPtr<ScNode> ScNodeFactory::createNode(const RCStrongPtr<PiNode>& node, ScOrientation orientation) {
    RCStrongPtr<ScNode> created = buildDescribed(node, orientation);
    if (!created.isNull()) created->setProcessingNode(node);
    return created;
}

RCStrongPtr<ScNode> ScNodeFactory::buildDescribed(const RCStrongPtr<PiNode>& node, ScOrientation orientation) {
    const PiTool& tool = node->getToolRef();
    const PiSchematicInterface& schematic = tool.getSchematicInterface();
    const auto read = [&](const std::string& source) {
        return parseDescription(schematic.getDescription(toInt(orientation)), source);
    };
    Builder builder(*this, node, orientation);
    if (!schematic.canKeepDescriptions()) {
        const std::string source = PiSchematicInterface::getDescriptionPath(tool.getToolName(), toInt(orientation));
        return naming(source, [&] { return builder.buildNode(read(source).getRoot()); });
    }
    const LiString key = getDescriptionKey(tool, orientation);
    auto found = _descriptions.find(key);
    if (found == _descriptions.end()) {
        found = _descriptions.emplace(key, std::make_unique<Kept>()).first;
        Kept& kept = *found->second;
        kept.source = PiSchematicInterface::getDescriptionPath(tool.getToolName(), toInt(orientation));
        try {
            kept.description = read(kept.source);
            makePrototype(kept, orientation);
        } catch (const BadXMLDescriptionEx& ex) {
            kept.failure = ex;
        }
    }
    const Kept& kept = *found->second;
    return naming(kept.source, [&] {
        if (kept.failure) throw *kept.failure;
        if (kept.prototype.isNull()) return builder.buildNode(kept.description.getRoot());
        for (const SocketRule& rule : kept.rules) builder.checkRule(rule);
        return RCStrongPtr<ScNode>(kept.prototype->clone());
    });
}

void ScNodeFactory::makePrototype(Kept& kept, ScOrientation orientation) {
    const pugi::xml_node root = kept.description.getRoot();
    const RCStrongPtr<ScNode> built = Builder(*this, nullptr, orientation, &kept.rules).buildNode(root);
    const auto* custom = dynamic_cast<const ScCustomNode*>(built.get());
    if (custom && !root.child("Tabs").child("LinkNodeIconTab")) kept.prototype = custom->clone();
}

const XmlDocument& ScNodeFactory::getDefaultDescription(ScOrientation orientation) {
    std::unique_ptr<XmlDocument>& kept = _defaultDescriptions.at(toInt(orientation));
    if (!kept) {
        const PiSchematicInterface& schematic = PiSchematicInterface::getDefaultInterface();
        kept = std::make_unique<XmlDocument>(parseDescription(schematic.getDescription(toInt(orientation)), "Default"));
    }
    return *kept;
}

RCStrongPtr<ScNode> ScNodeFactory::createNodeFromDescription(const LiString& text, const LiString& sourceName,
                                                             const RCStrongPtr<PiNode>& node,
                                                             ScOrientation orientation) {
    ZV_ASSERT(!node.isNull());
    return naming(sourceName.str(), [&] {
        const XmlDocument document = parseDescription(text, sourceName);
        return Builder(*this, node, orientation).buildNode(document.getRoot());
    });
}

RCStrongPtr<ScNode> ScNodeFactory::createDefaultNode(const RCStrongPtr<PiNode>& node, ScOrientation orientation) {
    RCStrongPtr<ScNode> created = naming("Default", [&] {
        return Builder(*this, node, orientation).buildNode(getDefaultDescription(orientation).getRoot());
    });
    created->setProcessingNode(node);
    return created;
}

// Socket rules.

void ScNodeFactory::Builder::require(const SocketRule& rule) {
    if (_rules) _rules->push_back(rule);
    else checkRule(rule);
}

void ScNodeFactory::Builder::checkRule(const SocketRule& rule) const {
    const auto [n, grows] = getShown(rule.isInput);
    const auto count = [&](int k) {
        return std::to_string(k) + (rule.isInput ? " input" : " output") + (k == 1 ? "" : "s");
    };
    const std::string has = ", the node has " + std::to_string(n) + (grows ? " or more" : "");
    if (n < rule.min)
        fail(std::string("Invalid description: ") + rule.element + " needs at least " + count(rule.min) + has);
    if (n > rule.max || (grows && rule.max != kAnyNumber))
        fail(std::string("Invalid description: ") + rule.element + " shows at most " + count(rule.max) + has);
}

// Elements.

RCStrongPtr<ScNode> ScNodeFactory::Builder::buildNode(const pugi::xml_node& root) {
    const std::string tag = root.name();
    if (tag == "CustomNode") return buildCustomNode(root);
    if (tag == "ImageToggleNode") return buildImageToggleNode(root);
    if (tag == "HiddenNode") return nullptr;
    const pugi::xml_node fallback = _factory.getDefaultDescription(_orientation).getRoot();
    if (std::strcmp(fallback.name(), "CustomNode") != 0) fail("Invalid default description: expecting TAG CustomNode");
    return buildCustomNode(fallback);
}

RCStrongPtr<ScCustomNode> ScNodeFactory::Builder::buildCustomNode(const pugi::xml_node& element) {
    const pugi::xml_attribute width = element.attribute("Width"), height = element.attribute("Height"),
                              radius = element.attribute("CornerRadius");
    if (!width || !height || !radius) fail("Invalid description: Attribute Width,Height or CornerRadius missing");
    auto node = makeRC<ScCustomNode>(_orientation, readSize(height, kMinSize), readSize(width, kMinSize),
                                     readSize(radius, 0.0));
    if (pugi::xml_node image = element.child("ImageHandler"))
        node->setBody(std::make_unique<ScSimpleIcon>(ScNodeIconRegistry::getInstance().getIcon(textOf(image), true)));
    if (pugi::xml_node position = element.child("NamePosition"))
        node->setNameAlignment(lookUp(kNamePositions, textOf(position), "Unknown Name Alignment: "));
    if (pugi::xml_node color = element.child("Color"))
        node->setColorKind(lookUp(kColors, textOf(color), "Unknown Color: "));
    node->setThumbnailShown(element.attribute("DisplayThumbnail").as_bool(false));
    node->setCanCollapse(element.attribute("CanCollapseNode").as_bool(false));
    if (pugi::xml_node tabs = element.child("Tabs")) buildTabs(tabs, *node);
    return node;
}

RCStrongPtr<ScNode> ScNodeFactory::Builder::buildImageToggleNode(const pugi::xml_node& element) {
    const auto inner = [&](const char* tag) {
        const pugi::xml_node holder = element.child(tag);
        if (!holder) fail(std::string("Invalid description: Expecting TAG ") + tag);
        const pugi::xml_node custom = holder.child("CustomNode");
        if (!custom) fail("Invalid description: Expecting TAG CustomNode");
        return custom;
    };
    const pugi::xml_node shown = inner("ImageShownNode"), notShown = inner("ImageNotShownNode");
    const RCStrongPtr<ScCustomNode> looks[] = {buildCustomNode(shown), buildCustomNode(notShown)};
    // Each look's strips show the state of the node drawn.
    for (const auto& look : looks) look->setProcessingNode(_node);
    auto node = makeRC<ScImageToggleNode>(looks[0], looks[1]);
    node->setThumbnailShown(element.attribute("ImageShown").as_bool(false));
    return node;
}

void ScNodeFactory::Builder::buildTabs(const pugi::xml_node& tabs, ScCustomNode& node) {
    if (pugi::xml_node set = tabs.child("InputConnectionSet")) node.setInputSet(buildConnectionSet(set, true));
    if (pugi::xml_node set = tabs.child("OutputConnectionSet")) node.setOutputSet(buildConnectionSet(set, false));
    if (pugi::xml_node square = tabs.child("ToggleImageTab").child("SquareToggleImageTab")) {
        const TabPlace place = readBasicTab(square);
        node.setToggleImageTab(std::make_unique<ScToggleImageTab>(place.start, place.end, nullptr));
    }
    if (pugi::xml_node square = tabs.child("ToggleIRTab").child("SquareToggleIRTab")) {
        const TabPlace place = readBasicTab(square);
        // The strip shows the state of the node's result.
        require({"ToggleIRTab", false, 1, kAnyNumber});
        node.setToggleIRTab(std::make_unique<ScToggleIRTab>(place.start, place.end, nullptr));
    }
    if (pugi::xml_node set = firstChildOf(tabs.child("FeedbackTab"), {"RoundedConnectionSet", "SquareConnectionSet"})) {
        const TabPlace place = readBasicTab(set);
        auto feedback = std::make_unique<ScFeedbackTab>(place.start, place.end, nullptr);
        // One tab per kind of feedback: marked for keyframing, anchors.
        feedback->setNbConnections(2);
        node.setFeedbackTab(std::move(feedback));
    }
    if (pugi::xml_node link = tabs.child("LinkNodeIconTab")) node.setLinkNodeIconTab(buildLinkNodeIconTab(link));
    for (pugi::xml_node generic : tabs.children("GenericTab")) addGenericTab(generic, node);
}

std::unique_ptr<ScConnectionSet> ScNodeFactory::Builder::buildConnectionSet(const pugi::xml_node& element,
                                                                            bool isInput) {
    const SetKind* kind = nullptr;
    pugi::xml_node holder;
    for (const SetKind& candidate : kSetKinds) {
        if ((holder = element.child(candidate.tag))) {
            kind = &candidate;
            break;
        }
    }
    if (!kind) return nullptr;
    const TabPlace place = readBasicTab(holder);
    if (kind->min > 0 || kind->max != kAnyNumber) require({kind->tag, isInput, kind->min, kind->max});
    const std::string tag = kind->tag;
    if (tag == "RoundedConnectionSet") return std::make_unique<ScRoundedConnectionSet>(place.start, place.end, nullptr);
    if (tag == "RoundedConnectionSetWithMasking")
        return std::make_unique<ScRoundedConnectionSetWithMasking>(_orientation, place.start, place.end, nullptr);
    if (tag == "SimpleConnectionSet") return std::make_unique<ScSimpleConnectionSet>(place.start, place.end, nullptr);
    if (tag == "SquareConnectionSet") {
        // Its tabs are laid along the side between the two corners.
        const ScRoundedBox::SubSectionType first = place.start.getSection();
        if (!ScRoundedBox::isCorner(first) ||
            place.end.getSection() != ScRoundedBox::nextSection(ScRoundedBox::nextSection(first)))
            fail("Invalid SquareConnectionSet: it must start and end on the corners at the two ends of one side");
        return std::make_unique<ScSquareConnectionSet>(place.start, place.end, nullptr);
    }
    if (tag == "FanConnectionSet") return std::make_unique<ScFanConnectionSet>(place.start, place.end, nullptr);
    const pugi::xml_node icon = holder.child("Icon");
    if (!icon) fail("Invalid description: missing TAG Icon");
    return std::make_unique<ScIconConnectionSet>(place.start, place.end, nullptr,
                                                 ScNodeIconRegistry::getInstance().getIcon(textOf(icon), false));
}

std::unique_ptr<ScBorderTab> ScNodeFactory::Builder::buildLinkNodeIconTab(const pugi::xml_node& element) {
    const TabPlace place = readBasicTab(element);
    const RCStrongPtr<PiComposition> composition =
        _node.isNull() ? RCStrongPtr<PiComposition>() : PiCompositionUtils::getComposition(*_node);
    const bool footage = !composition.isNull() && composition->getRole() == PiComposition::FootageRole;
    const bool outOfDate = !composition.isNull() && composition->isOutOfDate();
    const char* tag = footage ? (outOfDate ? "OodFootageIcon" : "FootageIcon")
                              : (outOfDate ? "OodCompositionIcon" : "CompositionIcon");
    RCShdPtr<ScIcon> icon;
    if (pugi::xml_node name = element.child(tag)) icon = ScNodeIconRegistry::getInstance().getIcon(textOf(name), false);
    return std::make_unique<ScIconTab>(place.start, place.end, nullptr, icon);
}

void ScNodeFactory::Builder::addGenericTab(const pugi::xml_node& element, ScCustomNode& node) {
    const pugi::xml_node iconName = element.child("Icon");
    if (!iconName) fail("Invalid description: missing TAG Icon");
    const RCShdPtr<ScIcon> icon = ScNodeIconRegistry::getInstance().getIcon(textOf(iconName), false);
    const pugi::xml_node kind = firstChildOf(element, {"IconTab", "RoundedTab", "SquareTab"});
    const TabPlace place = readBasicTab(kind);
    const std::string tag = kind.name();
    std::unique_ptr<ScBorderTab> tab;
    if (tag == "IconTab") tab = std::make_unique<ScIconTab>(place.start, place.end, nullptr, icon);
    else if (tag == "RoundedTab") tab = std::make_unique<ScRoundedTab>(place.start, place.end, nullptr);
    else tab = std::make_unique<ScSquareTab>(place.start, place.end, nullptr);
    node.addGenericTab(std::move(tab), icon);
}

// Positions.

TabPlace ScNodeFactory::Builder::readBasicTab(const pugi::xml_node& parent) const {
    const pugi::xml_node basic = parent.child("BasicTab");
    if (!basic) fail("Invalid description: missing TAG BasicTab");
    const pugi::xml_node start = basic.child("StartPosition");
    if (!start) fail("Invalid basic tab: missing StartPosition");
    const pugi::xml_node end = basic.child("EndPosition");
    if (!end) fail("Invalid basic tab: missing EndPosition");
    return {readPosition(start), readPosition(end)};
}

EdgePos ScNodeFactory::Builder::readPosition(const pugi::xml_node& position) const {
    const pugi::xml_attribute tab = position.attribute("Tab");
    if (!tab) fail("Invalid Position: missing attribute Tab");
    const pugi::xml_attribute offset = position.attribute("Offset");
    if (!offset) fail("Invalid Position: missing attribute Offset");
    const auto section = ScRoundedBox::SubSectionType(lookUp(kSections, tab.value(), "Unknown sub section type: "));
    const double fraction = readNumber(offset);
    if (!(fraction >= 0.0 && fraction <= 1.0))
        fail(std::string("Invalid Position: Offset outside 0 to 1: ") + offset.value());
    return {section, static_cast<float>(fraction)};
}

} // namespace Zv
