#pragma once

#include "views/schematic/src/scNode.h"

#include "platform/base/rcStrongPtr.h"

#include <array>
#include <cstdint>

namespace Zv {

class PiInput;
class PiOutput;
class ScDrawBatch;
class ScDrawContext;

// The link from an output of one node to an input of another. It keeps no geometry: every use asks
// both nodes where their sockets are and builds the curve again.
class ScEdge : public RCBase {
public:
    static constexpr int kMaxPoints = 40;
    // A pick answers within this distance of the line, and only near the span of the two ends.
    static constexpr float kPickDistance = 6.0f;

    // The drawn line of a link: at most 40 points, held without allocating.
    struct Polyline {
        std::array<GePoint2<float>, kMaxPoints> points;
        int count = 0;

        void add(const GePoint2<float>& p) { points[count++] = p; }
    };
    // A cubic from start to end.
    struct Curve {
        GePoint2<float> start, control0, control1, end;
    };

    ScEdge(const RCStrongPtr<ScNode>& source, int32_t sourceSocket, int32_t sourceFanIndex,
           const RCStrongPtr<ScNode>& target, int32_t targetSocket, int32_t targetFanIndex, int32_t tag);
    ~ScEdge() override;
    // True while both ends of the link exist in the processing graph.
    virtual bool isValid() const { return false; }
    // The sockets the link joins in the processing graph; null for a link that stands for none.
    virtual RCStrongPtr<PiOutput> getSourceOutput() const;
    virtual RCStrongPtr<PiInput> getTargetInput() const;

    void getBounds(GeRectangle<float>& out, ScLinkStyle style) const;
    // Halfway between the two ends, whatever the link style.
    GePoint2<float> getMidpoint() const;
    // Within 6.0 units of the drawn link.
    bool pick(const GePoint2<float>& p, ScLinkStyle style) const;
    void draw(ScDrawContext& ctx, ScLinkStyle style) const;
    // The link as solid segments in its colour, between points of its line at least spacing apart:
    // enough for a link a few pixels long.
    void drawSimplified(ScDrawContext& ctx, ScLinkStyle style, float spacing, ScDrawBatch& batch) const;
    void getPolyline(Polyline& out, ScLinkStyle style) const;
    // The inner points of the cubic of a curved link between ends leaving along d0 and d1.
    static void getControlPoints(const GePoint2<float>& p0, const GeVector2<float>& d0, const GePoint2<float>& p1,
                                 const GeVector2<float>& d1, GePoint2<float>& c0, GePoint2<float>& c1);
    // Adds kMaxPoints points of the cubic from start to end, evenly spaced in its parameter.
    // The curve a link from the source's output to the target's input would take.
    static Curve getCurve(const ScNode& source, int32_t sourceSocket, const ScNode& target, int32_t targetSocket);
    static void sampleCubic(const GePoint2<float>& start, const GePoint2<float>& control0,
                            const GePoint2<float>& control1, const GePoint2<float>& end, Polyline& out);

    const RCStrongPtr<ScNode>& getSource() const { return _source; }
    int32_t getSourceSocket() const { return _sourceSocket; }
    int32_t getSourceFanIndex() const { return _sourceFanIndex; }
    // The output's consumers moved up or down.
    void setSourceFanIndex(int32_t index) { _sourceFanIndex = index; }
    const RCStrongPtr<ScNode>& getTarget() const { return _target; }
    int32_t getTargetSocket() const { return _targetSocket; }
    int32_t getTargetFanIndex() const { return _targetFanIndex; }
    int32_t getTag() const { return _tag; }
    bool isSelected() const { return _selected; }
    void setSelected(bool selected) { _selected = selected; }
    bool isHighlighted() const { return _highlighted; }
    void setHighlighted(bool highlighted) { _highlighted = highlighted; }
    bool isHidden() const { return _hidden; }
    void setHidden(bool hidden) { _hidden = hidden; }

private:
    struct Ends {
        GePoint2<float> p0, p1;
        GeVector2<float> d0, d1;
    };
    struct Handles {
        GePoint2<float> c0, c1;
    };
    Ends getEnds() const;
    static Ends getEnds(const ScNode& source, int32_t sourceSocket, int32_t sourceFanIndex, const ScNode& target,
                        int32_t targetSocket, int32_t targetFanIndex);
    static Handles getHandles(const Ends& ends);
    static void buildCurve(const Ends& ends, Polyline& out);
    static void buildAngular(const Ends& ends, Polyline& out);
    static void buildPolyline(const Ends& ends, ScLinkStyle style, Polyline& out);

    RCStrongPtr<ScNode> _source;
    int32_t _sourceSocket;
    int32_t _sourceFanIndex;
    RCStrongPtr<ScNode> _target;
    int32_t _targetSocket;
    int32_t _targetFanIndex;
    int32_t _tag;
    bool _selected = false;
    bool _highlighted = false;
    bool _hidden = false;
};

} // namespace Zv
