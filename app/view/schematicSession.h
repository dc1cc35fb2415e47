#pragma once

#include "platform/graph/uiComposition.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include <optional>
#include <string>

namespace Zv {

// One composition shown by one schematic view without a window: what the headless commands share.
class SchematicSession {
public:
    // The built-in sample shown when no file is named.
    static std::string getDefaultCompositionPath();

    // Loads the file (ExBadInput naming it when it is malformed) and builds the view of its top level.
    SchematicSession(const std::string& path, ScOrientation orientation, bool autoCleanup);
    ~SchematicSession();

    PiGraph& getGraph() { return *_graph; }
    SvBrowserGraph& getBrowserGraph() { return *_browserGraph; }
    ScGraph& getScene() { return *_browserGraph->getScene(); }
    SvHeadlessDisplay& getDisplay() { return _display; }
    // Warnings the view gave, one per line on standard error.
    void printWarnings() const;
    // Shows the content of a group node; ExBadInput when the identity names no group.
    void enterGroup(int id);

private:
    RCStrongPtr<PiGraph> _graph;
    UiComposition _composition;
    SvHeadlessDisplay _display;
    RCStrongPtr<SvBrowserGraph> _browserGraph;
};

} // namespace Zv
