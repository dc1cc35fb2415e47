#include "views/schematic/src/schematicViewFactory.h"

#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svSchematicDisplay.h"

#include "platform/ui/uiContainer.h"
#include "platform/ui/uiResTable.h"

namespace Zv {

RCShdPtr<UiWidget> SchematicViewFactory::createView(const RCShdPtr<UiContainer>& parent, UiComposition* composition,
                                                    const pugi::xml_node& settings) {
    const RCShdPtr<UiContainer> container = parent.isNull() ? UiContainer::create(nullptr, "") : parent;
    auto display = makeRC<SvSchematicDisplay>(*container, composition);
    if (settings) display->applySettings(settings);
    // The workspace keeps the view alive through its top widget.
    container->addClientData(display);
    container->addClientData(display->getBrowser());
    return container;
}

std::unique_ptr<pugi::xml_document> SchematicViewFactory::getViewDocument() const {
    return createXmlDocument(UiResTable::getResourcePath(ViewDocument));
}

} // namespace Zv
