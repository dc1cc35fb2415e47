#include "views/schematic/src/svSchematicDisplay.h"

#include "views/schematic/src/scToolset.h"
#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svOptions.h"
#include "views/schematic/src/svSchematicMenu.h"
#include "views/schematic/src/svScriptedView.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/base/liStringUtil.h"
#include "platform/base/obHints.h"
#include "platform/base/xmlWriter.h"
#include "platform/graph/cmCommandStack.h"
#include "platform/graph/omCompositionActions.h"
#include "platform/graph/piEditScope.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piOutput.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiComposition.h"
#include "platform/ui/drCarrier.h"
#include "platform/ui/drClipboard.h"
#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/stgUserSettingsHint.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiColorDialog.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/vwUtils.h"

#include <memory>

namespace Zv {
namespace {

// A tool's gesture as one undo entry.
class UndoGroup : public MfUndoScope {
public:
    UndoGroup(CmCommandStack& stack, const LiString& name) : _guard(std::make_unique<PiUndoGuard>(stack, name)) {}
    // Closing the entry fails only on a broken invariant, which ends the program.
    ~UndoGroup() override { _guard.reset(); }

private:
    std::unique_ptr<PiUndoGuard> _guard;
};

std::unique_ptr<UiResTable> gResources;

// Socket types of parameters (numbers, texts, colours, matrices, curves) are not drawn as tabs.
constexpr int kParameterSocketTypes[] = {6, 1, 2, 0, 3, 4, 11, 13};

constexpr const char* kRefreshReason = "SvBrowserGraph::refreshGraph";

int schematicEntry(const char* name) {
    return UiApplication::getInstance().getHotkeyRegistry().getEntry(UiHotkeyRegistry::SchematicDomain, name);
}

LiString keyText(int entry) {
    return UiApplication::getInstance().getHotkeyRegistry().toString(entry);
}

// Settings children are elements holding their value as text.
void writeValue(XmlWriter& writer, const char* tag, const LiString& value) {
    writer.startElement(tag).text(value).endElement();
}

void writeFlag(XmlWriter& writer, const char* tag, bool value) {
    writeValue(writer, tag, value ? "1" : "0");
}

UiComposition& checkedComposition(UPtr<UiComposition> compClient) {
    ZV_ASSERT(!compClient.isNull());
    return *compClient;
}

// For what the user asked without waiting for an answer: a refusal is shown, and changed nothing.
template <class Work>
void warnOnRefusal(Work work) {
    try {
        work();
    } catch (const ExBase& ex) {
        MsgWarning(ex.getMessage()).display();
    }
}

// Mutes the target nodes, or unmutes them when none could be muted.
void toggleMute(const OmCompositionActions::Item& item, const OmCompositionActions::Selection& selection) {
    if (!OmCompositionActions::executeMuteNodeAction(item, selection))
        OmCompositionActions::executeUnmuteNodeAction(item, selection);
}

bool readFlag(const pugi::xml_node& settings, const char* tag, bool fallback) {
    const pugi::xml_node child = settings.child(tag);
    return child ? child.text().as_bool(fallback) : fallback;
}

} // namespace

void SvSchematicDisplay::createResourceTable() {
    gResources = std::make_unique<UiResTable>(UiResTable::load(UiResTable::getResourcePath("schematic.xml")));
}

void SvSchematicDisplay::releaseResourceTable() {
    gResources.reset();
}

UiResTable& SvSchematicDisplay::getResourceTable() {
    ZV_ASSERT(gResources != nullptr);
    return *gResources;
}

SvSchematicDisplay::SvSchematicDisplay(UiContainer& parent, UPtr<UiComposition> compClient)
    : _composition(checkedComposition(compClient)), _resources(getResourceTable()) {
    _browser = new SvBrowserGraph(_composition, this);
    _viewer = makeRC<ScViewer>(parent, "ScViewer", _resources, _composition.getSelection(), _browser->getScene(), this);
    _viewer->setConstraint(UiConstraint::fill());

    const UiHotkeyRegistry& registry = UiApplication::getInstance().getHotkeyRegistry();
    _hotkeys = {schematicEntry("Cursor Zoom In|Out"),
                schematicEntry("Thumbnail"),
                schematicEntry("Mute"),
                schematicEntry("Group|Ungroup"),
                schematicEntry("Layout Selected"),
                schematicEntry("Layout All"),
                schematicEntry("Select All"),
                schematicEntry("Details"),
                schematicEntry("Details All"),
                schematicEntry("Expand|Collapse"),
                schematicEntry("Group (Visual)"),
                schematicEntry("Open Group"),
                schematicEntry("Close Group"),
                schematicEntry("Swap Connections"),
                registry.getSharedEntry(UiHotkeyRegistry::Delete),
                registry.getSharedEntry(UiHotkeyRegistry::Reset),
                registry.getSharedEntry(UiHotkeyRegistry::Cut),
                registry.getSharedEntry(UiHotkeyRegistry::Copy),
                registry.getSharedEntry(UiHotkeyRegistry::Paste)};
    OmCompositionActions::setRemoveNodeDisplayString(keyText(_hotkeys.remove));
    OmCompositionActions::setResetNodeDisplayString(keyText(_hotkeys.reset));
    OmCompositionActions::setMuteNodeDisplayString(keyText(_hotkeys.mute));
    OmCompositionActions::setUnmuteNodeDisplayString(keyText(_hotkeys.mute));
    OmCompositionActions::setGroupNodesDisplayString(keyText(_hotkeys.groupUngroup));

    for (int type : kParameterSocketTypes) _browser->setFilteredSocketType(type, true);

    const ScColorTable colors = ScDrawContext::readColorTable(_resources);
    for (int id = 0; id < static_cast<int>(colors.size()); ++id) _viewer->setColor(id, colors[id]);

    _callbacks.add(_viewer->addHotkeyCb(
        makeRC<CbMethod<SvSchematicDisplay, EvHotkeyEvent&>>(this, &SvSchematicDisplay::hotkeyCb)));
    _options = std::make_unique<SvOptions>(*_viewer, *this, _timeClient, _resources);
    UiApplication::getInstance().getUserSettings().attachObserver(this);

    // The view is shown: it follows the composition's graph and node from now on.
    _browser->resetDisplayGraph(_browser->getCompositionGraph(), true);
    const RCStrongPtr<PiNode> current = _browser->getNode();
    _browser->newNodeSet(current.isNull() ? RCStrongPtr<PiSnItem<PiNode>>() : PiSnItemUtil::create(current));
}

SvSchematicDisplay::~SvSchematicDisplay() {
    if (UiApplication::exists()) UiApplication::getInstance().getUserSettings().detachObserver(this);
    _callbacks.releaseAll();
    _scripted.reset();
    _options.reset();
    if (UiContainer* parent = _viewer->getParent()) parent->removeChild(*_viewer);
    _browser.reset();
}

// --- Settings ---

void SvSchematicDisplay::writeSettings(XmlWriter& writer) const {
    const TmTimeClient::Settings& time = _timeClient.getSettings();
    const ScViewer::Options& options = _viewer->getOptions();
    writer.startElement("Settings");
    writeFlag(writer, "UpdateOnPlay", time.updateOnPlay);
    writeFlag(writer, "TimeOffsetTag", time.timeOffsetEnabled);
    writeValue(writer, "TimeOffsetValue", LiStringUtil::convertNb(time.timeOffset));
    writeFlag(writer, "FollowMaster", time.followMaster);
    writeFlag(writer, "PlayAll", time.playAll);
    writeFlag(writer, "UserRate", time.userRateEnabled);
    writeValue(writer, "UserRateValue", LiStringUtil::convertNb(time.userRate));
    writeFlag(writer, "StopOnDroppedFrame", time.stopOnDroppedFrame);
    writeFlag(writer, SvOptions::Widgets::AutoZoomTgl, options.autoZoom);
    writeFlag(writer, SvOptions::Widgets::LocateNodeTgl, options.locateNode);
    writeFlag(writer, SvOptions::Widgets::AutoCleanupTgl, options.autoCleanup);
    writeFlag(writer, SvOptions::Widgets::HighlightTgl, options.highlight);
    writeValue(writer, SvOptions::Widgets::LinkStyle, LiStringUtil::convertNb(toInt(options.linkStyle)));
    writeFlag(writer, SvOptions::Widgets::NavigatorTgl, options.navigator);
    writer.endElement();
}

void SvSchematicDisplay::applySettings(const pugi::xml_node& settings) {
    _options->setCallbacksEnabled(false);
    const StgUserSettings& user = UiApplication::getInstance().getUserSettings();
    const ScViewer::Options& now = _viewer->getOptions();
    _viewer->setAutoZoom(
        readFlag(settings, SvOptions::Widgets::AutoZoomTgl, user.getBool("Schematic/AutoZoom", now.autoZoom)));
    _viewer->setAutoCleanup(
        readFlag(settings, SvOptions::Widgets::AutoCleanupTgl, user.getBool("Schematic/AutoCleanup", now.autoCleanup)));
    // The two exclude each other; a file that sets both keeps automatic zoom.
    _viewer->setLocateNode(!now.autoZoom && readFlag(settings, SvOptions::Widgets::LocateNodeTgl,
                                                     user.getBool("Schematic/LocateNode", now.locateNode)));
    _viewer->setHighlight(
        readFlag(settings, SvOptions::Widgets::HighlightTgl, user.getBool("Schematic/Highlight", now.highlight)));
    const int linkStyle = settings.child(SvOptions::Widgets::LinkStyle)
                              .text()
                              .as_int(user.getInt("Schematic/LinkStyle", toInt(now.linkStyle)));
    _viewer->setLinkStyle(isScCode<ScLinkStyle>(linkStyle) ? toScCode<ScLinkStyle>(linkStyle) : now.linkStyle);
    _viewer->setNavigator(
        readFlag(settings, SvOptions::Widgets::NavigatorTgl, user.getBool("Schematic/Navigator", now.navigator)));

    TmTimeClient::Settings time = _timeClient.getSettings();
    time.updateOnPlay = readFlag(settings, "UpdateOnPlay", true);
    time.timeOffsetEnabled = readFlag(settings, "TimeOffsetTag", false);
    time.timeOffset = settings.child("TimeOffsetValue").text().as_double(time.timeOffset);
    time.followMaster = readFlag(settings, "FollowMaster", true);
    time.playAll = readFlag(settings, "PlayAll", true);
    time.userRateEnabled = readFlag(settings, "UserRate", false);
    if (const int rate = settings.child("UserRateValue").text().as_int(0); rate > 0) time.userRate = rate;
    time.stopOnDroppedFrame = readFlag(settings, "StopOnDroppedFrame", false);
    _timeClient.setSettings(time);

    _options->setCallbacksEnabled(true);
    optionsChanged();
    if (_viewer->getOptions().autoCleanup) _viewer->cleanUp();
    _viewer->update("SvSchematicDisplay::applySettings");
}

// --- The view ---

ScViewer& SvSchematicDisplay::getViewer() const {
    return *_viewer;
}

UiDrawArea* SvSchematicDisplay::getDrawArea() {
    return _viewer.get();
}

UiContainer* SvSchematicDisplay::getOptionsPanel() {
    return _options->getContainer().get();
}

UiScriptedView* SvSchematicDisplay::getScriptedView() {
    // Made on demand: only scripted sessions keep every redraw reason.
    if (!_scripted) {
        _scripted = std::make_unique<SvScriptedView>(*this);
        _scripted->startTracing();
    }
    return _scripted.get();
}

// --- Clipboard ---

void SvSchematicDisplay::cut() {
    warnOnRefusal([this] { cutSelection(); });
}

void SvSchematicDisplay::copy() {
    warnOnRefusal([this] { copySelection(); });
}

void SvSchematicDisplay::paste() {
    warnOnRefusal([this] { pasteClipboard(nullptr); });
}

void SvSchematicDisplay::pasteAt(const GePoint2<float>& scenePoint) {
    warnOnRefusal([&] { pasteClipboard(&scenePoint); });
}

void SvSchematicDisplay::cutSelection() {
    if (RCShdPtr<DrCarrier> carrier = _browser->getEditor().cut())
        UiApplication::getInstance().getClipboard().setContent(carrier);
}

void SvSchematicDisplay::copySelection() {
    if (RCShdPtr<DrCarrier> carrier = _browser->getEditor().copy())
        UiApplication::getInstance().getClipboard().setContent(carrier);
}

void SvSchematicDisplay::pasteClipboard(const GePoint2<float>* scenePoint) {
    const RCShdPtr<DrCarrier> content = UiApplication::getInstance().getClipboard().getContent();
    if (content.isNull() || content->getText().isEmpty())
        throw ExBadInput(__FILE__, __LINE__, "the clipboard holds no nodes to paste");
    _browser->getEditor().paste(content->getText(), scenePoint);
}

// --- What the browser graph asks ---

bool SvSchematicDisplay::isViewShown() const {
    return _viewer->isMapped();
}

void SvSchematicDisplay::redraw(const LiString& reason) {
    if (reason == kRefreshReason) ++_nbRebuilds;
    _viewer->update(reason);
}

void SvSchematicDisplay::redrawNode(const ScNode& node) {
    _viewer->redrawNode(node);
}

void SvSchematicDisplay::redrawArea(const GeRectangle<float>& rect) {
    _viewer->redrawSceneRect(rect);
}

void SvSchematicDisplay::resetUserZoomPan() {
    _viewer->resetUserZoomPan();
}

SvDisplayInterface::ZoomPan SvSchematicDisplay::getUserZoomPan() const {
    const VwView& view = _viewer->getView();
    return {view.getUserZoom().x, view.getUserPan().x, view.getUserPan().y};
}

void SvSchematicDisplay::setUserZoomPan(const ZoomPan& zoomPan) {
    _viewer->getView().setUserZoom({zoomPan.zoom, zoomPan.zoom});
    _viewer->getView().setUserPan({zoomPan.panX, zoomPan.panY});
    _viewer->markForUpdate();
}

GeRectangle<float> SvSchematicDisplay::getVisibleWorldRect() const {
    return _viewer->getVisibleWorldRect();
}

bool SvSchematicDisplay::isAutoCleanup() const {
    return _viewer->getOptions().autoCleanup;
}

ScOrientation SvSchematicDisplay::getOrientation() const {
    const int orientation =
        UiApplication::getInstance().getUserSettings().getInt(OrientationSetting, toInt(ScOrientation::Right));
    return isScCode<ScOrientation>(orientation) ? toScCode<ScOrientation>(orientation) : ScOrientation::Right;
}

void SvSchematicDisplay::setCommandStack(CmCommandStack* stack, SvAccessLevel accessLevel) {
    _commandStack = stack;
    _accessLevel = accessLevel;
    // A new graph comes with its own selection.
    _viewer->setSelection(_composition.getSelection());
    _viewer->setMode(accessLevel == SvAccessLevel::Editing ? ScToolset::EditMode : 1);
}

void SvSchematicDisplay::showWarning(const LiString& message) {
    MsgWarning(message).display();
}

// --- What the viewer and the options panel ask ---

void SvSchematicDisplay::layoutDone() {
    _browser->storeAllPositions();
}

std::unique_ptr<MfUndoScope> SvSchematicDisplay::openUndoScope(const LiString& name) {
    if (_accessLevel != SvAccessLevel::Editing || !_commandStack) return nullptr;
    return std::make_unique<UndoGroup>(*_commandStack, name);
}

void SvSchematicDisplay::nodesMoved(const std::vector<RCStrongPtr<ScNode>>& nodes) {
    _browser->storePositions(nodes, PiEditScope::isLogging());
}

void SvSchematicDisplay::insertNode(const RCStrongPtr<PiNode>& node, const RCStrongPtr<PiOutput>& output,
                                    const RCStrongPtr<PiInput>& input) {
    _browser->getEditor().insert(node, output, input);
}

void SvSchematicDisplay::connectSockets(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input) {
    _browser->getEditor().connect(output, input);
}

void SvSchematicDisplay::autoCleanupSwitchedOff() {
    // Nodes stay where the last automatic layout put them.
    _browser->storeAllPositions();
}

void SvSchematicDisplay::optionsChanged() {
    _options->refreshWidgets();
}

void SvSchematicDisplay::autoZoomOff() {
    if (!_viewer->getOptions().autoZoom) return;
    _viewer->setAutoZoom(false);
    _options->refreshWidgets();
}

// --- The tools' edits ---

RCStrongPtr<PiInput> SvSchematicDisplay::getTabInput(const ScNode& node, int tab) const {
    RCStrongPtr<PiInput> input = _browser->findTabInput(node, tab);
    if (input.isNull())
        throw ExBadInput(__FILE__, __LINE__, "\"" + node.getName().str() + "\" has no input to connect there");
    return input;
}

RCStrongPtr<PiOutput> SvSchematicDisplay::getTabOutput(const ScNode& node, int tab) const {
    RCStrongPtr<PiOutput> output = _browser->findTabOutput(node, tab);
    if (output.isNull())
        throw ExBadInput(__FILE__, __LINE__, "\"" + node.getName().str() + "\" has no output to connect there");
    return output;
}

void SvSchematicDisplay::connectTabs(const ScNode& source, int outputTab, const ScNode& target, int inputTab) {
    warnOnRefusal(
        [&] { _browser->getEditor().connect(getTabOutput(source, outputTab), getTabInput(target, inputTab)); });
}

void SvSchematicDisplay::moveLinkEnd(const ScEdge& edge, const ScNode& node, int tab, ScPart side) {
    const auto* link = dynamic_cast<const SvModelEdge*>(&edge);
    if (link == nullptr) return;
    warnOnRefusal([&] {
        SvGraphEditor& editor = _browser->getEditor();
        // A new source replaces the old one in place, which keeps a multi-valued input's order.
        if (side == ScPart::Output) editor.connect(getTabOutput(node, tab), link->getInput());
        else editor.moveLink(link->getInput(), link->getOutput(), getTabInput(node, tab));
    });
}

void SvSchematicDisplay::connectToGroup(const ScNode& node, int tab, ScPart side) {
    warnOnRefusal([&] {
        SvGraphEditor& editor = _browser->getEditor();
        if (side == ScPart::Input) editor.newInputConnection(getTabInput(node, tab));
        else editor.newOutputConnection(getTabOutput(node, tab));
    });
}

void SvSchematicDisplay::disconnectCrossing(const GePoint2<float>& a, const GePoint2<float>& b) {
    std::vector<RCStrongPtr<PiInput>> inputs;
    for (const RCShdPtr<ScEdge>& edge : _browser->getScene()->findEdgesCrossing(a, b, _viewer->getOptions().linkStyle))
        if (const auto* link = dynamic_cast<const SvModelEdge*>(edge.get())) inputs.push_back(link->getInput());
    warnOnRefusal([&] { _browser->getEditor().disconnect(inputs); });
}

void SvSchematicDisplay::contextMenuRequest(const GePoint2<float>& windowPoint) {
    const ScViewer::Pick picked = _viewer->pick(_viewer->toScene(windowPoint));
    RCShdPtr<UiPopupMenu> menu = picked.node.isNull() ? SvSchematicMenu::build(*this, windowPoint)
                                                      : SvSchematicMenu::buildItemMenu(*this, picked);
    if (!menu.isNull()) UiApplication::getInstance().showPopupMenu(menu, *_viewer, windowPoint);
}

void SvSchematicDisplay::doubleClick(const GePoint2<float>& windowPoint) {
    const ScViewer::Pick picked = _viewer->pick(_viewer->toScene(windowPoint));
    if (picked.node.isNull() && picked.edge.isNull() && picked.group.isNull()) {
        if (isInsideGroup()) exitGroup();
        return;
    }
    RCStrongPtr<PiGroupNode> group;
    if (!picked.node.isNull() && group.dynamicAssign(picked.node->getProcessingNode())) _browser->editGroupNode(group);
}

// --- User settings ---

void SvSchematicDisplay::update(const ObHints& hints) {
    RCStrongPtr<StgUserSettingsHint> hint = hints.pickHint<StgUserSettingsHint>();
    if (hint.isNull() || !(hint->getKey().isEmpty() || hint->getKey() == OrientationSetting)) return;
    const GeVector2<float> zoom = _viewer->getView().getUserZoom();
    _browser->refreshGraph("SvSchematicDisplay::update");
    _viewer->cleanUp();
    _viewer->getView().setUserZoom(zoom);
}

// --- Operations ---

std::vector<RCStrongPtr<PiNode>> SvSchematicDisplay::getSelectedNodes() const {
    std::vector<RCStrongPtr<PiNode>> nodes;
    for (const auto& node : _browser->getScene()->getNodes())
        if (node->isSelected() && !node->getProcessingNode().isNull()) nodes.push_back(node->getProcessingNode());
    return nodes;
}

bool SvSchematicDisplay::isSelected(const PiNode& node) const {
    const RCStrongPtr<ScNode> shown = _browser->findNode(node);
    return !shown.isNull() && shown->isSelected();
}

std::vector<RCStrongPtr<PiNode>> SvSchematicDisplay::getActedNodes(const RCStrongPtr<PiNode>& node) const {
    return isSelected(*node) ? getSelectedNodes() : std::vector<RCStrongPtr<PiNode>>{node};
}

void SvSchematicDisplay::chooseColor(const RCStrongPtr<PiNode>& node) {
    UiResColor initial{1.0f, 1.0f, 1.0f};
    if (PiSchematicInterfaceEx::hasNodeColor(*node)) {
        const PiSchematicInterfaceEx::Color color = PiSchematicInterfaceEx::getNodeColor(*node);
        initial = {color[0], color[1], color[2]};
    }
    const std::vector<RCStrongPtr<PiNode>> nodes = getActedNodes(node);
    RCShdPtr<SvSchematicDisplay> keep(this);
    auto chosen = makeRC<CbFunction<const UiResColor&>>(
        [keep, nodes](const UiResColor& color) { keep->colorNodes(nodes, color); });
    const RCStrongPtr<ScNode> shown = _browser->findNode(*node);
    const GePoint2<float> at =
        shown.isNull() ? GePoint2<float>() : VwUtils::worldToWindow(_viewer->getView(), shown->getPosition());
    UiApplication::getInstance().showColorDialog(makeRC<UiColorDialog>("Color", initial, chosen), *_viewer, at);
}

void SvSchematicDisplay::colorNodes(const std::vector<RCStrongPtr<PiNode>>& nodes, const UiResColor& color) {
    if (nodes.empty()) return;
    warnOnRefusal([&] {
        PiUndoGuard guard(nodes.front()->getGraph()->getCommandStack(), "Color");
        for (const auto& node : nodes)
            if (node->isLive()) _browser->getEditor().color(node, {color.r, color.g, color.b});
    });
}

void SvSchematicDisplay::newInputConnection(const RCStrongPtr<PiInput>& input) {
    warnOnRefusal([&] { _browser->getEditor().newInputConnection(input); });
}

void SvSchematicDisplay::newOutputConnection(const RCStrongPtr<PiOutput>& output) {
    warnOnRefusal([&] { _browser->getEditor().newOutputConnection(output); });
}

void SvSchematicDisplay::swapConnections(const RCStrongPtr<PiInput>& first, const RCStrongPtr<PiInput>& second) {
    warnOnRefusal([&] { _browser->getEditor().swapConnections(first, second); });
}

void SvSchematicDisplay::newGroup(const GePoint2<float>& scenePoint) {
    warnOnRefusal([&] { _browser->getEditor().newGroup(scenePoint); });
}

void SvSchematicDisplay::swapSelectedConnections() {
    const std::vector<RCStrongPtr<PiNode>> selected = getSelectedNodes();
    if (selected.size() != 2) return;
    for (const auto& firstOutput : selected[0]->getOutputs())
        for (PiInput* first : firstOutput->getConnections())
            for (const auto& secondOutput : selected[1]->getOutputs())
                for (PiInput* second : secondOutput->getConnections())
                    if (first != second && first->getNodePtr() == second->getNodePtr())
                        return swapConnections(RCStrongPtr<PiInput>(first), RCStrongPtr<PiInput>(second));
}

void SvSchematicDisplay::toggleImageShown() {
    toggleImageShown(getSelectedNodes());
}

void SvSchematicDisplay::toggleImageShown(const std::vector<RCStrongPtr<PiNode>>& nodes) {
    {
        PiUndoGuardNoLog guard;
        for (const auto& node : nodes) {
            bool shown = false;
            PiSchematicInterfaceEx::isThumbnailStateSet(*node, shown);
            PiSchematicInterfaceEx::enableThumbnail(node, !shown);
        }
    }
    if (_viewer->getOptions().autoCleanup) _viewer->cleanUp();
    redraw("SvSchematicDisplay::toggleImageShown");
}

void SvSchematicDisplay::toggleNodeImage(const RCStrongPtr<PiNode>& node) {
    toggleImageShown(std::vector<RCStrongPtr<PiNode>>{node});
}

void SvSchematicDisplay::toggleNodeMute(const RCStrongPtr<PiNode>& node) {
    toggleMute(PiSnItemConst<PiNode>::create(node), {});
}

void SvSchematicDisplay::toggleCollapse(const std::vector<RCStrongPtr<PiNode>>& nodes) {
    // Each toggle rebuilds the scene, so each node's scene node is looked up afresh.
    for (const auto& node : nodes)
        if (RCStrongPtr<ScNode> sceneNode = _browser->findNode(*node)) _browser->toggleCollapseNode(*sceneNode);
}

void SvSchematicDisplay::selectNodes(const std::vector<RCStrongPtr<PiNode>>& nodes) {
    SnSelection::Items items;
    for (const auto& node : nodes) items.push_back(PiSnItemConst<PiNode>::create(node));
    _composition.getSelection()->replaceAll(items);
}

void SvSchematicDisplay::selectAll() {
    std::vector<RCStrongPtr<PiNode>> nodes;
    for (const auto& node : _browser->getScene()->getNodes())
        if (!node->getProcessingNode().isNull()) nodes.push_back(node->getProcessingNode());
    selectNodes(nodes);
}

void SvSchematicDisplay::zoomSelected() {
    autoZoomOff();
    _viewer->zoomToFit(ScViewer::FitType::Selection);
}

void SvSchematicDisplay::layoutAll() {
    if (_viewer->getOptions().autoCleanup) return;
    const GeVector2<float> zoom = _viewer->getView().getUserZoom();
    _viewer->cleanUp();
    _viewer->getView().setUserZoom(zoom);
}

void SvSchematicDisplay::layoutSelected() {
    if (!_viewer->getOptions().autoCleanup) _viewer->cleanUpSelected();
}

bool SvSchematicDisplay::isInsideGroup() const {
    return !_browser->getCurrentGroup().isNull() && !_browser->getCurrentGroup()->isRoot();
}

void SvSchematicDisplay::exitGroup() {
    _browser->exitGroupNode();
}

void SvSchematicDisplay::setContextPoint(int tag, const RCStrongPtr<PiNode>& node) {
    _composition.setContextPoint(tag, node);
}

void SvSchematicDisplay::toggleCursorZoom(const GePoint2<float>& windowPoint) {
    const float zoom = _viewer->getView().getUserZoom().x;
    float target;
    if (zoom >= 0.5f) {
        _zoomB = zoom;
        target = _zoomA;
    } else {
        _zoomA = zoom;
        target = _zoomB;
    }
    const GeVector2<float> pan =
        VwUtils::computePanAroundZoomLocation(_viewer->getView(), windowPoint, {target, target});
    _viewer->setUserZoom({target, target});
    _viewer->setUserPan(pan);
}

// --- Hotkeys ---

void SvSchematicDisplay::hotkeyCb(EvHotkeyEvent& event) {
    if (event.isProcessed() || _accessLevel == SvAccessLevel::None) return;
    const RCShdPtr<MfTool> tool = _viewer->getToolset()->getCurrentTool();
    if (!tool.isNull() && tool->isManipulating()) return;
    if (runHotkey(event.getEntry(), event.getCoord()) ||
        (_accessLevel == SvAccessLevel::Editing && runEditingHotkey(event.getEntry(), event.getCoord())))
        event.setProcessed();
}

bool SvSchematicDisplay::runHotkey(int entry, const GePoint2<float>& windowPoint) {
    const RCShdPtr<ScGraph>& scene = _browser->getScene();
    if (entry == _hotkeys.cursorZoom) toggleCursorZoom(windowPoint);
    else if (entry == _hotkeys.layoutSelected) layoutSelected();
    else if (entry == _hotkeys.layoutAll) layoutAll();
    else if (entry == _hotkeys.selectAll) selectAll();
    else if (entry == _hotkeys.copy) copy();
    else if (entry == _hotkeys.details) {
        scene->toggleDetails(ScGraph::DetailsOneNode);
        redraw("SvSchematicDisplay::hotkeyCb( details one node )");
    } else if (entry == _hotkeys.detailsAll) {
        scene->toggleDetails(ScGraph::DetailsAllNodes);
        redraw("SvSchematicDisplay::hotkeyCb::details all nodes");
    } else return false;
    return true;
}

bool SvSchematicDisplay::runEditingHotkey(int entry, const GePoint2<float>& windowPoint) {
    const RCShdPtr<SnSelection> selection = _composition.getSelection();
    if (entry == _hotkeys.thumbnail) toggleImageShown();
    else if (entry == _hotkeys.cut) cut();
    else if (entry == _hotkeys.paste) pasteAt(_viewer->toScene(windowPoint));
    else if (entry == _hotkeys.expandCollapse) toggleCollapse(getSelectedNodes());
    else if (entry == _hotkeys.mute) toggleMute({}, selection);
    else if (entry == _hotkeys.groupUngroup) {
        if (!OmCompositionActions::executeUngroupNodesAction({}, selection))
            OmCompositionActions::executeGroupNodesAction({}, selection);
    } else if (entry == _hotkeys.remove) OmCompositionActions::executeRemoveNodeAction({}, selection);
    else if (entry == _hotkeys.reset) OmCompositionActions::executeResetNodeAction({}, selection);
    else if (entry == _hotkeys.swapConnections) swapSelectedConnections();
    else return false;
    return true;
}

} // namespace Zv
