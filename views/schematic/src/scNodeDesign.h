#pragma once

#include "views/schematic/src/scIcon.h"
#include "views/schematic/src/scNodeShape.h"
#include "views/schematic/src/scRoundedBox.h"

#include "platform/base/rcStrongPtr.h"
#include "platform/ui/uiResColor.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace Zv {

// What a CustomNode description makes of a node: the box's size and corner radius, where the name
// goes, the body's colour and the parts on the outline, hung on no box. The nodes of a description
// share it, and it keeps the shapes they are drawn with, one per socket counts, while any node uses one.
class ScNodeDesign : public RCBase {
public:
    // Where the node's name goes.
    enum class NameAlignment : int32_t {
        TOP = 0,    // inside the box, at its top
        CENTER = 1, // inside the box, in its middle
        BOTTOM = 2, // inside the box, at its bottom
        UNDER = 3,  // outside, right of the box and reaching below it
    };
    enum ColorKind { TOOL = 0, GROUP = 1, SUPERTOOL = 2, OUTPUT1 = 3, OUTPUT2 = 4, WHITE = 5 };

    // The corner radius is cut to half the shorter side.
    ScNodeDesign(float width, float height, float cornerRadius);
    ~ScNodeDesign() override;

    // A design of its own for a node about to change one: the same look, no shapes yet.
    RCStrongPtr<ScNodeDesign> copy() const;
    // The shape of nodes showing that many sockets, made the first time any node asks.
    RCStrongPtr<ScNodeShape> getShape(int nbInputs, int nbOutputs);
    int getNbShapes() const { return static_cast<int>(_shapes.size()); }

    // The box about the node's centre.
    const ScRoundedBox& getLocalBox() const { return _localBox; }
    const ScNodeParts& getPrototypes() const { return _prototypes; }
    // Parts change only while no shape is made from them.
    ScNodeParts& editPrototypes();
    void addGenericTab(std::unique_ptr<ScBorderTab> tab, const RCShdPtr<ScIcon>& icon);
    NameAlignment getNameAlignment() const { return _nameAlignment; }
    void setNameAlignment(NameAlignment alignment) { _nameAlignment = alignment; }
    int32_t getColorKind() const { return _colorKind; }
    void setColorKind(int32_t colorKind) { _colorKind = colorKind; }
    static UiResColor getColorKindColor(int colorKind);

private:
    friend class ScNodeShape;
    // A dying shape leaves the cache.
    void forget(const ScNodeShape& shape);

    ScRoundedBox _localBox;
    NameAlignment _nameAlignment = NameAlignment::UNDER;
    int32_t _colorKind = TOOL;
    ScNodeParts _prototypes;
    // The icons of the generic tabs, in the tabs' order.
    std::vector<RCShdPtr<ScIcon>> _genericIcons;
    // By (inputs, outputs); shapes belong to the nodes that use them.
    std::map<std::pair<int, int>, ScNodeShape*> _shapes;
};

} // namespace Zv
