#include "views/schematic/src/svScriptedView.h"

#include "views/schematic/src/scToolset.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svOptions.h"
#include "views/schematic/src/svRefusal.h"
#include "views/schematic/src/svSceneReport.h"
#include "views/schematic/src/svSchematicDisplay.h"

#include "platform/base/exBase.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piOutput.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/uiComposition.h"
#include "platform/graph/uiCompositionClient.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiContainer.h"
#include "platform/ui/uiMenu.h"
#include "platform/ui/uiToggle.h"

#include <charconv>
#include <cmath>
#include <regex>
#include <type_traits>

namespace Zv {
namespace {

// The script's names of the options panel's toggles and menu, in report order.
struct OptionName {
    const char* script;
    const char* widget;
};
constexpr OptionName kOptions[] = {
    {"highlight", SvOptions::Widgets::HighlightTgl}, {"autoCleanup", SvOptions::Widgets::AutoCleanupTgl},
    {"autoZoom", SvOptions::Widgets::AutoZoomTgl},   {"locateNode", SvOptions::Widgets::LocateNodeTgl},
    {"navigator", SvOptions::Widgets::NavigatorTgl}, {"linkStyle", SvOptions::Widgets::LinkStyle},
};
constexpr const char* kOrientation = "orientation";

// Strips are searched for on a grid of this many scene units over the node's bounds.
constexpr float kStripSearchStep = 0.5f;

GePoint2<float> middleOf(const ScEdge::Polyline& line) {
    float length = 0.0f;
    for (int i = 0; i + 1 < line.count; ++i) length += (line.points[i + 1] - line.points[i]).length();
    float left = length * 0.5f;
    for (int i = 0; i + 1 < line.count; ++i) {
        const GeVector2<float> step = line.points[i + 1] - line.points[i];
        const float stepLength = step.length();
        if (left <= stepLength && stepLength > 0.0f) return line.points[i] + step * (left / stepLength);
        left -= stepLength;
    }
    return line.points[0];
}

float parseChannel(const std::string& word) {
    float value = 0.0f;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        SvRefusal::refuse("a colour's channel is a number, not \"" + word + "\"");
    return value;
}

} // namespace

SvScriptedView::SvScriptedView(SvSchematicDisplay& display) : _display(display) {}

void SvScriptedView::startTracing() {
    _display.getViewer().setTracing(true);
    _rebuildsReported = _display.getNbRebuilds();
}

// --- Targets ---

const ScNode& SvScriptedView::findNode(const LiString& name) const {
    const ScNode* found = nullptr;
    for (const auto& node : _display.getBrowser()->getScene()->getNodes()) {
        if (node->getName() != name) continue;
        if (found) SvRefusal::refuse("several shown nodes are named " + SvRefusal::quoted(name));
        found = node.get();
    }
    if (!found) SvRefusal::refuse("no node named " + SvRefusal::quoted(name) + " is shown");
    return *found;
}

GePoint2<float> SvScriptedView::findScenePoint(const LiString& target) {
    static const std::regex socket(R"((.*)\.(in|out|strip)\.([0-9]+))");
    const std::string& text = target.str();
    std::smatch match;
    if (text.starts_with("group:")) return findGroupPoint(text.substr(6));
    if (std::regex_match(text, match, socket)) {
        const ScNode& node = findNode(match[1].str());
        const std::string kind = match[2].str();
        int index = 0;
        const std::string digits = match[3].str();
        if (std::from_chars(digits.data(), digits.data() + digits.size(), index).ec != std::errc())
            SvRefusal::refuse("no socket has the index " + digits);
        const auto& sockets = kind == "in" ? node.getInputs() : node.getOutputs();
        if (kind == "strip") return findStripPoint(const_cast<ScNode&>(node), index);
        if (index >= static_cast<int>(sockets.size()))
            SvRefusal::refuse("node " + SvRefusal::quoted(node.getName()) + " has no " +
                              (kind == "in" ? "input " : "output ") + match[3].str());
        return kind == "in" ? node.getInputConnectionPoint(index, 0) : node.getOutputConnectionPoint(index, 0);
    }
    if (const size_t arrow = text.find("->"); arrow != std::string::npos)
        return findLinkPoint(text.substr(0, arrow), text.substr(arrow + 2));
    return findNode(target).getPosition();
}

// The middle of where the node's pick answers with the strip, so the target is whatever the node
// draws there.
GePoint2<float> SvScriptedView::findStripPoint(ScNode& node, int strip) const {
    if (strip != toInt(ScPart::FirstStrip) && strip != toInt(ScPart::SecondStrip))
        SvRefusal::refuse("strips are numbered 2 and 3, not " + std::to_string(strip));
    GeRectangle<float> bounds;
    node.getBoxBounds(bounds);
    bounds = bounds.grown(ScViewer::kEdgeZone);
    GeRectangle<float> hits;
    bool hit = false;
    for (float y = bounds.yMin; y <= bounds.yMax; y += kStripSearchStep)
        for (float x = bounds.xMin; x <= bounds.xMax; x += kStripSearchStep) {
            int index = -1;
            ScPart partCode = ScPart::Body;
            if (!node.pickSocket({x, y}, false, index, partCode) || toInt(partCode) != strip) continue;
            hits = hit ? hits | GeRectangle<float>(x, x, y, y) : GeRectangle<float>(x, x, y, y);
            hit = true;
        }
    if (!hit) SvRefusal::refuse("node " + SvRefusal::quoted(node.getName()) + " has no strip " + std::to_string(strip));
    return hits.getCenter();
}

ScEdge& SvScriptedView::findLink(const LiString& source, const LiString& target) const {
    const ScNode& from = findNode(source);
    const ScNode& to = findNode(target);
    for (const auto& edge : _display.getBrowser()->getScene()->getEdges())
        if (edge->getSource().get() == &from && edge->getTarget().get() == &to) return *edge;
    SvRefusal::refuse("no link from " + SvRefusal::quoted(source) + " to " + SvRefusal::quoted(target) + " is shown");
}

GePoint2<float> SvScriptedView::findLinkPoint(const LiString& source, const LiString& target) const {
    ScEdge::Polyline line;
    findLink(source, target).getPolyline(line, _display.getViewer().getOptions().linkStyle);
    return middleOf(line);
}

const ScGroup* SvScriptedView::findGroup(const LiString& name) const {
    for (const auto& group : _display.getBrowser()->getScene()->getGroups())
        if (group->getGroup()->getName() == name) return group.get();
    return nullptr;
}

GePoint2<float> SvScriptedView::findGroupPoint(const LiString& name) const {
    const ScGroup* group = findGroup(name);
    if (!group) SvRefusal::refuse("no visual group named " + SvRefusal::quoted(name) + " is shown");
    return group->getTitleCenter();
}

std::vector<std::string> SvScriptedView::getColorLines() const {
    auto rgb = [](const UiResColor& color) {
        return SvSceneReport::formatNumber(color.r) + "\t" + SvSceneReport::formatNumber(color.g) + "\t" +
               SvSceneReport::formatNumber(color.b);
    };
    std::vector<std::string> lines;
    const ScGraph& scene = *_display.getBrowser()->getScene();
    for (const auto& node : scene.getNodes())
        lines.push_back("color\t" + SvSceneReport::escapeField(node->getName()) + "\t" +
                        (node->hasColor() ? rgb(node->getColor()) : "-"));
    for (const auto& group : scene.getGroups())
        lines.push_back("group\t" + SvSceneReport::escapeField(group->getGroup()->getName()) + "\t" +
                        std::to_string(static_cast<int>(group->getLockState())) + "\t" + rgb(group->getColor()));
    return lines;
}

// --- Commands ---

// A node shown, or a visual group whose box is shown.
RCStrongPtr<PiNode> SvScriptedView::findModelNode(const LiString& name) const {
    if (const ScGroup* group = findGroup(name)) return group->getGroup();
    const RCStrongPtr<PiNode>& node = findNode(name).getProcessingNode();
    if (node.isNull())
        SvRefusal::refuse("the node " + SvRefusal::quoted(name) + " stands for nothing in the composition");
    return node;
}

// NODE.SOCKET names a socket by index or name; an input boundary node's input is the group input it
// stands for.
template <class Socket>
RCStrongPtr<Socket> SvScriptedView::findSocket(const std::string& word) const {
    const size_t dot = word.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == word.size())
        SvRefusal::refuse("a socket is NODE.SOCKET, not \"" + word + "\"");
    RCStrongPtr<PiNode> node = findModelNode(word.substr(0, dot));
    if constexpr (std::is_same_v<Socket, PiInput>)
        if (auto* boundary = dynamic_cast<PiBoundaryNode*>(node.get()); boundary && !boundary->isOutputNode())
            node = boundary->getGroupSocket()->getNode();
    const std::string socket = word.substr(dot + 1);
    const auto& sockets = [&]() -> const auto& {
        if constexpr (std::is_same_v<Socket, PiInput>) return node->getInputs();
        else return node->getOutputs();
    }
    ();
    for (size_t i = 0; i < sockets.size(); ++i)
        if (sockets[i]->getName() == socket || std::to_string(i) == socket) return sockets[i];
    SvRefusal::refuse("no socket " + SvRefusal::quoted(word) + " is shown");
}

void SvScriptedView::runCommand(const std::vector<std::string>& words, const TargetResolver& toScene) {
    const std::string& name = words[0];
    auto operands = [&](size_t min, size_t max, const char* usage) {
        if (words.size() - 1 < min || words.size() - 1 > max)
            SvRefusal::refuse("\"command " + name + "\" takes " + usage);
    };
    SvBrowserGraph& browser = *_display.getBrowser();
    SvGraphEditor& editor = browser.getEditor();
    if (name == "color") {
        operands(4, 4, "NAME R G B");
        editor.color(findModelNode(words[1]), {parseChannel(words[2]), parseChannel(words[3]), parseChannel(words[4])});
    } else if (name == "clearcolor") {
        operands(1, 1, "NAME");
        editor.clearColor(findModelNode(words[1]));
    } else if (name == "cut" || name == "copy") {
        operands(0, 0, "no operand");
        if (name == "cut") _display.cutSelection();
        else _display.copySelection();
    } else if (name == "paste") {
        operands(1, 1, "a target");
        const GePoint2<float> at = toScene(words[1]);
        _display.pasteClipboard(&at);
    } else if (name == "group") {
        operands(1, words.size(), "NAME...");
        SvGraphEditor::Nodes nodes;
        for (size_t i = 1; i < words.size(); ++i) nodes.push_back(findModelNode(words[i]));
        editor.groupNodes(nodes);
    } else if (name == "ungroup") {
        operands(1, 1, "NAME");
        RCStrongPtr<PiGroupNode> group;
        if (!group.dynamicAssign(findModelNode(words[1])))
            SvRefusal::refuse(SvRefusal::quoted(words[1]) + " is no group");
        editor.ungroup(group);
    } else if (name == "insert") {
        operands(2, 2, "NAME SRC->DST");
        const size_t arrow = words[2].find("->");
        if (arrow == std::string::npos) SvRefusal::refuse("a link is SRC->DST, not \"" + words[2] + "\"");
        const auto& link =
            dynamic_cast<const SvModelEdge&>(findLink(words[2].substr(0, arrow), words[2].substr(arrow + 2)));
        editor.insert(findModelNode(words[1]), link.getOutput(), link.getInput());
    } else if (name == "collapse") {
        operands(1, 1, "NAME");
        browser.toggleCollapseNode(findNode(words[1]));
    } else if (name == "connect") {
        operands(2, 2, "SRC.OUT DST.IN");
        editor.connect(findSocket<PiOutput>(words[1]), findSocket<PiInput>(words[2]));
    } else if (name == "disconnect") {
        operands(1, 1, "DST.IN");
        editor.disconnect(findSocket<PiInput>(words[1]));
    } else {
        SvRefusal::refuse(
            "no command \"" + name +
            "\" (commands: color, clearcolor, cut, copy, paste, group, ungroup, insert, collapse, connect, "
            "disconnect)");
    }
}

// --- Options ---

void SvScriptedView::setOption(const LiString& name, int value) {
    if (name == kOrientation) {
        if (!isScCode<ScOrientation>(value)) SvRefusal::refuse("orientation takes 0, 1 or 2");
        UiApplication::getInstance().getUserSettings().setInt(SvSchematicDisplay::OrientationSetting, value);
        return;
    }
    for (const OptionName& option : kOptions) {
        if (name != option.script) continue;
        const RCShdPtr<UiWidget> widget = _display.getOptionsPanel()->findWidget(option.widget);
        RCShdPtr<UiToggle> toggle;
        RCShdPtr<UiMenu> menu;
        if (toggle.dynamicAssign(widget)) {
            if (value != 0 && value != 1) SvRefusal::refuse(name.str() + " takes 0 or 1");
            toggle->setValue(value == 1, true);
        } else if (menu.dynamicAssign(widget)) {
            if (value < 0 || value >= static_cast<int>(menu->getItems().size()))
                SvRefusal::refuse(name.str() + " takes 0 to " + std::to_string(menu->getItems().size() - 1));
            menu->setSelectedIndex(value, true);
        }
        return;
    }
    SvRefusal::refuse("no option " + SvRefusal::quoted(name) +
                      " (options: highlight, autoCleanup, autoZoom, locateNode, navigator, linkStyle, orientation)");
}

std::vector<std::string> SvScriptedView::getOptionLines() const {
    const ScViewer::Options& options = _display.getViewer().getOptions();
    const int values[] = {options.highlight,  options.autoCleanup, options.autoZoom,
                          options.locateNode, options.navigator,   toInt(options.linkStyle)};
    std::vector<std::string> lines;
    for (size_t i = 0; i < std::size(kOptions); ++i)
        lines.push_back(std::string("option\t") + kOptions[i].script + "\t" + std::to_string(values[i]));
    lines.push_back(std::string("option\t") + kOrientation + "\t" + std::to_string(toInt(_display.getOrientation())));
    return lines;
}

// --- Reports ---

std::vector<std::string> SvScriptedView::getRedrawLines() {
    std::vector<std::string> lines{"rebuilds\t" + std::to_string(_display.getNbRebuilds() - _rebuildsReported)};
    _rebuildsReported = _display.getNbRebuilds();
    for (const LiString& reason : _display.getViewer().takeUpdateReasons())
        lines.push_back("redraw\t" + SvSceneReport::escapeField(reason));
    return lines;
}

std::vector<std::string> SvScriptedView::getReport(const LiString& topic) {
    const ScGraph& scene = *_display.getBrowser()->getScene();
    if (topic == "nodes") return SvSceneReport::getNodeLines(scene);
    if (topic == "edges") return SvSceneReport::getEdgeLines(scene);
    if (topic == "redraws") return getRedrawLines();
    if (topic == "options") return getOptionLines();
    if (topic == "info") return {"info\t" + SvSceneReport::escapeField(scene.getInfoText())};
    if (topic == "selection") return getSelectionLines();
    if (topic == "colors") return getColorLines();
    if (topic == "socketmenu") {
        const RCShdPtr<ScSocketMenu>& menu = scene.getSocketMenu();
        if (menu.isNull()) return {"socketmenu\t-"};
        return {"socketmenu\t" + SvSceneReport::escapeField(menu->getNode()->getName()) + "\t" +
                std::to_string(toInt(menu->getSide())) + "\t" + std::to_string(menu->getCurrentSocket())};
    }
    if (topic == "highlit") {
        std::vector<std::string> lines;
        for (const auto& node : scene.getNodes())
            if (node->isHighlighted()) lines.push_back("highlit\t" + SvSceneReport::escapeField(node->getName()));
        return lines;
    }
    if (topic == "contextpoints") return getContextPointLines();
    if (topic == "tool") {
        const LiString name = _display.getViewer().getScToolset().getCurrentToolName();
        return {"tool\t" + (name.isEmpty() ? std::string("-") : SvSceneReport::escapeField(name))};
    }
    if (topic == "provisional") {
        std::vector<std::string> lines;
        for (const ScGraph::ProvisionalLink& link : scene.getProvisionalLinks())
            lines.push_back("provisional\t" + SvSceneReport::formatNumber(link.start.x) + "\t" +
                            SvSceneReport::formatNumber(link.start.y) + "\t" + SvSceneReport::formatNumber(link.end.x) +
                            "\t" + SvSceneReport::formatNumber(link.end.y));
        return lines;
    }
    if (topic == "highlight") {
        const ScGraph::Highlight& highlight = scene.getHighlight();
        ScViewer::Pick pick{highlight.node, highlight.tabIndex,
                            highlight.tabIndex == -1 ? ScPart::Body : highlight.tabSide, highlight.edge,
                            highlight.group};
        if (pick.node.isNull() && pick.edge.isNull() && pick.group.isNull()) pick.partCode = ScPart::Input;
        return {describe(pick)};
    }
    SvRefusal::refuse("nothing to print as " + SvRefusal::quoted(topic));
}

// Selected nodes and sockets of the composition, in selection order.
std::vector<std::string> SvScriptedView::getSelectionLines() const {
    std::vector<std::string> lines;
    auto add = [&](const char* kind, const LiString& name) {
        lines.push_back(std::string("selection\t") + kind + "\t" + SvSceneReport::escapeField(name));
    };
    for (const RCStrongPtr<SnItem>& item : *_display.getComposition().getSelection()) {
        if (auto* node = dynamic_cast<const PiSnItemConst<PiNode>*>(item.get())) add("node", node->get()->getName());
        else if (auto* input = dynamic_cast<const PiSnItemConst<PiInput>*>(item.get()))
            add("input", input->get()->getNode()->getName() + "." + input->get()->getName());
        else if (auto* output = dynamic_cast<const PiSnItemConst<PiOutput>*>(item.get()))
            add("output", output->get()->getNode()->getName() + "." + output->get()->getName());
    }
    return lines;
}

// Numbered as users call them, from 1.
std::vector<std::string> SvScriptedView::getContextPointLines() const {
    std::vector<std::string> lines;
    for (int tag = 0; tag < UiCompositionClient::getNbContextPoints(); ++tag) {
        const RCStrongPtr<PiNode> node = _display.getComposition().getContextPoint(tag);
        lines.push_back("contextpoint\t" + std::to_string(tag + 1) + "\t" +
                        (node.isNull() ? std::string("-") : SvSceneReport::escapeField(node->getName())));
    }
    return lines;
}

std::string SvScriptedView::getPickReport(const GePoint2<float>& scenePoint) {
    return describe(_display.getViewer().pick(scenePoint));
}

std::string SvScriptedView::describe(const ScViewer::Pick& pick) const {
    std::string kind = "none", name = "-";
    if (!pick.node.isNull()) {
        kind = "node";
        name = SvSceneReport::escapeField(pick.node->getName());
    } else if (!pick.edge.isNull()) {
        kind = "edge";
        LiString input = std::to_string(pick.edge->getTargetSocket());
        if (auto* link = dynamic_cast<const SvBrowserGraph::Edge*>(pick.edge.get()))
            input = link->getInput()->getName();
        name = SvSceneReport::escapeField(pick.edge->getSource()->getName() + "->" + pick.edge->getTarget()->getName() +
                                          "." + input);
    } else if (!pick.group.isNull()) {
        kind = "group";
        name = SvSceneReport::escapeField(pick.group->getGroup()->getName());
    }
    return "pick\t" + kind + "\t" + name + "\t" + std::to_string(pick.tabIndex) + "\t" +
           std::to_string(toInt(pick.partCode));
}

} // namespace Zv
