#pragma once

#include "platform/ui/uiViewFactory.h"

namespace Zv {

// Makes schematic views for the workspace: a display in its container, with the settings the
// workspace kept for it.
class SchematicViewFactory : public UiViewFactory {
public:
    // The view document, among the module's resources.
    static constexpr const char* ViewDocument = "schematicView.xml";

    RCShdPtr<UiWidget> createView(const RCShdPtr<UiContainer>& parent, UiComposition* composition,
                                  const pugi::xml_node& settings) override;
    std::unique_ptr<pugi::xml_document> getViewDocument() const override;
};

} // namespace Zv
