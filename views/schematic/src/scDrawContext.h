#pragma once

#include "views/schematic/src/scContext.h"

#include "platform/base/geRectangle.h"
#include "platform/base/uPtr.h"
#include "platform/ui/uiResColor.h"

#include <vector>

namespace Zv {

class MfViewer;
class UiResTable;

// Colour ids of the schematic's colour table.
enum ScColorId : int {
    MenuBackground = 0,
    MenuBorder,
    MenuText,
    Background,
    SocketMenuBackground,
    SocketMenuBorderSelected,
    SocketMenuBorder,
    SocketMenuText,
    Selected,
    Unselected,
    ChildSelected,
    Tabs,
    MaskingTab,
    MarkedAnimationTab,
    AnchorTab,
    ExpressionTab,
    AnimatedTab,
    TabsHighlit,
    TabsOutline,
    IRDisabled,
    IREnabled,
    ProxyToggle,
    ContextPointOutline,
    TextureBackground,
    EdgeRGBA,
    EdgeRGB,
    EdgeA,
    GroupBackground,
    GroupTopBlend,
    GroupBottomBlend,
    NbColorIds
};

using ScColorTable = std::vector<UiResColor>;

// Passed to every draw operation: the view, fonts, zoom, opacity, colours and the four drawing modes.
class ScDrawContext : public ScContext {
public:
    enum Mode { Plain = 0, SmoothLines = 1, SmoothShading = 2, Textured = 3 };

    ScDrawContext(UPtr<MfViewer> viewer, const RCShdPtr<WsFont>& font, const RCShdPtr<WsFont>& zoomedFont, float scale,
                  const ScColorTable& colors, float opacity);
    ~ScDrawContext() override;

    // Builds the four drawing states, so that no frame pays for it; the module does it at start-up.
    static void prepareStates();
    // The table of the resource class "SvSchematicDisplay"; a missing or non-colour key is black.
    static ScColorTable readColorTable(const UiResTable& resources);
    // The table of the view's own resource file, "schematic.xml".
    static ScColorTable readShippedColorTable();
    // Sets up a frame that shows world in a width × height viewport, cleared to the table's background.
    static void beginFrame(const GeRectangle<float>& world, int width, int height, const ScColorTable& colors);

    // The font text is drawn with: the one rasterised at the view's zoom when there is one, else the
    // font at scale 1; scale is in font pixels per scene unit.
    struct TextFont {
        const WsFont* font;
        float scale;
    };

    UPtr<MfViewer> getViewer() const { return _viewer; }
    const RCShdPtr<WsFont>& getZoomedFont() const { return _zoomedFont; }
    TextFont getTextFont() const;
    float getOpacity() const { return _opacity; }

    void setState(int mode);
    void setColor(int id, float alphaFactor);
    void setColor(float r, float g, float b, float alphaFactor);
    const UiResColor& getColor() const { return _color; }
    float getAlpha() const { return _alpha; }
    // A table entry without making it current.
    const UiResColor& getTableColor(int id) const { return _colors[id]; }

private:
    void issueColor(const UiResColor& color, float alpha);

    UPtr<MfViewer> _viewer;
    ScColorTable _colors;
    RCShdPtr<WsFont> _zoomedFont;
    float _opacity;
    UiResColor _color{1.0f, 1.0f, 1.0f};
    float _alpha = 1.0f;
};

} // namespace Zv
