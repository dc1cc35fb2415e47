#include "app/view/schematicSession.h"

#include "platform/base/exBase.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piSocketDesc.h"
#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include <cstdio>

namespace Zv {
namespace {

template <class Singleton>
void initializeOnce() {
    if (Singleton::getState() == Singleton::NotInitialized) Singleton::initialize();
}

} // namespace

std::string SchematicSession::getDefaultCompositionPath() {
    return std::string(ZV_RESOURCES_DIR) + "/samples/default.xml";
}

SchematicSession::SchematicSession(const std::string& path, ScOrientation orientation, bool autoCleanup)
    : _display(orientation, autoCleanup) {
    PiAppThread::claim();
    initializeOnce<ScNodeFactory>();
    initializeOnce<ScNodeIconRegistry>();
    _graph = PiCompositionFile::load(path);
    _browserGraph = new SvBrowserGraph(_composition, &_display);
    for (int type : PiSocketDesc::kParameterTypes) _browserGraph->setFilteredSocketType(type, true);
    // Showing the graph rebuilds the view through the composition client.
    _composition.setGraph(_graph);
}

SchematicSession::~SchematicSession() {
    _browserGraph.reset();
}

void SchematicSession::printWarnings() const {
    for (const LiString& warning : _display.getWarnings()) std::fprintf(stderr, "warning: %s\n", warning.c_str());
}

void SchematicSession::enterGroup(int id) {
    RCStrongPtr<PiGroupNode> group;
    if (!group.dynamicAssign(_graph->findNode(id)))
        throw ExBadInput(__FILE__, __LINE__, "no group node with identity " + std::to_string(id));
    _browserGraph->editGroupNode(group);
}

} // namespace Zv
