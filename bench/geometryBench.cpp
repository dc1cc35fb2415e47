// Cost per call of the perimeter geometry, tab hit tests and link picks that run many times per frame.
#include "views/schematic/src/scEdge.h"
#include "views/schematic/src/scRoundedBox.h"
#include "views/schematic/src/scSquareTab.h"

#include "tests/support/stubNode.h"

#include <benchmark/benchmark.h>

using namespace Zv;
using S = ScRoundedBox::SubSectionType;

namespace {

ScRoundedBox box({0.0f, 105.0f, 0.0f, 25.0f}, 8.0f);

void BM_GetPoint(benchmark::State& state) {
    float t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            box.getPoint({S(static_cast<int>(t) & 7), t - static_cast<float>(static_cast<int>(t))}));
        t = t < 7.9f ? t + 0.37f : 0.0f;
    }
}
BENCHMARK(BM_GetPoint);

void BM_GetOffsetPosCW(benchmark::State& state) {
    float d = -200.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(box.getOffsetPosCW({S::Upper, 0.5f}, d));
        d = d < 400.0f ? d + 3.7f : -200.0f;
    }
}
BENCHMARK(BM_GetOffsetPosCW);

void BM_TabContains(benchmark::State& state) {
    ScSquareTab tab({S::UpperLeft, 0.5f}, {S::UpperRight, 0.5f}, &box);
    float x = -10.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tab.contains({x, 28.0f}));
        x = x < 115.0f ? x + 1.3f : -10.0f;
    }
}
BENCHMARK(BM_TabContains);

// A point near the link, so the pick gets past its rectangle test and measures the curve.
void BM_EdgePick(benchmark::State& state) {
    const ScLinkStyle style = toScCode<ScLinkStyle>(static_cast<int>(state.range(0)));
    RCStrongPtr<ScEdge> edge = makeRC<ScEdge>(makeRC<StubNode>(GePoint2f(0, 0), GeVector2f(0, -1)), 0, 0,
                                              makeRC<StubNode>(GePoint2f(150, -200), GeVector2f(0, 1)), 0, 0, 0);
    float y = -200.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(edge->pick({75.0f, y}, style));
        y = y < 0.0f ? y + 7.0f : -200.0f;
    }
    state.SetLabel(style == ScLinkStyle::Curved ? "curved" : style == ScLinkStyle::Angular ? "angular" : "straight");
}
BENCHMARK(BM_EdgePick)
    ->Arg(toInt(ScLinkStyle::Curved))
    ->Arg(toInt(ScLinkStyle::Angular))
    ->Arg(toInt(ScLinkStyle::Straight));

} // namespace

BENCHMARK_MAIN();
