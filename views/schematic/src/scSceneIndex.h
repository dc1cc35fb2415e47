#pragma once

#include "views/schematic/src/scDefinitions.h"

#include "platform/base/geRectangle.h"
#include "platform/base/rcStrongPtr.h"

#include <cstdint>
#include <vector>

namespace Zv {

class ScContext;
class ScEdge;
class ScGraph;
class ScGroup;
class ScNode;
class WsFont;

// Where the scene's nodes, edges and groups lie, so that drawing and picking visit only what is near
// a rectangle or a point. Its answers are candidates in set order, never fewer than the objects' own
// tests accept, so callers that test each candidate get exactly what a scan of the whole set gets.
// It rebuilds lazily: before an answer, when a set changed or anything moved or changed size.
class ScSceneIndex {
public:
    // Called by everything that moves a scene object or changes its size; every index rebuilds
    // before its next answer.
    static void boundsChanged() { ++sBoundsEpoch; }

    explicit ScSceneIndex(const ScGraph& graph);
    ~ScSceneIndex();

    // Node bounds depend on the font (labels beside the box), edge bounds on the link style: the
    // index is brought up to date for those a drawing uses. Picks use whatever it was last built for.
    void update(const ScContext& ctx, ScLinkStyle linkStyle);
    // Without culling every object is a candidate: the plain scan the index must match.
    void setCulling(bool culling) { _culling = culling; }

    // Candidates in set order; each answer stays valid until the next question of the same kind.
    const std::vector<ScNode*>& findNodes(const GeRectangle<float>& rect);
    const std::vector<ScEdge*>& findEdges(const GeRectangle<float>& rect);
    const std::vector<ScGroup*>& findGroups(const GeRectangle<float>& rect);

private:
    // Items by their order in a set, bucketed by the cells of a uniform grid their rectangles meet.
    class Grid {
    public:
        void build(std::vector<GeRectangle<float>> rects);
        // Ordinals, ascending, of the items whose rectangle meets rect.
        void find(const GeRectangle<float>& rect, std::vector<uint32_t>& out);

    private:
        struct CellRange {
            int x0, x1, y0, y1;
        };
        CellRange cellsOf(const GeRectangle<float>& rect) const;
        void addAll(const GeRectangle<float>& rect, std::vector<uint32_t>& out) const;

        std::vector<GeRectangle<float>> _rects;
        GeRectangle<float> _extent;
        double _cellSize = 1.0;
        int _nbX = 0, _nbY = 0;
        // Items of cell c are _cellItems[_cellStart[c] .. _cellStart[c + 1]), ascending.
        std::vector<uint32_t> _cellStart;
        std::vector<uint32_t> _cellItems;
        // Items too large to copy into every cell they meet, ascending; always tested.
        std::vector<uint32_t> _large;
        // The last question that found each item, so an item in several cells is answered once.
        std::vector<uint32_t> _seen;
        uint32_t _question = 0;
    };

    template <class T>
    const std::vector<T*>& find(Grid& grid, const std::vector<T*>& all, const GeRectangle<float>& rect,
                                std::vector<T*>& found);
    bool isCurrent() const;
    void rebuild();

    static inline uint64_t sBoundsEpoch = 1;

    const ScGraph& _graph;
    bool _culling = true;
    // What the index was built from; a different epoch or set version means it is stale.
    uint64_t _builtEpoch = 0;
    uint64_t _builtNodeVersion = 0, _builtEdgeVersion = 0, _builtGroupVersion = 0;
    RCShdPtr<WsFont> _font;
    float _fontAscent = 0.0f, _fontDescent = 0.0f;
    ScLinkStyle _linkStyle = ScLinkStyle::Curved;

    std::vector<ScNode*> _nodes;
    std::vector<ScEdge*> _edges;
    std::vector<ScGroup*> _groups;
    Grid _nodeGrid, _edgeGrid, _groupGrid;
    std::vector<uint32_t> _hits;
    std::vector<ScNode*> _foundNodes;
    std::vector<ScEdge*> _foundEdges;
    std::vector<ScGroup*> _foundGroups;
};

} // namespace Zv
