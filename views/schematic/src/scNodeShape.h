#pragma once

#include "views/schematic/src/scBorderTab.h"
#include "views/schematic/src/scConnectionSet.h"
#include "views/schematic/src/scFeedbackTab.h"
#include "views/schematic/src/scImageHandler.h"
#include "views/schematic/src/scRoundedBox.h"
#include "views/schematic/src/scToggleIRTab.h"

#include "platform/base/rcStrongPtr.h"

#include <memory>
#include <vector>

namespace Zv {

class ScNodeDesign;

// What a description hangs on a custom node's box: the sets and tabs of its outline and the picture
// in its body. Any of them may be missing.
struct ScNodeParts {
    std::unique_ptr<ScConnectionSet> inputSet, outputSet;
    std::unique_ptr<ScFeedbackTab> feedbackTab;
    std::unique_ptr<ScBorderTab> toggleImageTab;
    std::unique_ptr<ScToggleIRTab> toggleIRTab;
    std::unique_ptr<ScBorderTab> linkNodeIconTab;
    // Sorted along the perimeter by their start.
    std::vector<std::unique_ptr<ScBorderTab>> genericTabs;
    std::unique_ptr<ScImageHandler> body;

    // Copies of every part, hung on box.
    ScNodeParts copyOn(UPtr<ScRoundedBox> box) const;
};

// The geometry of the custom nodes of one design that show the same numbers of sockets: the box, the
// sets and tabs laid out on it and the bounds, all about the node's centre. The nodes share it, so a
// node keeps only what is its own (position, flags, name...); each places the shape where it stands
// before asking it anything, which makes a node's size the same wherever it stands.
class ScNodeShape : public RCBase {
public:
    ScNodeShape(const RCStrongPtr<ScNodeDesign>& design, int nbInputs, int nbOutputs);
    ~ScNodeShape() override;

    // Puts the box, and all that hangs on it, at a node's centre, with the socket sets as wide as that
    // node drew them last (a fan's connection points move out with its tab).
    void placeAt(const GePoint2<float>& centre, bool inputsWidened, bool outputsWidened);

    int getNbInputs() const { return _nbInputs; }
    int getNbOutputs() const { return _nbOutputs; }
    // Where the last placement put them.
    const ScRoundedBox& getBox() const { return _box; }
    const ScNodeParts& getParts() const { return _parts; }
    ScNodeParts& getParts() { return _parts; }
    // About the centre: the box alone, and the box with every set and tab at its normal width.
    const GeRectangle<float>& getLocalRect() const { return _localRect; }
    const GeRectangle<float>& getLocalBounds() const { return _localBounds; }

private:
    // Moves neighbouring bands apart where they meet or overlap.
    void separateBands();
    GeRectangle<float> measureBounds() const;

    RCStrongPtr<ScNodeDesign> _design;
    int _nbInputs;
    int _nbOutputs;
    GeRectangle<float> _localRect;
    ScRoundedBox _box;
    ScNodeParts _parts;
    GeRectangle<float> _localBounds;
    bool _inputsWidened = false;
    bool _outputsWidened = false;
};

} // namespace Zv
