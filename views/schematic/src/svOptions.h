#pragma once

#include "platform/base/cbGroup.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class ScViewer;
class ScViewerClient;
class TmTimeClient;
class UiContainer;
class UiMenu;
class UiResTable;
class UiTimeOptions;
class UiToggle;

// The options panel of a schematic view: the time options page, and the schematic page built from
// "schematicOptions.xml", whose widgets show and change the viewer's options.
class SvOptions {
public:
    // Widget names of the schematic page; each is also the option's key in the settings element.
    struct Widgets {
        static constexpr const char* HighlightTgl = "Highlight";
        static constexpr const char* AutoCleanupTgl = "AutoCleanup";
        static constexpr const char* AutoZoomTgl = "AutoZoom";
        static constexpr const char* LocateNodeTgl = "LocateNode";
        static constexpr const char* LinkStyle = "LinkStyle";
        static constexpr const char* NavigatorTgl = "Navigator";
    };
    // The top widget of the schematic page in its resource file, and the page's title.
    static constexpr const char* PageWidget = "SchematicOptions";
    static constexpr const char* PageTitle = "Display";

    // The page's widgets are added to resources. A widget missing from the file is an assertion failure.
    SvOptions(ScViewer& viewer, ScViewerClient& client, TmTimeClient& timeClient, UiResTable& resources);
    ~SvOptions();
    SvOptions(const SvOptions&) = delete;
    SvOptions& operator=(const SvOptions&) = delete;

    const RCShdPtr<UiContainer>& getContainer() const { return _container; }
    // Shows the viewer's options, quietly.
    void refreshWidgets();
    // While off, changes of the widgets leave the viewer alone.
    void setCallbacksEnabled(bool enabled) { _enabled = enabled; }

private:
    void highlightCb();
    void autoCleanupCb();
    void autoZoomCb();
    void locateNodeCb();
    void linkStyleCb();
    void navigatorCb();

    ScViewer& _viewer;
    ScViewerClient& _client;
    RCShdPtr<UiContainer> _container;
    RCShdPtr<UiToggle> _highlightTgl;
    RCShdPtr<UiToggle> _autoCleanupTgl;
    RCShdPtr<UiToggle> _autoZoomTgl;
    RCShdPtr<UiToggle> _locateNodeTgl;
    RCShdPtr<UiMenu> _linkStyleMenu;
    RCShdPtr<UiToggle> _navigatorTgl;
    RCShdPtr<UiTimeOptions> _timeOptions;
    CbGroup _callbacks;
    bool _enabled = true;
};

} // namespace Zv
