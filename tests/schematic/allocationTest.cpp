// The geometry of tabs, links and picks runs many times per frame: once caches are built it must not allocate.
#include "tests/support/stubNode.h"
#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scEdge.h"
#include "views/schematic/src/scSquareTab.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// Every form that pairs with the deletes below, so all of this program's heap goes through malloc.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace Zv;
using S = ScRoundedBox::SubSectionType;

namespace {

template <class Fn>
long allocationsOf(Fn&& fn) {
    const long before = allocations.load();
    fn();
    return allocations.load() - before;
}

} // namespace

TEST(Allocation, PerimeterTabAndEdgeQueriesAllocateNothing) {
    const ScRoundedBox box({0.0f, 105.0f, 0.0f, 25.0f}, 12.5f);
    ScSquareTab tab({S::UpperLeft, 0.5f}, {S::LowerRight, 0.5f}, const_cast<ScRoundedBox*>(&box));
    ScRoundedConnectionSet set({S::LowerRight, 0.5f}, {S::LowerLeft, 0.5f}, const_cast<ScRoundedBox*>(&box));
    set.setNbConnections(3);
    tab.contains({0.0f, 0.0f});    // builds the sub-sections
    set.pick({0.0f, 0.0f}, false); // builds the tabs and their sub-sections
    RCStrongPtr<ScEdge> edge = makeRC<ScEdge>(makeRC<StubNode>(GePoint2f(0, 0), GeVector2f(0, -1)), 0, 0,
                                              makeRC<StubNode>(GePoint2f(80, -120), GeVector2f(0, 1)), 0, 0, 0);
    float sink = 0.0f;
    const long count = allocationsOf([&] {
        for (int i = 0; i < 100; ++i) {
            const float d = static_cast<float>(i) * 3.7f - 150.0f;
            ScRoundedBox::EdgePos p = box.getOffsetPosCW({S::Upper, 0.5f}, d);
            sink += box.getPoint(p).x + box.getNormal(p).y + box.getArcLength(p, {S::Lower, 0.5f});
            sink += tab.contains({d, 26.0f}) ? 1.0f : 0.0f;
            sink += static_cast<float>(set.pick({d * 0.5f, -3.0f}, i % 2 == 0));
            for (ScLinkStyle style : {ScLinkStyle::Curved, ScLinkStyle::Angular, ScLinkStyle::Straight})
                sink += edge->pick({40.0f, -60.0f + d * 0.1f}, style) ? 1.0f : 0.0f;
            sink += set.getConnectionPoint(i % 3).x;
        }
    });
    EXPECT_EQ(count, 0);
    EXPECT_NE(sink, 0.0f);
}
