#pragma once

#include "platform/base/geRectangle.h"
#include "platform/base/geVector2.h"
#include "platform/base/liString.h"
#include "platform/ui/mfViewer.h"
#include "platform/ui/uiDrawArea.h"

#include <array>
#include <vector>

namespace Zv {

class UiPopupMenu;

// A draw area with a view and tools: events go first to the widget callbacks (arm, tooltip,
// hotkey), then to the tools. It keeps stored layouts (zoom and pan the user can recall) and draws
// the info banner.
class UiViewer : public UiDrawArea, public MfViewer {
public:
    struct LayoutRecord {
        GeVector2<float> zoom;
        GeVector2<float> pan;
        bool stored = false;
    };
    static constexpr int NbStoredLayouts = 4;
    static int getNbStoredLayouts() { return NbStoredLayouts; }

    explicit UiViewer(LiString name);
    ~UiViewer() override;

    // Slots 0 to NbStoredLayouts - 1; their hotkeys are "Layout N" and "Store Layout N" of the
    // viewer domain, N from 1.
    virtual void setLayout(int index);
    virtual void deleteLayout(int index);
    // Applies a stored layout; nothing for an empty slot.
    virtual void activateLayout(int index);
    const LayoutRecord& getLayout(int index) const;
    // Appends a "Layouts" sub-menu: recall, store and delete for every slot.
    void buildLayoutMenu(UiPopupMenu& menu);
    // A marker at the centre of each stored layout, drawn in scene units.
    void drawLayoutPoints(const std::vector<LayoutRecord>& records);
    // The text in a banner, a rectangle of window pixels.
    void drawInfo(const LiString& text, const GeRectangle<float>& rect);

    virtual void resetUserZoomPan();
    // The key text of the viewer's "Reset Zoom/Pan" hotkey.
    static LiString getResetDisplayString();

    MfViewer* getMfViewer() override { return this; }
    void markForUpdate() override;
    void markRegionForRedraw(const GeRectangle<float>& region) override;
    void handleEvent(EvEvent& event) override;
    void setGeometry(const GeRectangle<int>& geometry) override;

protected:
    // A hotkey of the viewer domain nobody took, by entry name; true when handled.
    virtual bool handleViewerHotkey(const LiString& name);

private:
    std::array<LayoutRecord, NbStoredLayouts> _layouts;
};

} // namespace Zv
