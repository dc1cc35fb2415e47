#pragma once

#include "views/schematic/src/scViewerClient.h"
#include "views/schematic/src/svDisplayInterface.h"

#include "platform/base/cbGroup.h"
#include "platform/base/obObserver.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/base/uPtr.h"
#include "platform/ui/tmTimeClient.h"
#include "platform/ui/uiResColor.h"
#include "platform/ui/uiView.h"

#include <memory>
#include <vector>

namespace Zv {

class EvHotkeyEvent;
class PiInput;
class PiNode;
class PiOutput;
class ScViewer;
class SvBrowserGraph;
class SvOptions;
class SvScriptedView;
class UiComposition;
class UiResTable;

// One schematic view: the browser graph that mirrors the composition's graph into the scene, the
// viewer that draws it, the options panel and the background menu. It answers the viewer's
// callbacks and the view's hotkeys, keeps its options in the workspace layout and rebuilds the
// diagram when a user setting that shapes it changes.
class SvSchematicDisplay : public RCBase,
                           public UiView,
                           public SvDisplayInterface,
                           public ScViewerClient,
                           public ObObserver {
public:
    static constexpr const char* TypeName = "Schematic";
    // The user setting of the flow direction of new and rebuilt diagrams: 0 down, 1 right, 2 up.
    static constexpr const char* OrientationSetting = "Schematic/Orientation";

    // The resource table of colours and widgets, from module start-up to shut-down.
    static void createResourceTable();
    static void releaseResourceTable();
    static UiResTable& getResourceTable();

    // The view is put in parent and shows the composition's current graph at once.
    SvSchematicDisplay(UiContainer& parent, UPtr<UiComposition> compClient);
    ~SvSchematicDisplay() override;

    // UiView
    LiString getTypeName() const override { return TypeName; }
    void applySettings(const pugi::xml_node& settings) override;
    void writeSettings(XmlWriter& writer) const override;
    UiDrawArea* getDrawArea() override;
    UiContainer* getOptionsPanel() override;
    UiScriptedView* getScriptedView() override;
    // A refusal becomes a warning for the user.
    void cut() override;
    void copy() override;
    void paste() override;

    // SvDisplayInterface
    bool isViewShown() const override;
    void redraw(const LiString& reason) override;
    void redrawNode(const ScNode& node) override;
    void redrawArea(const GeRectangle<float>& rect) override;
    void resetUserZoomPan() override;
    ZoomPan getUserZoomPan() const override;
    void setUserZoomPan(const ZoomPan& zoomPan) override;
    GeRectangle<float> getVisibleWorldRect() const override;
    bool isAutoCleanup() const override;
    ScOrientation getOrientation() const override;
    void setCommandStack(CmCommandStack* stack, SvAccessLevel accessLevel) override;
    void setTitle(const LiString& title) override { _title = title; }
    void showWarning(const LiString& message) override;

    // ScViewerClient
    void layoutDone() override;
    void autoCleanupSwitchedOff() override;
    void optionsChanged() override;
    void contextMenuRequest(const GePoint2<float>& windowPoint) override;
    void doubleClick(const GePoint2<float>& windowPoint) override;
    void autoZoomOff() override;
    void connectTabs(const ScNode& source, int outputTab, const ScNode& target, int inputTab) override;
    void moveLinkEnd(const ScEdge& edge, const ScNode& node, int tab, ScPart side) override;
    void connectToGroup(const ScNode& node, int tab, ScPart side) override;
    bool isInsideGroup() const override;
    void disconnectCrossing(const GePoint2<float>& a, const GePoint2<float>& b) override;
    void toggleNodeImage(const RCStrongPtr<PiNode>& node) override;
    void toggleNodeMute(const RCStrongPtr<PiNode>& node) override;
    // Tag 0 is the context point users call 1.
    void setContextPoint(int tag, const RCStrongPtr<PiNode>& node) override;
    std::unique_ptr<MfUndoScope> openUndoScope(const LiString& name) override;
    void nodesMoved(const std::vector<RCStrongPtr<ScNode>>& nodes) override;
    void insertNode(const RCStrongPtr<PiNode>& node, const RCStrongPtr<PiOutput>& output,
                    const RCStrongPtr<PiInput>& input) override;
    void connectSockets(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input) override;

    // The user's settings changed.
    void update(const ObHints& hints) override;

    const RCStrongPtr<SvBrowserGraph>& getBrowser() const { return _browser; }
    ScViewer& getViewer() const;
    UiComposition& getComposition() const { return _composition; }
    TmTimeClient& getTimeClient() { return _timeClient; }
    const LiString& getTitle() const { return _title; }
    // 0 nothing shown, 1 a read-only graph, 2 an editable one.
    SvAccessLevel getAccessLevel() const { return _accessLevel; }
    // Full rebuilds of the scene since the view was made.
    int getNbRebuilds() const { return _nbRebuilds; }

    // The clipboard operations; refusals raise ExBadInput with the reason. Paste puts the nodes centred
    // on the scene point, or without one where the view places new nodes.
    void cutSelection();
    void copySelection();
    void pasteClipboard(const GePoint2<float>* scenePoint);
    // Pastes centred on the scene point; a refusal becomes a warning.
    void pasteAt(const GePoint2<float>& scenePoint);

    // What the menu, the hotkeys and the actions run. Nodes are the processing nodes shown.
    std::vector<RCStrongPtr<PiNode>> getSelectedNodes() const;
    bool isSelected(const PiNode& node) const;
    // The selected nodes when the node is one of them, else the node alone: what an entry of a node's
    // menu acts on.
    std::vector<RCStrongPtr<PiNode>> getActedNodes(const RCStrongPtr<PiNode>& node) const;
    // Opens the colour dialog over the node; the colour picked goes to the acted nodes in one "Color"
    // step.
    void chooseColor(const RCStrongPtr<PiNode>& node);
    void colorNodes(const std::vector<RCStrongPtr<PiNode>>& nodes, const UiResColor& color);
    // A socket inside the group shown gets a connection to a new socket of the group; a refusal
    // becomes a warning.
    void newInputConnection(const RCStrongPtr<PiInput>& input);
    void newOutputConnection(const RCStrongPtr<PiOutput>& output);
    // The two inputs exchange what feeds them; a refusal becomes a warning.
    void swapConnections(const RCStrongPtr<PiInput>& first, const RCStrongPtr<PiInput>& second);
    // An empty group node centred on the scene point; a refusal becomes a warning.
    void newGroup(const GePoint2<float>& scenePoint);
    // With exactly two selected nodes feeding two inputs of one node, those inputs exchange them.
    void swapSelectedConnections();
    void toggleImageShown();
    void toggleImageShown(const std::vector<RCStrongPtr<PiNode>>& nodes);
    void toggleCollapse(const std::vector<RCStrongPtr<PiNode>>& nodes);
    void selectNodes(const std::vector<RCStrongPtr<PiNode>>& nodes);
    void selectAll();
    void zoomSelected();
    // Both do nothing while automatic clean-up is on; Layout All keeps the zoom.
    void layoutAll();
    void layoutSelected();
    void exitGroup();
    // Between two remembered zooms, about the window point.
    void toggleCursorZoom(const GePoint2<float>& windowPoint);

private:
    // The hotkey entries the view handles itself, resolved once.
    struct Hotkeys {
        int cursorZoom, thumbnail, mute, groupUngroup, layoutSelected, layoutAll, selectAll, details, detailsAll,
            expandCollapse, groupVisual, openGroup, closeGroup, swapConnections;
        int remove, reset, cut, copy, paste;
    };

    void hotkeyCb(EvHotkeyEvent& event);
    // True when the hotkey was handled; editing ones need editing access.
    bool runHotkey(int entry, const GePoint2<float>& windowPoint);
    bool runEditingHotkey(int entry, const GePoint2<float>& windowPoint);
    // The model sockets behind tabs; a tab without one is refused.
    RCStrongPtr<PiInput> getTabInput(const ScNode& node, int tab) const;
    RCStrongPtr<PiOutput> getTabOutput(const ScNode& node, int tab) const;

    UiComposition& _composition;
    UiResTable& _resources;
    RCStrongPtr<SvBrowserGraph> _browser;
    RCShdPtr<ScViewer> _viewer;
    TmTimeClient _timeClient;
    std::unique_ptr<SvOptions> _options;
    std::unique_ptr<SvScriptedView> _scripted;
    CbGroup _callbacks;
    Hotkeys _hotkeys;
    float _zoomA = 1.0f;
    float _zoomB = 0.2f;
    CmCommandStack* _commandStack = nullptr;
    SvAccessLevel _accessLevel = SvAccessLevel::None;
    LiString _title;
    int _nbRebuilds = 0;
};

} // namespace Zv
