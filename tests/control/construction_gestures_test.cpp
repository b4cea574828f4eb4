// Constructions driven through the view: picks, the presses that then draw,
// the picks kept until a release with Ctrl, picks taken away meanwhile, and
// the ratio taken from an angle.

#include <gtest/gtest.h>

#include <cmath>

#include "control/view_fixture.h"
#include "figures/angle_obj.h"
#include "figures/circle_obj.h"
#include "figures/poly_obj.h"
#include "figures/rect_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

class ConstructionGestureTest : public ViewTest {
protected:
    CCircleObj* AddCircle(CWorldPoint c, double r) { return Add(new CCircleObj(c, r)); }
    static PixelPoint TopPx(const CCircleObj* c) {
        return Px(c->Centre().x, c->Centre().y + c->m_radius);
    }
    std::size_t Figures() const { return doc.Objects().size() - 1; }
    const CSegmentObj* LastSegment() const {
        return static_cast<const CSegmentObj*>(doc.Objects().back());
    }
};

TEST_F(ConstructionGestureTest, ParallelsFromOnePickUntilACtrlRelease) {
    CSegmentObj* s = AddSegment({0, 0}, {4, 2});
    ASSERT_TRUE(view.OnCommand(ID_SEGMENT_PARALLEL));
    Click(Px(2, 1));
    ASSERT_EQ(state.m_nStage, 1);
    EXPECT_EQ(state.m_pPicked, s);

    Drag(Px(0, 2), Px(4, 4));
    ASSERT_EQ(Figures(), 2u);
    ExpectNear(LastSegment()->P0(), {0, 2});
    ExpectNear(LastSegment()->P1(), {4, 4});
    EXPECT_EQ(state.m_nStage, 1);
    Drag(Px(0, -2), Px(2, 0), kMkControl);
    EXPECT_EQ(Figures(), 3u);
    ExpectNear(LastSegment()->P1(), {2.4, -0.8});
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_TRUE(view.IsPickMode());
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(ConstructionGestureTest, APickDeletedBeforeThePressMakesNothing) {
    CSegmentObj* s = AddSegment({0, 0}, {4, 0});
    ASSERT_TRUE(view.OnCommand(ID_ORTHOGONAL_TOOL));
    Click(Px(2, 0));
    ASSERT_EQ(state.m_nStage, 1);
    doc.RemoveObject(s);
    Drag(Px(1, 1), Px(2, 2));
    EXPECT_EQ(Figures(), 0u);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(state.m_nStage, 0);
}

TEST_F(ConstructionGestureTest, TangentsFromAPointAndCommonTangentsByClicks) {
    CCircleObj* big = AddCircle({0, 0}, 3);
    CCircleObj* small = AddCircle({8, 0}, 1);
    ASSERT_TRUE(view.OnCommand(ID_TANGENTS_FROM_TOOL));
    Click(TopPx(big));
    Drag(Px(5, 0), Px(0, 5));
    ASSERT_EQ(Figures(), 4u);
    ExpectNear(LastSegment()->P0(), {2.4, 1.8});
    ExpectNear(LastSegment()->P1(), {0, 5});

    ASSERT_TRUE(view.OnCommand(ID_SEGMENT_COMMON_TANGENTS));
    Click(TopPx(big));
    Click(TopPx(big));  // the same circle twice
    EXPECT_EQ(host.beeps, 1);
    Click(TopPx(small));
    EXPECT_EQ(Figures(), 8u);
    EXPECT_EQ(state.m_nStage, 0);
}

TEST_F(ConstructionGestureTest, CirclesCentredAtThePressUntilACtrlRelease) {
    CCircleObj* k = AddCircle({0, 0}, 1);
    ASSERT_TRUE(view.OnCommand(ID_CIRCLE_TANGENT_CENTRED));
    Click(TopPx(k));
    ASSERT_EQ(state.m_nStage, 1);
    Drag(Px(3, 4), Px(3, 4));
    ASSERT_EQ(Figures(), 3u);
    EXPECT_NEAR(static_cast<const CCircleObj*>(doc.Objects().back())->m_radius, 4, 1e-9);
    Drag(Px(0, 4), Px(0, 4), kMkControl);
    EXPECT_EQ(Figures(), 5u);
    EXPECT_EQ(state.m_nStage, 0);
}

TEST_F(ConstructionGestureTest, ShiftWithRatioTakesTheSelectedAnglesRatio) {
    auto* angle = Add(new CAngle({3, 0}, {0, 0}, {0, 4}));
    host.keysDown.insert(kKeyShift);
    ASSERT_TRUE(view.OnCommand(ID_SEGMENT_RATIO));
    EXPECT_EQ(host.beeps, 1);  // nothing selected
    EXPECT_DOUBLE_EQ(ProgramState().params.ratio, 0.5);
    state.Select(angle);
    ASSERT_TRUE(view.OnCommand(ID_SEGMENT_RATIO));
    EXPECT_DOUBLE_EQ(ProgramState().params.ratio, 0.75);
    EXPECT_EQ(state.m_nToolCode, kCodeRatio);
    host.keysDown.clear();
    ProgramState().params.ratio = 0.5;
    ASSERT_TRUE(view.OnCommand(ID_SEGMENT_RATIO));
    EXPECT_DOUBLE_EQ(ProgramState().params.ratio, 0.5);
}

}  // namespace
}  // namespace gyr::testing

namespace gyr::testing {
namespace {

TEST_F(ConstructionGestureTest, TriangleElementsAtThePickAndBeepsForOtherFigures) {
    AddTriangle({0, 0}, {6, 0}, {1, 4});
    AddSegment({-6, -5}, {-2, -5});
    ASSERT_TRUE(view.OnCommand(ID_TRIANGLE_INSCRIBED));
    Click(Px(3, 0));
    EXPECT_EQ(Figures(), 6u);
    int circles = 0;
    for (const CMyObj* obj : doc.Objects()) circles += obj->IsCircle();
    EXPECT_EQ(circles, 4);
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(state.m_nStage, 0);

    Click(Px(-4, -5));  // a segment is no triangle
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Figures(), 6u);

    ASSERT_TRUE(view.OnCommand(ID_TRIANGLE_MEDIANS));
    Click(Px(3, 0));
    EXPECT_EQ(Figures(), 9u);
    EXPECT_TRUE(doc.Objects().back()->IsSegment());
}

TEST_F(ConstructionGestureTest, AnEquilateralTriangleHasNoEulerLine) {
    AddTriangle({0, 0}, {2, 0}, {1, std::sqrt(3.0)});
    ASSERT_TRUE(view.OnCommand(ID_TRIANGLE_EULER_LINE));
    Click(Px(1, 0));
    EXPECT_EQ(Figures(), 1u);
    EXPECT_EQ(host.beeps, 1);
}

}  // namespace
}  // namespace gyr::testing

namespace gyr::testing {
namespace {

TEST_F(ConstructionGestureTest, ParallelogramOnItsBaseThroughTheView) {
    ASSERT_TRUE(view.OnCommand(ID_PARALLELOGRAM_GENERAL));
    Drag(Px(0, 0), Px(4, 0));
    ASSERT_EQ(state.m_nStage, 1);
    Drag(Px(5, 3), Px(4.6, 2.8), kMkControl);
    ASSERT_EQ(Figures(), 1u);  // the base became the parallelogram's side
    const CMyObj* rect = doc.Objects().back();
    EXPECT_TRUE(rect->IsRect());
    ASSERT_EQ(rect->GetVertexCount(), 4);
    ExpectNear(rect->GetVertices()[2], {4, 2.8});
    ExpectNear(rect->GetVertices()[3], {0, 2.8});
    EXPECT_EQ(state.m_nStage, 0);

    // A click instead of a base: the warning, and nothing is made.
    Drag(Px(-3, -3), Px(-3, -3));
    Drag(Px(-2, -2), Px(-1, -1));
    EXPECT_EQ(Figures(), 1u);
    EXPECT_EQ(host.LastMessage(), kBadDefinitionMessage);
    EXPECT_EQ(state.m_nStage, 0);
}

}  // namespace
}  // namespace gyr::testing

namespace gyr::testing {
namespace {

TEST_F(ConstructionGestureTest, ShiftArrowCopiesTileWithParallelogramsAndPolygons) {
    auto* rect = new CRectObj(kRectGeneral, {});
    rect->m_points = {{0, 0}, {4, 0}, {5, 3}, {1, 3}};
    Add(rect);
    state.Select(rect);
    ASSERT_TRUE(view.OnKeyDown(kKeyRight, kMkShift));
    ASSERT_EQ(Figures(), 2u);
    ExpectNear(doc.Objects().back()->GetVertices()[0], {4, 0});
    ASSERT_TRUE(view.OnKeyDown(kKeyUp, kMkShift));  // from the copy, now selected
    ExpectNear(doc.Objects().back()->GetVertices()[0], {5, 3});

    // A square: the copy above shares the top side.
    auto* square = new CPolyObj(4, {0, -4});
    square->SetRegularVertices(0, {1, -3});
    Add(square);
    state.DeselectAll();
    state.Select(square);
    ASSERT_TRUE(view.OnKeyDown(kKeyUp, kMkShift));
    auto* copy = dynamic_cast<CPolyObj*>(doc.Objects().back());
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, square);
    ExpectNear(copy->m_center, {0, -2});
    ExpectNear(copy->m_points[3], {1, -3});
}

}  // namespace
}  // namespace gyr::testing
