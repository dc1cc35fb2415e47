#pragma once

#include "platform/graph/snItemBasic.h"
#include "platform/graph/snSelection.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHeadlessBackend.h"
#include "platform/ui/uiViewer2D.h"

#include <gtest/gtest.h>

#include <string>

namespace Zv::UiTest {

// A headless application, current for the test's duration.
class HeadlessTest : public ::testing::Test {
protected:
    UiHeadlessBackend backend;
    UiApplication app{backend};
};

using Item = SnItemBasic<std::string>;

inline RCStrongPtr<SnItem> item(const std::string& name) {
    return makeRC<Item>(name);
}

// Names of a selection's items, in order, joined with spaces.
inline std::string names(const SnSelection& selection) {
    std::string joined;
    for (const auto& i : selection) joined += (joined.empty() ? "" : " ") + dynamic_cast<const Item&>(*i).get();
    return joined;
}

// A viewer of a fixed scene rectangle, in an 800 × 600 window.
class TestViewer : public UiViewer2D {
public:
    explicit TestViewer(const GeRectangle<float>& scene = {0.0f, 400.0f, 0.0f, 300.0f})
        : UiViewer2D("viewer", SnSelection::create()), _scene(scene) {
        setWindowSize(800, 600);
    }
    GeRectangle<float> getSceneBoundingRect() const override { return _scene; }
    void setScene(const GeRectangle<float>& scene) { _scene = scene; }

private:
    GeRectangle<float> _scene;
};

} // namespace Zv::UiTest
