#include "views/schematic/src/svOptions.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/scViewerClient.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/ui/uiMenu.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/uiTab.h"
#include "platform/ui/uiTimeOptions.h"
#include "platform/ui/uiToggle.h"
#include "platform/ui/uiWidgetFactory.h"

namespace Zv {
namespace {

template <class W>
void connect(CbGroup& callbacks, W& widget, SvOptions* options, void (SvOptions::*callback)()) {
    callbacks.add(
        widget.addValueChangedCb(makeRC<CbFunction<W&>>([options, callback](W&) { (options->*callback)(); })));
}

} // namespace

SvOptions::SvOptions(ScViewer& viewer, ScViewerClient& client, TmTimeClient& timeClient, UiResTable& resources)
    : _viewer(viewer), _client(client), _container(makeRC<UiContainer>("SvOptionsContainer")),
      _timeOptions(makeRC<UiTimeOptions>(timeClient)) {
    auto tab = makeRC<UiTab>("SvOptionsTab");
    _container->addChild(tab);
    tab->insertPage(UiTimeOptions::PageName, _timeOptions);
    resources.addResTableInfo(UiResTable::load(UiResTable::getResourcePath("schematicOptions.xml")));
    RCShdPtr<UiWidget> ctnr = UiWidgetFactory::createWidget(resources, PageWidget);
    ZV_ASSERT(!ctnr.isNull());
    tab->insertPage(PageTitle, ctnr);

    // clang-format off
    ZV_ASSERT(_highlightTgl.dynamicAssign( ctnr->findWidget( LiString ( Widgets::HighlightTgl ) ) ));
    ZV_ASSERT(_autoCleanupTgl.dynamicAssign( ctnr->findWidget( Widgets::AutoCleanupTgl ) ));
    ZV_ASSERT(_autoZoomTgl.dynamicAssign( ctnr->findWidget( Widgets::AutoZoomTgl ) ));
    ZV_ASSERT(_locateNodeTgl.dynamicAssign( ctnr->findWidget( Widgets::LocateNodeTgl ) ));
    ZV_ASSERT(_linkStyleMenu.dynamicAssign( ctnr->findWidget( Widgets::LinkStyle ) ));
    ZV_ASSERT(_navigatorTgl.dynamicAssign( ctnr->findWidget( Widgets::NavigatorTgl ) ));
    // clang-format on

    connect(_callbacks, *_highlightTgl, this, &SvOptions::highlightCb);
    connect(_callbacks, *_autoCleanupTgl, this, &SvOptions::autoCleanupCb);
    connect(_callbacks, *_autoZoomTgl, this, &SvOptions::autoZoomCb);
    connect(_callbacks, *_locateNodeTgl, this, &SvOptions::locateNodeCb);
    connect(_callbacks, *_linkStyleMenu, this, &SvOptions::linkStyleCb);
    connect(_callbacks, *_navigatorTgl, this, &SvOptions::navigatorCb);
    refreshWidgets();
}

SvOptions::~SvOptions() = default;

void SvOptions::refreshWidgets() {
    const ScViewer::Options& options = _viewer.getOptions();
    _highlightTgl->setValue(options.highlight, false);
    _autoCleanupTgl->setValue(options.autoCleanup, false);
    _autoZoomTgl->setValue(options.autoZoom, false);
    _locateNodeTgl->setValue(options.locateNode, false);
    _linkStyleMenu->setSelectedIndex(toInt(options.linkStyle), false);
    _navigatorTgl->setValue(options.navigator, false);
    _timeOptions->refresh();
}

void SvOptions::highlightCb() {
    if (!_enabled) return;
    _viewer.setHighlight(_highlightTgl->getValue());
    _client.optionsChanged();
}

void SvOptions::autoCleanupCb() {
    if (!_enabled) return;
    if (_viewer.getOptions().autoCleanup) _client.autoCleanupSwitchedOff();
    else _viewer.cleanUp();
    _viewer.setAutoCleanup(_autoCleanupTgl->getValue());
    _client.optionsChanged();
    _viewer.update("SvOptions::autoCleanupCb");
}

void SvOptions::autoZoomCb() {
    if (!_enabled) return;
    if (!_viewer.getOptions().autoZoom) _viewer.zoomAutomatically(ScViewer::FitType::All);
    _viewer.setAutoZoom(_autoZoomTgl->getValue());
    if (_viewer.getOptions().autoZoom) _viewer.setLocateNode(false);
    _client.optionsChanged();
    _viewer.update("SvOptions::autoZoomCb");
}

void SvOptions::locateNodeCb() {
    if (!_enabled) return;
    _viewer.setLocateNode(_locateNodeTgl->getValue());
    if (_viewer.getOptions().locateNode) _viewer.setAutoZoom(false);
    _client.optionsChanged();
    _viewer.update("SvOptions::locateNodeCb");
}

void SvOptions::linkStyleCb() {
    if (!_enabled) return;
    _viewer.setLinkStyle(toScCode<ScLinkStyle>(_linkStyleMenu->getSelectedIndex()));
    _client.optionsChanged();
    _viewer.update("SvOptions::linkStyleCb");
}

void SvOptions::navigatorCb() {
    if (!_enabled) return;
    _viewer.setNavigator(_navigatorTgl->getValue());
    _client.optionsChanged();
    _viewer.update("SvOptions::navigatorCb");
}

} // namespace Zv
