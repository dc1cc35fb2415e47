#include "tests/support/glRecorder.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Zv;

namespace {

// A small routine of the kind the view draws: a filled disc, then its outline in another colour.
void drawDisc(float cx, float cy, float radius, int segments) {
    glEnable(GL_BLEND);
    glColor4f(0.2f, 0.4f, 0.6f, 0.5f);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(cx, cy);
    for (int i = 0; i <= segments; ++i) {
        float angle = 2.0f * 3.14159265f * i / segments;
        glVertex2f(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    glEnd();
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < segments; ++i) {
        float angle = 2.0f * 3.14159265f * i / segments;
        glVertex2f(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    glEnd();
}

} // namespace

TEST(GlRecorder, RecordsPrimitivesVerticesColoursAndState) {
    GlRecorder::reset();
    drawDisc(10.0f, 20.0f, 5.0f, 8);

    const auto& primitives = GlRecorder::getPrimitives();
    ASSERT_EQ(primitives.size(), 2u);
    const auto& fan = primitives[0];
    EXPECT_EQ(fan.mode, static_cast<GLenum>(GL_TRIANGLE_FAN));
    EXPECT_EQ(fan.vertices.size(), 10u);
    EXPECT_TRUE(fan.state.isEnabled(GL_BLEND));
    EXPECT_FLOAT_EQ(fan.vertices[0].x, 10.0f);
    EXPECT_FLOAT_EQ(fan.vertices[1].x, 15.0f);
    EXPECT_FLOAT_EQ(fan.vertices[5].color.a, 0.5f);

    const auto& loop = primitives[1];
    EXPECT_EQ(loop.mode, static_cast<GLenum>(GL_LINE_LOOP));
    EXPECT_EQ(loop.vertices.size(), 8u);
    EXPECT_FALSE(loop.state.isEnabled(GL_BLEND));
    EXPECT_FLOAT_EQ(loop.vertices[3].color.g, 1.0f);
    EXPECT_EQ(GlRecorder::getCallCount("glBegin"), 2);
    EXPECT_EQ(GlRecorder::getPrimitives(GL_LINE_LOOP).size(), 1u);
}

TEST(GlRecorder, RectsAndStippleAreRecorded) {
    GlRecorder::reset();
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(2, 0xF0F0);
    glRectf(0, 0, 4, 3);
    ASSERT_EQ(GlRecorder::getPrimitives().size(), 1u);
    const auto& rect = GlRecorder::getPrimitives()[0];
    EXPECT_TRUE(rect.isRect);
    EXPECT_EQ(rect.vertices.size(), 4u);
    EXPECT_EQ(rect.state.stipplePattern, 0xF0F0);
    EXPECT_EQ(rect.state.stippleFactor, 2);
    EXPECT_FLOAT_EQ(rect.vertices[2].y, 3.0f);
}
