// Frames of generated compositions as a full-HD window shows them, for the drawing benchmarks: the
// whole scene fitted, and zoom 1.0 on the middle of the scene.
#pragma once

#include "bench/viewBenchSupport.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scGraph.h"

#include "platform/ui/wsFontRegistry.h"
#include "platform/ui/wsScaledFont.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace Zv {

constexpr int kFrameWidth = 1920, kFrameHeight = 1080;

struct Frame {
    GeRectangle<float> visible;
    float zoom;
};

// One laid-out scene at a time; benchmarks are registered size by size so each is built once.
inline ScGraph& getLaidOutScene(int nbNodes) {
    static std::unique_ptr<BenchScene> bench;
    if (!bench || bench->getNbNodes() != nbNodes) {
        bench.reset();
        bench = std::make_unique<BenchScene>(nbNodes, 7, ScOrientation::Right);
        bench->getScene().layout(ScGraph::LayoutType::LayoutAll);
    }
    return bench->getScene();
}

inline Frame frameAround(const GePoint2<float>& centre, float zoom) {
    const float halfWidth = kFrameWidth / (2.0f * zoom), halfHeight = kFrameHeight / (2.0f * zoom);
    return {{centre.x - halfWidth, centre.x + halfWidth, centre.y - halfHeight, centre.y + halfHeight}, zoom};
}

inline Frame fitAll(const ScGraph& scene) {
    GeRectangle<float> bounds;
    for (const auto& node : scene.getNodes()) {
        GeRectangle<float> box;
        node->getBoxBounds(box);
        bounds.unite(box);
    }
    return frameAround(bounds.getCenter(),
                       std::min(kFrameWidth / bounds.getWidth(), kFrameHeight / bounds.getHeight()) * 0.95f);
}

// Zoom 1.0 on the node, among a few spread over the node set, whose window shows nearest to 40 nodes:
// the same view in scenes of every size.
inline Frame zoomOne(ScGraph& scene) {
    constexpr size_t kWanted = 40, kNbTried = 64;
    const size_t step = std::max<size_t>(scene.getNodes().size() / kNbTried, 1);
    Frame best = frameAround({}, 1.0f);
    size_t bestMiss = SIZE_MAX, index = 0;
    for (const auto& node : scene.getNodes()) {
        if (index++ % step != 0) continue;
        const Frame frame = frameAround(node->getPosition(), 1.0f);
        const size_t shown = scene.getIndex().findNodes(frame.visible).size();
        const size_t miss = shown > kWanted ? shown - kWanted : kWanted - shown;
        if (miss < bestMiss) {
            best = frame;
            bestMiss = miss;
        }
    }
    return best;
}

enum FrameKind { FitAll = 0, ZoomOne = 1 };

// Every size with both kinds of frame, size by size.
inline void frameArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"nodes", "zoomOne"});
    for (int nbNodes : {1000, 10000, 100000}) b->Args({nbNodes, FitAll})->Args({nbNodes, ZoomOne});
}

// Draws frames of one kind, as the viewer does, ending each with glFinish; counts the nodes shown.
inline void drawFrames(benchmark::State& state, int nbNodes, FrameKind kind, void (*afterFrame)(benchmark::State&)) {
    ScGraph& scene = getLaidOutScene(nbNodes);
    const Frame frame = kind == FitAll ? fitAll(scene) : zoomOne(scene);
    const ScColorTable colors = ScDrawContext::readShippedColorTable();
    const RCShdPtr<WsFont> font = WsFontRegistry::getFont();
    const WsScaledFont scaled;
    ScDrawContext ctx({}, font, scaled.getScaledFont(frame.zoom), frame.zoom, colors, 1.0f);
    const auto drawFrame = [&] {
        ScDrawContext::beginFrame(frame.visible, kFrameWidth, kFrameHeight, colors);
        scene.draw(ctx, frame.visible, ScLinkStyle::Curved, true);
        glFinish();
    };
    // The first frame at a zoom also rasterises the names' glyphs.
    drawFrame();
    for (auto _ : state) {
        drawFrame();
        afterFrame(state);
    }
    state.counters["zoom"] = frame.zoom;
    state.counters["nodes_shown"] = static_cast<double>(scene.getIndex().findNodes(frame.visible).size());
}

} // namespace Zv
