// Lines and segments built from picked figures, at the pick or by a press
// that then follows the pointer.

#include "constructions/line_constructions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "figures/angle_obj.h"
#include "figures/circle_obj.h"
#include "figures/figure_fixture.h"
#include "figures/line_obj.h"
#include "figures/point_obj.h"
#include "figures/segment_obj.h"
#include "math/expect_near.h"
#include "math/kernel.h"

namespace gyr::testing {
namespace {

TEST_F(FigureTest, MiddleOrthogonalOfThePickedSide) {
    CSegmentObj* seg = MakeSegment(state, {0, 0}, {2, 2}, {});
    state.m_pPicked = seg;
    state.m_nPart = 1;
    ASSERT_TRUE(MiddleOrthogonalOfSide(state, 0, {1, 1}));
    ASSERT_EQ(Figures(), 2u);
    auto* bisector = static_cast<CLine*>(Last());
    EXPECT_EQ(bisector->GetRuntimeClass(), &CLine::kClass);
    EXPECT_LT(DistanceToLine({1, 1}, bisector->P0(), bisector->P1()), 1e-9);
    EXPECT_NEAR((bisector->P1() - bisector->P0()).Dot({1, 1}), 0, 1e-9);
    // Reaches across the sheet: x + y = 2 from the right border to the top
    // one, in the direction Perp(b - a).
    EXPECT_EQ(bisector->P0(), CWorldPoint(8, -6));
    EXPECT_EQ(bisector->P1(), CWorldPoint(-4, 6));

    // A side of zero length, or no pick, has no middle orthogonal.
    seg->m_points[1] = seg->m_points[0];
    EXPECT_FALSE(MiddleOrthogonalOfSide(state, 0, {0, 0}));
    state.m_pPicked = nullptr;
    EXPECT_FALSE(MiddleOrthogonalOfSide(state, 0, {0, 0}));
    EXPECT_EQ(Figures(), 2u);
}

// A picked figure and the tool at stage 1, as the pick rule leaves them.
class PointerConstructionTest : public FigureTest {
protected:
    void Picked(int kind, int code, CMyObj* obj, int part = 1) {
        UseTool(kind, code);
        state.m_pPicked = state.m_pFirstPicked = obj;
        state.m_nPart = part;
        state.m_nStage = 1;
    }
    static const CSegmentObj* Seg(const CMyObj* obj) {
        return static_cast<const CSegmentObj*>(obj);
    }
};

TEST_F(PointerConstructionTest, ParallelFollowsThePointerAndKeepsItsPickUntilCtrl) {
    CSegmentObj* s = MakeSegment(state, {0, 0}, {2, 1}, {});
    Picked(kToolSegment, kCodeParallel, s);
    CMyObj* obj = Press(&PressParallel, {1, 1});
    ASSERT_NE(obj, nullptr);
    Move({3, 5});
    ExpectNear(Seg(obj)->P0(), {1, 1});
    ExpectNear(Seg(obj)->P1(), {4.2, 2.6});
    Release({3, 5});
    EXPECT_EQ(state.m_nStage, 1);  // the pick stays in force
    ASSERT_NE(Press(&PressParallel, {0, 2}), nullptr);
    Move({2, 3});
    Release({2, 3}, kMkControl);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(Figures(), 3u);

    // Lines: the same points, fitted to the sheet at the release.
    Picked(kToolLine, kCodeParallel, s);
    CMyObj* line = Press(&PressParallel, {1, 1});
    ASSERT_TRUE(line && line->IsLine());
    Move({3, 5});
    Release({3, 5});
    EXPECT_LT(DistanceToLine({4.2, 2.6}, Seg(line)->P0(), Seg(line)->P1()), 1e-9);
    EXPECT_LT(DistanceToLine({1, 1}, Seg(line)->P0(), Seg(line)->P1()), 1e-9);
}

TEST_F(PointerConstructionTest, OrthogonalDroppedOrWithShiftRaisedAtThePress) {
    CSegmentObj* s = MakeSegment(state, {0, 0}, {4, 0}, {});
    Picked(kToolSegment, kCodeOrthogonal, s);
    CMyObj* obj = Press(&PressOrthogonal, {1, 2});
    ExpectNear(Seg(obj)->P0(), {1, 0});
    ExpectNear(Seg(obj)->P1(), {1, 2});
    Move({3, 3});
    ExpectNear(Seg(obj)->P0(), {3, 0});
    ExpectNear(Seg(obj)->P1(), {3, 3});
    // Shift pressed in the middle of the drag: anchored at the press point.
    Move({3, 3}, kMkShift);
    ExpectNear(Seg(obj)->P0(), {1, 2});
    ExpectNear(Seg(obj)->P1(), {1, 3});
    Release({3, 3}, kMkShift);
    EXPECT_EQ(Figures(), 2u);

    // A side of a triangle: part 2 is the side from vertex 1 to vertex 2.
    auto* angle = new CAngle({0, 3}, {0, 0}, {3, 3});
    doc.AddObject(angle);
    Picked(kToolSegment, kCodeOrthogonal, angle, 2);
    CMyObj* o2 = Press(&PressOrthogonal, {0, 2});
    ExpectNear(Seg(o2)->P0(), {1, 1});
}

TEST_F(PointerConstructionTest, TangentsFromAPointKeepTheirPointsOfContact) {
    CCircleObj* k = MakeCircle(state, {0, 0}, 3, {});
    Picked(kToolSegment, kCodeTangentsFrom, k);
    CMyObj* pressed = Press(&PressTangentsFrom, {5, 0});
    ASSERT_EQ(state.m_gesture.size(), 2u);
    CMyObj* extra = state.m_gesture.front();
    EXPECT_EQ(state.m_gesture.back(), pressed);
    ExpectNear(Seg(pressed)->P0(), {1.8, -2.4});
    ExpectNear(Seg(extra)->P0(), {1.8, 2.4});
    Move({0, 5});
    ExpectNear(Seg(pressed)->P0(), {2.4, 1.8});
    ExpectNear(Seg(pressed)->P1(), {0, 5});
    ExpectNear(Seg(extra)->P0(), {-2.4, 1.8});
    Move({1, 0});  // inside: nothing changes
    ExpectNear(Seg(pressed)->P1(), {0, 5});
    Release({0, 5});
    EXPECT_EQ(Figures(), 3u);

    // On the circle: one segment; inside: nothing, with a beep.
    Press(&PressTangentsFrom, {3, 0});
    EXPECT_EQ(state.m_gesture.size(), 1u);
    Release({3, 0});  // a point: dropped
    EXPECT_EQ(Press(&PressTangentsFrom, {1, 0}), nullptr);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Figures(), 3u);
}

TEST_F(PointerConstructionTest, TangentAtTheNearestCirclePoint) {
    CCircleObj* k = MakeCircle(state, {0, 0}, 2, {});
    Picked(kToolSegment, kCodeTangentAt, k);
    CMyObj* obj = Press(&PressTangentAt, {3, 0});
    ExpectNear(Seg(obj)->P0(), {2, 0});
    ExpectNear(Seg(obj)->P1(), {2, 2});
    Move({0, 5});
    ExpectNear(Seg(obj)->P0(), {0, 2});
    ExpectNear(Seg(obj)->P1(), {-2, 2});
    Move({0, 0});  // the centre: unchanged
    ExpectNear(Seg(obj)->P0(), {0, 2});
}

TEST_F(PointerConstructionTest, APickDeletedBeforeThePressMakesNothing) {
    CSegmentObj* s = MakeSegment(state, {0, 0}, {2, 1}, {});
    Picked(kToolSegment, kCodeParallel, s);
    state.m_pPicked = s;
    doc.RemoveObject(s);
    state.m_pPicked = s;  // as a stale pointer would be
    EXPECT_EQ(Press(&PressParallel, {1, 1}), nullptr);
    EXPECT_EQ(state.m_nStage, 0);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Figures(), 0u);
}

TEST_F(FigureTest, CommonTangentsOfTwoPickedCirclesAreRecorded) {
    StepLog log;
    state.m_pRecorder = &log;
    UseTool(kToolSegment, kCodeCommonTangents);
    state.m_pFirstPicked = MakeCircle(state, {0, 0}, 3, {});
    state.m_pPicked = MakeCircle(state, {8, 0}, 1, {});
    ASSERT_TRUE(CommonTangentsOfPicks(state, 0, {}));
    ASSERT_EQ(Figures(), 6u);
    auto* first = static_cast<CSegmentObj*>(*std::next(doc.Objects().begin(), 3));
    ExpectNear(first->P0(), {0.75, -0.75 * std::sqrt(15.0)});
    ASSERT_EQ(log.steps.size(), 4u);
    EXPECT_EQ(log.steps[0].codeOrOrigin, kCodeCommonTangents);

    UseTool(kToolLine, kCodeCommonTangents);
    ASSERT_TRUE(CommonTangentsOfPicks(state, 0, {}));
    EXPECT_EQ(Figures(), 10u);
    EXPECT_TRUE(Last()->IsLine());
    // Nested circles: nothing.
    state.m_pPicked = MakeCircle(state, {0.5, 0}, 1, {});
    EXPECT_FALSE(CommonTangentsOfPicks(state, 0, {}));
    EXPECT_EQ(Figures(), 11u);
}

TEST_F(FigureTest, DiagonalTriangleAndDivision) {
    UseTool(kToolSegment, kCodeQuadrilateral);
    state.m_pFirstPicked = MakeSegment(state, {0, 0}, {4, 0}, {});
    state.m_pPicked = MakeSegment(state, {1, 2}, {3, 3}, {});
    ASSERT_TRUE(DiagonalTriangleOfPicks(state, 0, {}));
    ASSERT_EQ(Figures(), 5u);
    auto* side = static_cast<CSegmentObj*>(Last());
    ExpectNear(side->P0(), {1.6, 1.6});
    ExpectNear(side->P1(), {-3, 0});
    state.m_pPicked = MakeSegment(state, {0, 1}, {4, 1}, {});  // parallel
    EXPECT_FALSE(DiagonalTriangleOfPicks(state, 0, {}));
    EXPECT_EQ(Figures(), 6u);

    UseTool(kToolSegment, kCodeDivideInParts);
    state.m_pPicked = MakeSegment(state, {0, 0}, {6, 3}, {});
    ASSERT_TRUE(DivideInParts(state, 0, {3, 1.5}));
    ASSERT_EQ(Figures(), 9u);
    ExpectNear(Last()->GetVertices()[0], {4, 2});
    ProgramState().params.divideParts = 5;
    state.m_pPicked = MakeCircle(state, {0, 0}, 2, {});
    ASSERT_TRUE(DivideInParts(state, 0, {3, 4}));
    ASSERT_EQ(Figures(), 15u);
    ExpectNear((*std::next(doc.Objects().begin(), 11))->GetVertices()[0], {1.2, 1.6});
}

TEST_F(FigureTest, RatioSettingFromTheFirstSelectedAngle) {
    auto* angle = new CAngle({3, 0}, {0, 0}, {0, 4});
    angle->SetDocument(&doc);
    doc.AddObject(angle);
    EXPECT_FALSE(RatioFromSelectedAngle(state));
    state.Select(angle);
    ASSERT_TRUE(RatioFromSelectedAngle(state));
    EXPECT_DOUBLE_EQ(ProgramState().params.ratio, 0.75);
    angle->m_points[0] = {5, 0};  // a quotient above 1 is kept
    ASSERT_TRUE(RatioFromSelectedAngle(state));
    EXPECT_DOUBLE_EQ(ProgramState().params.ratio, 1.25);
    angle->m_points[2] = angle->m_points[1];  // no second arm
    ProgramState().params.ratio = 0.5;
    EXPECT_FALSE(RatioFromSelectedAngle(state));
    EXPECT_DOUBLE_EQ(ProgramState().params.ratio, 0.5);
}

}  // namespace
}  // namespace gyr::testing
