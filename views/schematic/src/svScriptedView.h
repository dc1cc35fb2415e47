#pragma once

#include "views/schematic/src/scViewer.h"

#include "platform/ui/uiScriptedView.h"

namespace Zv {

class SvSchematicDisplay;

// What scripted sessions ask of a schematic view. Targets name nodes by the name they show:
//   NAME             the node's centre
//   NAME.in.K        the connection point of input socket K (NAME.out.K of output socket K)
//   NAME.strip.K     the middle of the node's extra strip K (2 the image strip, 3 the second one)
//   SRC->DST         the middle of the first link from node SRC to node DST
//   group:NAME       the middle of a visual group's title bar
// Reports: nodes, edges, selection, highlight, redraws, info, options, colors.
class SvScriptedView : public UiScriptedView {
public:
    explicit SvScriptedView(SvSchematicDisplay& display);

    GePoint2<float> findScenePoint(const LiString& target) override;
    void setOption(const LiString& name, int value) override;
    std::vector<std::string> getReport(const LiString& topic) override;
    std::string getPickReport(const GePoint2<float>& scenePoint) override;
    // The view's edits by name: color NAME R G B, clearcolor NAME, cut, copy, paste T, group NAME...,
    // ungroup NAME, insert NAME SRC->DST, collapse NAME, connect SRC.OUT DST.IN, disconnect DST.IN.
    void runCommand(const std::vector<std::string>& words, const TargetResolver& toScene) override;

    // From now on redraws are kept for the "redraws" report.
    void startTracing();

private:
    const ScNode& findNode(const LiString& name) const;
    GePoint2<float> findStripPoint(ScNode& node, int strip) const;
    ScEdge& findLink(const LiString& source, const LiString& target) const;
    GePoint2<float> findLinkPoint(const LiString& source, const LiString& target) const;
    const ScGroup* findGroup(const LiString& name) const;
    GePoint2<float> findGroupPoint(const LiString& name) const;
    RCStrongPtr<PiNode> findModelNode(const LiString& name) const;
    template <class Socket>
    RCStrongPtr<Socket> findSocket(const std::string& word) const;
    std::string describe(const ScViewer::Pick& pick) const;
    std::vector<std::string> getRedrawLines();
    std::vector<std::string> getOptionLines() const;
    std::vector<std::string> getSelectionLines() const;
    std::vector<std::string> getColorLines() const;
    std::vector<std::string> getContextPointLines() const;

    SvSchematicDisplay& _display;
    int _rebuildsReported = 0;
};

} // namespace Zv
