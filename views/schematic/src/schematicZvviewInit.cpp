#include "views/schematic/src/schematicZvviewInit.h"

#include "views/schematic/src/scContextPointTool.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"
#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/schematicViewFactory.h"
#include "views/schematic/src/svDisplayActions.h"
#include "views/schematic/src/svSchematicDisplay.h"

#include "platform/base/inBasePackage.h"
#include "platform/base/inBuildInfoUtil.h"
#include "platform/graph/omCompositionActions.h"
#include "platform/graph/piGraphPackage.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiPackage.h"

namespace Zv {
namespace {

// What the module tells about its build.
class LibraryBuildInfo : public InBuildInfo {
public:
    LiString getTitle() const override { return "Schematic view"; }
    LiString getLibraryName() const override { return "libZvschematicZvview"; }
    LiString getReleaseYear() const override { return "2013"; }
    LiString getVersion() const override { return "8.0"; }
    LiString getReleaseTag() const override { return getReleaseKind() == 3 ? "dev" : ""; }
    int getMajorNumber() const override { return 8; }
    int getMinorNumber() const override { return 0; }
    int getReleaseKind() const override { return 42; }
    LiString getBuildNumber() const override { return "2600"; }
    LiString getBuildDate() const override { return "Jun 12 2012"; }
    LiString getBuildFlavour() const override { return "opt.x86_64.intel"; }
};

LiString sharedKeyText(const char* name) {
    const UiHotkeyRegistry& registry = UiApplication::getInstance().getHotkeyRegistry();
    return registry.toString(registry.getSharedEntry(name));
}

} // namespace

SchematicZvviewInit::SchematicZvviewInit() : InInit<ZvInit::schematicZvview>(PackageName) {
    registerPackage(this);
    addDependency(InInit<ZvInit::ui>::getType());
    addDependency(InInit<ZvInit::graph>::getType());
    addDependency(InInit<ZvInit::base>::getType());
}

SchematicZvviewInit& SchematicZvviewInit::getPackage() {
    static SchematicZvviewInit package;
    return package;
}

void SchematicZvviewInit::startUp() {
    ScDrawContext::prepareStates();
    InBuildInfoUtil::registerInfo(std::make_unique<LibraryBuildInfo>());
    SvDisplayActions::registerAll();
    OmCompositionActions::setRemoveNodeDisplayString(sharedKeyText(UiHotkeyRegistry::Delete));
    OmCompositionActions::setResetNodeDisplayString(sharedKeyText(UiHotkeyRegistry::Reset));
    UiViewFactory::registerViewFactory(ViewFactoryName, std::make_unique<SchematicViewFactory>());
    SvSchematicDisplay::createResourceTable();
    ScNodeFactory::initialize();
    ScNodeIconRegistry::initialize();
    ScViewer::createStoredLayouts();
    ScContextPointTool::createKeyPredicates();
}

void SchematicZvviewInit::shutDown() {
    ScNodeIconRegistry::destroy();
    ScNodeFactory::destroy();
    SvDisplayActions::unregisterAll();
    UiViewFactory::unregisterViewFactory(ViewFactoryName);
    SvSchematicDisplay::releaseResourceTable();
    ScViewer::releaseStoredLayouts();
    ScContextPointTool::releaseKeyPredicates();
}

namespace {

// Loading the module registers its package.
const SchematicZvviewInit& gPackage = SchematicZvviewInit::getPackage();

} // namespace
} // namespace Zv
