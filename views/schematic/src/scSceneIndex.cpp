#include "views/schematic/src/scSceneIndex.h"

#include "views/schematic/src/scConnectionSet.h"
#include "views/schematic/src/scContext.h"
#include "views/schematic/src/scGraph.h"

#include "platform/ui/wsFont.h"

#include <algorithm>
#include <cmath>

namespace Zv {
namespace {

// An item meeting more cells than this is kept aside and tested on every question.
constexpr int64_t kMaxCellsPerItem = 64;
constexpr int kMaxCellsPerAxis = 4096;
// A link end lies on its node's sets, which a hovered node widens beyond the node's bounds by less
// than this; the index then needs no rebuild when the pointer widens a set.
constexpr float kEndReach = 2.0f * ScConnectionSet::kEnlargedWidth;
// How far a drawn link reaches beyond its ends: its handles (at least 13, at most 0.3 of the span
// between the ends, along directions no longer than 1), the pick distance and the lift that keeps a
// straight link from being empty.
constexpr float kMinHandle = 13.0f;
constexpr float kHandleShare = 0.3f;
constexpr float kLinkMargin = ScEdge::kPickDistance + 1.0f;

bool meets(const GeRectangle<float>& a, const GeRectangle<float>& b) {
    return a.xMin <= b.xMax && b.xMin <= a.xMax && a.yMin <= b.yMax && b.yMin <= a.yMax;
}

// Where a link may be drawn or picked whatever its nodes' hover state: around both nodes' boxes,
// and where it is now.
GeRectangle<float> getEdgeReach(const ScEdge& edge, ScLinkStyle linkStyle) {
    GeRectangle<float> source, target, now;
    edge.getSource()->getBoxBounds(source);
    edge.getTarget()->getBoxBounds(target);
    const GeRectangle<float> ends = source.unite(target).grown(kEndReach);
    const float span = std::hypot(ends.getWidth(), ends.getHeight());
    edge.getBounds(now, linkStyle);
    return ends.grown(std::max(kHandleShare * span, kMinHandle) + kLinkMargin).unite(now.grown(kLinkMargin));
}

GeRectangle<float> getNodeReach(const ScNode& node, const ScContext& ctx) {
    GeRectangle<float> drawn, box;
    node.getBounds(drawn, ctx);
    node.getBoxBounds(box);
    return drawn.unite(box.grown(ScNode::kPickMargin));
}

// The objects of a set in order, and the grid of where each may be drawn or picked.
template <class T, class Grid, class Reach>
void indexSet(const ScOrderedSet<T>& set, std::vector<T*>& objects, Grid& grid, Reach reach) {
    std::vector<GeRectangle<float>> rects;
    objects.clear();
    for (const auto& object : set) {
        objects.push_back(object.get());
        rects.push_back(reach(*object));
    }
    grid.build(std::move(rects));
}

} // namespace

// --- Grid ---

ScSceneIndex::Grid::CellRange ScSceneIndex::Grid::cellsOf(const GeRectangle<float>& rect) const {
    const auto cell = [this](float v, float origin, int nb) {
        const double c = std::floor((double(v) - double(origin)) / _cellSize);
        return static_cast<int>(std::clamp(c, 0.0, double(nb - 1)));
    };
    return {cell(rect.xMin, _extent.xMin, _nbX), cell(rect.xMax, _extent.xMin, _nbX),
            cell(rect.yMin, _extent.yMin, _nbY), cell(rect.yMax, _extent.yMin, _nbY)};
}

void ScSceneIndex::Grid::build(std::vector<GeRectangle<float>> rects) {
    _rects = std::move(rects);
    _seen.assign(_rects.size(), 0);
    _question = 0;
    _large.clear();
    _extent = {};
    double sumSize = 0.0;
    for (const GeRectangle<float>& r : _rects) {
        if (r.isEmpty()) continue;
        _extent.unite(r);
        sumSize += std::max(r.getWidth(), r.getHeight());
    }
    const size_t n = _rects.size();
    if (_extent.isEmpty()) {
        _nbX = _nbY = 1;
        _cellSize = 1.0;
    } else {
        // About one item per cell, and cells no smaller than a typical item.
        const double area = double(_extent.getWidth()) * double(_extent.getHeight());
        _cellSize = std::max({std::sqrt(area / double(n)), sumSize / double(n), 1e-3});
        const auto count = [this](float length) {
            return static_cast<int>(std::clamp(std::ceil(double(length) / _cellSize), 1.0, double(kMaxCellsPerAxis)));
        };
        _nbX = count(_extent.getWidth());
        _nbY = count(_extent.getHeight());
        _cellSize = std::max(double(_extent.getWidth()) / _nbX, double(_extent.getHeight()) / _nbY) * (1.0 + 1e-6);
    }
    // Counted, then filled in set order, so every cell lists its items ascending.
    _cellStart.assign(size_t(_nbX) * size_t(_nbY) + 1, 0);
    std::vector<uint8_t> isLarge(n, 0);
    for (size_t i = 0; i < n; ++i) {
        if (_rects[i].isEmpty()) continue;
        const CellRange c = cellsOf(_rects[i]);
        if (int64_t(c.x1 - c.x0 + 1) * int64_t(c.y1 - c.y0 + 1) > kMaxCellsPerItem) {
            isLarge[i] = 1;
            _large.push_back(static_cast<uint32_t>(i));
            continue;
        }
        for (int y = c.y0; y <= c.y1; ++y)
            for (int x = c.x0; x <= c.x1; ++x) ++_cellStart[size_t(y) * _nbX + x + 1];
    }
    for (size_t c = 1; c < _cellStart.size(); ++c) _cellStart[c] += _cellStart[c - 1];
    _cellItems.assign(_cellStart.back(), 0);
    std::vector<uint32_t> fill(_cellStart.begin(), _cellStart.end() - 1);
    for (size_t i = 0; i < n; ++i) {
        if (_rects[i].isEmpty() || isLarge[i]) continue;
        const CellRange c = cellsOf(_rects[i]);
        for (int y = c.y0; y <= c.y1; ++y)
            for (int x = c.x0; x <= c.x1; ++x) _cellItems[fill[size_t(y) * _nbX + x]++] = static_cast<uint32_t>(i);
    }
}

void ScSceneIndex::Grid::addAll(const GeRectangle<float>& rect, std::vector<uint32_t>& out) const {
    for (size_t i = 0; i < _rects.size(); ++i)
        if (!_rects[i].isEmpty() && meets(_rects[i], rect)) out.push_back(static_cast<uint32_t>(i));
}

void ScSceneIndex::Grid::find(const GeRectangle<float>& rect, std::vector<uint32_t>& out) {
    out.clear();
    if (_extent.isEmpty() || !meets(rect, _extent)) return;
    const CellRange c = cellsOf(rect);
    const int64_t nbCells = int64_t(c.x1 - c.x0 + 1) * int64_t(c.y1 - c.y0 + 1);
    // Asked about much of the scene, a walk in order beats gathering and sorting.
    if (nbCells * 4 > int64_t(_nbX) * _nbY) {
        addAll(rect, out);
        return;
    }
    if (++_question == 0) {
        std::fill(_seen.begin(), _seen.end(), 0);
        _question = 1;
    }
    for (int y = c.y0; y <= c.y1; ++y) {
        const size_t row = size_t(y) * _nbX;
        for (size_t k = _cellStart[row + c.x0]; k < _cellStart[row + c.x1 + 1]; ++k) {
            const uint32_t i = _cellItems[k];
            if (_seen[i] == _question || !meets(_rects[i], rect)) continue;
            _seen[i] = _question;
            out.push_back(i);
        }
    }
    for (uint32_t i : _large)
        if (meets(_rects[i], rect)) out.push_back(i);
    std::sort(out.begin(), out.end());
}

// --- Index ---

ScSceneIndex::ScSceneIndex(const ScGraph& graph) : _graph(graph) {}

ScSceneIndex::~ScSceneIndex() = default;

void ScSceneIndex::update(const ScContext& ctx, ScLinkStyle linkStyle) {
    const WsFont* font = ctx.getFont().get();
    const float ascent = font ? font->getAscent() : 0.0f, descent = font ? font->getDescent() : 0.0f;
    if (isCurrent() && linkStyle == _linkStyle && _font.isNull() == (font == nullptr) && ascent == _fontAscent &&
        descent == _fontDescent)
        return;
    _font = ctx.getFont();
    _fontAscent = ascent;
    _fontDescent = descent;
    _linkStyle = linkStyle;
    rebuild();
}

bool ScSceneIndex::isCurrent() const {
    return _builtEpoch == sBoundsEpoch && _builtNodeVersion == _graph.getNodes().getVersion() &&
           _builtEdgeVersion == _graph.getEdges().getVersion() && _builtGroupVersion == _graph.getGroups().getVersion();
}

void ScSceneIndex::rebuild() {
    const ScContext ctx(_font, 1.0f);
    indexSet(_graph.getNodes(), _nodes, _nodeGrid, [&ctx](const ScNode& node) { return getNodeReach(node, ctx); });
    indexSet(_graph.getEdges(), _edges, _edgeGrid,
             [this](const ScEdge& edge) { return getEdgeReach(edge, _linkStyle); });
    indexSet(_graph.getGroups(), _groups, _groupGrid, [](const ScGroup& group) { return group.getBounds(); });
    _builtEpoch = sBoundsEpoch;
    _builtNodeVersion = _graph.getNodes().getVersion();
    _builtEdgeVersion = _graph.getEdges().getVersion();
    _builtGroupVersion = _graph.getGroups().getVersion();
}

template <class T>
const std::vector<T*>& ScSceneIndex::find(Grid& grid, const std::vector<T*>& all, const GeRectangle<float>& rect,
                                          std::vector<T*>& found) {
    if (!isCurrent()) rebuild();
    if (!_culling) return all;
    grid.find(rect, _hits);
    found.clear();
    for (uint32_t i : _hits) found.push_back(all[i]);
    return found;
}

const std::vector<ScNode*>& ScSceneIndex::findNodes(const GeRectangle<float>& rect) {
    return find(_nodeGrid, _nodes, rect, _foundNodes);
}

const std::vector<ScEdge*>& ScSceneIndex::findEdges(const GeRectangle<float>& rect) {
    return find(_edgeGrid, _edges, rect, _foundEdges);
}

const std::vector<ScGroup*>& ScSceneIndex::findGroups(const GeRectangle<float>& rect) {
    return find(_groupGrid, _groups, rect, _foundGroups);
}

} // namespace Zv
